// Start-up and shutdown of the program, and the main window's created handler.
#pragma once

#include <string>
#include <string_view>

#include "base/code_page.h"
#include "servicing/child_process_port.h"
#include "shell/program_state.h"
#include "shell/window_port.h"

namespace shell {

inline constexpr std::string_view kCaption = "Pelloran";
inline constexpr std::string_view kMountedImagesCommand = "Dism.exe /Get-MountedWimInfo";

// The folder of a program file ("D:\Tools" for "D:\Tools\Pelloran.exe"); a
// root folder keeps its backslash ("C:\"), so it can be made current.
std::string ProgramFolder(std::string_view programFile);
// The default save folder: the program's folder, without a trailing
// backslash, followed by "\hotfix" ("C:\hotfix" for a program in C:\).
std::string DefaultSaveFolder(std::string_view programFile);

// Steps 2-4 of start-up: the program-wide objects.
void CreateProgramObjects(ProgramState& state);
// Shutdown: releases them again.
void ReleaseProgramObjects(ProgramState& state);

// What the created handler needs of the platform.
struct CreatedContext {
  WindowPort& window;
  EventPump& pump;
  servicing::ChildProcessPort& processes;
  const base::CodePage& oem;
  ProgramState& state;
  std::string programFile;
};

// Sets the caption and the default save folder, then shows in 回显 the images
// already mounted on the machine, keeping the window alive meanwhile.
void OnCreated(CreatedContext& context);

}  // namespace shell
