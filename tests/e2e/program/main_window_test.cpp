// The main window as the user first sees it: every control of every page with
// its kind, text, state, place and size.
#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <gtest/gtest.h>

#include "program_session.h"

namespace program_e2e {
namespace {

using shell::Control;

enum class Kind {
  GroupBox,
  ShapeBox,
  DropDownList,
  Radio,
  CheckBox,
  Label,
  Edit,
  MultiLineEdit,
  Button,
  DefaultButton,
  Progress
};

struct Expected {
  Control control;
  const char* name;
  Kind kind;
  int page;
  Control container;  // Control::None: placed on the page itself
  int x, y, width, height;
  const char* text;
  bool checked;
};

constexpr Control kNone = Control::None;

// The window as designed: every control of the four pages.
const Expected kPages[] = {
    {Control::分组框1, "分组框1", Kind::GroupBox, 0, kNone, 8, 27, 410, 96, "更新选项", false},
    {Control::组合框1, "组合框1", Kind::DropDownList, 0, Control::分组框1, 11, 21, 88, 20,
     "已安装的", false},
    {Control::单选框1, "单选框1", Kind::Radio, 0, Control::分组框1, 107, 24, 45, 13, "补丁", true},
    {Control::单选框2, "单选框2", Kind::Radio, 0, Control::分组框1, 160, 24, 45, 13, "驱动", false},
    {Control::单选框3, "单选框3", Kind::Radio, 0, Control::分组框1, 217, 24, 83, 13, "补丁和驱动",
     false},
    {Control::选择框2, "选择框2", Kind::CheckBox, 0, Control::分组框1, 11, 49, 81, 13, "显示语言包",
     false},
    {Control::选择框1, "选择框1", Kind::CheckBox, 0, Control::分组框1, 138, 48, 260, 13,
     "只选择 CAB 包(exe 无法集成,可手动安装)", true},
    {Control::标签4, "标签4", Kind::Label, 0, Control::分组框1, 11, 70, 57, 13, "严重等级:", false},
    {Control::严重, "严重", Kind::CheckBox, 0, Control::分组框1, 74, 71, 44, 13, "严重", true},
    {Control::重要, "重要", Kind::CheckBox, 0, Control::分组框1, 138, 71, 44, 13, "重要", true},
    {Control::中等, "中等", Kind::CheckBox, 0, Control::分组框1, 202, 71, 44, 13, "中等", true},
    {Control::低, "低", Kind::CheckBox, 0, Control::分组框1, 269, 71, 34, 13, "低", true},
    {Control::无, "无", Kind::CheckBox, 0, Control::分组框1, 320, 71, 45, 13, "(无)", true},
    {Control::标签1, "标签1", Kind::Label, 0, kNone, 421, 44, 76, 13, "补丁保存目录", false},
    {Control::编辑框1, "编辑框1", Kind::Edit, 0, kNone, 498, 40, 136, 20, nullptr, false},
    {Control::按钮10, "按钮10", Kind::Button, 0, kNone, 636, 38, 77, 23, "浏览(&B)", false},
    {Control::按钮1, "按钮1", Kind::DefaultButton, 0, kNone, 422, 85, 86, 23, "查询(&S)", false},
    {Control::按钮2, "按钮2", Kind::Button, 0, kNone, 526, 84, 86, 23, "下载选中项(&D)", false},
    {Control::按钮3, "按钮3", Kind::Button, 0, kNone, 627, 83, 86, 23, "导出下载列表", false},

    {Control::外形框1, "外形框1", Kind::ShapeBox, 1, kNone, 2, 23, 715, 116, "", false},
    {Control::标签5, "标签5", Kind::Label, 1, Control::外形框1, 4, 100, 44, 13, "0%", false},
    {Control::进度条1, "进度条1", Kind::Progress, 1, kNone, 54, 121, 654, 16, "", false},
    {Control::分组框2, "分组框2", Kind::GroupBox, 1, kNone, 7, 27, 706, 92, "WIM 目录", false},
    {Control::标签6, "标签6", Kind::Label, 1, Control::分组框2, 20, 19, 80, 13,
     "指定安装文件:", false},
    {Control::wim文件, "wim文件", Kind::Edit, 1, Control::分组框2, 101, 17, 124, 20, "", false},
    {Control::按钮5, "按钮5", Kind::Button, 1, Control::分组框2, 225, 16, 26, 20, "...", false},
    {Control::标签2, "标签2", Kind::Label, 1, Control::分组框2, 8, 43, 56, 13, "挂载目录:", false},
    {Control::目录, "目录", Kind::Edit, 1, Control::分组框2, 64, 40, 160, 21, "", false},
    {Control::按钮7, "按钮7", Kind::Button, 1, Control::分组框2, 225, 40, 26, 20, "...", false},
    {Control::标签3, "标签3", Kind::Label, 1, Control::分组框2, 32, 67, 31, 13, "版本:", false},
    {Control::索引, "索引", Kind::DropDownList, 1, Control::分组框2, 64, 64, 158, 20, "", false},
    {Control::集成补丁, "集成补丁", Kind::CheckBox, 1, Control::分组框2, 288, 19, 74, 13,
     "集成修补:", true},
    {Control::补丁目录, "补丁目录", Kind::Edit, 1, Control::分组框2, 363, 17, 171, 20, "", false},
    {Control::按钮4, "按钮4", Kind::Button, 1, Control::分组框2, 536, 15, 26, 20, "..", false},
    {Control::集成驱动, "集成驱动", Kind::CheckBox, 1, Control::分组框2, 288, 43, 74, 13,
     "集成驱动:", false},
    {Control::驱动目录, "驱动目录", Kind::Edit, 1, Control::分组框2, 363, 40, 171, 20, "", false},
    {Control::按钮12, "按钮12", Kind::Button, 1, Control::分组框2, 536, 38, 26, 20, "..", false},
    {Control::选择框5, "选择框5", Kind::CheckBox, 1, Control::分组框2, 288, 68, 104, 13,
     "完毕后自动保存", true},
    {Control::选择框6, "选择框6", Kind::CheckBox, 1, Control::分组框2, 425, 68, 92, 13,
     "完毕后不卸载", false},
    {Control::选择框3, "选择框3", Kind::CheckBox, 1, Control::分组框2, 566, 18, 105, 13,
     "忽略适用性检测", false},
    {Control::选择框4, "选择框4", Kind::CheckBox, 1, Control::分组框2, 566, 42, 135, 13,
     "忽略数字签名(仅x86)", true},
    {Control::按钮11, "按钮11", Kind::DefaultButton, 1, Control::分组框2, 613, 63, 85, 23,
     "开始处理(&B)", false},

    {Control::回显, "回显", Kind::MultiLineEdit, 2, kNone, 6, 26, 707, 109, nullptr, false},

    {Control::编辑框2, "编辑框2", Kind::MultiLineEdit, 3, kNone, 6, 23, 708, 104, nullptr, false},
};

const char* const kPageTitles[] = {"获取修复", "集成设置", "状态", "集成说明"};

std::string KindProblem(HWND item, Kind kind) {
  const std::string cls = e2e::ClassName(item);
  const LONG_PTR style = e2e::Style(item);
  const auto button = [&](LONG_PTR type) {
    return cls == "Button" && (style & BS_TYPEMASK) == type ? "" : "a different button";
  };
  switch (kind) {
    case Kind::GroupBox:
      return button(BS_GROUPBOX);
    case Kind::Radio:
      return button(BS_AUTORADIOBUTTON);
    case Kind::CheckBox:
      return button(BS_AUTOCHECKBOX);
    case Kind::Button:
      return button(BS_PUSHBUTTON);
    case Kind::DefaultButton:
      return button(BS_DEFPUSHBUTTON);
    case Kind::ShapeBox:
      return cls == "Static" && (style & SS_TYPEMASK) == SS_BLACKFRAME ? "" : "not a frame";
    case Kind::Label:
      return cls == "Static" && (style & SS_TYPEMASK) == SS_LEFT ? "" : "not a label";
    case Kind::DropDownList:
      return cls == "ComboBox" && (style & 3) == CBS_DROPDOWNLIST ? "" : "not a drop-down list";
    case Kind::Edit:
      return cls == "Edit" && !(style & ES_MULTILINE) ? "" : "not a single-line edit";
    case Kind::MultiLineEdit:
      return cls == "Edit" && (style & ES_MULTILINE) && (style & WS_VSCROLL)
                 ? ""
                 : "not a multi-line edit";
    case Kind::Progress:
      return cls == "msctls_progress32" ? "" : "not a progress bar";
  }
  return "unknown kind";
}

bool IsCheckable(Kind kind) { return kind == Kind::Radio || kind == Kind::CheckBox; }

class MainWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    session_ = Session::Start("main-window").release();
    ASSERT_NE(session_, nullptr);
    // The start-up command has run once its report is in the echo box.
    ASSERT_TRUE(e2e::WaitFor(
        [] { return session_->Text(Control::回显).find("操作成功完成") != std::string::npos; }));
  }
  static void TearDownTestSuite() {
    delete session_;
    session_ = nullptr;
  }
  HWND Item(Control c) const { return session_->Item(c); }
  HWND Tab() const { return Item(Control::选择夹1); }
  void ShowPage(int page) {
    e2e::ClickTab(Tab(), page);
    ASSERT_TRUE(e2e::WaitFor([&] { return e2e::TabCurrent(Tab()) == page; })) << page;
  }
  static Session* session_;
};

