// The DISM stand-in: a console program that takes Dism.exe's place under Wine.
// It prints DISM-like Chinese output in the OEM code page, or whatever the plan
// file named by DISM_STANDIN_PLAN says, and records its command line in the file
// named by DISM_STANDIN_LOG. See README.md.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plan.h"
#include "reports.h"

namespace dism_standin {
namespace {

// A misconfigured test must fail, never pass on default output.
constexpr DWORD kStandinFailure = 2;
constexpr DWORD kWaitFileLimitMs = 60'000;

std::wstring WideFromUtf8(std::string_view s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::string Utf8FromWide(std::wstring_view w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                      nullptr);
  return s;
}

// nullopt when a character has no form in the OEM code page: printing '?' instead
// would hide a mistake in the test's plan.
std::optional<std::string> OemFromUtf8(std::string_view s) {
  std::wstring w = WideFromUtf8(s);
  if (w.empty()) return std::string();
  BOOL used_default = FALSE;
  int n = WideCharToMultiByte(CP_OEMCP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                              nullptr, &used_default);
  if (n <= 0 || used_default) return std::nullopt;
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_OEMCP, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

void WriteAll(HANDLE h, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written == 0) {
      return;  // the reader is gone; nobody is left to tell
    }
    bytes.remove_prefix(written);
  }
}

[[noreturn]] void Fail(std::string_view message_utf8) {
  std::string line = "Dism stand-in: " + std::string(message_utf8) + "\r\n";
  auto oem = OemFromUtf8(line);
  WriteAll(GetStdHandle(STD_ERROR_HANDLE), oem ? *oem : line);
  ExitProcess(kStandinFailure);
}

std::optional<std::wstring> Environment(const wchar_t* name) {
  DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
  if (n == 0) return std::nullopt;
  std::wstring value(n, L'\0');
  n = GetEnvironmentVariableW(name, value.data(), n);
  value.resize(n);
  return value;
}

std::string LastErrorText() { return "error " + std::to_string(GetLastError()); }

void LogCommandLine(const std::wstring& log_path, const std::string& command_line) {
  // Wine does not make FILE_APPEND_DATA writes atomic between processes (two
  // stand-ins started together lost a line), so each append holds a lock on the
  // whole file while it seeks to the end and writes.
  HANDLE h = CreateFileW(log_path.c_str(), GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    Fail("cannot open the log " + Utf8FromWide(log_path) + ": " + LastErrorText());
  }
  OVERLAPPED whole_file{};
  if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole_file)) {
    std::string error = LastErrorText();
    CloseHandle(h);
    Fail("cannot lock the log " + Utf8FromWide(log_path) + ": " + error);
  }
  std::string line = command_line + "\n";
  DWORD written = 0;
  LARGE_INTEGER zero{};
  BOOL ok = SetFilePointerEx(h, zero, nullptr, FILE_END) &&
            WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  std::string error = LastErrorText();
  UnlockFileEx(h, 0, MAXDWORD, MAXDWORD, &whole_file);
  CloseHandle(h);
  if (!ok || written != line.size()) {
    Fail("cannot write the log " + Utf8FromWide(log_path) + ": " + error);
  }
}

std::string ReadPlanFile(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    Fail("cannot open the plan " + Utf8FromWide(path) + ": " + LastErrorText());
  }
  std::string text;
  char buffer[4096];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(h, buffer, sizeof buffer, &got, nullptr)) {
      std::string error = LastErrorText();
      CloseHandle(h);
      Fail("cannot read the plan " + Utf8FromWide(path) + ": " + error);
    }
    if (got == 0) break;
    text.append(buffer, got);
  }
  CloseHandle(h);
  return text;
}

// One directive with its output already in the bytes it will be written as, so a
// bad plan is refused before anything is printed.
struct Step {
  Op op;
  std::string bytes;
  std::wstring path;
  uint64_t count = 0;
};

