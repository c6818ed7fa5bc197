// When the stand-in's bytes reach the pipe: a test relies on this to place chunk
// boundaries and to act while the command is still running.
#include <ostream>
#include <string>

#include "dism_child.h"

namespace dism_e2e {
namespace {

const wchar_t kAddPackage[] =
    L"Dism.exe /Image:\"C:\\mount\" /Add-Package /PackagePath:\"C:\\hotfix\"";

std::string PathLine(const char* directive, const std::wstring& path) {
  return std::string(directive) + " " + Utf8(path) + "\n";
}

class PlanTimingTest : public StandinTest {
 protected:
  std::wstring ready_ = work_.Path(L"就绪.flag");
  std::wstring go_ = work_.Path(L"go.flag");
};

TEST_F(PlanTimingTest, TouchSignalsWhileWaitFileHoldsTheRestBack) {
  WritePlan("[*]\n" + PathLine("touch", ready_) + PathLine("wait-file", go_) + "text x\nexit 6\n");
  auto child = DismChild::Start(kAddPackage);
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(WaitForFile(ready_));
  EXPECT_TRUE(child->Running());
  EXPECT_EQ(child->Available(), 0u);
  WriteBytes(go_, "");
  Finished run = child->Finish();
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.output, "x");
  EXPECT_EQ(run.exit_code, 6u);
}

TEST_F(PlanTimingTest, WaitFileWritesWhatCameBeforeIt) {
  WritePlan("[*]\ntext 第一\n" + PathLine("wait-file", go_) + "text second\n");
  auto child = DismChild::Start(kAddPackage);
  ASSERT_NE(child, nullptr);
  // The read returns only what was written before the wait; "second" cannot
  // come before the go file exists.
  EXPECT_EQ(Hex(child->ReadChunk()), "B5 DA D2 BB");
  EXPECT_TRUE(child->Running());
  WriteBytes(go_, "");
  Finished run = child->Finish();
  ASSERT_TRUE(run.ended);
  ASSERT_EQ(run.chunks.size(), 2u);
  EXPECT_EQ(run.chunks[1], "second");
}

TEST_F(PlanTimingTest, FlushAndSleepWriteWhatCameBeforeThem) {
  for (const std::string directive : {"flush", "sleep 1"}) {
    SCOPED_TRACE(directive);
    DeleteFileW(ready_.c_str());
    DeleteFileW(go_.c_str());
    WritePlan("[*]\ntext abc\n" + directive + "\n" + PathLine("touch", ready_) +
              PathLine("wait-file", go_) + "text def\n");
    auto child = DismChild::Start(kAddPackage);
    ASSERT_NE(child, nullptr);
    ASSERT_TRUE(WaitForFile(ready_));
    // "abc" was written before the touch, so it is in the pipe already.
    EXPECT_EQ(child->Available(), 3u);
    WriteBytes(go_, "");
    Finished run = child->Finish();
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.output, "abcdef");
  }
}

TEST_F(PlanTimingTest, DoubleByteCharacterStraddlesTheChunkBoundary) {
  WritePlan("[*]\nrepeat 1022 A\ntext 中\nexit 0\n");
  Finished run = RunDism(kAddPackage);
  ASSERT_TRUE(run.ended);
  ASSERT_EQ(run.chunks.size(), 2u);
  EXPECT_EQ(run.chunks[0], std::string(1022, 'A') + "\xD6");
  EXPECT_EQ(run.chunks[1], "\xD0");
}

TEST_F(PlanTimingTest, LargeOutputArrivesWholeInChunks) {
  WritePlan("[*]\nrepeat 204800 A\nexit 0\n");
  Finished run = RunDism(kAddPackage);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.exit_code, 0u);
  ASSERT_EQ(run.output.size(), 204800u);
  EXPECT_EQ(run.output.find_first_not_of('A'), std::string::npos);
  EXPECT_GE(run.chunks.size(), (204800u + kChunkSize - 1) / kChunkSize);
}

TEST_F(PlanTimingTest, ExitCode259IsSeenOnlyOnceTheProcessHasEnded) {
  WritePlan("[*]\n" + PathLine("wait-file", go_) + "exit 259\n");
  auto child = DismChild::Start(kAddPackage);
  ASSERT_NE(child, nullptr);
  EXPECT_TRUE(child->Running());
  WriteBytes(go_, "");
  Finished run = child->Finish();
  ASSERT_TRUE(run.ended);
  EXPECT_FALSE(child->Running());
  EXPECT_EQ(run.exit_code, static_cast<DWORD>(STILL_ACTIVE));
}

}  // namespace
}  // namespace dism_e2e
