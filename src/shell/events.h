// The events of the main window that the program handles, and how a window
// message is mapped to one. Every other event of every control goes unhandled.
#pragma once

#include <cstddef>
#include <optional>

#include "shell/controls.h"

namespace shell {

enum class Event {
  Created,
  按钮1Click,      // start the update search
  按钮2Click,      // download the checked updates
  按钮3Click,      // export the checked download addresses
  按钮10Click,     // pick the save folder
  按钮5Click,      // pick the image file, list its editions
  按钮7Click,      // pick the mount folder
  按钮4Click,      // pick the package folder
  按钮12Click,     // pick the driver folder
  按钮11Click,     // start the integration run
  列表LeftClick,   // NM_CLICK anywhere in 超级列表框1
  列表RightClick,  // NM_RCLICK anywhere in 超级列表框1
  菜单全选,
  菜单取消全选,
  菜单反选,
  菜单下载选中项,
  菜单导出选中下载地址,  // the last one
};
inline constexpr size_t kEventCount = static_cast<size_t>(Event::菜单导出选中下载地址) + 1;

// WM_COMMAND: a control's notification (fromMenu false) or a chosen menu item.
inline constexpr int kButtonClicked = 0;  // BN_CLICKED
std::optional<Event> EventOfCommand(int id, int notification, bool fromMenu);

// WM_NOTIFY from a control.
inline constexpr int kNotifyClick = -2;       // NM_CLICK
inline constexpr int kNotifyRightClick = -5;  // NM_RCLICK
std::optional<Event> EventOfNotify(int id, int code);

}  // namespace shell
