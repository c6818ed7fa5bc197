#include "shell/events.h"

#include <array>
#include <utility>

namespace shell {
namespace {

constexpr std::array<std::pair<Control, Event>, 9> kButtonClicks{{
    {Control::按钮1, Event::按钮1Click},
    {Control::按钮2, Event::按钮2Click},
    {Control::按钮3, Event::按钮3Click},
    {Control::按钮10, Event::按钮10Click},
    {Control::按钮5, Event::按钮5Click},
    {Control::按钮7, Event::按钮7Click},
    {Control::按钮4, Event::按钮4Click},
    {Control::按钮12, Event::按钮12Click},
    {Control::按钮11, Event::按钮11Click},
}};

constexpr std::array<std::pair<MenuItem, Event>, 5> kMenuChoices{{
    {MenuItem::全选, Event::菜单全选},
    {MenuItem::取消全选, Event::菜单取消全选},
    {MenuItem::反选, Event::菜单反选},
    {MenuItem::下载选中项, Event::菜单下载选中项},
    {MenuItem::导出选中下载地址, Event::菜单导出选中下载地址},
}};

}  // namespace

std::optional<Event> EventOfCommand(int id, int notification, bool fromMenu) {
  if (fromMenu) {
    for (const auto& [item, event] : kMenuChoices) {
      if (static_cast<int>(item) == id) return event;
    }
    return std::nullopt;
  }
  if (notification != kButtonClicked) return std::nullopt;
  for (const auto& [control, event] : kButtonClicks) {
    if (static_cast<int>(control) == id) return event;
  }
  return std::nullopt;
}

std::optional<Event> EventOfNotify(int id, int code) {
  if (id != static_cast<int>(Control::超级列表框1)) return std::nullopt;
  if (code == kNotifyClick) return Event::列表LeftClick;
  if (code == kNotifyRightClick) return Event::列表RightClick;
  return std::nullopt;
}

}  // namespace shell
