// Reading another process's windows: every value is what the fixture set up.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "fixture_session.h"

namespace e2e {
namespace {

using namespace fixture;

class ReadingTest : public FixtureTest {};

TEST_F(ReadingTest, Window) {
  HWND window = app_->Window();
  EXPECT_EQ(Text(window), "测试夹具");
  EXPECT_EQ(ClassName(window), "HarnessFixture");
  EXPECT_EQ(Style(window) & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
            WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  EXPECT_EQ(Style(window) & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
  RECT outer = OuterRect(window);
  EXPECT_EQ(outer.right - outer.left, 728);
  EXPECT_EQ(outer.bottom - outer.top, 390);
  EXPECT_TRUE(IsEnabled(window));
  EXPECT_TRUE(IsShown(window));
}

TEST_F(ReadingTest, ButtonsAndTheirStates) {
  struct Case {
    int id;
    std::string text;
    bool checked;
    bool enabled;
  };
  const Case cases[] = {
      {kLanguageCheck, "显示语言包", false, true},
      {kCriticalCheck, "严重", true, true},
      {kLowCheck, "低", false, false},
      {kPatchRadio, "补丁", true, true},
      {kDriverRadio, "驱动", false, true},
      {kBothRadio, "补丁和驱动", false, true},
      {kCountButton, "计数(&C)", false, true},
  };
  for (const Case& c : cases) {
    HWND button = Control(c.id);
    ASSERT_NE(button, nullptr) << c.id;
    EXPECT_EQ(Text(button), c.text) << c.id;
    EXPECT_EQ(IsChecked(button), c.checked) << c.text;
    EXPECT_EQ(IsEnabled(button), c.enabled) << c.text;
    EXPECT_EQ(ClassName(button), "Button") << c.text;
  }
  EXPECT_EQ(Style(Control(kLanguageCheck)) & BS_TYPEMASK, BS_AUTOCHECKBOX);
  EXPECT_EQ(Style(Control(kPatchRadio)) & BS_TYPEMASK, BS_AUTORADIOBUTTON);
}

TEST_F(ReadingTest, EditTextsOfAnyLength) {
  EXPECT_EQ(Text(Control(kPathEdit)), "C:\\初始");
  EXPECT_EQ(Text(Control(kNotesEdit)),
            "集成修复程序：Dism.exe\r\n/recurse：递归搜索目录下所有驱动程序。");
  EXPECT_EQ(Text(Control(kLog)), "");
  std::string longText;
  for (int i = 0; i < 2500; ++i) longText += "第" + std::to_string(i) + "行\r\n";
  SetEditText(Control(kNotesEdit), longText);
  EXPECT_GT(longText.size(), 20000u);
  EXPECT_EQ(Text(Control(kNotesEdit)), longText);
}

TEST_F(ReadingTest, DropDownList) {
  HWND combo = Control(kKindCombo);
  EXPECT_EQ(ComboCount(combo), 3);
  EXPECT_EQ(ComboCurrent(combo), 0);
  EXPECT_EQ(ComboItem(combo, 0), "已安装的");
  EXPECT_EQ(ComboItem(combo, 1), "未安装的");
  EXPECT_EQ(ComboItem(combo, 2), "全部");
  EXPECT_EQ(ComboItem(combo, 3), "");
  EXPECT_EQ(Style(combo) & 3, CBS_DROPDOWNLIST);
}

TEST_F(ReadingTest, TabPagesAndWhatShows) {
  HWND tab = Tab();
  EXPECT_EQ(TabCount(tab), 3);
  EXPECT_EQ(TabCurrent(tab), 0);
  EXPECT_EQ(TabText(tab, 0), "获取修复");
  EXPECT_EQ(TabText(tab, 1), "集成设置");
  EXPECT_EQ(TabText(tab, 2), "集成说明");
  EXPECT_EQ(TabText(tab, 3), "");
  EXPECT_TRUE(IsShown(Control(kKindCombo)));
  EXPECT_FALSE(IsShown(Control(kPathEdit)));
  EXPECT_FALSE(IsShown(Control(kNotesEdit)));
}

TEST_F(ReadingTest, RectanglesRelativeToTheirContainer) {
  struct Case {
    int id;
    RECT rect;  // relative to the tab control's outer rectangle
  };
  const Case cases[] = {
      {kGroup, {8, 27, 418, 123}},
      {kKindCombo, {20, 97, 140, 0}},  // a drop-down list sets its own height
      {kCountButton, {430, 40, 520, 64}},
  };
  for (const Case& c : cases) {
    RECT r = RectIn(Control(c.id), Tab());
    EXPECT_EQ(r.left, c.rect.left) << c.id;
    EXPECT_EQ(r.top, c.rect.top) << c.id;
    EXPECT_EQ(r.right, c.rect.right) << c.id;
    if (c.rect.bottom) {
      EXPECT_EQ(r.bottom, c.rect.bottom) << c.id;
    }
  }
  // The tab control itself sits at 6, 165 in the window's client area.
  RECT tab = OuterRect(Tab());
  POINT client{0, 0};
  ClientToScreen(app_->Window(), &client);
  EXPECT_EQ(tab.left - client.x, 6);
  EXPECT_EQ(tab.top - client.y, 165);
  EXPECT_EQ(tab.right - tab.left, 700);
}

TEST_F(ReadingTest, ListColumns) {
  HWND list = List();
  EXPECT_EQ(ListColumnCount(list), 5);
  struct Case {
    std::string text;
    int width;
    int format;
  };
  const Case cases[] = {{"标题", 210, LVCFMT_LEFT},
                        {"大小", 70, LVCFMT_RIGHT},
                        {"类型", 60, LVCFMT_LEFT},
                        {"下载地址", 190, LVCFMT_LEFT},
                        {"描述", 100, LVCFMT_CENTER}};
  for (int i = 0; i < 5; ++i) {
    ListColumn column = ListColumnAt(list, i);
    EXPECT_EQ(column.text, cases[i].text) << i;
    EXPECT_EQ(column.width, cases[i].width) << i;
    EXPECT_EQ(column.format, cases[i].format) << i;
  }
  EXPECT_EQ(ListColumnAt(list, 5).text, "");
}

TEST_F(ReadingTest, ListRowsCellsAndChecks) {
  HWND list = List();
  ASSERT_EQ(ListRowCount(list), 3);
  const std::string cells[3][4] = {
      {"安全更新 KB100", "1.5 MB", "软件", "http://127.0.0.1/甲.cab"},
      {"驱动程序 乙", "300 KB", "驱动", ""},
      {"累积更新 丙", "12 MB", "软件", "http://127.0.0.1/丙.cab"},
  };
  const bool checked[3] = {true, false, true};
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 4; ++c) EXPECT_EQ(ListCell(list, r, c), cells[r][c]) << r << "," << c;
    EXPECT_EQ(ListRowChecked(list, r), checked[r]) << r;
  }
  EXPECT_EQ(ListSelectedRow(list), -1);
  EXPECT_EQ(ListCell(list, 3, 0), "");
}

TEST_F(ReadingTest, ListCellLongerThanAFirstGuess) {
  std::string expected;
  for (int i = 0; i < 700; ++i) expected += "长";
  EXPECT_EQ(ListCell(List(), 0, 4), expected);
  EXPECT_EQ(ListCell(List(), 1, 4), "短");
}

TEST_F(ReadingTest, ListStyle) {
  HWND list = List();
  EXPECT_EQ(Style(list) & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_NE(Style(list) & LVS_SINGLESEL, 0);
  EXPECT_NE(ExStyle(list) & WS_EX_CLIENTEDGE, 0);
  LRESULT extended = SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  EXPECT_EQ(extended & (LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES),
            LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
}

}  // namespace
}  // namespace e2e
