// Child processes and anonymous pipes, as the platform gives them.
#pragma once

#include <cstdint>
#include <string>

namespace servicing {

using Handle = std::uintptr_t;  // 0: none
inline constexpr uint32_t kStillActive = 259;

struct StartedProcess {
  Handle process = 0;
  Handle thread = 0;
};

class ChildProcessPort {
 public:
  virtual ~ChildProcessPort() = default;
  // An anonymous pipe of the system's default size. Only the write end is
  // inheritable, so the child gets that end and nothing else of ours.
  virtual bool CreatePipe(Handle* read, Handle* write) = 0;
  // (CreateProcess, by another name: windows.h makes that one a macro.)
  // Starts commandLine (UTF-8, passed on unchanged) hidden, with its standard
  // output and standard error on output (0: none) and no standard input,
  // inheriting handles, in the caller's environment and current folder.
  virtual bool CreateProcessHidden(const std::string& commandLine, Handle output,
                                   StartedProcess* started) = 0;
  virtual bool CloseHandle(Handle handle) = 0;
  // Bytes waiting in the pipe, without reading them.
  virtual bool PeekNamedPipe(Handle pipe, uint32_t* available) = 0;
  virtual bool ReadFile(Handle pipe, char* buffer, uint32_t size, uint32_t* read) = 0;
  virtual bool GetExitCodeProcess(Handle process, uint32_t* exitCode) = 0;
  // Whether the process has ended, from its handle (a process may end with the
  // code 259 too). A handle that cannot be waited on counts as ended.
  virtual bool HasEnded(Handle process) = 0;
};

}  // namespace servicing
