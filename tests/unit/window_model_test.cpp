#include "shell/window_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "fake_window.h"
#include "shell/control_groups.h"
#include "shell/events.h"

namespace {

using shell::Control;
using shell::Event;
using shell::MenuItem;
using ::testing::ElementsAre;

int Id(Control c) { return static_cast<int>(c); }
int Id(MenuItem m) { return static_cast<int>(m); }

TEST(WindowModel, EveryControlHasOneRowUnderItsOwnName) {
  std::set<Control> seen;
  for (const auto& def : shell::AllControls()) {
    EXPECT_TRUE(seen.insert(def.id).second) << def.name;
    EXPECT_EQ(&shell::DefOf(def.id), &def) << def.name;
  }
  EXPECT_EQ(seen.size(), static_cast<size_t>(Id(Control::编辑框2) - Id(Control::超级列表框1) + 1));
}

TEST(WindowModel, ControlsInsideABoxArePlacedFromTheBoxCorner) {
  // 组合框1 sits at 11,21 in 分组框1, which sits at 8,27 on its page.
  const auto combo = shell::PlaceOnPage(shell::DefOf(Control::组合框1));
  EXPECT_EQ(combo.x, 19);
  EXPECT_EQ(combo.y, 48);
  const auto label = shell::PlaceOnPage(shell::DefOf(Control::标签5));
  EXPECT_EQ(label.x, 6);
  EXPECT_EQ(label.y, 123);
}

TEST(WindowModel, HelpTextHasSixLinesWithARuleOf114Hyphens) {
  const std::string text(shell::HelpText());
  std::vector<std::string> lines;
  for (size_t start = 0;;) {
    const size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[2], std::string(114, '-'));
  EXPECT_EQ(lines[5], "/recurse：递归搜索目录下所有驱动程序。");
}

TEST(WindowModel, PopupMenuShowsFiveItemsWithTheirShortcutLabelsAndOneSeparator) {
  std::vector<std::string> shown;
  for (const auto& entry : shell::PopupMenuEntries()) {
    shown.push_back(entry.separator ? "-" : shell::PopupItemText(entry));
  }
  EXPECT_THAT(shown, ElementsAre("全选\tCtrl+A", "取消全选\tCtrl+U", "反选\tCtrl+K", "-",
                                 "下载选中项\tCtrl+D", "导出选中下载地址\tCtrl+L"));
}

struct CommandCase {
  int id;
  int notification;
  bool fromMenu;
  std::optional<Event> event;
};

void PrintTo(const CommandCase& c, std::ostream* os) {
  *os << "id " << c.id << " notification " << c.notification
      << (c.fromMenu ? " from the menu" : "");
}

class CommandRouting : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CommandRouting, ReachesItsHandlerOrNone) {
  const auto& c = GetParam();
  EXPECT_EQ(shell::EventOfCommand(c.id, c.notification, c.fromMenu), c.event);
}

constexpr int kClicked = shell::kButtonClicked;
constexpr int kSetFocus = 6;        // BN_SETFOCUS
constexpr int kSelChange = 1;       // CBN_SELCHANGE
constexpr int kEditChange = 0x300;  // EN_CHANGE

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandRouting,
    ::testing::Values(CommandCase{Id(Control::按钮1), kClicked, false, Event::按钮1Click},
                      CommandCase{Id(Control::按钮2), kClicked, false, Event::按钮2Click},
                      CommandCase{Id(Control::按钮3), kClicked, false, Event::按钮3Click},
                      CommandCase{Id(Control::按钮10), kClicked, false, Event::按钮10Click},
                      CommandCase{Id(Control::按钮5), kClicked, false, Event::按钮5Click},
                      CommandCase{Id(Control::按钮7), kClicked, false, Event::按钮7Click},
                      CommandCase{Id(Control::按钮4), kClicked, false, Event::按钮4Click},
                      CommandCase{Id(Control::按钮12), kClicked, false, Event::按钮12Click},
                      CommandCase{Id(Control::按钮11), kClicked, false, Event::按钮11Click},
                      CommandCase{Id(Control::按钮1), kSetFocus, false, std::nullopt},
                      CommandCase{Id(Control::选择框1), kClicked, false, std::nullopt},
                      CommandCase{Id(Control::单选框2), kClicked, false, std::nullopt},
                      CommandCase{Id(Control::集成驱动), kClicked, false, std::nullopt},
                      CommandCase{Id(Control::组合框1), kSelChange, false, std::nullopt},
                      CommandCase{Id(Control::索引), kSelChange, false, std::nullopt},
                      CommandCase{Id(Control::编辑框1), kEditChange, false, std::nullopt},
                      CommandCase{Id(MenuItem::全选), 0, true, Event::菜单全选},
                      CommandCase{Id(MenuItem::取消全选), 0, true, Event::菜单取消全选},
                      CommandCase{Id(MenuItem::反选), 0, true, Event::菜单反选},
                      CommandCase{Id(MenuItem::下载选中项), 0, true, Event::菜单下载选中项},
                      CommandCase{Id(MenuItem::导出选中下载地址), 0, true,
                                  Event::菜单导出选中下载地址},
                      CommandCase{Id(MenuItem::全选), kClicked, false, std::nullopt},
                      CommandCase{Id(Control::按钮1), 0, true, std::nullopt}));

