#include <gtest/gtest.h>

#include "base/chunk_decoder.h"
#include "base/text_search.h"
#include "base/utf.h"
#include "gbk_code_page.h"

namespace {

TEST(Utf, RoundTripsChineseAndCharactersBeyondTheBasicPlane) {
  for (const std::string text : {"", "Pelloran", "集成修复程序：Dism.exe", "路径\\𠀋\\x"}) {
    EXPECT_EQ(base::Utf16ToUtf8(base::Utf8ToUtf16(text)), text);
  }
  EXPECT_EQ(base::Utf8ToUtf16("𠀋").size(), 2u);  // a surrogate pair
}

TEST(Utf, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(base::Utf8ToUtf16("a\xFF"
                              "b"),
            u"a\uFFFDb");
  EXPECT_EQ(base::Utf8ToUtf16("\xE4\xB8"), u"\uFFFD");                         // cut short
  EXPECT_EQ(base::Utf8ToUtf16("\xC0\xAF"), u"\uFFFD");                         // overlong
  EXPECT_EQ(base::Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");  // lone surrogate
}

TEST(TextSearch, FindsWholeCharactersOnly) {
  EXPECT_TRUE(base::ContainsText("错误: 87", "错误:"));
  EXPECT_FALSE(base::ContainsText("错误：87", "错误:"));
  EXPECT_FALSE(base::ContainsText("", "找不到"));
}

TEST(ChunkDecoder, HoldsBackALeadByteUntilItsTrailArrives) {
  fakes::GbkCodePage gbk;
  base::ChunkDecoder decoder(gbk);
  const std::string bytes = fakes::GbkCodePage::FromUtf8("挂载");
  EXPECT_EQ(decoder.Feed(bytes.substr(0, 3)), "挂");
  EXPECT_EQ(decoder.Feed(bytes.substr(3)), "载");
  EXPECT_EQ(decoder.Finish(), "");
}

TEST(ChunkDecoder, ATrailByteInTheLeadRangeIsNotHeldBack) {
  fakes::GbkCodePage gbk;
  base::ChunkDecoder decoder(gbk);
  // "到" is B5 BD: its trail byte is also a valid lead byte.
  EXPECT_EQ(decoder.Feed(fakes::GbkCodePage::FromUtf8("到")), "到");
  EXPECT_EQ(decoder.Feed("x"), "x");
}

TEST(ChunkDecoder, ALoneLeadByteAtTheEndIsStillShown) {
  fakes::GbkCodePage gbk;
  base::ChunkDecoder decoder(gbk);
  EXPECT_EQ(decoder.Feed("ok\xB4"), "ok");
  EXPECT_EQ(decoder.Finish(), "?");
}

}  // namespace
