#include "servicing/console_runner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "fake_child_processes.h"
#include "fake_window.h"
#include "gbk_code_page.h"

namespace {

using fakes::FakeChildProcesses;
using shell::Control;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct Rig {
  FakeChildProcesses child;
  fakes::FakePump pump{child};
  fakes::FakeWindow window;
  fakes::GbkCodePage oem;
  int32_t dismErrorSeen = 0;
  servicing::ConsoleRunner runner{child, oem, pump, window, dismErrorSeen};

  void Run(const std::string& line = "Dism.exe /Get-MountedWimInfo") {
    runner.Run(line, Control::回显);
    child.ExpectAllClosed();
  }
  std::string Echo() { return window.texts[Control::回显]; }
  // The calls before the first look at the child's state.
  std::vector<std::string> CallsBeforeFirstLook() const {
    const auto& c = child.calls;
    auto look = std::find(c.begin(), c.end(), "ExitCode");
    return {c.begin(), look};
  }
};

std::string Gbk(std::string_view utf8) { return fakes::GbkCodePage::FromUtf8(utf8); }

TEST(ConsoleRunner, ShowsWaitingOutputInChunksBeforeLookingAtTheChild) {
  Rig rig;
  std::string output;
  for (int i = 0; i < 3000; ++i) output += static_cast<char>('a' + i % 26);
  rig.child.arrivals = {{0, output}};
  rig.Run();

  std::vector<std::string> reads;
  for (const auto& call : rig.CallsBeforeFirstLook()) {
    if (call.rfind("Read", 0) == 0 || call == "pause") reads.push_back(call);
  }
  EXPECT_THAT(reads, ElementsAre("Read 1023->1023", "pause", "Read 1023->1023", "pause",
                                 "Read 1023->954", "pause"));
  EXPECT_EQ(rig.Echo(), output);
  EXPECT_EQ(rig.window.appends, 3);
  EXPECT_THAT(rig.child.faults, IsEmpty());
}

TEST(ConsoleRunner, PumpsEventsThenPausesTenMillisecondsBetweenPasses) {
  Rig rig;
  rig.child.endsAfterPauses = 3;
  rig.Run();
  ASSERT_GE(rig.pump.calls.size(), 6u);
  for (size_t i = 0; i + 1 < rig.pump.calls.size(); i += 2) {
    EXPECT_EQ(rig.pump.calls[i], "events");
    EXPECT_EQ(rig.pump.calls[i + 1], "sleep 10");
  }
  EXPECT_EQ(rig.pump.pauses, 3);
}

struct OutputCase {
  const char* name;
  std::vector<FakeChildProcesses::Arrival> arrivals;
  std::string shown;  // UTF-8
};

void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.name; }

class ConsoleRunnerOutput : public ::testing::TestWithParam<OutputCase> {};

