// The real common dialogs and folder browser of the fixture, answered by the harness.
#include "fixture_session.h"

namespace e2e {
namespace {

using namespace fixture;

class DialogTest : public FixtureTest {
 protected:
  void SetUp() override {
    FixtureTest::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    ClickTab(Tab(), 1);
    ASSERT_TRUE(LogBecomes("页:1"));
  }
  DWORD Pid() const { return app_->ProcessId(); }
};

TEST_F(DialogTest, NoDialogUntilOneOpens) {
  EXPECT_EQ(FindDialog(Pid()), nullptr);
  EXPECT_FALSE(CancelFileDialog(Pid(), std::chrono::milliseconds(0)));
  EXPECT_FALSE(AnswerFolderBrowser(Pid(), "C:\\", std::chrono::milliseconds(0)));
}

TEST_F(DialogTest, OpenDialogReturnsTheTypedPath) {
  std::wstring dir = TestDir();
  const std::wstring file = dir + L"\\安装 文件.txt";
  ASSERT_TRUE(WriteFileBytes(file, "x"));
  Click(Control(kOpenButton));
  ASSERT_TRUE(WaitFor([&] { return FindDialog(Pid()) != nullptr; }));
  EXPECT_FALSE(IsEnabled(app_->Window()));  // modal
  EXPECT_TRUE(AnswerFileDialog(Pid(), Utf8(file)));
  EXPECT_TRUE(LogBecomes(Utf8(file)));
  EXPECT_EQ(FindDialog(Pid()), nullptr);
  EXPECT_TRUE(IsEnabled(app_->Window()));
}

TEST_F(DialogTest, SaveDialogReturnsTheTypedPathOfANewFile) {
  std::wstring dir = TestDir();
  const std::wstring file = dir + L"\\导出列表.txt";
  Click(Control(kSaveButton));
  EXPECT_TRUE(AnswerFileDialog(Pid(), Utf8(file)));
  EXPECT_TRUE(LogBecomes(Utf8(file)));
  EXPECT_FALSE(FileExists(file));  // the dialog only names it
}

TEST_F(DialogTest, CancelledFileDialogs) {
  for (int button : {kOpenButton, kSaveButton}) {
    SetEditText(Control(kLog), "");
    Click(Control(button));
    EXPECT_TRUE(CancelFileDialog(Pid())) << button;
    EXPECT_TRUE(LogBecomes("cancelled")) << button;
  }
}

TEST_F(DialogTest, FolderBrowserReturnsTheChosenFolder) {
  std::wstring dir = TestDir();
  const std::wstring folder = dir + L"\\挂载 目录";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((dir + L"\\其他").c_str(), nullptr));
  Click(Control(kFolderButton));
  EXPECT_TRUE(AnswerFolderBrowser(Pid(), Utf8(folder)));
  EXPECT_TRUE(LogBecomes(Utf8(folder)));
  EXPECT_EQ(FindDialog(Pid()), nullptr);
}

TEST_F(DialogTest, FolderBrowserCancelledOrMissingFolder) {
  Click(Control(kFolderButton));
  EXPECT_TRUE(CancelFolderBrowser(Pid()));
  EXPECT_TRUE(LogBecomes("cancelled"));
  // A folder that is not there cannot be picked: the browser stays open.
  SetEditText(Control(kLog), "");
  Click(Control(kFolderButton));
  EXPECT_FALSE(AnswerFolderBrowser(Pid(), Utf8(TestDir() + L"\\没有")));
  EXPECT_NE(FindDialog(Pid()), nullptr);
  EXPECT_TRUE(CancelFolderBrowser(Pid()));
  EXPECT_TRUE(LogBecomes("cancelled"));
}

}  // namespace
}  // namespace e2e
