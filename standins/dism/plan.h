// The plan file that tells the DISM stand-in what to print and how to end.
// Portable: no Windows headers, so the parser is unit-tested natively.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dism_standin {

enum class Op {
  kReport,    // the default output of the command that was received
  kText,      // UTF-8 text (escapes resolved), printed in the OEM code page
  kHex,       // raw bytes
  kRepeat,    // count copies of one character (UTF-8) or of one raw byte
  kFlush,     // write the buffer in one write
  kStdout,    // later output goes to standard output (flushes first)
  kStderr,    // later output goes to standard error (flushes first)
  kWaitFile,  // flush, then wait until a file exists
  kTouch,     // create a file (does not flush)
  kSleep,     // flush, then sleep
  kExit,      // flush, then end with a code
};

struct Directive {
  Op op = Op::kFlush;
  int line = 0;        // line number in the plan file, for messages
  std::string data;    // kText: UTF-8; kHex: bytes; kRepeat: the unit; kWaitFile/kTouch: path
  bool raw = false;    // kRepeat: data is one raw byte rather than one UTF-8 character
  uint64_t count = 0;  // kRepeat: copies; kSleep: milliseconds; kExit: the code
};

struct Section {
  std::string pattern;  // matched case-insensitively (ASCII letters) against the command line
  bool any = false;     // "[*]"
  int line = 0;
  std::vector<Directive> directives;
};

struct Plan {
  std::vector<Section> sections;
};

struct ParseResult {
  std::optional<Plan> plan;  // empty when the text is not a valid plan
  std::string error;         // "line N: ..." when plan is empty
};

// Longest output one repeat may ask for; a typo must not fill the disk or memory.
inline constexpr uint64_t kMaxRepeat = 64ull * 1024 * 1024;

ParseResult ParsePlan(std::string_view utf8);

// The first section whose pattern occurs in the command line, or nullptr.
const Section* SelectSection(const Plan& plan, std::string_view command_line_utf8);

// Resolves \r \n \t \\ \0 in a text argument; nullopt for any other escape or a lone backslash.
std::optional<std::string> Unescape(std::string_view text);

// True if s is well-formed UTF-8.
bool IsValidUtf8(std::string_view s);

}  // namespace dism_standin