Session* MainWindow::session_ = nullptr;

TEST_F(MainWindow, EveryControlOfEveryPageAsDesigned) {
  for (int page = 0; page < 4; ++page) {
    ShowPage(page);
    for (const Expected& e : kPages) {
      if (e.page != page) continue;
      SCOPED_TRACE(e.name);
      const HWND item = Item(e.control);
      ASSERT_NE(item, nullptr);
      EXPECT_EQ(KindProblem(item, e.kind), "");
      if (e.text != nullptr) {
        const std::string text =
            e.kind == Kind::DropDownList
                ? (e2e::ComboCurrent(item) < 0 ? "" : e2e::ComboItem(item, e2e::ComboCurrent(item)))
                : e2e::Text(item);
        EXPECT_EQ(text, e.text);
      }
      if (IsCheckable(e.kind)) {
        EXPECT_EQ(e2e::IsChecked(item), e.checked);
      }
      EXPECT_TRUE(e2e::IsEnabled(item));
      EXPECT_TRUE(e2e::IsShown(item));
      const HWND container = e.container == kNone ? Tab() : Item(e.container);
      const RECT r = e2e::RectIn(item, container);
      EXPECT_EQ(r.left, e.x);
      EXPECT_EQ(r.top, e.y);
      EXPECT_EQ(r.right - r.left, e.width);
      if (e.kind == Kind::DropDownList) {
        // A drop-down list's selection field takes the height of its font.
        EXPECT_GE(r.bottom - r.top, e.height);
        EXPECT_LE(r.bottom - r.top, e.height + 2);
      } else {
        EXPECT_EQ(r.bottom - r.top, e.height);
      }
    }
    // Only the page showing has its controls visible.
    for (const Expected& e : kPages) {
      if (e.page != page) {
        EXPECT_FALSE(e2e::IsShown(Item(e.control))) << e.name << " on page " << page;
      }
    }
  }
  ShowPage(0);
}

