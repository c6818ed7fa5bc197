// The main window's controls, pages and menu items, by their own names.
#pragma once

#include <cstdint>

namespace shell {

// Every control of the main window. The values are the Win32 control ids.
enum class Control : int {
  None = 0,
  超级列表框1 = 1001,
  选择夹1,
  通用对话框1,
  // page "获取修复"
  分组框1,
  组合框1,
  单选框1,
  单选框2,
  单选框3,
  选择框2,
  选择框1,
  标签4,
  严重,
  重要,
  中等,
  低,
  无,
  标签1,
  编辑框1,
  按钮10,
  按钮1,
  按钮2,
  按钮3,
  // page "集成设置"
  外形框1,
  标签5,
  进度条1,
  分组框2,
  标签6,
  wim文件,
  按钮5,
  标签2,
  目录,
  按钮7,
  标签3,
  索引,
  集成补丁,
  补丁目录,
  按钮4,
  集成驱动,
  驱动目录,
  按钮12,
  选择框5,
  选择框6,
  选择框3,
  选择框4,
  按钮11,
  // page "状态"
  回显,
  // page "集成说明"
  编辑框2,
};

// The pages of 选择夹1, in their order.
enum class Page : int { 获取修复 = 0, 集成设置 = 1, 状态 = 2, 集成说明 = 3 };
inline constexpr int kPageCount = 4;

// The items of the popup menu 文件. The values are the menu command ids.
enum class MenuItem : int {
  全选 = 2001,
  取消全选,
  反选,
  下载选中项,
  导出选中下载地址,
};

}  // namespace shell
