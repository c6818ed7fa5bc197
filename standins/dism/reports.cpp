#include "reports.h"

#include <string>

namespace dism_standin {
namespace {

bool ContainsSwitch(std::string_view command_line, std::string_view lower_switch) {
  std::string folded(command_line);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded.find(lower_switch) != std::string::npos;
}

// The program looks for "错误:" and "找不到" in this output, so only the error
// report may hold either; the mounted-image report says "没有" where DISM's own
// wording could have been taken for the "not found" marker.
constexpr std::string_view kBanner =
    "\r\n"
    "部署映像服务和管理工具\r\n"
    "版本: 10.0.19041.844\r\n"
    "\r\n";

constexpr std::string_view kImageVersion =
    "映像版本: 10.0.19041.1\r\n"
    "\r\n";

constexpr std::string_view kMounted =
    "已装载的映像:\r\n"
    "\r\n"
    "没有已装载的映像。\r\n"
    "\r\n"
    "操作成功完成。\r\n";

constexpr std::string_view kAddPackage =
    "正在处理 1 (共 1) - 正在添加程序包 "
    "Package_for_RollupFix~31bf3856ad364e35~amd64~~19041.844.1.8\r\n"
    "[==========================100.0%==========================]\r\n"
    "操作成功完成。\r\n";

constexpr std::string_view kAddDriver =
    "正在搜索要安装的驱动程序包...\r\n"
    "已找到 1 个驱动程序包。\r\n"
    "正在安装 1/1 - oem0.inf: 已成功安装驱动程序包。\r\n"
    "[==========================100.0%==========================]\r\n"
    "操作成功完成。\r\n";

constexpr std::string_view kError87 =
    "\r\n"
    "错误: 87\r\n"
    "\r\n"
    "无法识别此命令的选项。\r\n"
    "有关详细信息，请参阅帮助。\r\n"
    "\r\n"
    "可以在 C:\\Windows\\Logs\\DISM\\dism.log 上找到 DISM 日志文件\r\n"
    "\r\n";

}  // namespace

Report DefaultReport(std::string_view command_line) {
  std::string text(kBanner);
  if (ContainsSwitch(command_line, "/get-mountedwiminfo")) {
    text += kMounted;
    return {text, 0};
  }
  if (ContainsSwitch(command_line, "/add-package")) {
    text += kImageVersion;
    text += kAddPackage;
    return {text, 0};
  }
  if (ContainsSwitch(command_line, "/add-driver")) {
    text += kImageVersion;
    text += kAddDriver;
    return {text, 0};
  }
  text += kError87;
  return {text, 87};
}

}  // namespace dism_standin
