// A child process and its pipe, played from a script: which bytes arrive after
// how many pauses of the runner, when the child ends and with which code.
// Every call is logged, and every handle is checked against the open ones.
#pragma once

#include <deque>
#include <set>
#include <string>
#include <vector>

#include "servicing/child_process_port.h"
#include "shell/window_port.h"

namespace fakes {

class FakeChildProcesses : public servicing::ChildProcessPort {
 public:
  using Handle = servicing::Handle;

  struct Arrival {
    int afterPauses;  // bytes appear once the runner has paused this many times
    std::string bytes;
  };

  // The script.
  bool pipeFails = false;
  bool startFails = false;
  bool peekFails = false;  // every peek fails, as with a pipe that is not there
  std::vector<Arrival> arrivals;
  int endsAfterPauses = 0;
  uint32_t exitCode = 0;
  // Written by the child between the runner's peek and its look at the child.
  std::string writtenAsItEnds;

  // What happened.
  std::vector<std::string> calls;
  std::string commandLine;
  Handle outputGiven = 1;           // the output handle the child was given
  std::vector<std::string> faults;  // handles used when not open, closed twice, leaked
  int runsStarted = 0;

  void Pause() {
    ++pauses_;
    Deliver();
  }

  std::set<Handle> OpenHandles() const { return open_; }

  bool CreatePipe(Handle* read, Handle* write) override {
    calls.push_back("CreatePipe");
    pauses_ = 0;
    pending_ = arrivals;
    pipe_.clear();
    ended_ = false;
    lateWritten_ = false;
    childRunning_ = false;
    if (pipeFails) return false;
    *read = readEnd_ = Next();
    *write = writeEnd_ = Next();
    return true;
  }

  bool CreateProcessHidden(const std::string& line, Handle output,
                           servicing::StartedProcess* started) override {
    calls.push_back("Create");
    commandLine = line;
    outputGiven = output;
    if (output != 0) Use(output);
    if (startFails) return false;
    ++runsStarted;
    started->process = process_ = Next();
    started->thread = Next();
    childRunning_ = true;
    Deliver();
    return true;
  }

  bool CloseHandle(Handle handle) override {
    calls.push_back("Close " + Name(handle));
    if (open_.erase(handle) == 0)
      faults.push_back("closed a handle that is not open: " + Name(handle));
    return true;
  }

  bool PeekNamedPipe(Handle pipe, uint32_t* available) override {
    calls.push_back("Peek");
    Use(pipe);
    if (peekFails) return false;
    // Without a writer left, an empty pipe is broken.
    if (pipe_.empty() && (ended_ || !childRunning_)) return false;
    *available = static_cast<uint32_t>(pipe_.size());
    return true;
  }

  bool ReadFile(Handle pipe, char* buffer, uint32_t size, uint32_t* read) override {
    Use(pipe);
    uint32_t n = 0;
    while (n < size && !pipe_.empty()) {
      buffer[n++] = pipe_.front();
      pipe_.pop_front();
    }
    *read = n;
    calls.push_back("Read " + std::to_string(size) + "->" + std::to_string(n));
    return n > 0;
  }

  bool GetExitCodeProcess(Handle process, uint32_t* code) override {
    calls.push_back("ExitCode");
    Use(process);
    if (!open_.count(process)) return false;
    *code = Ended() ? exitCode : servicing::kStillActive;
    return true;
  }

  bool HasEnded(Handle process) override {
    calls.push_back("HasEnded");
    Use(process);
    return Ended();
  }

  // After a run: every handle it got is closed again.
  void ExpectAllClosed() {
    for (Handle h : open_) faults.push_back("left open: " + Name(h));
  }

 private:
  Handle Next() {
    const Handle h = ++lastHandle_;
    open_.insert(h);
    return h;
  }
  void Use(Handle h) {
    if (!open_.count(h)) faults.push_back("used a handle that is not open: " + Name(h));
  }
  std::string Name(Handle h) const {
    if (h == readEnd_) return "read-end";
    if (h == writeEnd_) return "write-end";
    if (h == process_) return "process";
    return std::to_string(h);
  }
  bool Ended() {
    if (!ended_ && childRunning_ && pauses_ >= endsAfterPauses) {
      ended_ = true;
      if (!lateWritten_) {
        lateWritten_ = true;
        pipe_.insert(pipe_.end(), writtenAsItEnds.begin(), writtenAsItEnds.end());
      }
    }
    return ended_ || !childRunning_;
  }
  void Deliver() {
    if (!childRunning_) return;
    for (auto it = pending_.begin(); it != pending_.end();) {
      if (it->afterPauses <= pauses_) {
        pipe_.insert(pipe_.end(), it->bytes.begin(), it->bytes.end());
        it = pending_.erase(it);
      } else {
        ++it;
      }
    }
  }

  std::set<Handle> open_;
  Handle lastHandle_ = 100;
  Handle readEnd_ = 0, writeEnd_ = 0, process_ = 0;
  std::vector<Arrival> pending_;
  std::deque<char> pipe_;
  int pauses_ = 0;
  bool childRunning_ = false;
  bool ended_ = false;
  bool lateWritten_ = false;
};

// The window's events and pauses; each pause lets the scripted child move on.
class FakePump : public shell::EventPump {
 public:
  explicit FakePump(FakeChildProcesses& child) : child_(child) {}
  std::vector<std::string> calls;
  int endingAfterPauses = -1;  // the window closes after this many pauses
  int pauses = 0;

  void ProcessPendingEvents() override { calls.push_back("events"); }
  void Sleep(unsigned ms) override {
    calls.push_back("sleep " + std::to_string(ms));
    ++pauses;
    child_.calls.push_back("pause");
    child_.Pause();
  }
  bool Ending() override { return endingAfterPauses >= 0 && pauses >= endingAfterPauses; }

 private:
  FakeChildProcesses& child_;
};

}  // namespace fakes
