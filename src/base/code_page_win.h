#pragma once

#include "base/code_page.h"

namespace base {

// The system's OEM code page, in which console programs write.
class OemCodePage : public CodePage {
 public:
  OemCodePage();
  bool IsLeadByte(unsigned char byte) const override;
  std::string ToUtf8(std::string_view bytes) const override;

 private:
  unsigned codePage_;
};

}  // namespace base
