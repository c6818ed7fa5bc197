// Runs one console command line hidden and streams its output into an edit box
// of the main window while it runs, keeping the window alive between polls.
// When the command has ended, the box's whole text decides DismErrorSeen and
// may empty the box.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "base/chunk_decoder.h"
#include "base/code_page.h"
#include "servicing/child_process_port.h"
#include "shell/controls.h"
#include "shell/window_port.h"

namespace servicing {

// The texts the box is searched for when a command has ended.
inline constexpr std::string_view kErrorMarker = "错误:";
inline constexpr std::string_view kNotFoundMarker = "找不到";

class ConsoleRunner {
 public:
  static constexpr uint32_t kBufferSize = 1024;
  static constexpr uint32_t kReadSize = kBufferSize - 1;  // the last byte stays 0
  static constexpr unsigned kPollPauseMs = 10;

  ConsoleRunner(ChildProcessPort& processes, const base::CodePage& oem, shell::EventPump& pump,
                shell::WindowPort& window, int32_t& dismErrorSeen);
  ConsoleRunner(const ConsoleRunner&) = delete;
  ConsoleRunner& operator=(const ConsoleRunner&) = delete;

  // Returns when the command has ended (or the program is ending).
  void Run(const std::string& commandLine, shell::Control target);

  uint32_t ExitCode() const { return exitCode_; }

 private:
  // One pass's read: appends the chunk, up to its first zero byte.
  void ReadChunk(shell::Control target);
  void Finish(shell::Control target);

  ChildProcessPort& processes_;
  shell::EventPump& pump_;
  shell::WindowPort& window_;
  int32_t& dismErrorSeen_;
  base::ChunkDecoder decoder_;

  // Each run starts from zero, so nothing of an earlier run is touched again.
  Handle pipeRead_ = 0;
  Handle pipeWrite_ = 0;
  StartedProcess child_;
  std::unique_ptr<std::array<char, kBufferSize>> readBuffer_;
  uint32_t byteCount_ = 0;
  uint32_t exitCode_ = 0;
};

}  // namespace servicing
