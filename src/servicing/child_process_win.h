#pragma once

#include "servicing/child_process_port.h"

namespace servicing {

class Win32ChildProcesses : public ChildProcessPort {
 public:
  bool CreatePipe(Handle* read, Handle* write) override;
  bool CreateProcessHidden(const std::string& commandLine, Handle output,
                           StartedProcess* started) override;
  bool CloseHandle(Handle handle) override;
  bool PeekNamedPipe(Handle pipe, uint32_t* available) override;
  bool ReadFile(Handle pipe, char* buffer, uint32_t size, uint32_t* read) override;
  bool GetExitCodeProcess(Handle process, uint32_t* exitCode) override;
  bool HasEnded(Handle process) override;
};

}  // namespace servicing
