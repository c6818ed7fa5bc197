// The list's popup menu: read as shown, chosen by keyboard, dismissed.
#include "fixture_session.h"

namespace e2e {
namespace {

using namespace fixture;

const std::vector<std::string> kItems = {"全选\tCtrl+A",       "取消全选\tCtrl+U",
                                         "反选\tCtrl+K",       "",
                                         "下载选中项\tCtrl+D", "导出选中下载地址\tCtrl+L"};

class MenuTest : public FixtureTest {
 protected:
  std::optional<PopupMenu> OpenOnRow(int row) {
    ClickListRow(List(), row, false);
    if (!LogBecomes("左键:" + std::to_string(row))) return std::nullopt;
    ClickListRow(List(), row, true);
    return WaitForPopupMenu(app_->ProcessId());
  }
  std::vector<bool> Checks() {
    std::vector<bool> checks;
    for (int r = 0; r < ListRowCount(List()); ++r) checks.push_back(ListRowChecked(List(), r));
    return checks;
  }
};

TEST_F(MenuTest, ReadsTheItemsAsShown) {
  auto menu = OpenOnRow(1);
  ASSERT_TRUE(menu.has_value());
  EXPECT_EQ(ClassName(menu->window), "#32768");
  EXPECT_EQ(menu->items, kItems);
  EXPECT_EQ(menu->greyed, std::vector<bool>(6, false));
  EXPECT_TRUE(DismissMenu(*menu));
  EXPECT_TRUE(LogBecomes("菜单:无"));
  EXPECT_EQ(Checks(), (std::vector<bool>{true, false, true}));
}

TEST_F(MenuTest, ChoosesEachItem) {
  struct Case {
    int index;
    std::string logged;
    std::vector<bool> checks;  // from checked, not checked, checked
  };
  const Case cases[] = {
      {0, "菜单:全选", {true, true, true}},
      {1, "菜单:取消全选", {false, false, false}},
      {2, "菜单:反选", {false, true, false}},
      {4, "菜单:下载选中项", {true, false, true}},
      {5, "菜单:导出选中下载地址", {true, false, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.logged);
    app_.reset();
    app_ = App::Start(FixtureOptions());
    ASSERT_NE(app_, nullptr);
    auto menu = OpenOnRow(c.index % 3);
    ASSERT_TRUE(menu.has_value());
    EXPECT_TRUE(ChooseMenuItem(*menu, c.index));
    EXPECT_TRUE(LogBecomes(c.logged));
    EXPECT_EQ(Checks(), c.checks);
  }
}

TEST_F(MenuTest, GreyedItemsAreReadAndCannotBeChosen) {
  HWND language = Control(kLanguageCheck);
  Click(language);
  ASSERT_TRUE(WaitFor([&] { return IsChecked(language); }));
  auto menu = OpenOnRow(2);
  ASSERT_TRUE(menu.has_value());
  EXPECT_EQ(menu->items, kItems);
  EXPECT_EQ(menu->greyed, (std::vector<bool>{false, false, false, false, true, true}));
  EXPECT_FALSE(ChooseMenuItem(*menu, 4));
  EXPECT_TRUE(IsShown(menu->window));
  EXPECT_TRUE(DismissMenu(*menu));
  EXPECT_TRUE(LogBecomes("菜单:无"));
}

TEST_F(MenuTest, RefusesSeparatorsAndIndexesOutsideTheMenu) {
  auto menu = OpenOnRow(0);
  ASSERT_TRUE(menu.has_value());
  EXPECT_FALSE(ChooseMenuItem(*menu, 3));
  EXPECT_FALSE(ChooseMenuItem(*menu, 6));
  EXPECT_FALSE(ChooseMenuItem(*menu, -1));
  EXPECT_TRUE(IsShown(menu->window));  // still open, nothing chosen
  EXPECT_TRUE(DismissMenu(*menu));
  EXPECT_TRUE(LogBecomes("菜单:无"));
}

TEST_F(MenuTest, NoMenuWhenNoneOpens) {
  // The fixture opens its menu only over a selected row; a right click on the
  // empty part of the list selects nothing.
  HWND list = List();
  RECT client;
  GetClientRect(list, &client);
  PostMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, client.bottom - 5));
  PostMessageW(list, WM_RBUTTONUP, 0, MAKELPARAM(50, client.bottom - 5));
  ASSERT_TRUE(LogBecomes("右键:无选中"));
  EXPECT_FALSE(WaitForPopupMenu(app_->ProcessId(), std::chrono::milliseconds(0)).has_value());
  EXPECT_EQ(ListSelectedRow(list), -1);
}

}  // namespace
}  // namespace e2e
