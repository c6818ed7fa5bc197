#include "shell/main_window_win.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <vector>

#include "base/wide_win.h"
#include "shell/window_model.h"

namespace shell {
namespace {

constexpr UINT kInvokeMessage = WM_APP + 1;   // lParam: std::function<void()>*
constexpr UINT kCreatedMessage = WM_APP + 2;  // the window and its controls exist

// An edit box holds any amount of text: the output of a long DISM run goes far
// past the control's default limit, and nothing of it may be cut.
constexpr WPARAM kUnlimitedText = 0x7FFFFFFE;

struct ControlClass {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

ControlClass ClassOf(const ControlDef& def) {
  constexpr DWORD child = WS_CHILD | WS_CLIPSIBLINGS;
  switch (def.kind) {
    case ControlKind::ListView:
      return {WC_LISTVIEWW, child | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL,
              WS_EX_CLIENTEDGE};
    case ControlKind::TabControl:
      return {WC_TABCONTROLW, child | WS_VISIBLE | WS_TABSTOP | TCS_TABS, WS_EX_CONTROLPARENT};
    case ControlKind::GroupBox:
      return {L"BUTTON", child | BS_GROUPBOX | WS_GROUP, 0};
    case ControlKind::ShapeBox:
      return {L"STATIC", child | SS_BLACKFRAME, 0};
    case ControlKind::DropDownList:
      return {L"COMBOBOX", child | WS_TABSTOP | WS_VSCROLL | WS_GROUP | CBS_DROPDOWNLIST, 0};
    case ControlKind::RadioButton:
      // The three radio buttons form one group: it begins at the first of them
      // and ends at the next control that starts a group.
      return {L"BUTTON",
              child | WS_TABSTOP | BS_AUTORADIOBUTTON | (def.id == Control::单选框1 ? WS_GROUP : 0),
              0};
    case ControlKind::CheckBox:
      return {L"BUTTON", child | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 0};
    case ControlKind::Label:
      return {L"STATIC", child | WS_GROUP | SS_LEFT, 0};
    case ControlKind::Edit:
      return {L"EDIT", child | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::MultiLineEdit:
      return {L"EDIT",
              child | WS_TABSTOP | WS_GROUP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                  ES_WANTRETURN,
              WS_EX_CLIENTEDGE};
    case ControlKind::PushButton:
      return {L"BUTTON", child | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0};
    case ControlKind::DefaultPushButton:
      return {L"BUTTON", child | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0};
    case ControlKind::ProgressBar:
      return {PROGRESS_CLASSW, child | WS_GROUP, 0};
    case ControlKind::DialogComponent:
      break;
  }
  return {nullptr, 0, 0};
}

HFONT CreateDefaultFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    return CreateFontIndirectW(&metrics.lfMessageFont);
  }
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace

MainWindow::~MainWindow() {
  if (popup_ != nullptr) DestroyMenu(popup_);
  if (font_ != nullptr) DeleteObject(font_);
  if (helpBackground_ != nullptr) DeleteObject(helpBackground_);
}

bool MainWindow::Create(HINSTANCE instance) {
  threadId_ = GetCurrentThreadId();
  INITCOMMONCONTROLSEX common{sizeof common, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES |
                                                 ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common);

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &MainWindow::WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kMainWindowClass;
  if (RegisterClassExW(&windowClass) == 0) return false;

  // Opens centred on the work area; fixed border, no maximize box.
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + (work.right - work.left - kWindowSize.width) / 2;
  const int y = work.top + (work.bottom - work.top - kWindowSize.height) / 2;
  window_ =
      CreateWindowExW(0, kMainWindowClass, L"",
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, x,
                      y, kWindowSize.width, kWindowSize.height, nullptr, nullptr, instance, this);
  if (window_ == nullptr) return false;
  CreateControls();
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  PostMessageW(window_, kCreatedMessage, 0, 0);
  return true;
}

void MainWindow::CreateControls() {
  font_ = CreateDefaultFont();
  helpBackground_ = CreateSolidBrush(RGB(255, 255, 255));
  const HINSTANCE instance =
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));

