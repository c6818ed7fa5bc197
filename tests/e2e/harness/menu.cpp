#include <string>

#include "harness.h"
#include "internal.h"
#include "menu_reader/menu_reader.h"

namespace e2e {

namespace {

std::wstring FolderOf(HMODULE module) {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(module, path, MAX_PATH);
  std::wstring full(path, n);
  return full.substr(0, full.find_last_of(L'\\'));
}

// The menu reader library sits beside the test program (both are built into
// the same folder).
HMODULE MenuReader() {
  static HMODULE module = [] {
    HMODULE m = LoadLibraryW((FolderOf(nullptr) + L"\\e2e_menu_reader.dll").c_str());
    if (!m) m = LoadLibraryW((BinDir() + L"\\e2e_menu_reader.dll").c_str());
    return m;
  }();
  return module;
}

// Reads the menu shown by window inside its own process (see menu_reader.cpp):
// hooks the window's thread with the reader, asks it through a message, and
// takes the items from shared memory.
std::optional<PopupMenu> ReadItems(HWND window) {
  using menu_reader::Block;
  HMODULE reader = MenuReader();
  FARPROC found = reader ? GetProcAddress(reader, menu_reader::kHookName) : nullptr;
  auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(found));
  if (!hook) return std::nullopt;
  static LONG serial = 0;
  const LONG id = InterlockedIncrement(&serial);
  std::wstring name = std::wstring(menu_reader::kBlockPrefix) + std::to_wstring(id);
  HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(Block), name.c_str());
  if (!mapping) return std::nullopt;
  auto* block = static_cast<Block*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(Block)));
  std::optional<PopupMenu> items;
  HHOOK installed = nullptr;
  if (block)
    installed =
        SetWindowsHookExW(WH_CALLWNDPROC, hook, reader, GetWindowThreadProcessId(window, nullptr));
  if (installed) {
    detail::Send(window, RegisterWindowMessageW(menu_reader::kMessageName), id, 0);
    UnhookWindowsHookEx(installed);
    if (InterlockedCompareExchange(&block->done, 0, 0) && block->count >= 0) {
      items.emplace();
      items->window = window;
      for (int i = 0; i < block->count; ++i) {
        items->items.push_back(block->items[i].separator ? "" : Utf8(block->items[i].text));
        items->greyed.push_back(block->items[i].greyed != 0);
      }
    }
  }
  if (block) UnmapViewOfFile(block);
  CloseHandle(mapping);
  return items;
}

bool Gone(HWND window) { return !IsWindow(window) || !IsWindowVisible(window); }

}  // namespace

std::optional<PopupMenu> WaitForPopupMenu(DWORD pid, std::chrono::milliseconds timeout) {
  std::optional<PopupMenu> menu;
  // The window shows before its items are laid out; read until they are there.
  if (!WaitFor(
          [&] {
            for (HWND hwnd : detail::TopLevelWindows(pid, L"#32768")) {
              if (!IsWindowVisible(hwnd)) continue;
              menu = ReadItems(hwnd);
              return menu && !menu->items.empty();
            }
            return false;
          },
          timeout))
    return std::nullopt;
  return menu;
}

bool ChooseMenuItem(const PopupMenu& menu, int index) {
  if (index < 0 || index >= static_cast<int>(menu.items.size()) || menu.items[index].empty() ||
      (index < static_cast<int>(menu.greyed.size()) && menu.greyed[index]))
    return false;
  // The menu's own loop reads keys from its thread's queue, whichever window
  // they are posted to. Opened by the mouse, it has no item highlighted; each
  // Down moves to the next item, passing over separators but not greyed items.
  for (int i = 0; i <= index; ++i)
    if (!menu.items[i].empty()) PressKey(menu.window, VK_DOWN);
  PressKey(menu.window, VK_RETURN);
  return WaitFor([&] { return Gone(menu.window); });
}

bool DismissMenu(const PopupMenu& menu) {
  PressKey(menu.window, VK_ESCAPE);
  return WaitFor([&] { return Gone(menu.window); });
}

}  // namespace e2e
