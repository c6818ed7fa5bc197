// Helpers shared by the harness's own files; not part of its interface.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e::detail {

// SendMessage to another process's window with a time limit, so a hung
// program fails the test instead of hanging it. 0 on timeout.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Top-level windows of a process with the given class (all classes when empty).
std::vector<HWND> TopLevelWindows(DWORD pid, const std::wstring& windowClass = L"");

// The first descendant of parent that accept takes, or nullptr.
HWND FindDescendant(HWND parent, const std::function<bool(HWND)>& accept);
// The first descendant of parent with the given control id, or nullptr.
HWND Descendant(HWND parent, int id);

// Memory in another process, for the messages whose arguments are pointers
// that the system does not marshal across processes (list view, tab control).
class RemoteBuffer {
 public:
  RemoteBuffer(HWND owner, size_t size);
  ~RemoteBuffer();
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool ok() const { return address_ != nullptr; }
  // The address as the owning process sees it, plus an offset into the buffer.
  void* at(size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
  LPARAM param(size_t offset = 0) const { return reinterpret_cast<LPARAM>(at(offset)); }
  bool Write(size_t offset, const void* data, size_t size);
  bool Read(size_t offset, void* data, size_t size) const;
  std::wstring ReadString(size_t offset, size_t maxChars) const;

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_ = 0;
};

// A list row's label (first column) and a tab page's header, in client coordinates.
RECT ListRowLabelRect(HWND list, int row);
RECT TabHeaderRect(HWND tab, int index);

// Client coordinates packed for a mouse message.
inline LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

}  // namespace e2e::detail
