#include "dism_child.h"

#include <gtest/gtest.h>

namespace dism_e2e {
namespace {

std::optional<std::wstring> GetEnv(const wchar_t* name) {
  SetLastError(0);
  DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
  if (n == 0) {
    if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return std::wstring();
  }
  std::wstring value(n, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), n));
  return value;
}

std::wstring RequiredEnv(const wchar_t* name) {
  auto value = GetEnv(name);
  if (!value || value->empty()) {
    ADD_FAILURE() << Utf8(name) << " is not set; run the tests through scripts/lib/wine-run";
    return L"C:\\missing";
  }
  return *value;
}

HANDLE InheritableCopy(HANDLE h) {
  HANDLE copy = nullptr;
  DuplicateHandle(GetCurrentProcess(), h, GetCurrentProcess(), &copy, 0, TRUE,
                  DUPLICATE_SAME_ACCESS);
  return copy;
}

void DeleteFlatFolder(const std::wstring& dir) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW((dir + L"\\" + data.cFileName).c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(dir.c_str());
}

}  // namespace

std::wstring BinDir() { return RequiredEnv(L"PELLORAN_BIN"); }
std::wstring StandinPath() { return BinDir() + L"\\Dism.exe"; }

std::wstring Wide(const std::string& s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string s(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                      nullptr);
  return s;
}

std::string Oem(const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_OEMCP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string s(n, '\0');
  WideCharToMultiByte(CP_OEMCP, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                      nullptr);
  return s;
}

std::optional<std::wstring> DecodeGbk(const std::string& s) {
  if (s.empty()) return std::wstring();
  int n = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, s.data(), static_cast<int>(s.size()),
                              nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring w(n, L'\0');
  MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::string Bytes(const std::string& hex) {
  std::string out;
  std::string digits;
  for (char c : hex) {
    if (c == ' ') continue;
    digits.push_back(c);
    if (digits.size() == 2) {
      out.push_back(static_cast<char>(std::stoi(digits, nullptr, 16)));
      digits.clear();
    }
  }
  EXPECT_TRUE(digits.empty()) << "odd hex in the test itself: " << hex;
  return out;
}

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out.push_back(' ');
    out.push_back(kDigits[c >> 4]);
    out.push_back(kDigits[c & 15]);
  }
  return out;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << Utf8(path) << " error " << GetLastError();
  DWORD written = 0;
  BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
  ASSERT_TRUE(ok && written == bytes.size()) << Utf8(path);
}

std::string ReadBytes(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    ADD_FAILURE() << "cannot open " << Utf8(path) << ": error " << GetLastError();
    return {};
  }
  std::string out;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
  CloseHandle(h);
  return out;
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WaitForFile(const std::wstring& path) {
  ULONGLONG start = GetTickCount64();
  while (!FileExists(path)) {
    if (GetTickCount64() - start > kTimeoutMs) return false;
    Sleep(2);
  }
  return true;
}

ScopedEnv::ScopedEnv(const wchar_t* name, std::optional<std::wstring> value)
    : name_(name), old_(GetEnv(name)) {
  SetEnvironmentVariableW(name, value ? value->c_str() : nullptr);
}

ScopedEnv::~ScopedEnv() { SetEnvironmentVariableW(name_.c_str(), old_ ? old_->c_str() : nullptr); }

WorkFolder::WorkFolder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "none";
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  std::wstring root = RequiredEnv(L"PELLORAN_WORK") + L"\\dism";
  CreateDirectoryW(root.c_str(), nullptr);
  dir_ = root + L"\\" + Wide(name) + L"." + std::to_wstring(GetCurrentProcessId());
  DeleteFlatFolder(dir_);
  if (!CreateDirectoryW(dir_.c_str(), nullptr)) {
    ADD_FAILURE() << "cannot create " << Utf8(dir_) << ": error " << GetLastError();
  }
}

WorkFolder::~WorkFolder() { DeleteFlatFolder(dir_); }

std::unique_ptr<DismChild> DismChild::Start(const std::wstring& command_line, bool separate_stderr,
                                            std::optional<std::wstring> application) {
  std::unique_ptr<DismChild> child(new DismChild);
  HANDLE out_write = nullptr;
  HANDLE err_write = nullptr;
  // The pipes are made uninheritable and only the child's copies are inheritable,
  // and only while it starts: a child started alongside must not hold another
  // child's write end, or that pipe would never report its end.
  if (!CreatePipe(&child->out_, &out_write, nullptr, 0)) return nullptr;
  if (separate_stderr && !CreatePipe(&child->err_, &err_write, nullptr, 0)) return nullptr;
  HANDLE out_child = InheritableCopy(out_write);
  HANDLE err_child = separate_stderr ? InheritableCopy(err_write) : out_child;
  CloseHandle(out_write);
  if (err_write) CloseHandle(err_write);

  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  si.wShowWindow = SW_HIDE;
  si.hStdOutput = out_child;
  si.hStdError = err_child;
  PROCESS_INFORMATION pi{};
  std::wstring mutable_line = command_line;
  BOOL started = CreateProcessW(application ? application->c_str() : nullptr, mutable_line.data(),
                                nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  DWORD error = GetLastError();
  CloseHandle(out_child);
  if (separate_stderr) CloseHandle(err_child);
  if (!started) {
    ADD_FAILURE() << "cannot start " << Utf8(command_line) << ": error " << error;
    return nullptr;
  }
  CloseHandle(pi.hThread);
  child->process_ = pi.hProcess;
  return child;
}

DismChild::~DismChild() {
  if (process_) {
    // A test that failed half-way must not leave a waiting stand-in behind.
    if (Running()) TerminateProcess(process_, 1);
    CloseHandle(process_);
  }
  if (out_) CloseHandle(out_);
  if (err_) CloseHandle(err_);
}

DWORD DismChild::Available() {
  DWORD available = 0;
  PeekNamedPipe(out_, nullptr, 0, nullptr, &available, nullptr);
  return available;
}

bool DismChild::Running() { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::string DismChild::ReadChunk() {
  char buffer[kChunkSize];
  DWORD got = 0;
  if (!ReadFile(out_, buffer, kChunkSize, &got, nullptr) || got == 0) return {};
  chunks_.emplace_back(buffer, got);
  return chunks_.back();
}

Finished DismChild::Finish() {
  Finished result;
  while (!ReadChunk().empty()) {
  }
  if (err_) {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(err_, buffer, sizeof buffer, &got, nullptr) && got > 0) {
      result.error.append(buffer, got);
    }
  }
  result.chunks = chunks_;
  for (const auto& chunk : chunks_) result.output += chunk;
  result.ended = WaitForSingleObject(process_, kTimeoutMs) == WAIT_OBJECT_0;
  GetExitCodeProcess(process_, &result.exit_code);
  return result;
}

Finished RunDism(const std::wstring& command_line, bool separate_stderr) {
  auto child = DismChild::Start(command_line, separate_stderr);
  if (!child) return {};
  return child->Finish();
}

}  // namespace dism_e2e
