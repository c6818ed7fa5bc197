// The program's entry point: start-up, the message loop, shutdown.
#include <windows.h>

#include <vector>

#include "base/code_page_win.h"
#include "base/wide_win.h"
#include "servicing/child_process_win.h"
#include "shell/handlers.h"
#include "shell/main_window_win.h"
#include "shell/program_state.h"
#include "shell/startup.h"

namespace {

std::string ProgramFile() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) return base::Narrow(std::wstring_view(path.data(), length));
    path.resize(path.size() * 2);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const std::string programFile = ProgramFile();
  SetCurrentDirectoryW(base::Wide(shell::ProgramFolder(programFile)).c_str());

  shell::ProgramState state;
  shell::CreateProgramObjects(state);

  base::OemCodePage oem;
  servicing::Win32ChildProcesses processes;
  shell::Handlers handlers;
  shell::MainWindow window(handlers);
  shell::CreatedContext created{window, window, processes, oem, state, programFile};
  handlers.On(shell::Event::Created, [&] { shell::OnCreated(created); });

  int result = 0;
  if (window.Create(instance)) result = window.RunMessageLoop();
  shell::ReleaseProgramObjects(state);
  return result;
}
