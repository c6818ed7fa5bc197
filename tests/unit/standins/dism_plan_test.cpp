// The DISM stand-in's plan parser and default reports, natively.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "plan.h"
#include "reports.h"

namespace dism_standin {
namespace {

struct DirectiveCase {
  const char* name;
  const char* line;
  Op op;
  std::string data;
  uint64_t count;
  bool raw;
  friend std::ostream& operator<<(std::ostream& os, const DirectiveCase& c) { return os << c.name; }
};

const DirectiveCase kDirectiveCases[] = {
    {"Report", "report", Op::kReport, "", 0, false},
    {"ReportTrailingSpace", "report  ", Op::kReport, "", 0, false},
    {"Text", "text 错误:", Op::kText, "错误:", 0, false},
    {"TextKeepsSpaces", "text  a  ", Op::kText, " a  ", 0, false},
    {"TextEscapes", "text a\\r\\n\\t\\\\\\0b", Op::kText, std::string("a\r\n\t\\\0b", 7), 0, false},
    {"TextEmpty", "text", Op::kText, "", 0, false},
    {"HexSpaced", "hex B4 ed 3A", Op::kHex, "\xB4\xED\x3A", 0, false},
    {"HexPacked", "hex 00ff", Op::kHex, std::string("\0\xFF", 2), 0, false},
    {"RepeatChar", "repeat 1022 A", Op::kRepeat, "A", 1022, false},
    {"RepeatDoubleByteChar", "repeat 3 中", Op::kRepeat, "中", 3, false},
    {"RepeatRawByte", "repeat 2 0x00", Op::kRepeat, std::string(1, '\0'), 2, true},
    {"RepeatSpace", "repeat 5  ", Op::kRepeat, " ", 5, false},
    {"RepeatZeroDigit", "repeat 5 0", Op::kRepeat, "0", 5, false},
    {"RepeatHexCount", "repeat 0x10 A", Op::kRepeat, "A", 16, false},
    {"Flush", "flush", Op::kFlush, "", 0, false},
    {"Stderr", "stderr", Op::kStderr, "", 0, false},
    {"Stdout", "stdout", Op::kStdout, "", 0, false},
    {"Touch", "touch C:\\work\\就绪 1", Op::kTouch, "C:\\work\\就绪 1", 0, false},
    {"WaitFile", "wait-file C:\\go ", Op::kWaitFile, "C:\\go", 0, false},
    {"Sleep", "sleep 250", Op::kSleep, "", 250, false},
    {"ExitStillActive", "exit 259", Op::kExit, "", 259, false},
    {"ExitHex", "exit 0xFFFFFFFF", Op::kExit, "", 0xFFFFFFFFu, false},
    {"LeadingSpaces", "   exit 1", Op::kExit, "", 1, false},
};

class DirectiveTest : public ::testing::TestWithParam<DirectiveCase> {};

TEST_P(DirectiveTest, ParsesOneDirective) {
  const auto& c = GetParam();
  ParseResult result = ParsePlan(std::string("[*]\n") + c.line + "\n");
  ASSERT_TRUE(result.plan) << result.error;
  ASSERT_EQ(result.plan->sections.size(), 1u);
  const auto& directives = result.plan->sections[0].directives;
  ASSERT_EQ(directives.size(), 1u);
  EXPECT_EQ(directives[0].op, c.op);
  EXPECT_EQ(directives[0].data, c.data);
  EXPECT_EQ(directives[0].count, c.count);
  EXPECT_EQ(directives[0].raw, c.raw);
  EXPECT_EQ(directives[0].line, 2);
}

INSTANTIATE_TEST_SUITE_P(Directives, DirectiveTest, ::testing::ValuesIn(kDirectiveCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct BadCase {
  const char* name;
  const char* plan;
  const char* error;
  friend std::ostream& operator<<(std::ostream& os, const BadCase& c) { return os << c.name; }
};

const BadCase kBadCases[] = {
    {"BeforeSection", "\n# c\nreport\n", "line 3: directive before"},
    {"Unknown", "[*]\nprint a\n", "line 2: unknown directive 'print'"},
    {"UnknownEscape", "[*]\ntext \\x41\n", "line 2: bad escape"},
    {"LoneBackslash", "[*]\ntext \\\n", "line 2: bad escape"},
    {"OddHex", "[*]\nhex ABC\n", "line 2: hex"},
    {"SplitHexPair", "[*]\nhex A B\n", "line 2: hex"},
    {"RepeatNoUnit", "[*]\nrepeat 3\n", "line 2: repeat wants"},
    {"RepeatTwoChars", "[*]\nrepeat 3 ab\n", "line 2: repeat unit"},
    {"RepeatShortHex", "[*]\nrepeat 3 0x4\n", "line 2: repeat unit"},
    {"RepeatOverLimit", "[*]\nrepeat 67108865 A\n", "line 2: bad repeat count"},
    {"RepeatNegative", "[*]\nrepeat -1 A\n", "line 2: bad repeat count"},
    {"ExitOverflow", "[*]\nexit 4294967296\n", "line 2: bad exit code"},
    {"ExitEmpty", "[*]\nexit\n", "line 2: bad exit code"},
    {"ExitBareHexPrefix", "[*]\nexit 0x\n", "line 2: bad exit code"},
    {"SleepInfinite", "[*]\nsleep 4294967295\n", "line 2: bad sleep"},
    {"WaitFileNoPath", "[*]\nwait-file   \n", "line 2: wait-file wants a path"},
    {"ReportArgument", "[*]\nreport x\n", "line 2: report takes no argument"},
    {"EmptyHeader", "[]\n", "line 1: bad section header"},
    {"UnclosedHeader", "[abc\n", "line 1: bad section header"},
    {"InvalidUtf8", "[*]\n\n\ntext \xC3\n", "line 4: not UTF-8"},
    {"OverlongUtf8", "[*]\ntext \xC0\xAF\n", "line 2: not UTF-8"},
    {"Surrogate", "[*]\ntext \xED\xA0\x80\n", "line 2: not UTF-8"},
};

class BadPlanTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadPlanTest, IsRefusedWithItsLine) {
  ParseResult result = ParsePlan(GetParam().plan);
  EXPECT_FALSE(result.plan);
  EXPECT_EQ(result.error.rfind(GetParam().error, 0), 0u) << result.error;
}

INSTANTIATE_TEST_SUITE_P(Plans, BadPlanTest, ::testing::ValuesIn(kBadCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct SelectCase {
  const char* name;
  const char* command_line;
  int section;  // index, or -1 for none
  friend std::ostream& operator<<(std::ostream& os, const SelectCase& c) { return os << c.name; }
};

constexpr char kPlan[] =
    "\xEF\xBB\xBF# sections\r\n"
    "[/Get-MountedWimInfo]\r\n"
    "report\r\n"
    "[/ADD-PACKAGE]\r\n"
    "[驱动]\r\n"
    "[/add-driver]\r\n";

const SelectCase kSelectCases[] = {
    {"ExactCase", "Dism.exe /Get-MountedWimInfo", 0},
    {"FoldedCase", "DISM.EXE /GET-MOUNTEDWIMINFO", 0},
    {"UpperPatternLowerLine", "dism.exe /add-package /packagepath:\"C:\\p\"", 1},
    {"ChinesePatternFirst", "dism.exe /image:\"C:\\m\" /add-driver /driver:\"C:\\驱动\"", 2},
    {"LaterSection", "dism.exe /image:\"C:\\m\" /add-driver /driver:\"C:\\d\"", 3},
    {"NoneMatches", "Dism.exe /Cleanup-Wim", -1},
    {"PrefixOfPatternOnly", "Dism.exe /Get-Mounted", -1},
};

class SelectTest : public ::testing::TestWithParam<SelectCase> {};

TEST_P(SelectTest, ChoosesTheFirstSectionWhosePatternOccurs) {
  ParseResult result = ParsePlan(kPlan);
  ASSERT_TRUE(result.plan) << result.error;
  ASSERT_EQ(result.plan->sections.size(), 4u);
  const Section* chosen = SelectSection(*result.plan, GetParam().command_line);
  if (GetParam().section < 0) {
    EXPECT_EQ(chosen, nullptr);
  } else {
    EXPECT_EQ(chosen, &result.plan->sections[GetParam().section]);
  }
}

INSTANTIATE_TEST_SUITE_P(CommandLines, SelectTest, ::testing::ValuesIn(kSelectCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SelectTest, AnySectionMatchesEverythingInItsTurn) {
  ParseResult result = ParsePlan("[/x]\n[*]\n[/y]\n");
  ASSERT_TRUE(result.plan) << result.error;
  EXPECT_EQ(SelectSection(*result.plan, "dism /x"), &result.plan->sections[0]);
  EXPECT_EQ(SelectSection(*result.plan, "dism /y"), &result.plan->sections[1]);
  EXPECT_EQ(SelectSection(*result.plan, ""), &result.plan->sections[1]);
}

TEST(ParsePlanTest, KeepsSectionsDirectivesAndLinesInOrder) {
  ParseResult result = ParsePlan("[a]\ntext 1\n\n[b]\n# note\nflush\nexit 3");
  ASSERT_TRUE(result.plan) << result.error;
  const auto& s = result.plan->sections;
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0].pattern, "a");
  EXPECT_EQ(s[0].line, 1);
  ASSERT_EQ(s[0].directives.size(), 1u);
  EXPECT_EQ(s[1].pattern, "b");
  EXPECT_EQ(s[1].line, 4);
  ASSERT_EQ(s[1].directives.size(), 2u);
  EXPECT_EQ(s[1].directives[0].op, Op::kFlush);
  EXPECT_EQ(s[1].directives[1].op, Op::kExit);
  EXPECT_EQ(s[1].directives[1].count, 3u);
  EXPECT_EQ(s[1].directives[1].line, 7);
}

struct ReportCase {
  const char* name;
  const char* command_line;
  uint32_t exit_code;
  const char* phrase;
  friend std::ostream& operator<<(std::ostream& os, const ReportCase& c) { return os << c.name; }
};

const ReportCase kReportCases[] = {
    {"Mounted", "Dism.exe /Get-MountedWimInfo", 0, "已装载的映像"},
    {"AddPackage", "Dism.exe /Image:\"C:\\m\" /Add-Package /PackagePath:\"C:\\p\"", 0,
     "[==========================100.0%==========================]\r\n"},
    {"AddDriver", "dism.exe /image:\"C:\\m\" /add-driver /driver:\"C:\\d\"", 0, "驱动程序包"},
    {"Unknown", "Dism.exe /Cleanup-Wim", 87, "错误: 87\r\n"},
    {"Empty", "", 87, "错误: 87\r\n"},
};

class ReportTest : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ReportTest, HoldsMarkersOnlyWhenReportingAnError) {
  const auto& c = GetParam();
  Report report = DefaultReport(c.command_line);
  EXPECT_EQ(report.exit_code, c.exit_code);
  EXPECT_EQ(report.text.rfind("\r\n部署映像服务和管理工具\r\n版本: ", 0), 0u);
  EXPECT_NE(report.text.find(c.phrase), std::string::npos);
  EXPECT_EQ(report.text.find("找不到"), std::string::npos);
  bool success = c.exit_code == 0;
  EXPECT_EQ(report.text.find("错误:") == std::string::npos, success);
  const std::string done = "操作成功完成。\r\n";
  EXPECT_EQ(report.text.size() >= done.size() &&
                report.text.compare(report.text.size() - done.size(), done.size(), done) == 0,
            success);
  for (size_t i = 0; i < report.text.size(); ++i) {
    if (report.text[i] == '\n') {
      EXPECT_TRUE(i > 0 && report.text[i - 1] == '\r') << "bare LF at " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Commands, ReportTest, ::testing::ValuesIn(kReportCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dism_standin
