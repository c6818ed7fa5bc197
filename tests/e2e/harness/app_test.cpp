#include "fixture_session.h"

namespace e2e {
namespace {

TEST(AppTest, FindsTheVisibleMainWindowOfItsOwnProcess) {
  auto app = App::Start(FixtureOptions());
  ASSERT_NE(app, nullptr);
  DWORD owner = 0;
  GetWindowThreadProcessId(app->Window(), &owner);
  EXPECT_EQ(owner, app->ProcessId());
  EXPECT_EQ(ClassName(app->Window()), "HarnessFixture");
  EXPECT_TRUE(IsShown(app->Window()));
  // Two copies: each App has its own window.
  auto second = App::Start(FixtureOptions());
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second->Window(), app->Window());
  EXPECT_NE(second->ProcessId(), app->ProcessId());
}

TEST(AppTest, PassesThisEnvironmentPlusTheExtraOneAndTheFolder) {
  struct Case {
    const wchar_t* inherited;  // set in this process first (nullptr: not set)
    const wchar_t* extra;      // in Options::extraEnv (nullptr: not there)
    std::string echoed;
  };
  const Case cases[] = {
      {L"继承的", nullptr, "继承的"},
      {nullptr, L"额外的", "额外的"},
      {L"继承的", L"额外的", "额外的"},
  };
  std::wstring dir = FreshDir("AppTest.起始目录");
  for (const Case& c : cases) {
    SetEnvironmentVariableW(L"HARNESS_FIXTURE_ECHO", c.inherited);
    App::Options options = FixtureOptions();
    if (c.extra) options.extraEnv[L"HARNESS_FIXTURE_ECHO"] = c.extra;
    options.currentDir = dir;
    auto app = App::Start(options);
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(Text(app->Control(fixture::kLog)), c.echoed + "|" + Utf8(dir));
  }
  SetEnvironmentVariableW(L"HARNESS_FIXTURE_ECHO", nullptr);
}

TEST(AppTest, StartsInTheProgramsFolderByDefault) {
  App::Options options = FixtureOptions();
  options.extraEnv[L"HARNESS_FIXTURE_ECHO"] = L"x";
  auto app = App::Start(options);
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(Text(app->Control(fixture::kLog)), "x|" + Utf8(BinDir()));
}

TEST(AppTest, StartFailsWithoutTheWindow) {
  App::Options missing = FixtureOptions();
  missing.exe = BinDir() + L"\\没有这个程序.exe";
  EXPECT_EQ(App::Start(missing), nullptr);
}

TEST(AppTest, ClosingEndsTheProcess) {
  auto app = App::Start(FixtureOptions());
  ASSERT_NE(app, nullptr);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, app->ProcessId());
  ASSERT_NE(process, nullptr);
  EXPECT_EQ(WaitForSingleObject(process, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  app.reset();
  EXPECT_EQ(WaitForSingleObject(process, 0), WAIT_OBJECT_0);
  CloseHandle(process);
}

TEST(AppTest, WaitForExitReportsTheExitCode) {
  auto app = App::Start(FixtureOptions());
  ASSERT_NE(app, nullptr);
  EXPECT_FALSE(app->WaitForExit(std::chrono::milliseconds(200)));
  PostMessageW(app->Window(), WM_CLOSE, 0, 0);
  DWORD code = 99;
  EXPECT_TRUE(app->WaitForExit(std::chrono::seconds(15), &code));
  EXPECT_EQ(code, 0u);
}

TEST(AppTest, ControlFindsDescendantsById) {
  auto app = App::Start(FixtureOptions());
  ASSERT_NE(app, nullptr);
  HWND tab = app->Control(fixture::kTab);
  HWND onPage = app->Control(fixture::kKindCombo);
  ASSERT_NE(onPage, nullptr);
  EXPECT_EQ(GetParent(onPage), tab);  // a grandchild, inside the tab control
  EXPECT_EQ(ClassName(app->Control(fixture::kList)), "SysListView32");
  EXPECT_EQ(app->Control(12345), nullptr);
}

}  // namespace
}  // namespace e2e
