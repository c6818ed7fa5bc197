// Decodes a byte stream that arrives in chunks. A double-byte character cut by
// a chunk boundary is held back and decoded whole with the next chunk.
#pragma once

#include <string>
#include <string_view>

#include "base/code_page.h"

namespace base {

class ChunkDecoder {
 public:
  explicit ChunkDecoder(const CodePage& codePage) : codePage_(codePage) {}

  // The UTF-8 text of the complete characters so far.
  std::string Feed(std::string_view chunk);
  // Forgets a held-back byte: the next chunk starts a new character.
  void Restart() { pending_.clear(); }
  // The end of the stream: a held-back lone lead byte is decoded as it is.
  std::string Finish();

 private:
  const CodePage& codePage_;
  std::string pending_;
};

}  // namespace base
