"""The start-up window of the real program under Wine: controls, layout after a resize, Esc."""
import os
import unittest

from wizard import Wizard

CAPTION = "Kelvane V2.0版  Halvorin：https://www.halvorin.com"
BUTTONS = ["全选(&A)", "放弃(&D)", "导入(&Z)", "去除", "清空(&N)", "关闭(&C)"]


class StartupWindowTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.wizard = Wizard()
        cls.wizard.start()

    @classmethod
    def tearDownClass(cls):
        cls.wizard.stop()

    def test_window_and_every_control_are_there(self):
        controls = self.wizard.controls()
        window = controls[0]
        self.assertEqual(window["text"], CAPTION)
        self.assertEqual((window["width"], window["height"]), (671, 572))
        texts = {c["text"]: c for c in controls}
        for text in BUTTONS + ["中文API名", "英文API名", "代码形式", "文本形式", "搜索(&S)", "搜索API", "显示中文"]:
            self.assertIn(text, texts)
        self.assertTrue(texts["中文API名"]["visible"])
        self.assertFalse(texts["搜索(&S)"]["visible"], "the search page is not the current page")
        self.assertTrue(texts["*注意：\r\n请通过易语言菜单“工具->执行易向导”启动本程序以实现添加API到易程序。"]["visible"])
        classes = [c["class"] for c in controls]
        for cls, count in [("SysTabControl32", 2), ("SysTreeView32", 1), ("ListBox", 5), ("Edit", 3),
                           ("ComboBox", 2), ("KelvaneGrid", 2), ("KelvaneBoard", 2), ("msctls_statusbar32", 1)]:
            self.assertEqual(classes.count(cls), count, cls)
        # Start-up makes the tree's first API current and names it in the status bar.
        status = next(c for c in controls if c["class"] == "msctls_statusbar32")
        self.assertEqual(status["text"], "API：")
        path = self.wizard.screenshot("startup-window")
        self.assertGreater(os.path.getsize(path), 1000)

    def test_pages_not_on_view_show_what_start_up_put_in_them(self):
        # Their windows are made after the first paint, from the lists as start-up left them.
        lists = [c for c in self.wizard.controls() if c["class"] == "ListBox"]
        examples, index = lists[:2]
        self.assertFalse(examples["visible"] or index["visible"])
        self.assertGreater(examples["count"], 100)
        self.assertEqual(index["count"], 857)
        self.assertEqual(index["items"][:2], ["安全追加文本_", "安装打印处理器_"])

    def test_layout_follows_the_window_size(self):
        for size in [(900, 700), (640, 480), (671, 572)]:
            self.wizard.resize(*size)
            controls = self.wizard.controls()
            chosen = [c for c in controls if c["class"] == "SysTabControl32"][1]
            for text in BUTTONS:
                button = next(c for c in controls if c["text"] == text)
                self.assertEqual(button["left"] + button["width"], chosen["left"] + chosen["width"] - 8, (size, text))
            grids = [c for c in controls if c["class"] == "KelvaneGrid"]
            edit = [c for c in controls if c["class"] == "Edit"][2]
            board = [c for c in controls if c["class"] == "KelvaneBoard"][0]
            rect = lambda c: (c["left"], c["top"], c["width"], c["height"])
            self.assertEqual(rect(edit), rect(grids[0]), size)
            self.assertEqual(rect(board), rect(grids[0]), size)
            self.assertFalse(grids[1]["visible"], size)
        self.wizard.screenshot("startup-window-resized")


class EscapeTest(unittest.TestCase):
    def test_escape_ends_the_program_with_exit_code_0(self):
        with Wizard() as wizard:
            wizard.key("Escape")
            self.assertEqual(wizard.wait_exit(timeout=30), 0)



class KeyboardTest(unittest.TestCase):
    def test_tab_moves_the_focus_in_the_visual_order(self):
        expected = [("Button", "中文API名"), ("SysTabControl32", ""), ("ListBox", "")]
        expected += [("Button", text) for text in BUTTONS]
        expected += [("Button", "代码形式"), ("KelvaneGrid", ""), ("SysTabControl32", ""), ("SysTreeView32", "")]
        with Wizard() as wizard:
            focused = lambda: next((c["class"], c["text"]) for c in wizard.controls() if c["focused"])
            self.assertEqual(focused(), ("SysTreeView32", ""), "start-up leaves the focus in the tree")
            seen = []
            for _ in expected:
                wizard.press("Tab")
                seen.append(focused())
            self.assertEqual(seen, expected)
            wizard.press("shift+Tab")
            self.assertEqual(focused(), ("SysTabControl32", ""))


if __name__ == "__main__":
    unittest.main()
