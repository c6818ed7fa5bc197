#include "fixture_session.h"

namespace e2e {
namespace {

class MenuTest : public FixtureTest {};

TEST_F(MenuTest, ReadsItems) {
  ClickListRow(List(), 1, false);
  ASSERT_TRUE(LogBecomes("左键:1"));
  ClickListRow(List(), 1, true);
  auto menu = WaitForPopupMenu(app_->ProcessId());
  ASSERT_TRUE(menu.has_value());
  EXPECT_EQ(menu->items,
            (std::vector<std::string>{"全选\tCtrl+A", "取消全选\tCtrl+U", "反选\tCtrl+K", "",
                                      "下载选中项\tCtrl+D", "导出选中下载地址\tCtrl+L"}));
  EXPECT_TRUE(DismissMenu(*menu));
  EXPECT_TRUE(LogBecomes("菜单:无"));
}

}  // namespace
}  // namespace e2e
