// What the stand-in prints when no plan says otherwise: DISM's Chinese console
// output for the commands the program sends. Portable, so it is unit-tested natively.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dism_standin {

struct Report {
  std::string text;  // UTF-8 with \r\n line ends; printed in the OEM code page
  uint32_t exit_code = 0;
};

// Chooses by the switch in the command line (ASCII letters case-insensitive, as DISM does):
// /Get-MountedWimInfo, /Add-Package, /Add-Driver; anything else is DISM's error 87.
Report DefaultReport(std::string_view command_line_utf8);

}  // namespace dism_standin
