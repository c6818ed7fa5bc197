# Builds everything: the native portable code with its unit tests, the x64
# program with its stand-ins and end-to-end tests, and the x86 program.
# Source it and call build_all.

build_all() {
  local root=$1
  local jobs
  jobs=$(nproc 2>/dev/null || echo 2)
  cmake -S "$root" -B "$root/build/win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || return 1
  cmake --build "$root/build/win64" -j"$jobs" || return 1
  cmake -S "$root" -B "$root/build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86.cmake" \
    -DPELLORAN_E2E=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || return 1
  cmake --build "$root/build/win32" -j"$jobs" || return 1
  cmake -S "$root" -B "$root/build/native" -DPELLORAN_WIN64_DIR="$root/build/win64" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || return 1
  cmake --build "$root/build/native" -j"$jobs" || return 1
}
