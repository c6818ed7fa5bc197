#include "base/chunk_decoder.h"

namespace base {

std::string ChunkDecoder::Feed(std::string_view chunk) {
  std::string bytes = pending_;
  bytes.append(chunk);
  pending_.clear();
  // Walk character by character from a known boundary: a trail byte can look
  // like a lead byte, so only the walk tells whether the last byte starts a
  // character that the next chunk completes.
  size_t i = 0;
  while (i < bytes.size()) {
    const bool lead = codePage_.IsLeadByte(static_cast<unsigned char>(bytes[i]));
    if (lead && i + 1 == bytes.size()) {
      pending_ = bytes.substr(i);
      bytes.resize(i);
      break;
    }
    i += lead ? 2 : 1;
  }
  if (bytes.empty()) return {};
  return codePage_.ToUtf8(bytes);
}

std::string ChunkDecoder::Finish() {
  std::string rest;
  rest.swap(pending_);
  if (rest.empty()) return {};
  return codePage_.ToUtf8(rest);
}

}  // namespace base
