// What a plan makes the stand-in print and how it makes it end.
#include <ostream>
#include <string>

#include "dism_child.h"

namespace dism_e2e {
namespace {

const wchar_t kMounted[] = L"Dism.exe /Get-MountedWimInfo";
const wchar_t kAddPackage[] =
    L"Dism.exe /Image:\"C:\\挂载\" /Add-Package /PackagePath:\"C:\\补丁\" /IgnoreCheck";
const wchar_t kAddDriver[] = L"dism.exe /image:\"C:\\挂载\" /add-driver /driver:\"C:\\驱动\"";

struct BytesCase {
  const char* name;
  const char* directives;  // plan lines after "[*]"
  const char* expected_hex;
  friend std::ostream& operator<<(std::ostream& os, const BytesCase& c) { return os << c.name; }
};

const BytesCase kBytesCases[] = {
    {"ErrorMarker", "text 错误:", "B4 ED CE F3 3A"},
    {"NotFoundMarker", "text 找不到", "D5 D2 B2 BB B5 BD"},
    {"LatinLetterInGbk", "text é", "A8 A6"},
    {"ZeroByteEscape", "text a\\0b", "61 00 62"},
    {"ControlEscapes", "text \\r\\n\\t\\\\", "0D 0A 09 5C"},
    {"SpacesKept", "text  a ", "20 61 20"},
    {"EmptyText", "text", ""},
    {"HexBytes", "hex B4 ed CE f3 3A", "B4 ED CE F3 3A"},
    {"HexZeroAndHigh", "hex 00ff", "00 FF"},
    {"RepeatDoubleByteChar", "repeat 3 中", "D6 D0 D6 D0 D6 D0"},
    {"RepeatRawZero", "repeat 4 0x00", "00 00 00 00"},
    {"RepeatSpace", "repeat 2  ", "20 20"},
    {"RepeatNothing", "repeat 0 A", ""},
    {"DirectivesInOrder", "text a\nhex 42\nrepeat 2 c\nflush\ntext d", "61 42 63 63 64"},
    {"CommentsAndBlankLines", "# text no\n\n   \ntext y", "79"},
    {"CrLfPlanLines", "text a\r\ntext b\r\n", "61 62"},
    {"NothingAfterExit", "text a\nexit 0\ntext b", "61"},
};

class PlanBytesTest : public StandinTest, public ::testing::WithParamInterface<BytesCase> {};

TEST_P(PlanBytesTest, PrintsExactlyThePlannedBytes) {
  WritePlan(std::string("[*]\n") + GetParam().directives + "\n");
  Finished run = RunDism(kMounted);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(Hex(run.output), Hex(Bytes(GetParam().expected_hex)));
  EXPECT_EQ(run.exit_code, 0u);
}

INSTANTIATE_TEST_SUITE_P(Directives, PlanBytesTest, ::testing::ValuesIn(kBytesCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct SectionCase {
  const char* name;
  const char* plan;
  const wchar_t* command_line;
  const char* expected;
  DWORD exit_code;
  friend std::ostream& operator<<(std::ostream& os, const SectionCase& c) { return os << c.name; }
};

const char kThreeCommands[] =
    "[/get-mountedwiminfo]\ntext M\n"
    "[/ADD-PACKAGE]\ntext P\nexit 3\n"
    "[/Add-Driver]\ntext D\n"
    "[*]\ntext ANY\nexit 4\n";

const SectionCase kSectionCases[] = {
    {"MountedByLowerCasePattern", kThreeCommands, kMounted, "M", 0},
    {"PackageByUpperCasePattern", kThreeCommands, kAddPackage, "P", 3},
    {"DriverByMixedCasePattern", kThreeCommands, kAddDriver, "D", 0},
    {"AnyTakesTheRest", kThreeCommands, L"Dism.exe /Cleanup-Wim", "ANY", 4},
    {"FirstMatchWins", "[dism]\ntext first\n[/add-driver]\ntext second\n", kAddDriver, "first", 0},
    {"AnyBeforeOthersWins", "[*]\ntext any\n[/add-driver]\ntext driver\n", kAddDriver, "any", 0},
    {"PatternMayHoldTheProgramName", "[DISM.EXE /IMAGE:]\ntext yes\n", kAddPackage, "yes", 0},
    {"PatternMayHoldChineseText", "[驱动]\ntext yes\n[*]\ntext no\n", kAddDriver, "yes", 0},
    {"PatternHoldsSwitchWithSpace", "[/Add-Package /PackagePath]\ntext yes\n", kAddPackage, "yes",
     0},
    {"EmptySectionPrintsNothing", "[/add-driver]\n[*]\ntext no\n", kAddDriver, "", 0},
};

class PlanSectionTest : public StandinTest, public ::testing::WithParamInterface<SectionCase> {};

TEST_P(PlanSectionTest, UsesTheFirstMatchingSection) {
  WritePlan(GetParam().plan);
  Finished run = RunDism(GetParam().command_line);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.output, GetParam().expected);
  EXPECT_EQ(run.exit_code, GetParam().exit_code);
}

INSTANTIATE_TEST_SUITE_P(Sections, PlanSectionTest, ::testing::ValuesIn(kSectionCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct ReportCase {
  const char* name;
  const wchar_t* command_line;
  friend std::ostream& operator<<(std::ostream& os, const ReportCase& c) { return os << c.name; }
};

const ReportCase kReportCases[] = {
    {"Mounted", kMounted},
    {"AddPackage", kAddPackage},
    {"AddDriver", kAddDriver},
    {"Unknown", L"Dism.exe /Frobnicate"},
};

class PlanReportTest : public StandinTest, public ::testing::WithParamInterface<ReportCase> {
 protected:
  Finished Unplanned() {
    ScopedEnv no_plan(L"DISM_STANDIN_PLAN", std::nullopt);
    return RunDism(GetParam().command_line);
  }
};

TEST_P(PlanReportTest, ReportIsTheDefaultOutputWithItsExitCode) {
  Finished plain = Unplanned();
  ASSERT_TRUE(plain.ended);
  ASSERT_FALSE(plain.output.empty());
  WritePlan("[*]\nreport\n");
  Finished planned = RunDism(GetParam().command_line);
  ASSERT_TRUE(planned.ended);
  EXPECT_EQ(planned.output, plain.output);
  EXPECT_EQ(planned.exit_code, plain.exit_code);
}

TEST_P(PlanReportTest, ReportCanBeSurroundedAndItsExitCodeOverridden) {
  Finished plain = Unplanned();
  ASSERT_TRUE(plain.ended);
  WritePlan("[*]\ntext 前\nreport\ntext 错误:\nexit 5\n");
  Finished planned = RunDism(GetParam().command_line);
  ASSERT_TRUE(planned.ended);
  EXPECT_EQ(planned.output, Bytes("C7 B0") + plain.output + Bytes("B4 ED CE F3 3A"));
  EXPECT_EQ(planned.exit_code, 5u);
}

TEST_P(PlanReportTest, CommandNoSectionNamesGetsTheDefaultOutput) {
  Finished plain = Unplanned();
  ASSERT_TRUE(plain.ended);
  WritePlan("[/no-such-switch]\ntext x\nexit 9\n");
  Finished planned = RunDism(GetParam().command_line);
  ASSERT_TRUE(planned.ended);
  EXPECT_EQ(planned.output, plain.output);
  EXPECT_EQ(planned.exit_code, plain.exit_code);
}

INSTANTIATE_TEST_SUITE_P(Commands, PlanReportTest, ::testing::ValuesIn(kReportCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct ExitCase {
  const char* name;
  const char* directive;
  DWORD exit_code;
  friend std::ostream& operator<<(std::ostream& os, const ExitCase& c) { return os << c.name; }
};

const ExitCase kExitCases[] = {
    {"Zero", "exit 0", 0},
    {"One", "exit 1", 1},
    {"InvalidParameter", "exit 87", 87},
    // The code that the program cannot tell from a running child.
    {"StillActive", "exit 259", STILL_ACTIVE},
    {"HResultInHex", "exit 0x80070002", 0x80070002u},
    {"Largest", "exit 4294967295", 0xFFFFFFFFu},
    {"NoExitMeansZero", "text x", 0},
};

class PlanExitTest : public StandinTest, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(PlanExitTest, EndsWithThePlannedCodeAfterWritingEverything) {
  WritePlan(std::string("[*]\ntext 完\n") + GetParam().directive + "\n");
  auto child = DismChild::Start(kAddPackage);
  ASSERT_NE(child, nullptr);
  Finished run = child->Finish();
  ASSERT_TRUE(run.ended);
  EXPECT_FALSE(child->Running());
  EXPECT_EQ(run.exit_code, GetParam().exit_code);
  EXPECT_EQ(run.output.substr(0, 2), Bytes("CD EA"));
}

INSTANTIATE_TEST_SUITE_P(Codes, PlanExitTest, ::testing::ValuesIn(kExitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StandinTest, StderrDirectiveSendsLaterOutputToStandardError) {
  WritePlan("[*]\ntext out1\nstderr\ntext 错误:\nstdout\ntext out2\n");
  Finished separate = RunDism(kAddDriver, /*separate_stderr=*/true);
  ASSERT_TRUE(separate.ended);
  EXPECT_EQ(separate.output, "out1out2");
  EXPECT_EQ(Hex(separate.error), "B4 ED CE F3 3A");

  // Through one pipe, as the program reads it, the order is kept.
  Finished shared = RunDism(kAddDriver);
  ASSERT_TRUE(shared.ended);
  EXPECT_EQ(shared.output, "out1" + Bytes("B4 ED CE F3 3A") + "out2");
}

}  // namespace
}  // namespace dism_e2e
