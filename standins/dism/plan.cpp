#include "plan.h"

#include <charconv>

namespace dism_standin {
namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool ContainsFolded(std::string_view haystack, std::string_view needle) {
  if (needle.size() > haystack.size()) return false;
  for (size_t i = 0; i + needle.size() <= haystack.size(); ++i) {
    size_t k = 0;
    while (k < needle.size() && FoldAscii(haystack[i + k]) == FoldAscii(needle[k])) ++k;
    if (k == needle.size()) return true;
  }
  return false;
}

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decimal, or hexadecimal with a 0x prefix; the whole text must be the number.
std::optional<uint64_t> ParseNumber(std::string_view s, uint64_t max) {
  int base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty()) return std::nullopt;
  uint64_t value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
  if (ec != std::errc() || end != s.data() + s.size() || value > max) return std::nullopt;
  return value;
}

std::optional<std::string> ParseHexBytes(std::string_view s) {
  std::string bytes;
  int high = -1;
  for (char c : s) {
    if (IsSpace(c)) {
      if (high >= 0) return std::nullopt;  // a byte is two adjacent digits
      continue;
    }
    int d = HexDigit(c);
    if (d < 0) return std::nullopt;
    if (high < 0) {
      high = d;
    } else {
      bytes.push_back(static_cast<char>(high * 16 + d));
      high = -1;
    }
  }
  if (high >= 0 || bytes.empty()) return std::nullopt;
  return bytes;
}

size_t Utf8Length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 0;
}

}  // namespace

bool IsValidUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    auto lead = static_cast<unsigned char>(s[i]);
    size_t n = Utf8Length(lead);
    if (n == 0 || i + n > s.size()) return false;
    uint32_t cp = n == 1 ? lead : lead & (0x7F >> n);
    for (size_t k = 1; k < n; ++k) {
      auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr uint32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += n;
  }
  return true;
}

std::optional<std::string> Unescape(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out.push_back(text[i]);
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case 'r':
        out.push_back('\r');
        break;
      case 'n':
        out.push_back('\n');
        break;
      case 't':
        out.push_back('\t');
        break;
      case '\\':
        out.push_back('\\');
        break;
      case '0':
        out.push_back('\0');
        break;
      default:
        return std::nullopt;
    }
  }
  return out;
}

ParseResult ParsePlan(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  Plan plan;
  int line_number = 0;
  auto fail = [&line_number](std::string what) {
    return ParseResult{std::nullopt, "line " + std::to_string(line_number) + ": " + what};
  };
  std::vector<std::string_view> lines;
  for (size_t pos = 0;;) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(pos));
      break;
    }
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
  for (std::string_view raw : lines) {
    ++line_number;
    if (!IsValidUtf8(raw)) return fail("not UTF-8");
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    std::string_view line = TrimLeft(raw);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      std::string_view header = TrimRight(line);
      if (header.back() != ']' || header.size() < 3) return fail("bad section header");
      Section section;
      section.pattern = std::string(header.substr(1, header.size() - 2));
      section.any = section.pattern == "*";
      section.line = line_number;
      plan.sections.push_back(std::move(section));
      continue;
    }
    if (plan.sections.empty()) return fail("directive before the first [section]");
    size_t space = line.find(' ');
    std::string_view word = line.substr(0, space);
    // The argument is everything after the one space, so a text may keep its spaces.
    std::string_view arg = space == std::string_view::npos ? "" : line.substr(space + 1);
    std::string_view trimmed = TrimRight(arg);
    Directive d;
    d.line = line_number;
    if (word == "report" || word == "flush" || word == "stdout" || word == "stderr") {
      if (!trimmed.empty()) return fail(std::string(word) + " takes no argument");
      d.op = word == "report"   ? Op::kReport
             : word == "flush"  ? Op::kFlush
             : word == "stdout" ? Op::kStdout
                                : Op::kStderr;
    } else if (word == "text") {
      auto unescaped = Unescape(arg);
      if (!unescaped) return fail("bad escape in text (known: \\r \\n \\t \\\\ \\0)");
      d.op = Op::kText;
      d.data = std::move(*unescaped);
    } else if (word == "hex") {
      auto bytes = ParseHexBytes(arg);
      if (!bytes) return fail("hex wants pairs of hex digits");
      d.op = Op::kHex;
      d.data = std::move(*bytes);
    } else if (word == "repeat") {
      size_t gap = arg.find(' ');
      if (gap == std::string_view::npos) return fail("repeat wants <count> <char or 0xHH>");
      auto count = ParseNumber(arg.substr(0, gap), kMaxRepeat);
      if (!count) return fail("bad repeat count");
      std::string_view unit = arg.substr(gap + 1);
      d.op = Op::kRepeat;
      d.count = *count;
      if (unit.size() == 4 && unit[0] == '0' && (unit[1] == 'x' || unit[1] == 'X') &&
          HexDigit(unit[2]) >= 0 && HexDigit(unit[3]) >= 0) {
        d.raw = true;
        d.data = std::string(1, static_cast<char>(HexDigit(unit[2]) * 16 + HexDigit(unit[3])));
      } else if (!unit.empty() && Utf8Length(static_cast<unsigned char>(unit[0])) == unit.size()) {
        d.data = std::string(unit);
      } else {
        return fail("repeat unit must be one character or 0xHH");
      }
    } else if (word == "wait-file" || word == "touch") {
      if (trimmed.empty()) return fail(std::string(word) + " wants a path");
      d.op = word == "touch" ? Op::kTouch : Op::kWaitFile;
      d.data = std::string(trimmed);
    } else if (word == "sleep") {
      auto ms = ParseNumber(trimmed, 0xFFFFFFFEull);  // INFINITE is not a sleep a test wants
      if (!ms) return fail("bad sleep milliseconds");
      d.op = Op::kSleep;
      d.count = *ms;
    } else if (word == "exit") {
      auto code = ParseNumber(trimmed, 0xFFFFFFFFull);
      if (!code) return fail("bad exit code (0 to 4294967295, decimal or 0x)");
      d.op = Op::kExit;
      d.count = *code;
    } else {
      return fail("unknown directive '" + std::string(word) + "'");
    }
    plan.sections.back().directives.push_back(std::move(d));
  }
  return ParseResult{std::move(plan), ""};
}

const Section* SelectSection(const Plan& plan, std::string_view command_line) {
  for (const Section& section : plan.sections) {
    if (section.any || ContainsFolded(command_line, section.pattern)) return &section;
  }
  return nullptr;
}

}  // namespace dism_standin
