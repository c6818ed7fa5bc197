#include "internal.h"

namespace e2e::detail {

RemoteBuffer::RemoteBuffer(HWND owner, size_t size) : size_(size) {
  DWORD pid = 0;
  GetWindowThreadProcessId(owner, &pid);
  process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process_) return;
  address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteBuffer::~RemoteBuffer() {
  if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  if (process_) CloseHandle(process_);
}

bool RemoteBuffer::Write(size_t offset, const void* data, size_t size) {
  if (!address_ || offset + size > size_) return false;
  SIZE_T done = 0;
  return WriteProcessMemory(process_, at(offset), data, size, &done) && done == size;
}

bool RemoteBuffer::Read(size_t offset, void* data, size_t size) const {
  if (!address_ || offset + size > size_) return false;
  SIZE_T done = 0;
  return ReadProcessMemory(process_, at(offset), data, size, &done) && done == size;
}

std::wstring RemoteBuffer::ReadString(size_t offset, size_t maxChars) const {
  std::wstring text(maxChars, L'\0');
  if (!Read(offset, text.data(), maxChars * sizeof(wchar_t))) return L"";
  text.resize(wcsnlen(text.c_str(), maxChars));
  return text;
}

}  // namespace e2e::detail