TEST_P(ConsoleRunnerOutput, IsShownDecoded) {
  Rig rig;
  rig.child.arrivals = GetParam().arrivals;
  rig.child.endsAfterPauses = 2;
  rig.Run();
  EXPECT_EQ(rig.Echo(), GetParam().shown);
  EXPECT_THAT(rig.child.faults, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConsoleRunnerOutput,
    ::testing::Values(
        OutputCase{"ChineseFromTheOemCodePage",
                   {{0, Gbk("部署映像服务和管理工具\r\n")}},
                   "部署映像服务和管理工具\r\n"},
        OutputCase{"ZeroByteEndsItsChunksText",
                   {{0, std::string("shown\0hidden", 12)}, {1, "next"}},
                   "shownnext"},
        OutputCase{"DoubleByteCharacterAcrossTheReadBoundary",
                   {{0, std::string(1022, 'A') + Gbk("中文")}},
                   std::string(1022, 'A') + "中文"},
        OutputCase{"DoubleByteCharacterAcrossTwoArrivals",
                   {{0, Gbk("错").substr(0, 1)}, {1, Gbk("错").substr(1) + Gbk("误")}},
                   "错误"},
        // 0xB5 0xBD: a trail byte that is itself in the lead-byte range.
        OutputCase{"TrailByteThatLooksLikeALeadByte",
                   {{0, std::string(1021, 'A') + Gbk("到") + "B"}},
                   std::string(1021, 'A') + "到B"},
        OutputCase{"WrittenJustBeforeTheChildEnded", {{0, "first "}, {2, "last"}}, "first last"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConsoleRunner, OutputWrittenBetweenThePeekAndTheEndIsNotLost) {
  Rig rig;
  rig.child.arrivals = {{0, "early "}};
  rig.child.endsAfterPauses = 1;
  rig.child.writtenAsItEnds = "final words";
  rig.Run();
  EXPECT_EQ(rig.Echo(), "early final words");
}

TEST(ConsoleRunner, ErrorMarkerSetsTheFlagAndACleanRunClearsIt) {
  Rig rig;
  rig.child.arrivals = {{0, Gbk("错误: 87\r\n")}};
  rig.Run();
  EXPECT_EQ(rig.dismErrorSeen, 1);

  rig.window.texts[Control::回显] = "";
  rig.child.arrivals = {{0, Gbk("操作成功完成。\r\n")}};
  rig.Run();
  EXPECT_EQ(rig.dismErrorSeen, 0);
  EXPECT_EQ(rig.Echo(), "操作成功完成。\r\n");
}

TEST(ConsoleRunner, ErrorMarkerAlreadyInTheBoxCounts) {
  Rig rig;
  rig.window.texts[Control::回显] = "上次: 错误: 2\r\n";
  rig.child.arrivals = {{0, Gbk("操作成功完成。\r\n")}};
  rig.Run();
  EXPECT_EQ(rig.dismErrorSeen, 1);
}

TEST(ConsoleRunner, ErrorMarkerNeedsItsAsciiColon) {
  Rig rig;
  rig.child.arrivals = {{0, Gbk("错误：全角冒号\r\n")}};
  rig.Run();
  EXPECT_EQ(rig.dismErrorSeen, 0);
}

TEST(ConsoleRunner, NotFoundEmptiesTheBoxAfterTheFlagIsWorkedOut) {
  Rig rig;
  rig.window.texts[Control::回显] = "正在挂载\r\n";
  rig.child.arrivals = {{0, Gbk("错误: 2\r\n系统找不到指定的文件。\r\n")}};
  rig.Run();
  EXPECT_EQ(rig.dismErrorSeen, 1);
  EXPECT_EQ(rig.Echo(), "");
}

TEST(ConsoleRunner, MarkerSplitAcrossChunksIsFound) {
  Rig rig;
  rig.child.arrivals = {{0, std::string(1021, '.') + Gbk("找不到")}};
  rig.Run();
  EXPECT_EQ(rig.Echo(), "");
}

TEST(ConsoleRunner, MissingProgramEndsAfterOnePass) {
  Rig rig;
  rig.child.startFails = true;
  rig.window.texts[Control::回显] = "错误: 之前\r\n";
  rig.Run("NoSuchProgram.exe /x");
  EXPECT_EQ(rig.pump.pauses, 0);
  EXPECT_EQ(std::count(rig.child.calls.begin(), rig.child.calls.end(), "Peek"), 1);
  EXPECT_EQ(rig.window.appends, 0);
  EXPECT_EQ(rig.dismErrorSeen, 1);  // from what the box already held
  EXPECT_THAT(rig.child.faults, IsEmpty());
}

TEST(ConsoleRunner, FailingPeekReadsNothingAndEndsWithTheChild) {
  Rig rig;
  rig.child.peekFails = true;
  rig.child.arrivals = {{0, "never read"}};
  rig.child.endsAfterPauses = 4;
  rig.Run();
  EXPECT_EQ(rig.pump.pauses, 4);
  EXPECT_EQ(rig.window.appends, 0);
  for (const auto& call : rig.child.calls) EXPECT_NE(call.rfind("Read", 0), 0u) << call;
}

TEST(ConsoleRunner, ChildEndingWithCode259DoesNotHangTheRunner) {
  Rig rig;
  rig.child.exitCode = servicing::kStillActive;
  rig.child.arrivals = {{0, "done\r\n"}};
  rig.child.endsAfterPauses = 2;
  rig.Run();
  EXPECT_EQ(rig.Echo(), "done\r\n");
  EXPECT_EQ(rig.pump.pauses, 2);
  EXPECT_EQ(rig.runner.ExitCode(), servicing::kStillActive);
}

TEST(ConsoleRunner, WithoutAPipeTheCommandStillRunsAndNothingIsLeftOpen) {
  Rig rig;
  rig.child.pipeFails = true;
  rig.child.endsAfterPauses = 3;
  rig.Run("Dism.exe /Image:\"C:\\m\" /Add-Package /PackagePath:\"C:\\p\"");
  EXPECT_EQ(rig.child.runsStarted, 1);
  EXPECT_EQ(rig.child.outputGiven, 0u);
  EXPECT_EQ(rig.pump.pauses, 3);
  EXPECT_THAT(rig.child.faults, IsEmpty());
}

TEST(ConsoleRunner, PassesTheCommandLineUnchangedAndGivesTheChildTheWriteEnd) {
  Rig rig;
  const std::string line = "dism.exe /image:\"C:\\挂载\\\"x\" /add-driver /driver:\"D:\\驱动\"";
  rig.Run(line);
  EXPECT_EQ(rig.child.commandLine, line);
  EXPECT_NE(rig.child.outputGiven, 0u);
  // The write end is closed right after the start, before the first peek.
  const auto& c = rig.child.calls;
  auto created = std::find(c.begin(), c.end(), "Create");
  ASSERT_NE(created, c.end());
  EXPECT_EQ(*(created + 1), "Close write-end");
}

TEST(ConsoleRunner, ARunnerUsedAgainNeverTouchesTheHandlesOfItsLastRun) {
  Rig rig;
  rig.child.arrivals = {{0, "one\r\n"}};
  rig.Run();
  rig.child.startFails = true;
  rig.Run();
  rig.child.startFails = false;
  rig.child.pipeFails = true;
  rig.Run();
  rig.child.pipeFails = false;
  rig.child.arrivals = {{0, "two\r\n"}};
  rig.Run();
  EXPECT_EQ(rig.Echo(), "one\r\ntwo\r\n");
  EXPECT_THAT(rig.child.faults, IsEmpty());
}

TEST(ConsoleRunner, StopsWaitingWhenTheProgramIsEnding) {
  Rig rig;
  rig.child.endsAfterPauses = 1000000;
  rig.pump.endingAfterPauses = 5;
  rig.Run();
  EXPECT_EQ(rig.pump.pauses, 5);
  EXPECT_THAT(rig.child.faults, IsEmpty());
}

TEST(ConsoleRunner, LargeOutputArrivesWhole) {
  Rig rig;
  std::string output;
  while (output.size() < 200 * 1024) output += Gbk("第") + std::to_string(output.size()) + "\r\n";
  rig.child.arrivals = {{0, output.substr(0, 70000)}, {3, output.substr(70000)}};
  rig.child.endsAfterPauses = 4;
  rig.Run();
  EXPECT_EQ(rig.Echo(), fakes::GbkCodePage().ToUtf8(output));
}

}  // namespace
