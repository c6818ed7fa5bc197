// A plan the stand-in cannot carry out ends it with code 2 and a message on
// standard error before anything is printed: a broken test must not pass.
#include <ostream>
#include <string>

#include "dism_child.h"

namespace dism_e2e {
namespace {

const wchar_t kMounted[] = L"Dism.exe /Get-MountedWimInfo";

struct BadPlanCase {
  const char* name;
  const char* plan;
  const char* message;  // part of the message on standard error
  friend std::ostream& operator<<(std::ostream& os, const BadPlanCase& c) { return os << c.name; }
};

const BadPlanCase kBadPlans[] = {
    {"DirectiveBeforeSection", "text a\n[*]\n", "line 1: directive before"},
    {"UnknownDirective", "[*]\ntext ok\nprint x\n", "line 3: unknown directive 'print'"},
    {"BadEscape", "[*]\ntext \\q\n", "line 2: bad escape"},
    {"TrailingBackslash", "[*]\ntext a\\\n", "line 2: bad escape"},
    {"OddHex", "[*]\nhex ABC\n", "line 2: hex"},
    {"NotHex", "[*]\nhex zz\n", "line 2: hex"},
    {"EmptyHex", "[*]\nhex\n", "line 2: hex"},
    {"RepeatTwoCharacters", "[*]\nrepeat 3 AB\n", "line 2: repeat unit"},
    {"RepeatWithoutUnit", "[*]\nrepeat 3\n", "line 2: repeat wants"},
    {"RepeatBadCount", "[*]\nrepeat -1 A\n", "line 2: bad repeat count"},
    {"RepeatTooMuch", "[*]\nrepeat 99999999999 A\n", "line 2: bad repeat count"},
    {"ExitTooLarge", "[*]\nexit 4294967296\n", "line 2: bad exit code"},
    {"ExitNotNumber", "[*]\nexit soon\n", "line 2: bad exit code"},
    {"SleepNotNumber", "[*]\nsleep 1s\n", "line 2: bad sleep"},
    {"TouchWithoutPath", "[*]\ntouch\n", "line 2: touch wants a path"},
    {"FlushWithArgument", "[*]\nflush now\n", "line 2: flush takes no argument"},
    {"EmptySectionName", "[]\ntext a\n", "line 1: bad section header"},
    {"UnclosedSection", "[/add-driver\ntext a\n", "line 1: bad section header"},
    {"NotUtf8", "[*]\ntext ok\ntext \xB4\xED\n", "line 3: not UTF-8"},
    {"OutsideCodePage", "[*]\ntext ok\ntext \xF0\x9F\x98\x80\n", "line 3: text has characters"},
};

class BadPlanTest : public StandinTest, public ::testing::WithParamInterface<BadPlanCase> {};

TEST_P(BadPlanTest, FailsLoudlyWithoutPrintingAnything) {
  WritePlan(GetParam().plan);
  Finished run = RunDism(kMounted, /*separate_stderr=*/true);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.exit_code, 2u);
  EXPECT_EQ(run.output, "");
  EXPECT_NE(run.error.find("Dism stand-in: "), std::string::npos) << run.error;
  EXPECT_NE(run.error.find(GetParam().message), std::string::npos) << run.error;
}

INSTANTIATE_TEST_SUITE_P(Plans, BadPlanTest, ::testing::ValuesIn(kBadPlans),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StandinTest, MissingPlanFileFailsButTheCommandIsStillLogged) {
  ScopedEnv missing(L"DISM_STANDIN_PLAN", work_.Path(L"no-such-plan.txt"));
  Finished run = RunDism(kMounted, /*separate_stderr=*/true);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.exit_code, 2u);
  EXPECT_EQ(run.output, "");
  EXPECT_NE(run.error.find("cannot open the plan"), std::string::npos) << run.error;
  EXPECT_NE(run.error.find("no-such-plan.txt"), std::string::npos) << run.error;
  EXPECT_EQ(Log(), Utf8(kMounted) + "\n");
}

TEST_F(StandinTest, EmptyPlanVariableFails) {
  ScopedEnv empty(L"DISM_STANDIN_PLAN", L"");
  Finished run = RunDism(kMounted, /*separate_stderr=*/true);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.exit_code, 2u);
  EXPECT_EQ(run.output, "");
  EXPECT_NE(run.error.find("DISM_STANDIN_PLAN"), std::string::npos) << run.error;
}

TEST_F(StandinTest, UnwritableLogFails) {
  ScopedEnv bad_log(L"DISM_STANDIN_LOG", work_.Path(L"no-such-folder\\log.txt"));
  Finished run = RunDism(kMounted, /*separate_stderr=*/true);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.exit_code, 2u);
  EXPECT_EQ(run.output, "");
  EXPECT_NE(run.error.find("cannot open the log"), std::string::npos) << run.error;
}

TEST_F(StandinTest, TouchThatCannotCreateItsFileFails) {
  WritePlan("[*]\ntext a\ntouch " + Utf8(work_.Path(L"no-such-folder\\f")) + "\n");
  Finished run = RunDism(kMounted, /*separate_stderr=*/true);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.exit_code, 2u);
  EXPECT_EQ(run.output, "a");  // what came before is not lost
  EXPECT_NE(run.error.find("cannot touch"), std::string::npos) << run.error;
}

}  // namespace
}  // namespace dism_e2e
