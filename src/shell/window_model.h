// The main window as data: every control with its kind, place, size, texts and
// initial state; the update list's columns; the popup menu; the control groups.
// The Win32 window is built from these tables, and the handlers address the
// controls through them.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "shell/controls.h"

namespace shell {

enum class ControlKind {
  ListView,  // report style with check boxes
  TabControl,
  DialogComponent,  // the common dialog: no window of its own
  GroupBox,
  ShapeBox,      // a drawn rectangle
  DropDownList,  // no typing
  RadioButton,
  CheckBox,
  Label,
  Edit,           // single line
  MultiLineEdit,  // with a vertical scroll bar
  PushButton,
  DefaultPushButton,
  ProgressBar,
};

inline constexpr int kOnWindow = -1;  // page of a direct child of the window

struct ControlDef {
  Control id;
  std::string_view name;
  ControlKind kind;
  int page;           // a Page, or kOnWindow
  Control container;  // the group box or shape box it sits in, or Control::None
  int x, y;           // relative to its container, or to the page / window
  int width, height;
  std::string_view text;
  bool checked;  // check boxes and radio buttons
};

struct Size {
  int width, height;
};

// The window: outer size, and its (empty) caption in the design.
inline constexpr Size kWindowSize{739, 463};

std::span<const ControlDef> AllControls();
const ControlDef& DefOf(Control id);

// Position of a control relative to its page or the window, its container's
// offset included.
struct Point {
  int x, y;
};
Point PlaceOnPage(const ControlDef& def);

std::span<const std::string_view> PageTitles();
std::span<const std::string_view> ComboItems(Control id);  // initial items of a drop-down list
int InitialComboItem(Control id);                          // -1: no current item

struct ListColumn {
  std::string_view header;
  int width;
  bool rightAligned;
};
std::span<const ListColumn> UpdateListColumns();

struct MenuEntry {
  bool separator;
  MenuItem item;
  std::string_view text;
  std::string_view shortcut;  // label only: never registered as an accelerator
};
inline constexpr std::string_view kMenuName = "文件";
std::span<const MenuEntry> PopupMenuEntries();
// What the popup shows for an item: its text, a tab and its shortcut label.
std::string PopupItemText(const MenuEntry& entry);

// 编辑框2's fixed help text and its colour.
std::string_view HelpText();
struct Rgb {
  int red, green, blue;
};
inline constexpr Rgb kHelpTextColour{0, 95, 192};

// The groups that long operations disable and enable again, in order. The menu
// 文件 is a member of DownloadControls: disabling it sets the menu's own flag.
struct GroupMember {
  bool isMenu;
  Control control;  // Control::None for the menu
};
std::span<const GroupMember> QueryControls();
std::span<const GroupMember> DownloadControls();
std::span<const GroupMember> IntegrationControls();

}  // namespace shell
