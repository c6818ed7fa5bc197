// A double-byte (or single-byte) code page of the system, such as the OEM code
// page a console program writes in.
#pragma once

#include <string>
#include <string_view>

namespace base {

class CodePage {
 public:
  virtual ~CodePage() = default;
  virtual bool IsLeadByte(unsigned char byte) const = 0;
  // Decodes complete characters to UTF-8.
  virtual std::string ToUtf8(std::string_view bytes) const = 0;
};

}  // namespace base
