"""The start-up window of the real program under Wine: controls, layout after a resize, Esc."""
import os
import re
import subprocess
import unittest

from test_navigation import catalog_lines_containing
from wizard import WINDOWS, Wizard, by_name


CAPTION = "Kelvane V2.0版  Halvorin：https://www.halvorin.com"
BUTTONS = {"按钮_全部选择": "全选(&A)", "按钮_全部放弃": "放弃(&D)", "按钮_导入": "导入(&Z)",
           "按钮_从选用框删除": "去除", "按钮_清空选用框": "清空(&N)", "按钮_关闭程序": "关闭(&C)"}
# One control of each kind, with the window class that shows it.
KINDS = {"选择夹_目录区": "SysTabControl32", "树型框_API目录": "SysTreeView32", "列表框_例程列表": "ListBox",
         "列表框_索引": "ListBox", "选择列表框_选用API": "ListBox", "编辑框_索引": "Edit", "编辑框_文本形式": "Edit",
         "单选框_中文树形框": "Button", "组合框_搜索类型": "ComboBox", "按钮_搜索": "Button", "标签2": "Static",
         "状态条": "msctls_statusbar32", "高级表格1": "KelvaneGrid", "画板1": "KelvaneBoard", "外形框1": "KelvaneFrame"}


class StartupWindowTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.wizard = Wizard()
        cls.wizard.start()

    @classmethod
    def tearDownClass(cls):
        cls.wizard.stop()

    def test_window_and_every_control_are_there(self):
        controls = by_name(self.wizard.controls())
        window = controls["_启动窗口"]
        self.assertEqual(window["text"], CAPTION)
        self.assertEqual((window["width"], window["height"]), (671, 572))
        self.assertEqual(len(controls), 36, "the window and its 35 controls, each under its own name")
        for name, cls in KINDS.items():
            self.assertEqual(controls[name]["class"], cls, name)
        texts = dict(BUTTONS, 单选框_中文树形框="中文API名", 单选框_英文树形框="英文API名", 单选框_代码形式="代码形式",
                     单选框_文本形式="文本形式", 单选框_常量形式="常量", 按钮_搜索="搜索(&S)", 组合框_搜索类型="搜索API", 组合框_搜索API显示="显示中文")
        for name, text in texts.items():
            self.assertEqual(controls[name]["text"], text, name)
        self.assertTrue(controls["单选框_中文树形框"]["visible"])
        self.assertFalse(controls["按钮_搜索"]["visible"], "the search page is not the current page")
        self.assertTrue(controls["标签2"]["visible"])
        self.assertEqual(controls["标签2"]["text"], "*注意：\r\n请通过易语言菜单“工具->执行易向导”启动本程序以实现添加API到易程序。")
        # Start-up makes the tree's first API current and names it in the status bar.
        self.assertEqual(controls["状态条"]["text"], "API：")
        path = self.wizard.screenshot("startup-window")
        self.assertGreater(os.path.getsize(path), 1000)

    def test_pages_not_on_view_show_what_start_up_put_in_them(self):
        # Their windows are made after the first paint, from the lists as start-up left them.
        lists = [c for c in self.wizard.controls() if c["class"] == "ListBox"]
        examples, index = lists[:2]
        self.assertFalse(examples["visible"] or index["visible"])
        self.assertGreater(examples["count"], 100)
        self.assertEqual(index["count"], len(catalog_lines_containing("")))
        # The Chinese names first; the generated entries, by their English names, follow them.
        chinese = [line.split(",")[2] for line in catalog_lines_containing("")
                   if ".dll," not in line and ".drv," not in line]
        self.assertEqual(index["items"][:2], sorted(chinese, key=lambda name: name.encode("gbk"))[:2])

    def test_layout_follows_the_window_size(self):
        for size in [(900, 700), (640, 480), (671, 572)]:
            self.wizard.resize(*size)
            controls = by_name(self.wizard.controls())
            chosen = controls["选择夹_选用区"]
            for name in BUTTONS:
                button = controls[name]
                self.assertEqual(button["left"] + button["width"], chosen["left"] + chosen["width"] - 8, (size, name))
            rect = lambda c: (c["left"], c["top"], c["width"], c["height"])
            self.assertEqual(rect(controls["编辑框_文本形式"]), rect(controls["高级表格1"]), size)
            self.assertEqual(rect(controls["画板1"]), rect(controls["高级表格1"]), size)
            self.assertFalse(controls["高级表格2"]["visible"], size)
        self.wizard.screenshot("startup-window-resized")


class EscapeTest(unittest.TestCase):
    def test_escape_ends_the_program_with_exit_code_0(self):
        with Wizard() as wizard:
            wizard.key("Escape")
            self.assertEqual(wizard.wait_exit(timeout=30), 0)



class KeyboardTest(unittest.TestCase):
    def test_tab_moves_the_focus_in_the_visual_order(self):
        expected = ["单选框_中文树形框", "选择夹_选用区", "选择列表框_选用API", *BUTTONS,
                    "单选框_代码形式", "高级表格1", "选择夹_目录区", "树型框_API目录"]
        with Wizard() as wizard:
            focused = lambda: next(c["name"] for c in wizard.controls() if c["focused"])
            self.assertEqual(focused(), "树型框_API目录", "start-up leaves the focus in the tree")
            seen = []
            for _ in expected:
                wizard.press("Tab")
                seen.append(focused())
            self.assertEqual(seen, expected)
            wizard.press("shift+Tab")
            self.assertEqual(focused(), "选择夹_目录区")


class ProgramImageTest(unittest.TestCase):
    def test_the_shell_dialogs_and_com_are_not_loaded_with_the_program(self):
        # They and the DLLs they pull in would add to every start; they load at their first call.
        image = os.path.join(WINDOWS, "app", "win32", "apiwizard.exe")
        headers = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", image], capture_output=True, text=True,
                                 check=True).stdout
        loaded = {name.lower() for name in re.findall(r"DLL Name: (\S+)", headers)}
        self.assertIn("user32.dll", loaded)
        self.assertFalse(loaded & {"shell32.dll", "ole32.dll", "comdlg32.dll"}, loaded)


if __name__ == "__main__":
    unittest.main()
