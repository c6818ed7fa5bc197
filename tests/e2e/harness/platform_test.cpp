// What the harness relies on from the test machine and its own small helpers.
#include <gtest/gtest.h>

#include "harness.h"

namespace e2e {
namespace {

TEST(PlatformTest, CodePagesAreSimplifiedChinese) {
  EXPECT_EQ(GetACP(), 936u);
  EXPECT_EQ(GetOEMCP(), 936u);
}

TEST(TextTest, ConvertsBetweenUtf8AndUtf16) {
  struct Case {
    std::string utf8;
    std::wstring wide;
  };
  const Case cases[] = {
      {"", L""},
      {"Pelloran", L"Pelloran"},
      {"集成修复程序：Dism.exe", L"集成修复程序：Dism.exe"},
      {"\xF0\x9F\x98\x80", L"\xD83D\xDE00"},  // outside the basic plane: a surrogate pair
      {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Wide(c.utf8), c.wide) << c.utf8;
    EXPECT_EQ(Utf8(c.wide), c.utf8) << c.utf8;
  }
}

TEST(FilesTest, FoldersComeFromTheRunner) {
  EXPECT_TRUE(FileExists(BinDir() + L"\\harness_fixture.exe"));
  EXPECT_NE(GetFileAttributesW(WorkDir().c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST(FilesTest, FreshDirIsEmptyEachTime) {
  std::wstring dir = FreshDir("FilesTest 新目录");
  ASSERT_TRUE(WriteFileBytes(dir + L"\\旧.txt", "old"));
  ASSERT_TRUE(CreateDirectoryW((dir + L"\\子目录").c_str(), nullptr));
  ASSERT_TRUE(WriteFileBytes(dir + L"\\子目录\\深.txt", "deep"));
  EXPECT_EQ(FreshDir("FilesTest 新目录"), dir);
  EXPECT_FALSE(FileExists(dir + L"\\旧.txt"));
  EXPECT_FALSE(FileExists(dir + L"\\子目录"));
  EXPECT_TRUE(FileExists(dir));
}

TEST(FilesTest, WritesAndReadsBytesExactly) {
  std::wstring dir = FreshDir("FilesTest.Bytes");
  const std::string bytes = std::string("\xB2\xB9\xB6\xA1\r\n\0\xFF", 8) + std::string(100000, 'x');
  ASSERT_TRUE(WriteFileBytes(dir + L"\\文件.bin", bytes));
  EXPECT_EQ(ReadFileBytes(dir + L"\\文件.bin"), bytes);
  ASSERT_TRUE(WriteFileBytes(dir + L"\\文件.bin", ""));  // replaces, never appends
  EXPECT_EQ(ReadFileBytes(dir + L"\\文件.bin"), "");
  EXPECT_EQ(ReadFileBytes(dir + L"\\没有.bin"), std::nullopt);
  EXPECT_FALSE(WriteFileBytes(dir + L"\\没有的目录\\x.bin", "x"));
}

TEST(WaitForTest, ReturnsOnceTheConditionHoldsOrAtTheTimeout) {
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(WaitFor([] { return false; }, std::chrono::milliseconds(300)));
  EXPECT_GE(GetTickCount64() - start, 290u);
  int calls = 0;
  EXPECT_TRUE(WaitFor([&] { return ++calls == 3; }));
  EXPECT_EQ(calls, 3);
}

TEST(WaitForTest, PumpsThisThreadsMessages) {
  // A timer message is only delivered while somebody dispatches messages.
  static bool fired = false;
  fired = false;
  UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) { fired = true; });
  EXPECT_TRUE(WaitFor([] { return fired; }, std::chrono::seconds(5)));
  KillTimer(nullptr, timer);
}

}  // namespace
}  // namespace e2e
