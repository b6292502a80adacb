// The start-up window `_启动窗口`: every control of its design, under its design name.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "library/declaration_copy.h"
#include "platform/controls.h"
#include "platform/grid.h"
#include "platform/tree_box.h"
#include "platform/ui.h"

namespace window {

class StartupWindow {
 public:
  // Creates every control of the design, gives each its initial state and its native side.
  explicit StartupWindow(platform::Ui& ui);

 private:
  // Radio buttons on one parent (and page) form a group.
  using RadioGroups = std::map<std::string, std::vector<platform::RadioButton*>, std::less<>>;
  using Controls = std::map<std::string, std::unique_ptr<platform::Control>, std::less<>>;
  static Controls createControls(platform::Ui& ui, RadioGroups& groups);

  // Declared before the references below, which are bound to these controls.
  RadioGroups radioGroups_;
  Controls controls_;

  template <typename T>
  T& find(std::string_view name);

 public:
  platform::Window& 启动窗口 = find<platform::Window>("_启动窗口");
  platform::TabControl& 选择夹_目录区 = find<platform::TabControl>("选择夹_目录区");
  platform::TreeBox& 树型框_API目录 = find<platform::TreeBox>("树型框_API目录");
  platform::RadioButton& 单选框_中文树形框 = find<platform::RadioButton>("单选框_中文树形框");
  platform::RadioButton& 单选框_英文树形框 = find<platform::RadioButton>("单选框_英文树形框");
  platform::ListBox& 列表框_例程列表 = find<platform::ListBox>("列表框_例程列表");
  platform::EditBox& 编辑框_索引 = find<platform::EditBox>("编辑框_索引");
  platform::RadioButton& 单选框_中文索引 = find<platform::RadioButton>("单选框_中文索引");
  platform::RadioButton& 单选框_英文索引 = find<platform::RadioButton>("单选框_英文索引");
  platform::ListBox& 列表框_索引 = find<platform::ListBox>("列表框_索引");
  platform::EditBox& 编辑框_搜索内容 = find<platform::EditBox>("编辑框_搜索内容");
  platform::DropDownList& 组合框_搜索类型 = find<platform::DropDownList>("组合框_搜索类型");
  platform::DropDownList& 组合框_搜索API显示 = find<platform::DropDownList>("组合框_搜索API显示");
  platform::Button& 按钮_搜索 = find<platform::Button>("按钮_搜索");
  platform::ListBox& 列表框_搜索结果 = find<platform::ListBox>("列表框_搜索结果");
  platform::TabControl& 选择夹_选用区 = find<platform::TabControl>("选择夹_选用区");
  platform::CheckListBox& 选择列表框_选用API = find<platform::CheckListBox>("选择列表框_选用API");
  platform::CheckListBox& 选择列表框_选用例程 = find<platform::CheckListBox>("选择列表框_选用例程");
  platform::Label& 标签2 = find<platform::Label>("标签2");
  platform::Button& 按钮_全部选择 = find<platform::Button>("按钮_全部选择");
  platform::Button& 按钮_全部放弃 = find<platform::Button>("按钮_全部放弃");
  platform::Button& 按钮_导入 = find<platform::Button>("按钮_导入");
  platform::Button& 按钮_从选用框删除 = find<platform::Button>("按钮_从选用框删除");
  platform::Button& 按钮_清空选用框 = find<platform::Button>("按钮_清空选用框");
  platform::Button& 按钮_关闭程序 = find<platform::Button>("按钮_关闭程序");
  platform::RadioButton& 单选框_代码形式 = find<platform::RadioButton>("单选框_代码形式");
  platform::RadioButton& 单选框_文本形式 = find<platform::RadioButton>("单选框_文本形式");
  platform::RadioButton& 单选框_常量形式 = find<platform::RadioButton>("单选框_常量形式");
  platform::Frame& 外形框1 = find<platform::Frame>("外形框1");
  platform::Grid& 高级表格1 = find<platform::Grid>("高级表格1");
  platform::Grid& 高级表格2 = find<platform::Grid>("高级表格2");
  platform::EditBox& 编辑框_文本形式 = find<platform::EditBox>("编辑框_文本形式");
  platform::Grid& 高级表格_常量 = find<platform::Grid>("高级表格_常量");
  platform::DrawingBoard& 画板1 = find<platform::DrawingBoard>("画板1");
  platform::DrawingBoard& 画板2 = find<platform::DrawingBoard>("画板2");
  platform::StatusBar& 状态条 = find<platform::StatusBar>("状态条");

  // Every control, by design name.
  platform::Control* control(std::string_view name);

  // The declaration that the view shows (the view keeps it); none while it shows nothing.
  std::optional<library::DeclarationName> declarationOnView;
};

}  // namespace window
