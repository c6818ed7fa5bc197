// The program-wide state: created at start-up, released at shutdown, zero or
// empty before anything runs.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imaging/imaging_api.h"

namespace shell {

// A phase result of an imaging worker.
enum PhaseResult : int32_t { kPending = 0, kSucceeded = 1, kFailed = 2 };

struct ProgramState {
  std::unique_ptr<imaging::ImagingApi> Imaging;
  std::vector<std::string> Descriptions;  // parallel to the rows of 超级列表框1
  std::atomic<int32_t> CurrentRow{0};
  std::uintptr_t WimFile = 0;   // 0: none
  std::uintptr_t WimImage = 0;  // 0: none
  int32_t DismErrorSeen = 0;    // 1: the last DISM command reported an error
  // Written once by a worker, polled by the window's thread.
  std::atomic<int32_t> CleanupResult{kPending};
  std::atomic<int32_t> MountResult{kPending};
  std::atomic<int32_t> CommitResult{kPending};
  std::atomic<int32_t> UnmountResult{kPending};
};

}  // namespace shell