  for (const ControlDef& def : AllControls()) {
    const ControlClass cls = ClassOf(def);
    if (cls.className == nullptr) continue;  // the common dialog has no window
    const bool onPage = def.page != kOnWindow;
    const Point place = PlaceOnPage(def);
    DWORD style = cls.style;
    if (onPage && def.page == static_cast<int>(Page::获取修复)) style |= WS_VISIBLE;
    const HWND parent = onPage ? tab_ : window_;
    const HWND item = CreateWindowExW(
        cls.exStyle, cls.className, base::Wide(def.text).c_str(), style, place.x, place.y,
        def.width, def.height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(static_cast<int>(def.id))), instance, nullptr);
    if (item == nullptr) continue;
    SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    items_[def.id] = item;
    if (def.kind == ControlKind::TabControl) {
      tab_ = item;
      // The pages' controls are children of the tab control; their
      // notifications are passed on to the window.
      SetWindowSubclass(tab_, &MainWindow::PageHostProc, 1, reinterpret_cast<DWORD_PTR>(this));
      int index = 0;
      for (std::string_view title : PageTitles()) {
        std::wstring text = base::Wide(title);
        TCITEMW tabItem{};
        tabItem.mask = TCIF_TEXT;
        tabItem.pszText = text.data();
        SendMessageW(tab_, TCM_INSERTITEMW, index++, reinterpret_cast<LPARAM>(&tabItem));
      }
    }
    if (def.kind == ControlKind::CheckBox || def.kind == ControlKind::RadioButton) {
      SendMessageW(item, BM_SETCHECK, def.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    if (def.kind == ControlKind::DropDownList) {
      for (std::string_view text : ComboItems(def.id)) {
        SendMessageW(item, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(base::Wide(text).c_str()));
      }
      SendMessageW(item, CB_SETCURSEL, InitialComboItem(def.id), 0);
    }
    if (def.kind == ControlKind::MultiLineEdit || def.kind == ControlKind::Edit) {
      SendMessageW(item, EM_SETLIMITTEXT, kUnlimitedText, 0);
    }
    if (def.kind == ControlKind::ProgressBar) {
      SendMessageW(item, PBM_SETRANGE32, 0, 100);
      SendMessageW(item, PBM_SETPOS, 0, 0);
    }
    if (def.kind == ControlKind::ListView) {
      ListView_SetExtendedListViewStyle(
          item, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
      ListView_SetTextColor(item, RGB(0, 0, 0));
      ListView_SetTextBkColor(item, RGB(255, 255, 255));
      ListView_SetBkColor(item, RGB(255, 255, 255));
      int index = 0;
      for (const auto& column : UpdateListColumns()) {
        std::wstring header = base::Wide(column.header);
        LVCOLUMNW lvColumn{};
        lvColumn.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        lvColumn.fmt = column.rightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT;
        lvColumn.cx = column.width;
        lvColumn.pszText = header.data();
        SendMessageW(item, LVM_INSERTCOLUMNW, index++, reinterpret_cast<LPARAM>(&lvColumn));
      }
    }
  }
  SetText(Control::编辑框2, HelpText());

  // Group boxes lie beneath the controls they hold, and the shape box beneath
  // everything on its page.
  for (const ControlKind lowest : {ControlKind::GroupBox, ControlKind::ShapeBox}) {
    for (const ControlDef& def : AllControls()) {
      if (def.kind == lowest) {
        SetWindowPos(Item(def.id), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      }
    }
  }

  // The popup menu 文件 belongs to no menu bar, so its shortcut labels are
  // only labels: no accelerator table carries them out.
  popup_ = CreatePopupMenu();
  for (const MenuEntry& entry : PopupMenuEntries()) {
    if (entry.separator) {
      AppendMenuW(popup_, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(popup_, MF_STRING, static_cast<UINT_PTR>(entry.item),
                  base::Wide(PopupItemText(entry)).c_str());
    }
  }
}

void MainWindow::ShowPage(int page) {
  for (const ControlDef& def : AllControls()) {
    if (def.page == kOnWindow) continue;
    const HWND item = Item(def.id);
    if (item != nullptr) ShowWindow(item, def.page == page ? SW_SHOW : SW_HIDE);
  }
}

HWND MainWindow::Item(Control control) const {
  const auto found = items_.find(control);
  return found == items_.end() ? nullptr : found->second;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* self = static_cast<MainWindow*>(create->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::PageHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<MainWindow*>(data);
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (reinterpret_cast<HWND>(lParam) != self->Item(Control::编辑框2)) {
        // Labels, check boxes and group boxes on a page show the page's own
        // background, which a themed tab control draws lighter than the
        // window's.
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        DrawThemeParentBackground(reinterpret_cast<HWND>(lParam), dc, nullptr);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
      }
      return SendMessageW(self->window_, message, wParam, lParam);
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
      return SendMessageW(self->window_, message, wParam, lParam);
    default:
      return DefSubclassProc(window, message, wParam, lParam);
  }
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kInvokeMessage:
      (*reinterpret_cast<const std::function<void()>*>(lParam))();
      return 0;
    case kCreatedMessage:
      handlers_.Dispatch(Event::Created);
      return 0;
    case WM_COMMAND: {
      const bool fromMenu = HIWORD(wParam) == 0 && lParam == 0;
      if (auto event = EventOfCommand(LOWORD(wParam), HIWORD(wParam), fromMenu)) {
        handlers_.Dispatch(*event);
      }
      return 0;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == tab_ && header->code == TCN_SELCHANGE) {
        ShowPage(static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)));
        return 0;
      }
      if (auto event = EventOfNotify(static_cast<int>(header->idFrom), header->code)) {
        handlers_.Dispatch(*event);
      }
      return 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == Item(Control::编辑框2)) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(kHelpTextColour.red, kHelpTextColour.green, kHelpTextColour.blue));
        SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(helpBackground_);
      }
      break;
    case WM_SYSCOMMAND:
      // A fixed-size window: no maximizing and no sizing, by any route.
      if ((wParam & 0xFFF0) == SC_MAXIMIZE || (wParam & 0xFFF0) == SC_SIZE) return 0;
      break;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize = info->ptMaxTrackSize = {kWindowSize.width, kWindowSize.height};
      info->ptMaxSize = {kWindowSize.width, kWindowSize.height};
      return 0;
    }
    case WM_CLOSE:
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      ending_ = true;
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::Dispatch(const MSG& message) {
  if (window_ != nullptr && IsWindow(window_) &&
      IsDialogMessageW(window_, const_cast<MSG*>(&message))) {
    return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

int MainWindow::RunMessageLoop() {
  MSG message{};
  // A waiting loop inside a handler may have taken the quit message already.
  while (!ending_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) break;
    Dispatch(message);
  }
  return 0;
}

void MainWindow::ProcessPendingEvents() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ending_ = true;
      return;
    }
    Dispatch(message);
  }
}

