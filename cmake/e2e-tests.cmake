# Registers the end-to-end test programs of the Windows x64 build folder as
# tests of this (native) build, each run under Wine by scripts/lib/wine-run.
set(wine_run ${CMAKE_SOURCE_DIR}/scripts/lib/wine-run)
foreach(suite program harness standins)
  add_test(NAME e2e.${suite}
           COMMAND ${wine_run} ${PELLORAN_WIN64_DIR}/bin/${suite}_e2e.exe)
  set_tests_properties(e2e.${suite} PROPERTIES TIMEOUT 900)
endforeach()
