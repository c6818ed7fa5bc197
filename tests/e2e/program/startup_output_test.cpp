// What start-up shows in 回显: the images already mounted, as the DISM console
// program reports them, whatever its output looks like.
#include <gtest/gtest.h>

#include "program_session.h"

namespace program_e2e {
namespace {

using shell::Control;

std::string Echo(const Session& s) { return s.Text(Control::回显); }

TEST(StartUp, RunsTheMountedImagesReportIntoTheEchoBox) {
  auto s = Session::Start("startup-report");
  ASSERT_NE(s, nullptr);
  ASSERT_TRUE(e2e::WaitFor([&] { return Echo(*s).find("操作成功完成。") != std::string::npos; }))
      << Echo(*s);
  EXPECT_EQ(e2e::Text(s->app->Window()), "Pelloran");
  EXPECT_NE(Echo(*s).find("部署映像服务和管理工具"), std::string::npos);
  EXPECT_EQ(s->DismCommands(), std::vector<std::string>{"Dism.exe /Get-MountedWimInfo"});
}

TEST(StartUp, LongOutputArrivesWhole) {
  // 200 KB, far past an edit box's default limit, then a last line.
  auto s = Session::Start("startup-long", "[*]\nrepeat 204800 A\ntext \\r\\n结束\\r\\n\nexit 0\n");
  ASSERT_NE(s, nullptr);
  const std::string expected = std::string(204800, 'A') + "\r\n结束\r\n";
  ASSERT_TRUE(e2e::WaitFor([&] { return Echo(*s).size() >= expected.size(); })) << Echo(*s).size();
  EXPECT_EQ(Echo(*s), expected);
}

TEST(StartUp, AMarkerAtTheEndOfLongOutputIsStillFound) {
  auto s = Session::Start("startup-long-marker",
                          "[*]\nrepeat 204800 B\ntext \\r\\n系统找不到指定的文件。\\r\\n\n"
                          "touch {dir}\\done\nexit 2\n");
  ASSERT_NE(s, nullptr);
  // Once the stand-in has written everything, the runner finishes and, the
  // marker being in the box, empties it.
  ASSERT_TRUE(e2e::WaitFor([&] { return e2e::FileExists(s->dir + L"\\done"); }));
  EXPECT_TRUE(e2e::WaitFor([&] { return Echo(*s).empty(); })) << Echo(*s).size();
}

TEST(StartUp, ADoubleByteCharacterCutByTheReadBoundaryIsShownWhole) {
  auto s = Session::Start("startup-split", "[*]\nrepeat 1022 A\ntext 中文\\r\\n\nexit 0\n");
  ASSERT_NE(s, nullptr);
  const std::string expected = std::string(1022, 'A') + "中文\r\n";
  ASSERT_TRUE(e2e::WaitFor([&] { return Echo(*s).size() >= expected.size(); }));
  EXPECT_EQ(Echo(*s), expected);
}

TEST(StartUp, AZeroByteEndsTheTextOfItsChunk) {
  auto s = Session::Start("startup-zero",
                          "[*]\ntext 可见\\0不可见\nwait-file {dir}\\go\ntext 后续\nexit 0\n");
  ASSERT_NE(s, nullptr);
  ASSERT_TRUE(e2e::WaitFor([&] { return Echo(*s) == "可见"; })) << Echo(*s);
  ASSERT_TRUE(e2e::WriteFileBytes(s->dir + L"\\go", ""));
  EXPECT_TRUE(e2e::WaitFor([&] { return Echo(*s) == "可见后续"; })) << Echo(*s);
}

TEST(StartUp, AChildEndingWithCode259DoesNotKeepTheProgramWaiting) {
  auto s = Session::Start("startup-259", "[*]\ntext 结束\\r\\n\nexit 259\n");
  ASSERT_NE(s, nullptr);
  ASSERT_TRUE(e2e::WaitFor([&] { return Echo(*s) == "结束\r\n"; }));
  // The run is over when the window closes promptly and the program exits.
  const HWND window = s->app->Window();
  PostMessageW(window, WM_CLOSE, 0, 0);
  DWORD code = 1;
  EXPECT_TRUE(s->app->WaitForExit(std::chrono::seconds(20), &code));
  EXPECT_EQ(code, 0u);
}

TEST(StartUp, TheWindowAnswersWhileTheCommandRuns) {
  auto s = Session::Start(
      "startup-slow", "[*]\ntext 正在等待\\r\\n\nwait-file {dir}\\go\ntext 完成\\r\\n\nexit 0\n");
  ASSERT_NE(s, nullptr);
  ASSERT_TRUE(e2e::WaitFor([&] { return Echo(*s) == "正在等待\r\n"; })) << Echo(*s);
  // Pages switch while DISM is still running.
  const HWND tab = s->Item(Control::选择夹1);
  e2e::ClickTab(tab, 2);
  EXPECT_TRUE(e2e::WaitFor([&] { return e2e::IsShown(s->Item(Control::回显)); }));
  ASSERT_TRUE(e2e::WriteFileBytes(s->dir + L"\\go", ""));
  EXPECT_TRUE(e2e::WaitFor([&] { return Echo(*s) == "正在等待\r\n完成\r\n"; })) << Echo(*s);
}

TEST(StartUp, ProgramInTheRootOfDriveCSavesToCHotfix) {
  const std::wstring exe = L"C:\\Pelloran.exe";
  ASSERT_TRUE(CopyFileW((e2e::BinDir() + L"\\Pelloran.exe").c_str(), exe.c_str(), FALSE));
  auto s = Session::Start("startup-root", "", exe);
  ASSERT_NE(s, nullptr);
  EXPECT_TRUE(e2e::WaitFor([&] { return s->Text(Control::编辑框1) == "C:\\hotfix"; }))
      << s->Text(Control::编辑框1);
  s.reset();
  DeleteFileW(exe.c_str());
}

TEST(StartUp, ClosingTheWindowWhileTheCommandRunsEndsTheProgram) {
  auto s = Session::Start(
      "startup-close", "[*]\ntext 正在等待\\r\\n\nwait-file {dir}\\never\ntext 不会出现\nexit 0\n");
  ASSERT_NE(s, nullptr);
  ASSERT_TRUE(e2e::WaitFor([&] { return Echo(*s) == "正在等待\r\n"; })) << Echo(*s);
  PostMessageW(s->app->Window(), WM_CLOSE, 0, 0);
  DWORD code = 1;
  EXPECT_TRUE(s->app->WaitForExit(std::chrono::seconds(10), &code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace program_e2e
