// Starting Pelloran.exe for a test, with the DISM stand-in told what to do.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "harness.h"
#include "shell/controls.h"

namespace program_e2e {

struct Session {
  std::wstring dir;      // the test's own folder
  std::wstring dismLog;  // every command line the stand-in received
  std::unique_ptr<e2e::App> app;

  // plan: the stand-in's plan text, or "" for its default behaviour; "{dir}"
  // in it stands for the test's folder.
  static std::unique_ptr<Session> Start(const std::string& testName, const std::string& plan = "",
                                        const std::wstring& exe = L"");

  HWND Item(shell::Control control) const { return app->Control(static_cast<int>(control)); }
  std::string Text(shell::Control control) const { return e2e::Text(Item(control)); }
  // A direct child's rectangle relative to the main window's client area.
  RECT InClient(HWND item) const {
    RECT r{};
    GetWindowRect(item, &r);
    POINT origin{0, 0};
    ClientToScreen(app->Window(), &origin);
    OffsetRect(&r, -origin.x, -origin.y);
    return r;
  }
  // The lines the stand-in logged.
  std::vector<std::string> DismCommands() const;
};

}  // namespace program_e2e