void MainWindow::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

bool MainWindow::Ending() { return ending_; }

void MainWindow::OnWindowThread(const std::function<void()>& work) {
  if (GetCurrentThreadId() == threadId_) {
    if (window_ != nullptr && IsWindow(window_)) work();
    return;
  }
  // A synchronous send: the work has taken effect when it returns, and a
  // window that is gone simply does not answer.
  if (window_ != nullptr && IsWindow(window_)) {
    SendMessageW(window_, kInvokeMessage, 0, reinterpret_cast<LPARAM>(&work));
  }
}

void MainWindow::SetCaption(std::string_view text) {
  OnWindowThread([&] { SetWindowTextW(window_, base::Wide(text).c_str()); });
}

void MainWindow::SetEnabled(Control control, bool enabled) {
  OnWindowThread([&] { EnableWindow(Item(control), enabled ? TRUE : FALSE); });
}

void MainWindow::SetMenuDisabled(bool disabled) {
  OnWindowThread([&] { menuDisabled_ = disabled; });
}

std::string MainWindow::GetText(Control control) {
  std::string text;
  OnWindowThread([&] {
    const HWND item = Item(control);
    const int length = GetWindowTextLengthW(item);
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(item, wide.data(), length + 1);
    wide.resize(static_cast<size_t>(got > 0 ? got : 0));
    text = base::Narrow(wide);
  });
  return text;
}

void MainWindow::SetText(Control control, std::string_view text) {
  OnWindowThread([&] { SetWindowTextW(Item(control), base::Wide(text).c_str()); });
}

void MainWindow::AppendText(Control control, std::string_view text) {
  OnWindowThread([&] {
    const HWND item = Item(control);
    const LPARAM end = GetWindowTextLengthW(item);
    SendMessageW(item, EM_SETSEL, end, end);
    SendMessageW(item, EM_SCROLLCARET, 0, 0);
    SendMessageW(item, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(base::Wide(text).c_str()));
  });
}

