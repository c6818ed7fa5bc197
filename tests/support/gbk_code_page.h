// Code page 936 on Linux, through iconv: the OEM code page of the systems the
// program is made for.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

#include "base/code_page.h"

namespace fakes {

class GbkCodePage : public base::CodePage {
 public:
  bool IsLeadByte(unsigned char byte) const override { return byte >= 0x81 && byte <= 0xFE; }
  std::string ToUtf8(std::string_view bytes) const override {
    return Convert("CP936", "UTF-8", bytes);
  }
  // For building test input from readable text.
  static std::string FromUtf8(std::string_view utf8) { return Convert("UTF-8", "CP936", utf8); }

 private:
  static std::string Convert(const char* from, const char* to, std::string_view in) {
    iconv_t cd = iconv_open(to, from);
    std::string out(in.size() * 4 + 4, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    while (srcLeft > 0) {
      if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1)) {
        // An undecodable byte shows as '?', as the system's decoder does.
        *dst++ = '?';
        --dstLeft;
        ++src;
        --srcLeft;
      }
    }
    iconv_close(cd);
    out.resize(out.size() - dstLeft);
    return out;
  }
};

}  // namespace fakes