TEST(NotifyRouting, OnlyClicksOfTheUpdateListAreHandled) {
  constexpr int kItemChanged = -101;  // LVN_ITEMCHANGED: a check box toggled
  constexpr int kColumnClick = -108;  // LVN_COLUMNCLICK
  constexpr int kDoubleClick = -3;    // NM_DBLCLK
  EXPECT_EQ(shell::EventOfNotify(Id(Control::超级列表框1), shell::kNotifyClick),
            Event::列表LeftClick);
  EXPECT_EQ(shell::EventOfNotify(Id(Control::超级列表框1), shell::kNotifyRightClick),
            Event::列表RightClick);
  for (int code : {kItemChanged, kColumnClick, kDoubleClick}) {
    EXPECT_EQ(shell::EventOfNotify(Id(Control::超级列表框1), code), std::nullopt) << code;
  }
  EXPECT_EQ(shell::EventOfNotify(Id(Control::选择夹1), shell::kNotifyClick), std::nullopt);
}

TEST(ControlGroups, AreDisabledAndEnabledMemberByMemberInTheirOrder) {
  fakes::FakeWindow window;
  shell::SetGroupEnabled(window, shell::DownloadControls(), false);
  EXPECT_THAT(window.log,
              ElementsAre("disable 编辑框1", "disable 按钮10", "disable 文件", "disable 按钮1",
                          "disable 按钮11", "disable 按钮2", "disable 按钮3"));
  EXPECT_TRUE(window.menuDisabled);
  window.log.clear();
  shell::SetGroupEnabled(window, shell::DownloadControls(), true);
  EXPECT_THAT(window.log,
              ElementsAre("enable 编辑框1", "enable 按钮10", "enable 文件", "enable 按钮1",
                          "enable 按钮11", "enable 按钮2", "enable 按钮3"));
  EXPECT_FALSE(window.menuDisabled);
}

TEST(ControlGroups, QueryAndIntegrationGroupsInTheirOrder) {
  fakes::FakeWindow window;
  shell::SetGroupEnabled(window, shell::QueryControls(), false);
  EXPECT_THAT(window.log,
              ElementsAre("disable 按钮1", "disable 按钮2", "disable 按钮3", "disable 按钮11",
                          "disable 组合框1", "disable 单选框1", "disable 单选框2",
                          "disable 单选框3", "disable 严重", "disable 重要", "disable 中等",
                          "disable 低", "disable 无", "disable 选择框2", "disable 选择框1"));
  window.log.clear();
  shell::SetGroupEnabled(window, shell::IntegrationControls(), false);
  EXPECT_THAT(window.log,
              ElementsAre("disable 集成补丁", "disable 补丁目录", "disable 集成驱动",
                          "disable 驱动目录", "disable wim文件", "disable 按钮5", "disable 索引",
                          "disable 目录", "disable 按钮7", "disable 按钮11", "disable 按钮4",
                          "disable 按钮12", "disable 选择框5", "disable 选择框6"));
}

}  // namespace
