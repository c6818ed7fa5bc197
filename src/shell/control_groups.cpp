#include "shell/control_groups.h"

namespace shell {

void SetGroupEnabled(WindowPort& window, std::span<const GroupMember> group, bool enabled) {
  for (const GroupMember& member : group) {
    if (member.isMenu) {
      window.SetMenuDisabled(!enabled);
    } else {
      window.SetEnabled(member.control, enabled);
    }
  }
}

}  // namespace shell
