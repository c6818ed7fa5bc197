// Disabling and enabling a control group, member by member in its order.
#pragma once

#include <span>

#include "shell/window_model.h"
#include "shell/window_port.h"

namespace shell {

void SetGroupEnabled(WindowPort& window, std::span<const GroupMember> group, bool enabled);

}  // namespace shell