std::vector<Step> Compile(const Section& section, const std::string& command_line,
                          std::optional<uint32_t>& report_exit) {
  std::vector<Step> steps;
  for (const Directive& d : section.directives) {
    Step step{d.op, {}, {}, d.count};
    auto where = "plan line " + std::to_string(d.line) + ": ";
    switch (d.op) {
      case Op::kReport: {
        Report report = DefaultReport(command_line);
        auto oem = OemFromUtf8(report.text);
        if (!oem) Fail("the report has no form in the OEM code page");
        step.op = Op::kText;
        step.bytes = std::move(*oem);
        report_exit = report.exit_code;
        break;
      }
      case Op::kText: {
        auto oem = OemFromUtf8(d.data);
        if (!oem) Fail(where + "text has characters outside the OEM code page");
        step.bytes = std::move(*oem);
        break;
      }
      case Op::kRepeat: {
        std::string unit = d.data;
        if (!d.raw) {
          auto oem = OemFromUtf8(d.data);
          if (!oem) Fail(where + "character outside the OEM code page");
          unit = std::move(*oem);
        }
        step.op = Op::kText;
        step.bytes.reserve(unit.size() * d.count);
        for (uint64_t i = 0; i < d.count; ++i) step.bytes += unit;
        break;
      }
      case Op::kHex:
        step.op = Op::kText;
        step.bytes = d.data;
        break;
      case Op::kWaitFile:
      case Op::kTouch:
        step.path = WideFromUtf8(d.data);
        break;
      default:
        break;
    }
    steps.push_back(std::move(step));
  }
  return steps;
}

class Output {
 public:
  void Add(std::string_view bytes) { buffer_ += bytes; }
  void Flush() {
    WriteAll(target_, buffer_);
    buffer_.clear();
  }
  void SwitchTo(DWORD std_handle) {
    Flush();
    target_ = GetStdHandle(std_handle);
  }

 private:
  HANDLE target_ = GetStdHandle(STD_OUTPUT_HANDLE);
  std::string buffer_;
};

DWORD Run(const std::vector<Step>& steps, DWORD exit_at_end) {
  Output out;
  for (const Step& step : steps) {
    switch (step.op) {
      case Op::kText:
        out.Add(step.bytes);
        break;
      case Op::kFlush:
        out.Flush();
        break;
      case Op::kStdout:
        out.SwitchTo(STD_OUTPUT_HANDLE);
        break;
      case Op::kStderr:
        out.SwitchTo(STD_ERROR_HANDLE);
        break;
      case Op::kTouch: {
        HANDLE h = CreateFileW(step.path.c_str(), GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
          out.Flush();
          Fail("cannot touch " + Utf8FromWide(step.path) + ": " + LastErrorText());
        }
        CloseHandle(h);
        break;
      }
      case Op::kWaitFile: {
        out.Flush();
        ULONGLONG start = GetTickCount64();
        while (GetFileAttributesW(step.path.c_str()) == INVALID_FILE_ATTRIBUTES) {
          if (GetTickCount64() - start > kWaitFileLimitMs) {
            Fail("gave up waiting for " + Utf8FromWide(step.path));
          }
          Sleep(5);
        }
        break;
      }
      case Op::kSleep:
        out.Flush();
        Sleep(static_cast<DWORD>(step.count));
        break;
      case Op::kExit:
        out.Flush();
        return static_cast<DWORD>(step.count);
      default:
        break;
    }
  }
  out.Flush();
  return exit_at_end;
}

DWORD Main() {
  std::string command_line = Utf8FromWide(GetCommandLineW());
  if (auto log = Environment(L"DISM_STANDIN_LOG"); log && !log->empty()) {
    LogCommandLine(*log, command_line);
  }
  Section report_only;
  report_only.directives.push_back(Directive{Op::kReport, 0, {}, false, 0});
  const Section* section = &report_only;
  std::optional<Plan> plan;
  if (auto plan_path = Environment(L"DISM_STANDIN_PLAN")) {
    if (plan_path->empty()) Fail("DISM_STANDIN_PLAN is set but empty");
    ParseResult parsed = ParsePlan(ReadPlanFile(*plan_path));
    if (!parsed.plan) Fail("plan " + Utf8FromWide(*plan_path) + ", " + parsed.error);
    plan = std::move(parsed.plan);
    // A command that no section names gets the default output.
    if (const Section* chosen = SelectSection(*plan, command_line)) section = chosen;
  }
  std::optional<uint32_t> report_exit;
  auto steps = Compile(*section, command_line, report_exit);
  return Run(steps, report_exit.value_or(0));
}

}  // namespace
}  // namespace dism_standin

int wmain() { ExitProcess(dism_standin::Main()); }
