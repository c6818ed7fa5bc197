// The end-to-end harness: starts the real program under Wine and drives it as a
// person would, through window messages sent from this (separate) process.
// Texts cross this interface as UTF-8.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

// Folders given by scripts/lib/wine-run: the build's bin folder (Pelloran.exe,
// Dism.exe, fixtures) and a scratch folder. A fresh, empty folder under the
// scratch folder for one test, named after it.
std::wstring BinDir();
std::wstring WorkDir();
std::wstring FreshDir(const std::string& name);

bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::optional<std::string> ReadFileBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);

// Waits until cond() holds, pumping this thread's messages; false on timeout.
bool WaitFor(const std::function<bool()>& cond,
             std::chrono::milliseconds timeout = std::chrono::seconds(30));

// A started program with a top-level window of the given class.
class App {
 public:
  struct Options {
    std::wstring exe;                               // full path
    std::wstring windowClass;                       // class of its main window
    std::wstring currentDir;                        // empty: the exe's folder
    std::map<std::wstring, std::wstring> extraEnv;  // added to this process's environment
  };
  // Starts the program and waits for its visible main window; nullptr on failure.
  static std::unique_ptr<App> Start(const Options& options);
  ~App();  // closes the window (WM_CLOSE), waits for the process, kills it if it hangs

  HWND Window() const { return window_; }
  DWORD ProcessId() const { return pid_; }
  // A descendant window of the main window by control id (nullptr when none).
  HWND Control(int id) const;
  // True once the process has ended within the timeout; its exit code.
  bool WaitForExit(std::chrono::milliseconds timeout, DWORD* exitCode = nullptr);

 private:
  App() = default;
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
  HWND window_ = nullptr;
};

// Reading windows of another process.
std::string Text(HWND window);  // WM_GETTEXT (any length)
std::string ClassName(HWND window);
LONG_PTR Style(HWND window);
LONG_PTR ExStyle(HWND window);
bool IsChecked(HWND button);  // BM_GETCHECK == BST_CHECKED
bool IsEnabled(HWND window);
bool IsShown(HWND window);  // IsWindowVisible
// The window's rectangle relative to the top-left corner of container's window
// rectangle (for a control inside a group box or a tab control).
RECT RectIn(HWND window, HWND container);
// Outer (window) rectangle in screen coordinates.
RECT OuterRect(HWND window);

// Drop-down lists.
int ComboCount(HWND combo);
int ComboCurrent(HWND combo);
std::string ComboItem(HWND combo, int index);

// Tab control (reads through memory allocated in the target process).
int TabCount(HWND tab);
int TabCurrent(HWND tab);
std::string TabText(HWND tab, int index);
// Clicks the header of page index with the mouse (so the program sees TCN_SELCHANGE).
// Mouse clicks are posted button messages at the item's point; under Wine 8 they
// raise the controls' own notifications (TCN_SELCHANGE, NM_CLICK, NM_RCLICK).
void ClickTab(HWND tab, int index);

// List view (report style).
struct ListColumn {
  std::string text;
  int width = 0;
  int format = 0;  // LVCFMT_LEFT / LVCFMT_RIGHT / ...
};
int ListColumnCount(HWND list);
ListColumn ListColumnAt(HWND list, int column);
int ListRowCount(HWND list);
std::string ListCell(HWND list, int row, int column);
bool ListRowChecked(HWND list, int row);
int ListSelectedRow(HWND list);  // -1 when none
// Clicks a row (first column's label) with the left or right mouse button.
void ClickListRow(HWND list, int row, bool right);

// Acting.
void Click(HWND button);                               // posts BM_CLICK; does not wait
void SetEditText(HWND edit, const std::string& text);  // WM_SETTEXT
// Without ctrl: posted key down/up messages. With ctrl: real input (SendInput),
// after making target the focus of the foreground window, because a posted
// Ctrl does not change what GetKeyState(VK_CONTROL) reads in the target.
void PressKey(HWND target, UINT virtualKey, bool ctrl = false);

// The common file dialog (open or save) of a process: waits for it, types the
// path into its file name box and presses its OK button; or cancels it.
bool AnswerFileDialog(DWORD pid, const std::string& path,
                      std::chrono::milliseconds timeout = std::chrono::seconds(30));
bool CancelFileDialog(DWORD pid, std::chrono::milliseconds timeout = std::chrono::seconds(30));
// The shell's folder browser (asked for with its edit box): picks the folder in
// its tree, as a person would, types the path into the edit box when there is
// one, and presses OK; false when the folder is not in the tree. Or cancels.
// Wine 8's browser shows no edit box unless the new dialog style is asked for,
// and its OK returns the tree's selection whatever the edit box holds.
bool AnswerFolderBrowser(DWORD pid, const std::string& path,
                         std::chrono::milliseconds timeout = std::chrono::seconds(30));
bool CancelFolderBrowser(DWORD pid, std::chrono::milliseconds timeout = std::chrono::seconds(30));
// Any dialog window (#32770) of the process that is showing, or nullptr.
HWND FindDialog(DWORD pid);

// A popup menu (class #32768) opened by the process.
// Its items are read inside the process that shows it (menus cannot be read
// across processes under Wine), by e2e_menu_reader.dll, which must sit beside
// the test program.
struct PopupMenu {
  HWND window = nullptr;
  std::vector<std::string> items;  // item texts as shown ("全选\tCtrl+A"); "" for a separator
  std::vector<bool> greyed;        // per item: shown greyed (disabled)
};
std::optional<PopupMenu> WaitForPopupMenu(
    DWORD pid, std::chrono::milliseconds timeout = std::chrono::seconds(30));
// Chooses with the keyboard (Down to the item, Enter); true once the menu has
// closed. index into items, separators counted; a greyed item leaves it open.
bool ChooseMenuItem(const PopupMenu& menu, int index);
bool DismissMenu(const PopupMenu& menu);

// Saves a screenshot of the whole virtual display as a 24-bit BMP file, whatever
// the name's extension (convert with ImageMagick for a PNG); used for the README.
bool Screenshot(const std::wstring& path);

}  // namespace e2e
