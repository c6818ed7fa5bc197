// What the stand-in prints with no plan: DISM's Chinese report in code page 936,
// free of the two markers the program reacts to unless an error is reported.
#include <ostream>
#include <string>
#include <vector>

#include "dism_child.h"

namespace dism_e2e {
namespace {

// Written out from code page 936 itself, so a stand-in that printed UTF-8 or
// the ANSI bytes of another code page fails here.
const std::string kBannerGbk = Bytes("B2BF CAF0 D3B3 CFF1 B7FE CEF1 BACD B9DC C0ED B9A4 BEDF");
const std::string kSuccessGbk = Bytes("B2D9 D7F7 B3C9 B9A6 CDEA B3C9 A1A3 0D0A");  // 操作成功完成。
const std::string kErrorMarkerGbk = Bytes("B4 ED CE F3 3A");                       // 错误:
const std::string kNotFoundMarkerGbk = Bytes("D5 D2 B2 BB B5 BD");                 // 找不到

struct DefaultCase {
  const char* name;
  const wchar_t* command_line;
  DWORD exit_code;
  std::vector<std::wstring> phrases;
  friend std::ostream& operator<<(std::ostream& os, const DefaultCase& c) { return os << c.name; }
};

const DefaultCase kDefaultCases[] = {
    {"MountedImages", L"Dism.exe /Get-MountedWimInfo", 0, {L"已装载的映像", L"没有已装载的映像"}},
    {"AddPackageIgnoreCheck",
     L"Dism.exe /Image:\"C:\\挂载 目录\" /Add-Package /PackagePath:\"D:\\补丁\" /IgnoreCheck",
     0,
     {L"映像版本: ", L"[==========================100.0%==========================]\r\n"}},
    {"AddPackage",
     L"Dism.exe /Image:\"C:\\mount\" /Add-Package /PackagePath:\"C:\\hotfix\"",
     0,
     {L"映像版本: ", L"[==========================100.0%==========================]\r\n"}},
    {"AddDriverForceUnsigned",
     L"dism.exe /image:\"C:\\挂载\" /add-driver /driver:\"C:\\驱动\" /forceunsigned",
     0,
     {L"映像版本: ", L"驱动程序包",
      L"[==========================100.0%==========================]\r\n"}},
    {"AddDriver",
     L"dism.exe /image:\"C:\\m\" /add-driver /driver:\"C:\\d\"",
     0,
     {L"映像版本: ", L"驱动程序包"}},
    {"UnknownOption", L"Dism.exe /Frobnicate", 87, {L"错误: 87\r\n"}},
    {"NoOption", L"Dism.exe", 87, {L"错误: 87\r\n"}},
};

class DefaultOutputTest : public StandinTest, public ::testing::WithParamInterface<DefaultCase> {
 protected:
  ScopedEnv no_plan_{L"DISM_STANDIN_PLAN", std::nullopt};
};

TEST_P(DefaultOutputTest, PrintsDismReportInCodePage936) {
  const DefaultCase& c = GetParam();
  Finished run = RunDism(c.command_line);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.exit_code, c.exit_code);

  auto text = DecodeGbk(run.output);
  ASSERT_TRUE(text.has_value()) << "not valid code page 936: " << Hex(run.output);
  EXPECT_EQ(Oem(*text), run.output) << "the bytes do not round-trip through the OEM code page";
  EXPECT_EQ(run.output.substr(0, 4 + kBannerGbk.size()), "\r\n" + kBannerGbk + "\r\n");
  EXPECT_NE(text->find(L"\r\n版本: 10."), std::wstring::npos);
  for (const auto& phrase : c.phrases) {
    EXPECT_NE(text->find(phrase), std::wstring::npos) << Utf8(phrase);
  }
  for (size_t i = 0; i < text->size(); ++i) {
    if ((*text)[i] == L'\n') {
      EXPECT_TRUE(i > 0 && (*text)[i - 1] == L'\r') << "bare LF at " << i;
    }
    if ((*text)[i] == L'\r') {
      EXPECT_EQ(text->substr(i, 2), L"\r\n") << "bare CR at " << i;
    }
  }
  EXPECT_EQ(text->find(L'\0'), std::wstring::npos);
  EXPECT_EQ(text->find(L"找不到"), std::wstring::npos);
  EXPECT_EQ(run.output.find(kNotFoundMarkerGbk), std::string::npos);
  if (c.exit_code == 0) {
    EXPECT_EQ(text->find(L"错误:"), std::wstring::npos);
    EXPECT_EQ(run.output.find(kErrorMarkerGbk), std::string::npos);
    ASSERT_GE(run.output.size(), kSuccessGbk.size());
    EXPECT_EQ(run.output.substr(run.output.size() - kSuccessGbk.size()), kSuccessGbk);
  } else {
    EXPECT_NE(run.output.find(kErrorMarkerGbk), std::string::npos);
    EXPECT_EQ(text->find(L"操作成功完成"), std::wstring::npos);
  }
}

TEST_P(DefaultOutputTest, RecordsTheCommandLineAsSent) {
  const DefaultCase& c = GetParam();
  Finished run = RunDism(c.command_line);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(Log(), Utf8(c.command_line) + "\n");
}

INSTANTIATE_TEST_SUITE_P(Commands, DefaultOutputTest, ::testing::ValuesIn(kDefaultCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dism_e2e
