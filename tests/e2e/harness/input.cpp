#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "harness.h"
#include "internal.h"

namespace e2e {

using detail::Point;

namespace {

void PostClick(HWND window, POINT at, bool right) {
  const UINT down = right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
  const UINT up = right ? WM_RBUTTONUP : WM_LBUTTONUP;
  const WPARAM held = right ? MK_RBUTTON : MK_LBUTTON;
  PostMessageW(window, WM_MOUSEMOVE, 0, Point(at.x, at.y));
  PostMessageW(window, down, held, Point(at.x, at.y));
  PostMessageW(window, up, 0, Point(at.x, at.y));
}

POINT Centre(const RECT& rect) {
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

LPARAM KeyParam(UINT virtualKey, bool up) {
  LPARAM scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  LPARAM param = 1 | (scan << 16);
  if (up) param |= (1u << 30) | (1u << 31);
  return param;
}

}  // namespace

void ClickTab(HWND tab, int index) {
  PostClick(tab, Centre(detail::TabHeaderRect(tab, index)), false);
}

void ClickListRow(HWND list, int row, bool right) {
  PostClick(list, Centre(detail::ListRowLabelRect(list, row)), right);
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void SetEditText(HWND edit, const std::string& text) {
  std::wstring wide = Wide(text);
  detail::Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void PressKey(HWND target, UINT virtualKey, bool ctrl) {
  if (ctrl) PostMessageW(target, WM_KEYDOWN, VK_CONTROL, KeyParam(VK_CONTROL, false));
  PostMessageW(target, WM_KEYDOWN, virtualKey, KeyParam(virtualKey, false));
  PostMessageW(target, WM_KEYUP, virtualKey, KeyParam(virtualKey, true));
  if (ctrl) PostMessageW(target, WM_KEYUP, VK_CONTROL, KeyParam(VK_CONTROL, true));
}

}  // namespace e2e
