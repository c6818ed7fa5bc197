// Acting on the fixture as a person would; the fixture's log says what it received.
#include "fixture_session.h"

namespace e2e {
namespace {

using namespace fixture;

class ActingTest : public FixtureTest {};

TEST_F(ActingTest, ClickTabSwitchesPagesThroughTheControlsOwnNotification) {
  struct Case {
    int page;
    int shownId;
    std::vector<int> hiddenIds;
  };
  const Case cases[] = {
      {1, kPathEdit, {kKindCombo, kNotesEdit}},
      {2, kNotesEdit, {kKindCombo, kPathEdit}},
      {0, kKindCombo, {kPathEdit, kNotesEdit}},
  };
  for (const Case& c : cases) {
    ClickTab(Tab(), c.page);
    ASSERT_TRUE(LogBecomes("页:" + std::to_string(c.page)));
    EXPECT_EQ(TabCurrent(Tab()), c.page);
    EXPECT_TRUE(IsShown(Control(c.shownId))) << c.page;
    for (int id : c.hiddenIds) EXPECT_FALSE(IsShown(Control(id))) << c.page << " " << id;
  }
}

TEST_F(ActingTest, ClickListRowSelectsItAndRaisesTheClick) {
  for (int row : {2, 0, 1}) {
    ClickListRow(List(), row, false);
    ASSERT_TRUE(LogBecomes("左键:" + std::to_string(row)));
    EXPECT_EQ(ListSelectedRow(List()), row);
  }
  // A click on the label leaves the check boxes alone.
  EXPECT_TRUE(ListRowChecked(List(), 0));
  EXPECT_FALSE(ListRowChecked(List(), 1));
  EXPECT_TRUE(ListRowChecked(List(), 2));
}

TEST_F(ActingTest, ClickPressesButtonsWithoutWaitingForTheirHandlers) {
  HWND count = Control(kCountButton);
  for (int i = 1; i <= 3; ++i) {
    Click(count);
    ASSERT_TRUE(LogBecomes("计数:" + std::to_string(i)));
  }
  // A handler that shows a modal dialog has not returned when Click does.
  ClickTab(Tab(), 1);
  ASSERT_TRUE(LogBecomes("页:1"));
  Click(Control(kOpenButton));
  ASSERT_TRUE(WaitFor([&] { return FindDialog(app_->ProcessId()) != nullptr; }));
  EXPECT_TRUE(CancelFileDialog(app_->ProcessId()));
  EXPECT_TRUE(LogBecomes("cancelled"));
}

TEST_F(ActingTest, ClickTogglesCheckBoxesAndMovesTheRadioChoice) {
  HWND language = Control(kLanguageCheck);
  Click(language);
  EXPECT_TRUE(WaitFor([&] { return IsChecked(language); }));
  Click(language);
  EXPECT_TRUE(WaitFor([&] { return !IsChecked(language); }));
  Click(Control(kBothRadio));
  EXPECT_TRUE(WaitFor([&] { return IsChecked(Control(kBothRadio)); }));
  EXPECT_FALSE(IsChecked(Control(kPatchRadio)));
  EXPECT_FALSE(IsChecked(Control(kDriverRadio)));
}

TEST_F(ActingTest, SetEditTextReplacesTheWholeText) {
  for (const std::string text : {"D:\\补丁 目录\\新", "", "x"}) {
    SetEditText(Control(kPathEdit), text);
    EXPECT_EQ(Text(Control(kPathEdit)), text);
  }
}

TEST_F(ActingTest, PressKeyReachesTheControlWithAndWithoutCtrl) {
  ClickListRow(List(), 0, false);
  ASSERT_TRUE(LogBecomes("左键:0"));
  PressKey(List(), VK_DOWN);
  ASSERT_TRUE(LogBecomes("按键:40"));
  EXPECT_TRUE(WaitFor([&] { return ListSelectedRow(List()) == 1; }));
  PressKey(List(), 'A', true);
  EXPECT_TRUE(LogBecomes("按键:65+Ctrl"));
  // Ctrl is released again afterwards.
  PressKey(List(), VK_UP);
  EXPECT_TRUE(LogBecomes("按键:38"));
  EXPECT_TRUE(WaitFor([&] { return ListSelectedRow(List()) == 0; }));
}

}  // namespace
}  // namespace e2e
