#include "servicing/child_process_win.h"

#include <windows.h>

#include <vector>

#include "base/wide_win.h"

namespace servicing {
namespace {

HANDLE H(Handle h) { return reinterpret_cast<HANDLE>(h); }
Handle FromH(HANDLE h) { return reinterpret_cast<Handle>(h); }

}  // namespace

bool Win32ChildProcesses::CreatePipe(Handle* read, Handle* write) {
  SECURITY_ATTRIBUTES attributes{};
  attributes.nLength = sizeof attributes;
  attributes.lpSecurityDescriptor = nullptr;
  attributes.bInheritHandle = TRUE;
  HANDLE r = nullptr;
  HANDLE w = nullptr;
  if (!::CreatePipe(&r, &w, &attributes, 0)) return false;
  // The read end stays ours alone: a child holding it too would keep the pipe
  // from ever breaking.
  SetHandleInformation(r, HANDLE_FLAG_INHERIT, 0);
  *read = FromH(r);
  *write = FromH(w);
  return true;
}

bool Win32ChildProcesses::CreateProcessHidden(const std::string& commandLine, Handle output,
                                              StartedProcess* started) {
  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof startup;
  startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.StartupInfo.wShowWindow = SW_HIDE;
  startup.StartupInfo.hStdInput = nullptr;
  startup.StartupInfo.hStdOutput = H(output);
  startup.StartupInfo.hStdError = H(output);

  // Of all our inheritable handles the child gets the pipe's write end alone,
  // so it cannot keep open what belongs to another run.
  HANDLE inherited = H(output);
  std::vector<char> attributeMemory;
  DWORD flags = 0;
  if (output != 0) {
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    attributeMemory.resize(size);
    auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributeMemory.data());
    if (size != 0 && InitializeProcThreadAttributeList(list, 1, 0, &size)) {
      if (UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, &inherited,
                                    sizeof inherited, nullptr, nullptr)) {
        startup.lpAttributeList = list;
        flags = EXTENDED_STARTUPINFO_PRESENT;
      } else {
        DeleteProcThreadAttributeList(list);
      }
    }
  }

  // CreateProcessW may write into the command line, so it gets its own copy.
  std::wstring wide = base::Wide(commandLine);
  std::vector<wchar_t> line(wide.begin(), wide.end());
  line.push_back(L'\0');
  PROCESS_INFORMATION info{};
  const BOOL ok = ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, output != 0, flags,
                                   nullptr, nullptr, &startup.StartupInfo, &info);
  if (startup.lpAttributeList != nullptr) DeleteProcThreadAttributeList(startup.lpAttributeList);
  if (!ok) return false;
  started->process = FromH(info.hProcess);
  started->thread = FromH(info.hThread);
  return true;
}

bool Win32ChildProcesses::CloseHandle(Handle handle) { return ::CloseHandle(H(handle)) != FALSE; }

bool Win32ChildProcesses::PeekNamedPipe(Handle pipe, uint32_t* available) {
  DWORD count = 0;
  if (!::PeekNamedPipe(H(pipe), nullptr, 0, nullptr, &count, nullptr)) return false;
  *available = count;
  return true;
}

bool Win32ChildProcesses::ReadFile(Handle pipe, char* buffer, uint32_t size, uint32_t* read) {
  DWORD count = 0;
  const BOOL ok = ::ReadFile(H(pipe), buffer, size, &count, nullptr);
  *read = ok ? count : 0;
  return ok != FALSE;
}

bool Win32ChildProcesses::GetExitCodeProcess(Handle process, uint32_t* exitCode) {
  DWORD code = 0;
  if (!::GetExitCodeProcess(H(process), &code)) return false;
  *exitCode = code;
  return true;
}

bool Win32ChildProcesses::HasEnded(Handle process) {
  return WaitForSingleObject(H(process), 0) != WAIT_TIMEOUT;
}

}  // namespace servicing
