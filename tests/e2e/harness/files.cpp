#include "harness.h"

namespace e2e {
namespace {

std::wstring Env(const wchar_t* name) {
  DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
  if (n == 0) return L"";
  std::wstring value(n, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), n));
  return value;
}

std::wstring WithoutTrailingSlash(std::wstring path) {
  while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  return path;
}

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring child = path + L"\\" + name;
      SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        DeleteFileW(child.c_str());
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(path.c_str());
}

}  // namespace

std::wstring BinDir() {
  std::wstring dir = Env(L"PELLORAN_BIN");
  if (!dir.empty()) return WithoutTrailingSlash(dir);
  // Started by hand: the programs sit beside the test program.
  wchar_t self[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self, n);
  return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring WorkDir() {
  std::wstring dir = Env(L"PELLORAN_WORK");
  if (dir.empty()) {
    wchar_t temp[MAX_PATH];
    dir.assign(temp, GetTempPathW(MAX_PATH, temp));
  }
  dir = WithoutTrailingSlash(dir);
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

std::wstring FreshDir(const std::string& name) {
  std::wstring safe = Wide(name);
  for (wchar_t& c : safe)
    if (wcschr(L"<>:\"/\\|?*", c) || c < 32) c = L'_';
  std::wstring dir = WorkDir() + L"\\" + safe;
  RemoveTree(dir);
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  return CloseHandle(file) && ok;
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char chunk[65536];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, chunk, sizeof chunk, &got, nullptr)) && got > 0)
    bytes.append(chunk, got);
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return bytes;
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WaitFor(const std::function<bool()>& cond, std::chrono::milliseconds timeout) {
  const ULONGLONG deadline = GetTickCount64() + timeout.count();
  for (;;) {
    if (cond()) return true;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (GetTickCount64() >= deadline) return cond();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

}  // namespace e2e
