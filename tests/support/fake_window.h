// A main window in memory: control texts and states, the update list, and a
// log of every state change in the order it was asked for.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "shell/window_model.h"
#include "shell/window_port.h"

namespace fakes {

class FakeWindow : public shell::WindowPort {
 public:
  struct Row {
    std::vector<std::string> cells = std::vector<std::string>(7);
    bool checked = false;
  };

  std::string caption;
  std::map<shell::Control, std::string> texts;
  std::map<shell::Control, int> checked;
  std::map<shell::Control, bool> enabled;
  bool menuDisabled = false;
  std::vector<Row> rows;
  int selectedRow = -1;
  std::vector<std::string> log;  // "enable 按钮1", "disable menu", "append 回显 ..."
  int appends = 0;
  int popupsOpened = 0;

  void SetCaption(std::string_view text) override { caption = text; }
  void SetEnabled(shell::Control control, bool on) override {
    enabled[control] = on;
    log.push_back(std::string(on ? "enable " : "disable ") +
                  std::string(shell::DefOf(control).name));
  }
  void SetMenuDisabled(bool disabled) override {
    menuDisabled = disabled;
    log.push_back(std::string(disabled ? "disable " : "enable ") + std::string(shell::kMenuName));
  }
  std::string GetText(shell::Control control) override { return texts[control]; }
  void SetText(shell::Control control, std::string_view text) override { texts[control] = text; }
  void AppendText(shell::Control control, std::string_view text) override {
    texts[control] += text;
    ++appends;
  }
  int GetChecked(shell::Control control) override { return checked[control]; }
  int GetCurrentItem(shell::Control control) override {
    auto found = current.find(control);
    return found == current.end() ? -1 : found->second;
  }
  void SetCurrentItem(shell::Control control, int index) override { current[control] = index; }
  void AddItem(shell::Control control, std::string_view text, int32_t value) override {
    items[control].push_back({std::string(text), value});
  }
  int32_t GetItemValue(shell::Control control, int index) override {
    return items[control].at(static_cast<size_t>(index)).second;
  }
  void SetProgress(shell::Control control, int position) override { progress[control] = position; }
  int RowCount() override { return static_cast<int>(rows.size()); }
  void DeleteAllRows() override { rows.clear(); }
  int AddRow() override {
    rows.emplace_back();
    return RowCount() - 1;
  }
  void DeleteRow(int row) override { rows.erase(rows.begin() + row); }
  void SetCell(int row, int column, std::string_view text) override {
    rows.at(static_cast<size_t>(row)).cells.at(static_cast<size_t>(column)) = text;
  }
  std::string GetCell(int row, int column) override {
    return rows.at(static_cast<size_t>(row)).cells.at(static_cast<size_t>(column));
  }
  void SetRowChecked(int row, bool on) override { rows.at(static_cast<size_t>(row)).checked = on; }
  int GetRowChecked(int row) override { return rows.at(static_cast<size_t>(row)).checked ? 1 : 0; }
  int FirstSelectedRow() override { return selectedRow; }
  void OpenPopupMenu(int, int) override { ++popupsOpened; }

  std::map<shell::Control, int> current;
  std::map<shell::Control, std::vector<std::pair<std::string, int32_t>>> items;
  std::map<shell::Control, int> progress;
};

}  // namespace fakes
