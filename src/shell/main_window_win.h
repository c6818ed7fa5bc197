// The Win32 main window, built from the window model, and the event pump of
// its thread.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "shell/handlers.h"
#include "shell/window_port.h"

namespace shell {

inline constexpr wchar_t kMainWindowClass[] = L"PelloranMain";

class MainWindow : public WindowPort, public EventPump {
 public:
  explicit MainWindow(const Handlers& handlers) : handlers_(handlers) {}
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow() override;

  // Creates the window with every control in its initial state, shows it, and
  // queues the created event. False when the window cannot be made.
  bool Create(HINSTANCE instance);
  // The message loop, until the window has been closed.
  int RunMessageLoop();

  // WindowPort
  void SetCaption(std::string_view text) override;
  void SetEnabled(Control control, bool enabled) override;
  void SetMenuDisabled(bool disabled) override;
  std::string GetText(Control control) override;
  void SetText(Control control, std::string_view text) override;
  void AppendText(Control control, std::string_view text) override;
  int GetChecked(Control control) override;
  int GetCurrentItem(Control control) override;
  void SetCurrentItem(Control control, int index) override;
  void AddItem(Control control, std::string_view text, int32_t value) override;
  int32_t GetItemValue(Control control, int index) override;
  void SetProgress(Control control, int position) override;
  int RowCount() override;
  void DeleteAllRows() override;
  int AddRow() override;
  void DeleteRow(int row) override;
  void SetCell(int row, int column, std::string_view text) override;
  std::string GetCell(int row, int column) override;
  void SetRowChecked(int row, bool checked) override;
  int GetRowChecked(int row) override;
  int FirstSelectedRow() override;
  void OpenPopupMenu(int offsetX, int offsetY) override;

  // EventPump
  void ProcessPendingEvents() override;
  void Sleep(unsigned milliseconds) override;
  bool Ending() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PageHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  void ShowPage(int page);
  void Dispatch(const MSG& message);
  // Runs work on the window's thread and returns when it is done; does nothing
  // once the window is gone.
  void OnWindowThread(const std::function<void()>& work);
  HWND Item(Control control) const;

  const Handlers& handlers_;
  HWND window_ = nullptr;
  HWND tab_ = nullptr;
  HMENU popup_ = nullptr;
  HFONT font_ = nullptr;
  HBRUSH helpBackground_ = nullptr;
  DWORD threadId_ = 0;
  bool menuDisabled_ = false;
  bool ending_ = false;
  std::map<Control, HWND> items_;
};

}  // namespace shell
