#include "base/code_page_win.h"

#include <windows.h>

#include "base/wide_win.h"

namespace base {

OemCodePage::OemCodePage() : codePage_(GetOEMCP()) {}

bool OemCodePage::IsLeadByte(unsigned char byte) const {
  return IsDBCSLeadByteEx(codePage_, byte) != FALSE;
}

std::string OemCodePage::ToUtf8(std::string_view bytes) const {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage_, 0, bytes.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage_, 0, bytes.data(), size, wide.data(), length);
  return Narrow(wide);
}

}  // namespace base
