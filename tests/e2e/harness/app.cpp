#include <functional>

#include "harness.h"
#include "internal.h"

namespace e2e {
namespace detail {

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 15000, &result)) return 0;
  return static_cast<LRESULT>(result);
}

std::vector<HWND> TopLevelWindows(DWORD pid, const std::wstring& windowClass) {
  struct Search {
    DWORD pid;
    const std::wstring* cls;
    std::vector<HWND> found;
  } search{pid, &windowClass, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != s->pid) return TRUE;
        wchar_t cls[256];
        GetClassNameW(hwnd, cls, 256);
        if (s->cls->empty() || *s->cls == cls) s->found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindDescendant(HWND parent, const std::function<bool(HWND)>& accept) {
  struct Search {
    const std::function<bool(HWND)>& accept;
    HWND found;
  } search{accept, nullptr};
  EnumChildWindows(
      parent,
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        if (!s->accept(hwnd)) return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Descendant(HWND parent, int id) {
  return FindDescendant(parent, [id](HWND hwnd) { return GetDlgCtrlID(hwnd) == id; });
}

}  // namespace detail

namespace {

struct NoCaseLess {
  bool operator()(const std::wstring& a, const std::wstring& b) const {
    return _wcsicmp(a.c_str(), b.c_str()) < 0;
  }
};

// This process's environment with the extra variables added (or replaced), as
// the sorted, double-terminated block CreateProcessW takes.
std::wstring EnvironmentBlock(const std::map<std::wstring, std::wstring>& extra) {
  std::map<std::wstring, std::wstring, NoCaseLess> vars;
  std::vector<std::wstring> hidden;  // "=C:=C:\..." entries keep their place first
  if (wchar_t* env = GetEnvironmentStringsW()) {
    for (const wchar_t* p = env; *p; p += wcslen(p) + 1) {
      std::wstring entry = p;
      size_t eq = entry.find(L'=', 1);
      if (entry[0] == L'=' || eq == std::wstring::npos)
        hidden.push_back(entry);
      else
        vars[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    FreeEnvironmentStringsW(env);
  }
  for (const auto& [name, value] : extra) vars[name] = value;
  std::wstring block;
  for (const auto& entry : hidden) block += entry + L'\0';
  for (const auto& [name, value] : vars) block += name + L'=' + value + L'\0';
  block += L'\0';
  return block;
}

}  // namespace

std::unique_ptr<App> App::Start(const Options& options) {
  std::wstring dir = options.currentDir;
  if (dir.empty()) dir = options.exe.substr(0, options.exe.find_last_of(L"\\/"));
  std::wstring commandLine = L"\"" + options.exe + L"\"";
  std::wstring env = EnvironmentBlock(options.extraEnv);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(options.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_UNICODE_ENVIRONMENT, env.data(), dir.c_str(), &si, &pi))
    return nullptr;
  CloseHandle(pi.hThread);
  std::unique_ptr<App> app(new App);
  app->process_ = pi.hProcess;
  app->pid_ = pi.dwProcessId;
  WaitFor([&] {
    if (WaitForSingleObject(app->process_, 0) == WAIT_OBJECT_0) return true;  // died
    for (HWND hwnd : detail::TopLevelWindows(app->pid_, options.windowClass)) {
      if (IsWindowVisible(hwnd)) {
        app->window_ = hwnd;
        return true;
      }
    }
    return false;
  });
  if (!app->window_) return nullptr;  // ~App ends the process
  return app;
}

App::~App() {
  if (!process_) return;
  if (window_ && IsWindow(window_)) PostMessageW(window_, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process_, 15000) != WAIT_OBJECT_0) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

HWND App::Control(int id) const { return window_ ? detail::Descendant(window_, id) : nullptr; }

bool App::WaitForExit(std::chrono::milliseconds timeout, DWORD* exitCode) {
  bool ended = WaitFor([&] { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }, timeout);
  if (ended && exitCode) GetExitCodeProcess(process_, exitCode);
  return ended;
}

}  // namespace e2e
