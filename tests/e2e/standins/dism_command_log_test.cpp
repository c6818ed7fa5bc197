// The stand-in's record of the command lines it received, which is how a test
// checks the exact text the program sent.
#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "dism_child.h"

namespace dism_e2e {
namespace {

struct LaunchCase {
  const char* name;
  const wchar_t* command_line;
  friend std::ostream& operator<<(std::ostream& os, const LaunchCase& c) { return os << c.name; }
};

// The program's command lines, with and without their optional switches, with
// Chinese folders, spaces and a quote in a folder name left as the user typed it.
const LaunchCase kLaunchCases[] = {
    {"Mounted", L"Dism.exe /Get-MountedWimInfo"},
    {"AddPackage", L"Dism.exe /Image:\"C:\\mount\" /Add-Package /PackagePath:\"C:\\hotfix\""},
    {"AddPackageIgnoreCheck",
     L"Dism.exe /Image:\"C:\\挂载 目录\" /Add-Package /PackagePath:\"D:\\补丁\\ä\" /IgnoreCheck"},
    {"AddDriver", L"dism.exe /image:\"C:\\m\" /add-driver /driver:\"C:\\d\""},
    {"AddDriverForceUnsigned",
     L"dism.exe /image:\"C:\\挂载\" /add-driver /driver:\"C:\\驱动 \"x\"\" /forceunsigned"},
    {"DoubleSpaces", L"Dism.exe  /Get-MountedWimInfo  "},
};

class LaunchTest : public StandinTest, public ::testing::WithParamInterface<LaunchCase> {};

// CreateProcessW without an application name, as the program starts it: the
// search finds the stand-in beside the test program whichever letter case the
// command line uses.
TEST_P(LaunchTest, FoundBySearchAndLogsTheExactCommandLine) {
  WritePlan("[*]\ntext ok\nexit 0\n");
  auto child = DismChild::Start(GetParam().command_line, false, std::nullopt);
  ASSERT_NE(child, nullptr);
  Finished run = child->Finish();
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.output, "ok");
  EXPECT_EQ(Log(), Utf8(GetParam().command_line) + "\n");
}

INSTANTIATE_TEST_SUITE_P(CommandLines, LaunchTest, ::testing::ValuesIn(kLaunchCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct SystemFolderCase {
  const char* name;
  const wchar_t* file;  // as the command line spells it
  const wchar_t* command_line;
  friend std::ostream& operator<<(std::ostream& os, const SystemFolderCase& c) {
    return os << c.name;
  }
};

const SystemFolderCase kSystemFolderCases[] = {
    {"CapitalD", L"Dism.exe", L"Dism.exe /Get-MountedWimInfo"},
    {"LowerCase", L"dism.exe", L"dism.exe /image:\"C:\\m\" /add-driver /driver:\"C:\\d\""},
};

class SystemFolderTest : public StandinTest,
                         public ::testing::WithParamInterface<SystemFolderCase> {};

// The program finds the stand-in in the system folder when it is not started
// from the build folder. Wine keeps a placeholder "dism.exe" there, and its file
// lookup prefers an exact-case match, so a copy named only "Dism.exe" leaves the
// lower-case spelling to the placeholder, which cannot start under dism.exe=n.
TEST_P(SystemFolderTest, CopyInTheSystemFolderAnswersThisSpelling) {
  wchar_t system[MAX_PATH];
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  WritePlan("[*]\ntext ok\nexit 0\n");
  std::wstring application = std::wstring(system) + L"\\" + GetParam().file;
  auto child = DismChild::Start(GetParam().command_line, false, application);
  ASSERT_NE(child, nullptr);
  Finished run = child->Finish();
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.output, "ok");
  EXPECT_EQ(run.exit_code, 0u);
  EXPECT_EQ(Log(), Utf8(GetParam().command_line) + "\n");
}

INSTANTIATE_TEST_SUITE_P(Spellings, SystemFolderTest, ::testing::ValuesIn(kSystemFolderCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StandinTest, EachRunAppendsOneLine) {
  WritePlan("[*]\nexit 0\n");
  const std::wstring first = L"Dism.exe /Get-MountedWimInfo";
  const std::wstring second = L"dism.exe /image:\"C:\\m\" /add-driver /driver:\"C:\\d\"";
  ASSERT_TRUE(RunDism(first).ended);
  ASSERT_TRUE(RunDism(second).ended);
  ASSERT_TRUE(RunDism(first).ended);
  EXPECT_EQ(Log(), Utf8(first) + "\n" + Utf8(second) + "\n" + Utf8(first) + "\n");
}

TEST_F(StandinTest, ParallelRunsKeepEveryLineWhole) {
  std::wstring go = work_.Path(L"go.flag");
  WritePlan("[*]\nwait-file " + Utf8(go) + "\nexit 0\n");
  constexpr int kRuns = 16;
  std::vector<std::unique_ptr<DismChild>> children;
  std::vector<std::string> expected;
  for (int i = 0; i < kRuns; ++i) {
    std::wstring line = L"Dism.exe /Get-MountedWimInfo /第" + std::to_wstring(i) + L"次 " +
                        std::wstring(200, static_cast<wchar_t>(L'a' + i));
    children.push_back(DismChild::Start(line));
    ASSERT_NE(children.back(), nullptr);
    expected.push_back(Utf8(line));
  }
  WriteBytes(go, "");
  for (auto& child : children) {
    Finished run = child->Finish();
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exit_code, 0u);
  }
  std::vector<std::string> lines;
  std::string log = Log();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), '\n');
  for (size_t start = 0; start < log.size();) {
    size_t end = log.find('\n', start);
    if (end == std::string::npos) end = log.size();
    lines.push_back(log.substr(start, end - start));
    start = end + 1;
  }
  std::sort(lines.begin(), lines.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace dism_e2e
