#include "program_session.h"

namespace program_e2e {

std::unique_ptr<Session> Session::Start(const std::string& testName, const std::string& plan,
                                        const std::wstring& exe) {
  auto session = std::make_unique<Session>();
  session->dir = e2e::FreshDir(testName);
  session->dismLog = session->dir + L"\\dism-calls.log";
  e2e::App::Options options;
  options.exe = exe.empty() ? e2e::BinDir() + L"\\Pelloran.exe" : exe;
  options.windowClass = L"PelloranMain";
  options.extraEnv[L"DISM_STANDIN_LOG"] = session->dismLog;
  if (!plan.empty()) {
    std::string text = plan;
    const std::string dir = e2e::Utf8(session->dir);
    for (size_t at; (at = text.find("{dir}")) != std::string::npos;) text.replace(at, 5, dir);
    const std::wstring planFile = session->dir + L"\\dism-plan.txt";
    if (!e2e::WriteFileBytes(planFile, text)) return nullptr;
    options.extraEnv[L"DISM_STANDIN_PLAN"] = planFile;
  }
  session->app = e2e::App::Start(options);
  if (!session->app) return nullptr;
  return session;
}

std::vector<std::string> Session::DismCommands() const {
  std::vector<std::string> lines;
  const auto text = e2e::ReadFileBytes(dismLog);
  if (!text) return lines;
  size_t start = 0;
  for (size_t end; (end = text->find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text->substr(start, end - start));
  }
  return lines;
}

}  // namespace program_e2e
