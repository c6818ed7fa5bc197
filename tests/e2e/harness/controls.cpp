#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "harness.h"
#include "internal.h"

namespace e2e {

using detail::RemoteBuffer;
using detail::Send;

std::string Text(HWND window) {
  // WM_GETTEXT is marshalled across processes by the system, both ways.
  LRESULT length = Send(window, WM_GETTEXTLENGTH);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  LRESULT got = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got));
  return Utf8(text);
}

std::string ClassName(HWND window) {
  wchar_t cls[256];
  int n = GetClassNameW(window, cls, 256);
  return Utf8(std::wstring(cls, n > 0 ? n : 0));
}

LONG_PTR Style(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }
LONG_PTR ExStyle(HWND window) { return GetWindowLongPtrW(window, GWL_EXSTYLE); }
bool IsChecked(HWND button) { return Send(button, BM_GETCHECK) == BST_CHECKED; }
bool IsEnabled(HWND window) { return IsWindowEnabled(window) != FALSE; }
bool IsShown(HWND window) { return IsWindowVisible(window) != FALSE; }

RECT RectIn(HWND window, HWND container) {
  RECT inner{}, outer{};
  GetWindowRect(window, &inner);
  GetWindowRect(container, &outer);
  OffsetRect(&inner, -outer.left, -outer.top);
  return inner;
}

RECT OuterRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

int ComboCount(HWND combo) { return static_cast<int>(Send(combo, CB_GETCOUNT)); }
int ComboCurrent(HWND combo) { return static_cast<int>(Send(combo, CB_GETCURSEL)); }

std::string ComboItem(HWND combo, int index) {
  LRESULT length = Send(combo, CB_GETLBTEXTLEN, index);
  if (length == CB_ERR) return "";
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  LRESULT got = Send(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(got == CB_ERR ? 0 : static_cast<size_t>(got));
  return Utf8(text);
}

int TabCount(HWND tab) { return static_cast<int>(Send(tab, TCM_GETITEMCOUNT)); }
int TabCurrent(HWND tab) { return static_cast<int>(Send(tab, TCM_GETCURSEL)); }

std::string TabText(HWND tab, int index) {
  constexpr size_t kChars = 260;
  RemoteBuffer buffer(tab, sizeof(TCITEMW) + kChars * sizeof(wchar_t));
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = static_cast<wchar_t*>(buffer.at(sizeof item));
  item.cchTextMax = kChars;
  if (!buffer.Write(0, &item, sizeof item)) return "";
  if (!Send(tab, TCM_GETITEMW, index, buffer.param())) return "";
  return Utf8(buffer.ReadString(sizeof item, kChars));
}

namespace {

// The header's rectangle of a tab page, in the tab control's client coordinates.
RECT TabItemRect(HWND tab, int index) {
  RemoteBuffer buffer(tab, sizeof(RECT));
  RECT rect{};
  if (Send(tab, TCM_GETITEMRECT, index, buffer.param())) buffer.Read(0, &rect, sizeof rect);
  return rect;
}

}  // namespace

int ListColumnCount(HWND list) {
  HWND header = reinterpret_cast<HWND>(Send(list, LVM_GETHEADER));
  return header ? static_cast<int>(Send(header, HDM_GETITEMCOUNT)) : 0;
}

ListColumn ListColumnAt(HWND list, int column) {
  constexpr size_t kChars = 260;
  RemoteBuffer buffer(list, sizeof(LVCOLUMNW) + kChars * sizeof(wchar_t));
  LVCOLUMNW c{};
  c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  c.pszText = static_cast<wchar_t*>(buffer.at(sizeof c));
  c.cchTextMax = kChars;
  ListColumn result;
  if (!buffer.Write(0, &c, sizeof c) || !Send(list, LVM_GETCOLUMNW, column, buffer.param()))
    return result;
  buffer.Read(0, &c, sizeof c);
  result.text = Utf8(buffer.ReadString(sizeof c, kChars));
  result.width = c.cx;
  result.format = c.fmt & LVCFMT_JUSTIFYMASK;
  return result;
}

int ListRowCount(HWND list) { return static_cast<int>(Send(list, LVM_GETITEMCOUNT)); }

std::string ListCell(HWND list, int row, int column) {
  // Grows the buffer until the text fits: LVM_GETITEMTEXTW returns the length copied.
  for (size_t chars = 512;; chars *= 4) {
    RemoteBuffer buffer(list, sizeof(LVITEMW) + chars * sizeof(wchar_t));
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = static_cast<wchar_t*>(buffer.at(sizeof item));
    item.cchTextMax = static_cast<int>(chars);
    if (!buffer.Write(0, &item, sizeof item)) return "";
    LRESULT length = Send(list, LVM_GETITEMTEXTW, row, buffer.param());
    if (static_cast<size_t>(length) + 1 < chars || chars >= (1u << 20))
      return Utf8(buffer.ReadString(sizeof item, chars));
  }
}

bool ListRowChecked(HWND list, int row) {
  // The check box is state image 2 (1 is the empty box).
  LRESULT state = Send(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK);
  return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

int ListSelectedRow(HWND list) {
  return static_cast<int>(Send(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

namespace detail {

RECT ListRowLabelRect(HWND list, int row) {
  RemoteBuffer buffer(list, sizeof(RECT));
  RECT rect{};
  rect.left = LVIR_LABEL;
  if (buffer.Write(0, &rect, sizeof rect) && Send(list, LVM_GETITEMRECT, row, buffer.param()))
    buffer.Read(0, &rect, sizeof rect);
  else
    rect = RECT{};
  return rect;
}

RECT TabHeaderRect(HWND tab, int index) { return TabItemRect(tab, index); }

}  // namespace detail
}  // namespace e2e
