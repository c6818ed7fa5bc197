// Starting the DISM stand-in the way the program does (one anonymous pipe for
// standard output and standard error) and the files and variables around it.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dism_e2e {

// Upper bound for every wait; a test that reaches it has failed, it never passes by waiting.
inline constexpr DWORD kTimeoutMs = 30'000;
// The program reads the pipe 1023 bytes at a time.
inline constexpr DWORD kChunkSize = 1023;

std::wstring BinDir();       // PELLORAN_BIN
std::wstring StandinPath();  // BinDir()\Dism.exe

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);
// Bytes as the OEM code page (936 in the test prefix) spells them.
std::string Oem(const std::wstring& wide);
// Strict decoding from code page 936; nullopt if the bytes are not valid there.
std::optional<std::wstring> DecodeGbk(const std::string& bytes);
// "B4 ED 3A" to bytes.
std::string Bytes(const std::string& hex);
std::string Hex(const std::string& bytes);

void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);
// Polls until the file exists; false after kTimeoutMs.
bool WaitForFile(const std::wstring& path);

// Sets (or, with nullopt, removes) an environment variable for the children
// started while it lives, and puts the old value back afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const wchar_t* name, std::optional<std::wstring> value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::wstring name_;
  std::optional<std::wstring> old_;
};

// A fresh folder under PELLORAN_WORK for one test, emptied again when it goes.
class WorkFolder {
 public:
  WorkFolder();
  ~WorkFolder();
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;
  std::wstring Path(const std::wstring& name) const { return dir_ + L"\\" + name; }

 private:
  std::wstring dir_;
};

struct Finished {
  std::string output;               // standard output (and standard error, when shared)
  std::vector<std::string> chunks;  // output as the 1023-byte reads returned it
  std::string error;                // standard error, when it has a pipe of its own
  DWORD exit_code = 0;
  bool ended = false;  // false if the child outlived kTimeoutMs
};

class DismChild {
 public:
  // Starts `application` (the stand-in unless given; nullptr lets CreateProcessW
  // search as it does for the program) with exactly `command_line`.
  static std::unique_ptr<DismChild> Start(const std::wstring& command_line,
                                          bool separate_stderr = false,
                                          std::optional<std::wstring> application = StandinPath());
  ~DismChild();
  DismChild(const DismChild&) = delete;
  DismChild& operator=(const DismChild&) = delete;

  DWORD Available();        // bytes waiting in the output pipe
  bool Running();           // the process has not ended yet
  std::string ReadChunk();  // one read of up to 1023 bytes; empty once the pipe is closed
  // Reads standard output to its end, then standard error (so a child must not
  // fill the error pipe before it ends), and waits for the process.
  Finished Finish();

 private:
  DismChild() = default;
  HANDLE process_ = nullptr;
  HANDLE out_ = nullptr;
  HANDLE err_ = nullptr;
  std::vector<std::string> chunks_;
};

// Start plus Finish; ASSERT-friendly for the common case.
Finished RunDism(const std::wstring& command_line, bool separate_stderr = false);

}  // namespace dism_e2e

namespace dism_e2e {

// A test's own folder with the stand-in's two variables pointed into it (or
// removed), so no test sees another's plan or log.
class StandinTest : public ::testing::Test {
 protected:
  void WritePlan(const std::string& utf8) { WriteBytes(plan_, utf8); }
  std::string Log() { return ReadBytes(log_); }

  WorkFolder work_;
  std::wstring plan_ = work_.Path(L"plan.txt");
  std::wstring log_ = work_.Path(L"log.txt");
  ScopedEnv plan_env_{L"DISM_STANDIN_PLAN", plan_};
  ScopedEnv log_env_{L"DISM_STANDIN_LOG", log_};
};

}  // namespace dism_e2e
