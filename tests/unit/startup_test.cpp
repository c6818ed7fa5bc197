#include "shell/startup.h"

#include <gtest/gtest.h>

#include "fake_child_processes.h"
#include "fake_window.h"
#include "gbk_code_page.h"

namespace {

using shell::Control;

struct FolderCase {
  const char* programFile;
  const char* folder;      // made current at start-up
  const char* saveFolder;  // shown in 编辑框1
};

void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.programFile; }

class ProgramFolders : public ::testing::TestWithParam<FolderCase> {};

TEST_P(ProgramFolders, FollowTheProgramFile) {
  EXPECT_EQ(shell::ProgramFolder(GetParam().programFile), GetParam().folder);
  EXPECT_EQ(shell::DefaultSaveFolder(GetParam().programFile), GetParam().saveFolder);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramFolders,
    ::testing::Values(FolderCase{"D:\\Tools\\Pelloran.exe", "D:\\Tools", "D:\\Tools\\hotfix"},
                      FolderCase{"C:\\Pelloran.exe", "C:\\", "C:\\hotfix"},
                      FolderCase{"C:\\镜像 工具\\Pelloran.exe", "C:\\镜像 工具",
                                 "C:\\镜像 工具\\hotfix"},
                      FolderCase{"\\\\server\\share\\Pelloran.exe", "\\\\server\\share",
                                 "\\\\server\\share\\hotfix"}));

struct CreatedRig {
  fakes::FakeChildProcesses child;
  fakes::FakePump pump{child};
  fakes::FakeWindow window;
  fakes::GbkCodePage oem;
  shell::ProgramState state;
  shell::CreatedContext context{window, pump, child, oem, state, "E:\\维护\\Pelloran.exe"};
};

TEST(CreatedHandler, SetsCaptionAndSaveFolderAndShowsMountedImages) {
  CreatedRig rig;
  rig.child.arrivals = {{0, fakes::GbkCodePage::FromUtf8("部署映像服务和管理工具\r\n")}};
  shell::OnCreated(rig.context);
  EXPECT_EQ(rig.window.caption, "Pelloran");
  EXPECT_EQ(rig.window.texts[Control::编辑框1], "E:\\维护\\hotfix");
  EXPECT_EQ(rig.child.commandLine, "Dism.exe /Get-MountedWimInfo");
  EXPECT_EQ(rig.window.texts[Control::回显], "部署映像服务和管理工具\r\n");
  EXPECT_EQ(rig.state.DismErrorSeen, 0);
  rig.child.ExpectAllClosed();
  EXPECT_TRUE(rig.child.faults.empty());
}

TEST(CreatedHandler, AnErrorInTheStartUpOutputIsRemembered) {
  CreatedRig rig;
  rig.child.arrivals = {{0, fakes::GbkCodePage::FromUtf8("错误: 740\r\n需要提升权限。\r\n")}};
  rig.child.exitCode = 740;
  shell::OnCreated(rig.context);
  EXPECT_EQ(rig.state.DismErrorSeen, 1);
}

TEST(CreatedHandler, AMissingDismLeavesTheEchoEmpty) {
  CreatedRig rig;
  rig.child.startFails = true;
  shell::OnCreated(rig.context);
  EXPECT_EQ(rig.window.caption, "Pelloran");
  EXPECT_EQ(rig.window.texts[Control::回显], "");
  EXPECT_EQ(rig.state.DismErrorSeen, 0);
}

TEST(ProgramObjects, AreCreatedAtStartAndReleasedAtShutdown) {
  shell::ProgramState state;
  EXPECT_EQ(state.Imaging, nullptr);
  shell::CreateProgramObjects(state);
  EXPECT_NE(state.Imaging, nullptr);
  EXPECT_TRUE(state.Descriptions.empty());
  EXPECT_EQ(state.CurrentRow, 0);
  EXPECT_EQ(state.WimFile, 0u);
  EXPECT_EQ(state.WimImage, 0u);
  EXPECT_EQ(state.DismErrorSeen, 0);
  EXPECT_EQ(state.CleanupResult + state.MountResult + state.CommitResult + state.UnmountResult, 0);
  state.Descriptions = {"说明一", "说明二"};
  shell::ReleaseProgramObjects(state);
  EXPECT_EQ(state.Imaging, nullptr);
  EXPECT_TRUE(state.Descriptions.empty());
}

}  // namespace
