#include "shell/window_model.h"

#include <array>
#include <iterator>

namespace shell {
namespace {

using K = ControlKind;
using C = Control;
constexpr int kFetch = static_cast<int>(Page::获取修复);
constexpr int kImage = static_cast<int>(Page::集成设置);
constexpr int kStatus = static_cast<int>(Page::状态);
constexpr int kHelp = static_cast<int>(Page::集成说明);

// Positions are relative to the container (group box, shape box), else to the
// page (the tab control's corner, headers included), else to the client area.
constexpr std::array kControls{
    ControlDef{C::超级列表框1, "超级列表框1", K::ListView, kOnWindow, C::None, 6, 8, 720, 272, "",
               false},
    ControlDef{C::选择夹1, "选择夹1", K::TabControl, kOnWindow, C::None, 6, 285, 720, 143, "",
               false},
    ControlDef{C::通用对话框1, "通用对话框1", K::DialogComponent, kOnWindow, C::None, 4, 4, 26, 26,
               "", false},

    ControlDef{C::分组框1, "分组框1", K::GroupBox, kFetch, C::None, 8, 27, 410, 96, "更新选项",
               false},
    ControlDef{C::组合框1, "组合框1", K::DropDownList, kFetch, C::分组框1, 11, 21, 88, 20, "",
               false},
    ControlDef{C::单选框1, "单选框1", K::RadioButton, kFetch, C::分组框1, 107, 24, 45, 13, "补丁",
               true},
    ControlDef{C::单选框2, "单选框2", K::RadioButton, kFetch, C::分组框1, 160, 24, 45, 13, "驱动",
               false},
    ControlDef{C::单选框3, "单选框3", K::RadioButton, kFetch, C::分组框1, 217, 24, 83, 13,
               "补丁和驱动", false},
    ControlDef{C::选择框2, "选择框2", K::CheckBox, kFetch, C::分组框1, 11, 49, 81, 13, "显示语言包",
               false},
    ControlDef{C::选择框1, "选择框1", K::CheckBox, kFetch, C::分组框1, 138, 48, 260, 13,
               "只选择 CAB 包(exe 无法集成,可手动安装)", true},
    ControlDef{C::标签4, "标签4", K::Label, kFetch, C::分组框1, 11, 70, 57, 13, "严重等级:", false},
    ControlDef{C::严重, "严重", K::CheckBox, kFetch, C::分组框1, 74, 71, 44, 13, "严重", true},
    ControlDef{C::重要, "重要", K::CheckBox, kFetch, C::分组框1, 138, 71, 44, 13, "重要", true},
    ControlDef{C::中等, "中等", K::CheckBox, kFetch, C::分组框1, 202, 71, 44, 13, "中等", true},
    ControlDef{C::低, "低", K::CheckBox, kFetch, C::分组框1, 269, 71, 34, 13, "低", true},
    ControlDef{C::无, "无", K::CheckBox, kFetch, C::分组框1, 320, 71, 45, 13, "(无)", true},
    ControlDef{C::标签1, "标签1", K::Label, kFetch, C::None, 421, 44, 76, 13, "补丁保存目录",
               false},
    ControlDef{C::编辑框1, "编辑框1", K::Edit, kFetch, C::None, 498, 40, 136, 20, "", false},
    ControlDef{C::按钮10, "按钮10", K::PushButton, kFetch, C::None, 636, 38, 77, 23, "浏览(&B)",
               false},
    ControlDef{C::按钮1, "按钮1", K::DefaultPushButton, kFetch, C::None, 422, 85, 86, 23,
               "查询(&S)", false},
    ControlDef{C::按钮2, "按钮2", K::PushButton, kFetch, C::None, 526, 84, 86, 23, "下载选中项(&D)",
               false},
    ControlDef{C::按钮3, "按钮3", K::PushButton, kFetch, C::None, 627, 83, 86, 23, "导出下载列表",
               false},

    ControlDef{C::外形框1, "外形框1", K::ShapeBox, kImage, C::None, 2, 23, 715, 116, "", false},
    ControlDef{C::标签5, "标签5", K::Label, kImage, C::外形框1, 4, 100, 44, 13, "0%", false},
    ControlDef{C::进度条1, "进度条1", K::ProgressBar, kImage, C::None, 54, 121, 654, 16, "", false},
    ControlDef{C::分组框2, "分组框2", K::GroupBox, kImage, C::None, 7, 27, 706, 92, "WIM 目录",
               false},
    ControlDef{C::标签6, "标签6", K::Label, kImage, C::分组框2, 20, 19, 80, 13,
               "指定安装文件:", false},
    ControlDef{C::wim文件, "wim文件", K::Edit, kImage, C::分组框2, 101, 17, 124, 20, "", false},
    ControlDef{C::按钮5, "按钮5", K::PushButton, kImage, C::分组框2, 225, 16, 26, 20, "...", false},
    ControlDef{C::标签2, "标签2", K::Label, kImage, C::分组框2, 8, 43, 56, 13, "挂载目录:", false},
    ControlDef{C::目录, "目录", K::Edit, kImage, C::分组框2, 64, 40, 160, 21, "", false},
    ControlDef{C::按钮7, "按钮7", K::PushButton, kImage, C::分组框2, 225, 40, 26, 20, "...", false},
    ControlDef{C::标签3, "标签3", K::Label, kImage, C::分组框2, 32, 67, 31, 13, "版本:", false},
    ControlDef{C::索引, "索引", K::DropDownList, kImage, C::分组框2, 64, 64, 158, 20, "", false},
    ControlDef{C::集成补丁, "集成补丁", K::CheckBox, kImage, C::分组框2, 288, 19, 74, 13,
               "集成修补:", true},
    ControlDef{C::补丁目录, "补丁目录", K::Edit, kImage, C::分组框2, 363, 17, 171, 20, "", false},
    ControlDef{C::按钮4, "按钮4", K::PushButton, kImage, C::分组框2, 536, 15, 26, 20, "..", false},
    ControlDef{C::集成驱动, "集成驱动", K::CheckBox, kImage, C::分组框2, 288, 43, 74, 13,
               "集成驱动:", false},
    ControlDef{C::驱动目录, "驱动目录", K::Edit, kImage, C::分组框2, 363, 40, 171, 20, "", false},
    ControlDef{C::按钮12, "按钮12", K::PushButton, kImage, C::分组框2, 536, 38, 26, 20, "..",
               false},
    ControlDef{C::选择框5, "选择框5", K::CheckBox, kImage, C::分组框2, 288, 68, 104, 13,
               "完毕后自动保存", true},
    ControlDef{C::选择框6, "选择框6", K::CheckBox, kImage, C::分组框2, 425, 68, 92, 13,
               "完毕后不卸载", false},
    ControlDef{C::选择框3, "选择框3", K::CheckBox, kImage, C::分组框2, 566, 18, 105, 13,
               "忽略适用性检测", false},
    ControlDef{C::选择框4, "选择框4", K::CheckBox, kImage, C::分组框2, 566, 42, 135, 13,
               "忽略数字签名(仅x86)", true},
    ControlDef{C::按钮11, "按钮11", K::DefaultPushButton, kImage, C::分组框2, 613, 63, 85, 23,
               "开始处理(&B)", false},

    ControlDef{C::回显, "回显", K::MultiLineEdit, kStatus, C::None, 6, 26, 707, 109, "", false},

    ControlDef{C::编辑框2, "编辑框2", K::MultiLineEdit, kHelp, C::None, 6, 23, 708, 104, "", false},
};

constexpr std::array<std::string_view, kPageCount> kPageTitles{"获取修复", "集成设置", "状态",
                                                               "集成说明"};

constexpr std::array<std::string_view, 3> kInstallStates{"已安装的", "未安装的", "全部"};

constexpr std::array kColumns{
    ListColumn{"标题", 210, false},     ListColumn{"大小", 70, true},
    ListColumn{"最后更新", 74, false},  ListColumn{"严重等级", 60, false},
    ListColumn{"类型", 45, false},      ListColumn{"下载", 50, true},
    ListColumn{"下载地址", 190, false},
};

constexpr std::array kMenu{
    MenuEntry{false, MenuItem::全选, "全选", "Ctrl+A"},
    MenuEntry{false, MenuItem::取消全选, "取消全选", "Ctrl+U"},
    MenuEntry{false, MenuItem::反选, "反选", "Ctrl+K"},
    MenuEntry{true, MenuItem::全选, "", ""},
    MenuEntry{false, MenuItem::下载选中项, "下载选中项", "Ctrl+D"},
    MenuEntry{false, MenuItem::导出选中下载地址, "导出选中下载地址", "Ctrl+L"},
};

constexpr std::string_view kHelpText =
    "集成修复程序：Dism.exe /Image:\"挂载目录\" /Add-Package /PackagePath:\"修复程序路径\" "
    "/IgnoreCheck\r\n"
    "/IgnoreCheck：不检测修复程序适用性\r\n"
    "------------------------------------------------------------------------------------------"
    "------------------------\r\n"
    "集成驱动程序：Dism.exe /Image:\"挂载目录\" /Add-Driver /Driver:\"驱动程序路径\" "
    "/forceunsigned "
    "/recurse\r\n"
    "/forceunsigned：不检测驱动程序数字签名(仅用于x86系统)\r\n"
    "/recurse：递归搜索目录下所有驱动程序。";

constexpr GroupMember Of(Control c) { return GroupMember{false, c}; }
constexpr GroupMember kMenuMember{true, C::None};

constexpr std::array kQueryControls{
    Of(C::按钮1),   Of(C::按钮2),   Of(C::按钮3),   Of(C::按钮11),  Of(C::组合框1),
    Of(C::单选框1), Of(C::单选框2), Of(C::单选框3), Of(C::严重),    Of(C::重要),
    Of(C::中等),    Of(C::低),      Of(C::无),      Of(C::选择框2), Of(C::选择框1),
};
constexpr std::array kDownloadControls{
    Of(C::编辑框1), Of(C::按钮10), kMenuMember,  Of(C::按钮1),
    Of(C::按钮11),  Of(C::按钮2),  Of(C::按钮3),
};
constexpr std::array kIntegrationControls{
    Of(C::集成补丁), Of(C::补丁目录), Of(C::集成驱动), Of(C::驱动目录), Of(C::wim文件),
    Of(C::按钮5),    Of(C::索引),     Of(C::目录),     Of(C::按钮7),    Of(C::按钮11),
    Of(C::按钮4),    Of(C::按钮12),   Of(C::选择框5),  Of(C::选择框6),
};

}  // namespace

std::span<const ControlDef> AllControls() { return kControls; }

const ControlDef& DefOf(Control id) {
  for (const auto& def : kControls) {
    if (def.id == id) return def;
  }
  return kControls.front();  // unreachable: every Control has a row
}

Point PlaceOnPage(const ControlDef& def) {
  if (def.container == Control::None) return {def.x, def.y};
  const Point outer = PlaceOnPage(DefOf(def.container));
  return {outer.x + def.x, outer.y + def.y};
}

std::span<const std::string_view> PageTitles() { return kPageTitles; }

std::span<const std::string_view> ComboItems(Control id) {
  if (id == Control::组合框1) return kInstallStates;
  return {};
}

int InitialComboItem(Control id) { return id == Control::组合框1 ? 0 : -1; }

std::span<const ListColumn> UpdateListColumns() { return kColumns; }
std::span<const MenuEntry> PopupMenuEntries() { return kMenu; }
std::string PopupItemText(const MenuEntry& entry) {
  return std::string(entry.text) + "\t" + std::string(entry.shortcut);
}

std::string_view HelpText() { return kHelpText; }
std::span<const GroupMember> QueryControls() { return kQueryControls; }
std::span<const GroupMember> DownloadControls() { return kDownloadControls; }
std::span<const GroupMember> IntegrationControls() { return kIntegrationControls; }

}  // namespace shell