TEST_F(MainWindow, TabControlHasFourPagesWithTheFirstShowingAtStart) {
  EXPECT_EQ(e2e::ClassName(Tab()), "SysTabControl32");
  ASSERT_EQ(e2e::TabCount(Tab()), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(e2e::TabText(Tab(), i), kPageTitles[i]);
  const RECT r = session_->InClient(Tab());
  EXPECT_EQ(r.left, 6);
  EXPECT_EQ(r.top, 285);
  EXPECT_EQ(r.right - r.left, 720);
  EXPECT_EQ(r.bottom - r.top, 143);
}

TEST_F(MainWindow, DropDownListsHoldTheirItems) {
  const HWND states = Item(Control::组合框1);
  ASSERT_EQ(e2e::ComboCount(states), 3);
  EXPECT_EQ(e2e::ComboItem(states, 0), "已安装的");
  EXPECT_EQ(e2e::ComboItem(states, 1), "未安装的");
  EXPECT_EQ(e2e::ComboItem(states, 2), "全部");
  EXPECT_EQ(e2e::ComboCurrent(states), 0);
  EXPECT_EQ(e2e::ComboCount(Item(Control::索引)), 0);
  EXPECT_EQ(e2e::ComboCurrent(Item(Control::索引)), -1);
}

TEST_F(MainWindow, ProgressBarRunsFromZeroToAHundredAndStandsAtZero) {
  const HWND bar = Item(Control::进度条1);
  EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, TRUE, 0), 0);
  EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 100);
  EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 0);
}

