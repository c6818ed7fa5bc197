#include "servicing/console_runner.h"

#include <cstring>

#include "base/text_search.h"

namespace servicing {

ConsoleRunner::ConsoleRunner(ChildProcessPort& processes, const base::CodePage& oem,
                             shell::EventPump& pump, shell::WindowPort& window,
                             int32_t& dismErrorSeen)
    : processes_(processes),
      pump_(pump),
      window_(window),
      dismErrorSeen_(dismErrorSeen),
      decoder_(oem) {}

void ConsoleRunner::Run(const std::string& commandLine, shell::Control target) {
  pipeRead_ = pipeWrite_ = 0;
  child_ = {};
  byteCount_ = 0;
  exitCode_ = 0;
  decoder_.Restart();

  if (!processes_.CreatePipe(&pipeRead_, &pipeWrite_)) pipeRead_ = pipeWrite_ = 0;
  // Without a pipe the command still runs; there is only nothing to show.
  const bool started = processes_.CreateProcessHidden(commandLine, pipeWrite_, &child_);
  if (!started) child_ = {};
  if (pipeWrite_ != 0) {
    // The child now holds the only write end, so the pipe breaks when it ends.
    processes_.CloseHandle(pipeWrite_);
    pipeWrite_ = 0;
  }
  if (child_.thread != 0) {
    processes_.CloseHandle(child_.thread);
    child_.thread = 0;
  }

  bool childEnded = !started;
  for (;;) {
    uint32_t available = 0;
    if (pipeRead_ == 0 || !processes_.PeekNamedPipe(pipeRead_, &available)) available = 0;
    if (available != 0) {
      ReadChunk(target);
    }
    if (available == 0 || byteCount_ == 0) {
      // Output already in the pipe is shown before the child's state is looked
      // at; once it has ended, one more empty pass drains what it wrote last.
      if (childEnded) break;
      processes_.GetExitCodeProcess(child_.process, &exitCode_);
      childEnded = exitCode_ != kStillActive || processes_.HasEnded(child_.process);
      if (childEnded) continue;
    }
    if (pump_.Ending()) break;
    pump_.ProcessPendingEvents();
    pump_.Sleep(kPollPauseMs);
  }
  Finish(target);
}

void ConsoleRunner::ReadChunk(shell::Control target) {
  readBuffer_ = std::make_unique<std::array<char, kBufferSize>>();
  char* buffer = readBuffer_->data();
  if (!processes_.ReadFile(pipeRead_, buffer, kReadSize, &byteCount_)) byteCount_ = 0;
  if (byteCount_ > kReadSize) byteCount_ = kReadSize;
  const size_t textLength = strnlen(buffer, byteCount_);
  std::string text = decoder_.Feed(std::string_view(buffer, textLength));
  // A zero byte ends the chunk's text; what followed it is not shown, so the
  // next chunk starts afresh.
  if (textLength < byteCount_) text += decoder_.Finish();
  if (!text.empty()) window_.AppendText(target, text);
}

void ConsoleRunner::Finish(shell::Control target) {
  const std::string rest = decoder_.Finish();
  if (!rest.empty()) window_.AppendText(target, rest);
  if (pipeRead_ != 0) {
    processes_.CloseHandle(pipeRead_);
    pipeRead_ = 0;
  }
  if (child_.process != 0) {
    processes_.CloseHandle(child_.process);
    child_.process = 0;
  }
  dismErrorSeen_ = base::ContainsText(window_.GetText(target), kErrorMarker) ? 1 : 0;
  if (base::ContainsText(window_.GetText(target), kNotFoundMarker)) window_.SetText(target, "");
}

}  // namespace servicing
