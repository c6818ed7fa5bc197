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

namespace {

// Makes target the focus of the foreground window, as a person's click would,
// so that real keyboard input goes to it.
bool FocusForInput(HWND target) {
  HWND root = GetAncestor(target, GA_ROOT);
  SetForegroundWindow(root);
  if (!WaitFor([&] { return GetForegroundWindow() == root; }, std::chrono::seconds(5)))
    return false;
  const DWORD thread = GetWindowThreadProcessId(target, nullptr);
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(thread, &info) && info.hwndFocus == target) return true;
  // SetFocus only works on a window of one's own input queue: share it for a moment.
  const DWORD self = GetCurrentThreadId();
  AttachThreadInput(self, thread, TRUE);
  SetFocus(target);
  AttachThreadInput(self, thread, FALSE);
  return WaitFor([&] { return GetGUIThreadInfo(thread, &info) && info.hwndFocus == target; },
                 std::chrono::seconds(5));
}

INPUT Key(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace

void PressKey(HWND target, UINT virtualKey, bool ctrl) {
  if (!ctrl) {
    // A posted key reaches the control (and a popup menu's loop) wherever the
    // focus is.
    PostMessageW(target, WM_KEYDOWN, virtualKey, KeyParam(virtualKey, false));
    PostMessageW(target, WM_KEYUP, virtualKey, KeyParam(virtualKey, true));
    return;
  }
  // Posted key messages do not change the receiver's key state, so with a
  // posted Ctrl GetKeyState(VK_CONTROL) would still read "up" (so under Wine 8
  // as on Windows). Real input does: it goes to the focus of the foreground
  // window, so the target is made that first.
  FocusForInput(target);
  const WORD vk = static_cast<WORD>(virtualKey);
  INPUT keys[] = {Key(VK_CONTROL, false), Key(vk, false), Key(vk, true), Key(VK_CONTROL, true)};
  SendInput(4, keys, sizeof(INPUT));
}

}  // namespace e2e
