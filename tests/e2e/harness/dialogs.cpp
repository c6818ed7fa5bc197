#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <dlgs.h>

#include "harness.h"
#include "internal.h"

namespace e2e {

using detail::RemoteBuffer;
using detail::Send;

namespace {

HWND FindChildOfClass(HWND parent, const wchar_t* cls) {
  return detail::FindDescendant(parent, [cls](HWND hwnd) {
    wchar_t name[64];
    GetClassNameW(hwnd, name, 64);
    return _wcsicmp(name, cls) == 0;
  });
}

// The showing dialog of the process that satisfies accept (e.g. has a tree).
HWND WaitForDialog(DWORD pid, std::chrono::milliseconds timeout,
                   const std::function<bool(HWND)>& accept) {
  HWND dialog = nullptr;
  WaitFor(
      [&] {
        for (HWND hwnd : detail::TopLevelWindows(pid, L"#32770"))
          if (IsWindowVisible(hwnd) && accept(hwnd)) return (dialog = hwnd) != nullptr;
        return false;
      },
      timeout);
  return dialog;
}

// Presses one of the dialog's buttons and waits for the dialog to close.
bool PressAndWaitClosed(HWND dialog, int buttonId, std::chrono::milliseconds timeout) {
  HWND button = GetDlgItem(dialog, buttonId);
  if (button)
    PostMessageW(button, BM_CLICK, 0, 0);
  else
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
  return WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, timeout);
}

bool IsFileDialog(HWND dialog) { return GetDlgItem(dialog, cmb13) || GetDlgItem(dialog, edt1); }

bool IsFolderBrowser(HWND dialog) { return FindChildOfClass(dialog, WC_TREEVIEWW) != nullptr; }

// --- The folder browser's tree, read through memory in the dialog's process.

std::wstring TreeItemText(HWND tree, HTREEITEM item) {
  constexpr size_t kChars = MAX_PATH;
  RemoteBuffer buffer(tree, sizeof(TVITEMW) + kChars * sizeof(wchar_t));
  TVITEMW tvi{};
  tvi.mask = TVIF_TEXT | TVIF_HANDLE;
  tvi.hItem = item;
  tvi.pszText = static_cast<wchar_t*>(buffer.at(sizeof tvi));
  tvi.cchTextMax = kChars;
  if (!buffer.Write(0, &tvi, sizeof tvi) || !Send(tree, TVM_GETITEMW, 0, buffer.param()))
    return L"";
  return buffer.ReadString(sizeof tvi, kChars);
}

HTREEITEM TreeNext(HWND tree, UINT relation, HTREEITEM item) {
  return reinterpret_cast<HTREEITEM>(
      Send(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

std::vector<HTREEITEM> TreeChildren(HWND tree, HTREEITEM parent) {
  // Expanding fills the children in: the dialog enumerates a folder only then.
  Send(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
  std::vector<HTREEITEM> children;
  for (HTREEITEM c = TreeNext(tree, TVGN_CHILD, parent); c; c = TreeNext(tree, TVGN_NEXT, c))
    children.push_back(c);
  return children;
}

bool SameName(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// A drive shows as "label (C:)", "(C:)" or "C:\" depending on the shell.
bool IsDriveItem(const std::wstring& text, const std::wstring& drive) {
  return text.find(L"(" + drive + L")") != std::wstring::npos || SameName(text, drive) ||
         SameName(text, drive + L"\\");
}

std::vector<std::wstring> PathParts(const std::wstring& path) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find_first_of(L"\\/", start);
    if (end == std::wstring::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// Walks the tree down to the folder of path: the drive is looked for one level
// below each top item (under the computer), then each folder by its name.
HTREEITEM FindFolderItem(HWND tree, const std::wstring& path) {
  std::vector<std::wstring> parts = PathParts(path);
  if (parts.empty()) return nullptr;
  HTREEITEM root = TreeNext(tree, TVGN_ROOT, nullptr);
  if (!root) return nullptr;
  HTREEITEM current = nullptr;
  for (HTREEITEM top : TreeChildren(tree, root)) {
    for (HTREEITEM child : TreeChildren(tree, top)) {
      if (IsDriveItem(TreeItemText(tree, child), parts[0])) {
        current = child;
        break;
      }
    }
    if (current) break;
    Send(tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(top));
  }
  for (size_t i = 1; current && i < parts.size(); ++i) {
    HTREEITEM next = nullptr;
    for (HTREEITEM child : TreeChildren(tree, current))
      if (SameName(TreeItemText(tree, child), parts[i])) next = child;
    current = next;
  }
  return current;
}

// Clicks the item's text, as a person picks a folder; the dialog takes the
// selection from the tree's selection change.
bool ClickTreeItem(HWND tree, HTREEITEM item, std::chrono::milliseconds timeout) {
  Send(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  RemoteBuffer buffer(tree, sizeof(RECT));
  // TVM_GETITEMRECT takes the item in the rectangle's place.
  RECT rect{};
  if (!buffer.Write(0, &item, sizeof item) || !Send(tree, TVM_GETITEMRECT, TRUE, buffer.param()) ||
      !buffer.Read(0, &rect, sizeof rect))
    return false;
  const LPARAM at = detail::Point((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(tree, WM_LBUTTONUP, 0, at);
  return WaitFor([&] { return TreeNext(tree, TVGN_CARET, nullptr) == item; }, timeout);
}

}  // namespace

HWND FindDialog(DWORD pid) {
  for (HWND hwnd : detail::TopLevelWindows(pid, L"#32770"))
    if (IsWindowVisible(hwnd)) return hwnd;
  return nullptr;
}

bool AnswerFileDialog(DWORD pid, const std::string& path, std::chrono::milliseconds timeout) {
  HWND dialog = WaitForDialog(pid, timeout, IsFileDialog);
  if (!dialog) return false;
  // The file name box: a combo box with an edit field (cmb13) in the Explorer
  // style dialog, a plain edit box (edt1) in the older one.
  HWND box = GetDlgItem(dialog, cmb13);
  if (!box) box = GetDlgItem(dialog, edt1);
  SetEditText(box, path);
  if (!WaitFor([&] { return Text(box) == path; }, timeout)) return false;
  return PressAndWaitClosed(dialog, IDOK, timeout);
}

bool CancelFileDialog(DWORD pid, std::chrono::milliseconds timeout) {
  HWND dialog = WaitForDialog(pid, timeout, IsFileDialog);
  return dialog && PressAndWaitClosed(dialog, IDCANCEL, timeout);
}

bool AnswerFolderBrowser(DWORD pid, const std::string& path, std::chrono::milliseconds timeout) {
  HWND dialog = WaitForDialog(pid, timeout, IsFolderBrowser);
  if (!dialog) return false;
  HWND tree = FindChildOfClass(dialog, WC_TREEVIEWW);
  // The dialog fills the tree while it starts; its top item is the desktop.
  if (!WaitFor([&] { return TreeNext(tree, TVGN_ROOT, nullptr) != nullptr; }, timeout))
    return false;
  HTREEITEM item = FindFolderItem(tree, Wide(path));
  if (!item || !ClickTreeItem(tree, item, timeout)) return false;
  // Windows takes a typed path from the edit box. Wine 8 has none in the
  // classic dialog (it ignores BIF_EDITBOX there) and, in the new style one,
  // ignores its text on OK and returns the tree's selection (the desktop when
  // nothing is selected). So the tree is always set, the edit box when shown.
  if (HWND edit = FindChildOfClass(dialog, L"Edit"); edit && IsWindowVisible(edit))
    SetEditText(edit, path);
  return PressAndWaitClosed(dialog, IDOK, timeout);
}

bool CancelFolderBrowser(DWORD pid, std::chrono::milliseconds timeout) {
  HWND dialog = WaitForDialog(pid, timeout, IsFolderBrowser);
  return dialog && PressAndWaitClosed(dialog, IDCANCEL, timeout);
}

}  // namespace e2e
