// Menus live in the process that made them: under Wine, GetMenuItemCount and
// GetMenuStringW fail on another process's menu handle. This library is loaded
// into that process by a WH_CALLWNDPROC hook and reads the menu there.
#include "menu_reader.h"

#include <string>

using namespace e2e::menu_reader;

namespace {

void ReadMenu(HWND window, Block* block) {
  HMENU menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
  int count = menu ? GetMenuItemCount(menu) : -1;
  if (count > kMaxItems) count = kMaxItems;
  block->count = count;
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_STATE;
    info.dwTypeData = block->items[i].text;
    info.cch = kMaxChars;
    if (!GetMenuItemInfoW(menu, i, TRUE, &info)) info.fType = 0, block->items[i].text[0] = 0;
    block->items[i].separator = (info.fType & MFT_SEPARATOR) != 0;
    // A separator carries the disabled state too; it is not shown greyed.
    block->items[i].greyed = !block->items[i].separator && (info.fState & MFS_DISABLED) != 0;
    if (block->items[i].separator) block->items[i].text[0] = 0;
  }
  InterlockedExchange(&block->done, 1);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    ReadPopupMenuHook(int code, WPARAM wp, LPARAM lp) {
  static const UINT message = RegisterWindowMessageW(kMessageName);
  auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
  if (code == HC_ACTION && call && call->message == message) {
    std::wstring name = std::wstring(kBlockPrefix) + std::to_wstring(call->wParam);
    if (HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name.c_str())) {
      if (void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(Block))) {
        ReadMenu(call->hwnd, static_cast<Block*>(view));
        UnmapViewOfFile(view);
      }
      CloseHandle(mapping);
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}
