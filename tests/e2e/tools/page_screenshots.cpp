// Saves a screenshot of each page of the main window (for the README):
// page_screenshots <folder> writes page1.bmp .. page4.bmp and prints the
// window's client rectangle on the screen as "x y width height".
#include <windows.h>

#include <cstdio>
#include <thread>

#include "harness.h"
#include "shell/controls.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: page_screenshots <folder>\n");
    return 2;
  }
  const std::wstring folder = argv[1];
  e2e::App::Options options;
  options.exe = e2e::BinDir() + L"\\Pelloran.exe";
  options.windowClass = L"PelloranMain";
  auto app = e2e::App::Start(options);
  if (!app) return 1;
  const HWND echo = app->Control(static_cast<int>(shell::Control::回显));
  e2e::WaitFor([&] { return e2e::Text(echo).find("操作成功完成") != std::string::npos; });
  const HWND tab = app->Control(static_cast<int>(shell::Control::选择夹1));
  for (int page = 0; page < 4; ++page) {
    e2e::ClickTab(tab, page);
    e2e::WaitFor([&] { return e2e::TabCurrent(tab) == page; });
    RedrawWindow(app->Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // Painting is not observable from here; give it a moment.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    if (!e2e::Screenshot(folder + L"\\page" + std::to_wstring(page + 1) + L".bmp")) return 1;
  }
  // The client area: without a window manager Wine draws no title bar.
  RECT r{};
  GetClientRect(app->Window(), &r);
  POINT origin{0, 0};
  ClientToScreen(app->Window(), &origin);
  std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, r.right - r.left, r.bottom - r.top);
  return 0;
}