TEST_F(MainWindow, UpdateListIsAnEmptyCheckBoxReportWithItsColumns) {
  const HWND list = Item(Control::超级列表框1);
  EXPECT_EQ(e2e::ClassName(list), "SysListView32");
  const RECT r = session_->InClient(list);
  EXPECT_EQ(r.left, 6);
  EXPECT_EQ(r.top, 8);
  EXPECT_EQ(r.right - r.left, 720);
  EXPECT_EQ(r.bottom - r.top, 272);

  const LONG_PTR style = e2e::Style(list);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_SINGLESEL);
  EXPECT_FALSE(style &
               (LVS_EDITLABELS | LVS_SORTASCENDING | LVS_SORTDESCENDING | LVS_NOCOLUMNHEADER));
  EXPECT_TRUE(e2e::ExStyle(list) & WS_EX_CLIENTEDGE);
  const auto ex = static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  EXPECT_EQ(ex & (LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES),
            static_cast<DWORD>(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES));
  EXPECT_FALSE(ex & (LVS_EX_HEADERDRAGDROP | LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE));
  EXPECT_EQ(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(SendMessageW(list, LVM_GETBKCOLOR, 0, 0), RGB(255, 255, 255));

  struct Column {
    const char* header;
    int width;
    int format;
  };
  const Column columns[] = {{"标题", 210, LVCFMT_LEFT},    {"大小", 70, LVCFMT_RIGHT},
                            {"最后更新", 74, LVCFMT_LEFT}, {"严重等级", 60, LVCFMT_LEFT},
                            {"类型", 45, LVCFMT_LEFT},     {"下载", 50, LVCFMT_RIGHT},
                            {"下载地址", 190, LVCFMT_LEFT}};
  ASSERT_EQ(e2e::ListColumnCount(list), 7);
  for (int i = 0; i < 7; ++i) {
    const e2e::ListColumn c = e2e::ListColumnAt(list, i);
    EXPECT_EQ(c.text, columns[i].header) << i;
    EXPECT_EQ(c.width, columns[i].width) << i;
    EXPECT_EQ(c.format & LVCFMT_JUSTIFYMASK, columns[i].format) << i;
  }
  EXPECT_EQ(e2e::ListRowCount(list), 0);
  EXPECT_EQ(e2e::ListSelectedRow(list), -1);
}

TEST_F(MainWindow, HelpPageShowsTheFixedHelpText) {
  const std::string expected =
      "集成修复程序：Dism.exe /Image:\"挂载目录\" /Add-Package /PackagePath:\"修复程序路径\" "
      "/IgnoreCheck\r\n"
      "/IgnoreCheck：不检测修复程序适用性\r\n" +
      std::string(114, '-') +
      "\r\n"
      "集成驱动程序：Dism.exe /Image:\"挂载目录\" /Add-Driver /Driver:\"驱动程序路径\" "
      "/forceunsigned /recurse\r\n"
      "/forceunsigned：不检测驱动程序数字签名(仅用于x86系统)\r\n"
      "/recurse：递归搜索目录下所有驱动程序。";
  EXPECT_EQ(session_->Text(Control::编辑框2), expected);
}

TEST_F(MainWindow, CaptionAndDefaultSaveFolder) {
  EXPECT_EQ(e2e::Text(session_->app->Window()), "Pelloran");
  EXPECT_EQ(session_->Text(Control::编辑框1), e2e::Utf8(e2e::BinDir()) + "\\hotfix");
}

TEST_F(MainWindow, IsFixedInSizeWithoutMaximizeBoxOrMenuBar) {
  const HWND window = session_->app->Window();
  const LONG_PTR style = e2e::Style(window);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(GetMenu(window), nullptr);

  const RECT before = e2e::OuterRect(window);
  EXPECT_EQ(before.right - before.left, 739);
  EXPECT_EQ(before.bottom - before.top, 463);
  // Opened centred on the screen.
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR(before.left - work.left, (work.right - work.left - 739) / 2, 1);
  EXPECT_NEAR(before.top - work.top, (work.bottom - work.top - 463) / 2, 1);

  SendMessageW(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  SendMessageW(window, WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, 0);
  const RECT after = e2e::OuterRect(window);
  EXPECT_EQ(after.right - after.left, 739);
  EXPECT_EQ(after.bottom - after.top, 463);
  EXPECT_FALSE(IsZoomed(window));
  // The border offers no sizing handle.
  const LRESULT hit =
      SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(after.right - 1, after.bottom - 1));
  EXPECT_NE(hit, HTBOTTOMRIGHT);
}

}  // namespace
}  // namespace program_e2e
