#include "window/window_design.h"

#include <array>

namespace window {
namespace {

using platform::ControlDesign;
using platform::ControlKind;
using K = ControlKind;

constexpr std::string_view kCatalogArea = "选择夹_目录区";
constexpr std::string_view kChosenArea = "选择夹_选用区";
constexpr std::string_view kFrame = "外形框1";

// Page numbers of the two tab controls.
constexpr int kTreePage = 0, kExamplesPage = 1, kIndexPage = 2, kSearchPage = 3;
constexpr int kChosenApiPage = 0, kRelatedExamplesPage = 1;

constexpr auto kDesign = std::to_array<ControlDesign>({
    {K::window, "_启动窗口", "", -1, {50, 50, 671, 572}, "Kelvane V2.0版  Halvorin：https://www.halvorin.com"},
    {K::tabControl, kCatalogArea, "", -1, {8, 8, 219, 506}, "API目录|例程列表|API索引|搜索"},
    {K::treeBox, "树型框_API目录", kCatalogArea, kTreePage, {9, 30, 201, 444}, ""},
    {K::radioButton, "单选框_中文树形框", kCatalogArea, kTreePage, {23, 481, 80, 18}, "中文API名", true, true},
    {K::radioButton, "单选框_英文树形框", kCatalogArea, kTreePage, {110, 481, 80, 18}, "英文API名"},
    {K::listBox, "列表框_例程列表", kCatalogArea, kExamplesPage, {9, 30, 201, 466}, ""},
    {K::editBox, "编辑框_索引", kCatalogArea, kIndexPage, {9, 30, 201, 20}, ""},
    {K::radioButton, "单选框_中文索引", kCatalogArea, kIndexPage, {9, 53, 71, 18}, "中文API", true, true},
    {K::radioButton, "单选框_英文索引", kCatalogArea, kIndexPage, {87, 53, 80, 18}, "英文API"},
    {K::sortedListBox, "列表框_索引", kCatalogArea, kIndexPage, {9, 73, 201, 423}, ""},
    // The button beside the find box, so that the two drop-down lists below have room
    // for their texts beside their arrows.
    {K::editBox, "编辑框_搜索内容", kCatalogArea, kSearchPage, {9, 30, 143, 20}, ""},
    {K::button, "按钮_搜索", kCatalogArea, kSearchPage, {154, 30, 56, 20}, "搜索(&S)"},
    {K::dropDownList, "组合框_搜索类型", kCatalogArea, kSearchPage, {9, 54, 99, 20}, "搜索API|搜索例程"},
    {K::dropDownList, "组合框_搜索API显示", kCatalogArea, kSearchPage, {111, 54, 99, 20}, "显示中文|显示英文"},
    {K::sortedListBox, "列表框_搜索结果", kCatalogArea, kSearchPage, {9, 80, 201, 416}, ""},
    {K::tabControl, kChosenArea, "", -1, {235, 8, 420, 314}, "选用API数据|API相关例程"},
    {K::sortedCheckListBox, "选择列表框_选用API", kChosenArea, kChosenApiPage, {8, 30, 323, 276}, ""},
    {K::checkListBox, "选择列表框_选用例程", kChosenArea, kRelatedExamplesPage, {8, 30, 323, 276}, ""},
    // The column right of the chosen lists is wide enough for "打开例程(O)" and its focus
    // frame, and the note runs down to the buttons so that it shows whole.
    {K::label,
     "标签2",
     "",
     -1,
     {550, 32, 96, 109},
     "*注意：\r\n请通过易语言菜单“工具->执行易向导”启动本程序以实现添加API到易程序。"},
    {K::button, "按钮_全部选择", "", -1, {550, 145, 96, 27}, "全选(&A)"},
    {K::button, "按钮_全部放弃", "", -1, {550, 174, 96, 27}, "放弃(&D)"},
    {K::button, "按钮_导入", "", -1, {550, 203, 96, 27}, "导入(&Z)"},
    {K::button, "按钮_从选用框删除", "", -1, {550, 232, 96, 27}, "去除"},
    {K::button, "按钮_清空选用框", "", -1, {550, 261, 96, 27}, "清空(&N)"},
    {K::button, "按钮_关闭程序", "", -1, {550, 290, 96, 27}, "关闭(&C)"},
    {K::radioButton, "单选框_代码形式", "", -1, {240, 324, 80, 24}, "代码形式", true, true},
    {K::radioButton, "单选框_文本形式", "", -1, {320, 324, 80, 24}, "文本形式"},
    {K::radioButton, "单选框_常量形式", "", -1, {400, 324, 80, 24}, "常量"},
    {K::frame, kFrame, "", -1, {232, 334, 416, 184}, ""},
    {K::grid, "高级表格1", kFrame, -1, {8, 16, 200, 164}, ""},
    {K::grid, "高级表格2", kFrame, -1, {216, 15, 192, 164}, "", false},
    {K::multiLineEditBox, "编辑框_文本形式", kFrame, -1, {184, 0, 80, 20}, "", false},
    {K::grid, "高级表格_常量", kFrame, -1, {8, 16, 200, 164}, "", false},
    {K::drawingBoard, "画板1", kFrame, -1, {8, 16, 39, 36}, "", false},
    {K::drawingBoard, "画板2", kFrame, -1, {217, 16, 39, 36}, "", false},
    {K::statusBar, "状态条", "", -1, {3, 3, 650, 20}, "60:数据类型：|0:Halvorin：https://www.halvorin.com|90:"},
});

}  // namespace

std::span<const ControlDesign> startupWindowDesign() { return kDesign; }

}  // namespace window
