// The harness's own tests drive the fixture program; each test gets a fresh one.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fixture/fixture_ids.h"
#include "harness.h"

namespace e2e {

inline App::Options FixtureOptions() {
  App::Options options;
  options.exe = BinDir() + L"\\harness_fixture.exe";
  options.windowClass = L"HarnessFixture";
  return options;
}

class FixtureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = App::Start(FixtureOptions());
    ASSERT_NE(app_, nullptr) << "the fixture did not start";
  }

  HWND Control(int id) const { return app_->Control(id); }
  HWND List() const { return Control(fixture::kList); }
  HWND Tab() const { return Control(fixture::kTab); }
  std::string Log() const { return Text(Control(fixture::kLog)); }
  // Waits until the fixture's log shows the text; on failure shows what it had.
  ::testing::AssertionResult LogBecomes(const std::string& expected) const {
    if (WaitFor([&] { return Log() == expected; }, std::chrono::seconds(15)))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "log is \"" << Log() << "\", expected \"" << expected << "\"";
  }
  // The folder of this test, made afresh.
  std::wstring TestDir() const {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return FreshDir(std::string(info->test_suite_name()) + "." + info->name());
  }

  std::unique_ptr<App> app_;
};

}  // namespace e2e
