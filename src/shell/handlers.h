// Who handles which event of the main window. The subsystems put their
// handlers into the table; an event without one is received and ignored.
#pragma once

#include <array>
#include <functional>

#include "shell/events.h"

namespace shell {

class Handlers {
 public:
  void On(Event event, std::function<void()> handler) {
    table_[static_cast<size_t>(event)] = std::move(handler);
  }
  void Dispatch(Event event) const {
    const auto& handler = table_[static_cast<size_t>(event)];
    if (handler) handler();
  }

 private:
  std::array<std::function<void()>, kEventCount> table_;
};

}  // namespace shell
