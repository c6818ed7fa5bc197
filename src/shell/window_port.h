// What the handlers ask of the main window and its controls. Every request may
// come from any thread: it is carried out on the window's thread and has taken
// effect when it returns. A request to a window that is gone does nothing.
// Texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "shell/controls.h"

namespace shell {

class WindowPort {
 public:
  virtual ~WindowPort() = default;

  virtual void SetCaption(std::string_view text) = 0;
  virtual void SetEnabled(Control control, bool enabled) = 0;
  virtual void SetMenuDisabled(bool disabled) = 0;  // the flag of the menu 文件

  // Edit boxes and labels.
  virtual std::string GetText(Control control) = 0;
  virtual void SetText(Control control, std::string_view text) = 0;
  // Caret to the end of the text, scrolled into view, the empty selection there
  // replaced by text.
  virtual void AppendText(Control control, std::string_view text) = 0;

  // Check boxes and radio buttons: 1 checked, 0 not.
  virtual int GetChecked(Control control) = 0;

  // Drop-down lists.
  virtual int GetCurrentItem(Control control) = 0;  // -1: none
  virtual void SetCurrentItem(Control control, int index) = 0;
  virtual void AddItem(Control control, std::string_view text, int32_t value) = 0;
  virtual int32_t GetItemValue(Control control, int index) = 0;

  virtual void SetProgress(Control control, int position) = 0;

  // The update list 超级列表框1; rows are 0-based.
  virtual int RowCount() = 0;
  virtual void DeleteAllRows() = 0;
  virtual int AddRow() = 0;  // an empty, unchecked row at the end; its index
  virtual void DeleteRow(int row) = 0;
  virtual void SetCell(int row, int column, std::string_view text) = 0;
  virtual std::string GetCell(int row, int column) = 0;
  virtual void SetRowChecked(int row, bool checked) = 0;
  virtual int GetRowChecked(int row) = 0;  // 1 checked, 0 not
  virtual int FirstSelectedRow() = 0;      // -1: none

  // The popup menu 文件, opened at the mouse position moved by the offset and
  // tracking the right button; returns once it has closed (a chosen item then
  // arrives as an event of its own).
  virtual void OpenPopupMenu(int offsetX, int offsetY) = 0;
};

// Waiting loops on the window's thread keep the window alive through this.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void ProcessPendingEvents() = 0;
  virtual void Sleep(unsigned milliseconds) = 0;
  // True once the window has been closed and the program is ending: a waiting
  // loop stops waiting then.
  virtual bool Ending() = 0;
};

}  // namespace shell