int MainWindow::GetChecked(Control control) {
  int checked = 0;
  OnWindowThread(
      [&] { checked = SendMessageW(Item(control), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0; });
  return checked;
}

int MainWindow::GetCurrentItem(Control control) {
  int index = -1;
  OnWindowThread(
      [&] { index = static_cast<int>(SendMessageW(Item(control), CB_GETCURSEL, 0, 0)); });
  return index;
}

void MainWindow::SetCurrentItem(Control control, int index) {
  OnWindowThread([&] { SendMessageW(Item(control), CB_SETCURSEL, index, 0); });
}

void MainWindow::AddItem(Control control, std::string_view text, int32_t value) {
  OnWindowThread([&] {
    const HWND item = Item(control);
    const LRESULT index =
        SendMessageW(item, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(base::Wide(text).c_str()));
    if (index >= 0) SendMessageW(item, CB_SETITEMDATA, index, static_cast<LPARAM>(value));
  });
}

int32_t MainWindow::GetItemValue(Control control, int index) {
  int32_t value = 0;
  OnWindowThread(
      [&] { value = static_cast<int32_t>(SendMessageW(Item(control), CB_GETITEMDATA, index, 0)); });
  return value;
}

void MainWindow::SetProgress(Control control, int position) {
  OnWindowThread([&] { SendMessageW(Item(control), PBM_SETPOS, position, 0); });
}

int MainWindow::RowCount() {
  int count = 0;
  OnWindowThread([&] { count = ListView_GetItemCount(Item(Control::超级列表框1)); });
  return count;
}

void MainWindow::DeleteAllRows() {
  OnWindowThread([&] { ListView_DeleteAllItems(Item(Control::超级列表框1)); });
}

int MainWindow::AddRow() {
  int index = -1;
  OnWindowThread([&] {
    const HWND list = Item(Control::超级列表框1);
    LVITEMW row{};
    row.mask = LVIF_TEXT;
    row.iItem = ListView_GetItemCount(list);
    wchar_t empty[] = L"";
    row.pszText = empty;
    index =
        static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row)));
    if (index >= 0) ListView_SetCheckState(list, index, FALSE);
  });
  return index;
}

void MainWindow::DeleteRow(int row) {
  OnWindowThread([&] { ListView_DeleteItem(Item(Control::超级列表框1), row); });
}

void MainWindow::SetCell(int row, int column, std::string_view text) {
  OnWindowThread([&] {
    std::wstring wide = base::Wide(text);
    LVITEMW cell{};
    cell.iSubItem = column;
    cell.pszText = wide.data();
    SendMessageW(Item(Control::超级列表框1), LVM_SETITEMTEXTW, row,
                 reinterpret_cast<LPARAM>(&cell));
  });
}

std::string MainWindow::GetCell(int row, int column) {
  std::string text;
  OnWindowThread([&] {
    // The list answers with as much as fits; grow until the text is whole.
    for (size_t size = 256;; size *= 4) {
      std::vector<wchar_t> buffer(size, L'\0');
      LVITEMW cell{};
      cell.iSubItem = column;
      cell.pszText = buffer.data();
      cell.cchTextMax = static_cast<int>(size);
      const auto length = static_cast<size_t>(SendMessageW(
          Item(Control::超级列表框1), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell)));
      if (length + 1 < size || size > (1u << 22)) {
        text = base::Narrow(std::wstring_view(buffer.data(), length));
        return;
      }
    }
  });
  return text;
}

void MainWindow::SetRowChecked(int row, bool checked) {
  OnWindowThread([&] { ListView_SetCheckState(Item(Control::超级列表框1), row, checked); });
}

int MainWindow::GetRowChecked(int row) {
  int checked = 0;
  OnWindowThread(
      [&] { checked = ListView_GetCheckState(Item(Control::超级列表框1), row) ? 1 : 0; });
  return checked;
}

int MainWindow::FirstSelectedRow() {
  int row = -1;
  OnWindowThread(
      [&] { row = ListView_GetNextItem(Item(Control::超级列表框1), -1, LVNI_SELECTED); });
  return row;
}

void MainWindow::OpenPopupMenu(int offsetX, int offsetY) {
  OnWindowThread([&] {
    // While the menu 文件 is disabled (a download runs) its items are offered
    // greyed, so nothing that would disturb the download can be chosen.
    for (const MenuEntry& entry : PopupMenuEntries()) {
      if (entry.separator) continue;
      EnableMenuItem(popup_, static_cast<UINT>(entry.item),
                     MF_BYCOMMAND | (menuDisabled_ ? MF_GRAYED : MF_ENABLED));
    }
    POINT at{};
    GetCursorPos(&at);
    TrackPopupMenu(popup_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x + offsetX, at.y + offsetY, 0,
                   window_, nullptr);
  });
}

}  // namespace shell
