"""Copying chosen declarations as E text: two APIs ticked in the chosen API list, Ctrl+C,
and the clipboard holds .版本 2, their blocks as the library holds them, the data type
they share once and the constants that the blocks name; the list's context menu copies
the same. (test_copy_then_paste carries the copy on into the stand-in IDE.)"""
import os
import subprocess
import tempfile
import time
import unittest

from test_import import library_block
from test_paste import CLIPBOARD, library_constants, set_clipboard
from wizard import ROOT, Wizard


def get_clipboard(wizard):
    """The clipboard's Unicode text, or None when it holds none."""
    with tempfile.NamedTemporaryFile(suffix=".txt", delete=False) as f:
        path = f.name
    try:
        done = subprocess.run(["wine", CLIPBOARD, "get", "Z:" + path.replace("/", "\\")], env=wizard.env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        with open(path, encoding="utf-8", newline="") as f:
            return f.read() if done.returncode == 0 else None
    finally:
        os.remove(path)


def every_constant_line():
    with open(os.path.join(ROOT, "data", "constants", "sdk.txt"), encoding="utf-8") as f:
        return {line + "\r\n" for line in f.read().split("\n") if line.startswith(".常量 ")}


class CopyAsTextTest(unittest.TestCase):
    def setUp(self):
        self.wizard = Wizard()
        self.wizard.start()

    def tearDown(self):
        self.wizard.stop()

    def wait_for_clipboard(self, unlike, timeout=15):
        deadline = time.time() + timeout
        while time.time() < deadline:
            text = get_clipboard(self.wizard)
            if text != unlike:
                return text
            time.sleep(0.3)
        return unlike

    def test_ctrl_c_and_the_context_menu_copy_the_ticked_apis_as_e_text(self):
        w = self.wizard
        for name in ("getmenuiteminfoa", "setmenuiteminfoa"):
            w.find_in_english_index(name)
            w.press("Return")  # gathers the selected API into the chosen list
            w.press("ctrl+a", "BackSpace")
        chosen = w.control("选择列表框_选用API")
        self.assertEqual(chosen["items"], ["GetMenuItemInfoA / 取菜单条目信息_", "SetMenuItemInfoA / 设置菜单条目信息_"])
        row = chosen["itemHeight"]
        for k in (0, 1):
            w.click_in(chosen, 8, row * k + row // 2)  # the item's box

        set_clipboard(w, "what another program put there")
        w.click_in(chosen, 100, row // 2)  # the list takes the focus
        w.key("ctrl+c")
        copied = self.wait_for_clipboard("what another program put there")

        head = ".版本 2\r\n\r\n"
        commands = [library_block("dll", ".DLL命令 取菜单条目信息_,"), library_block("dll", ".DLL命令 设置菜单条目信息_,")]
        data_type = library_block("types", ".数据类型 菜单条目结构_,")
        blocks = head + "\r\n".join([*commands, data_type]) + "\r\n"
        self.assertTrue(copied.startswith(blocks), copied[:400])
        constants = copied[len(blocks):].splitlines(keepends=True)
        self.assertGreater(len(constants), 5)
        self.assertLessEqual(set(constants), every_constant_line())
        self.assertLessEqual(set(library_constants("MIIM_")), set(constants))
        status = w.control("状态条")["parts"]
        self.assertEqual(status[:2], ["已复制：", f"2 个DLL命令、1 个数据类型、{len(constants)} 个常量，可粘贴到易语言程序中"])

        # The context menu, opened on the second item, copies the same ticked items.
        set_clipboard(w, "what another program put there")
        at = (chosen["screenLeft"] + 100, chosen["screenTop"] + row + row // 2)
        w.xdotool("mousemove", *at, "click", "3")
        time.sleep(0.8)
        w.screenshot("copy-context-menu")
        w.click_at(at[0] + 30, at[1] + 10)  # the menu's one item, below and right of the pointer
        self.assertEqual(self.wait_for_clipboard("what another program put there"), copied)


if __name__ == "__main__":
    unittest.main()
