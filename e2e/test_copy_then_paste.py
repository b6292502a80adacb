"""The whole road of copied declarations: the stand-in IDE's menu 工具->执行易向导 starts the
wizard; two APIs are ticked in its chosen API list and copied as E text (Ctrl+C); in the
IDE, Ctrl+V pastes them, and its program holds exactly the library's blocks and the
constants that the copy named, byte for byte."""
import time
import unittest

from test_copy import every_constant_line, get_clipboard
from test_import import library_block
from test_paste import library_constants, set_clipboard
from wizard import StandInIde

ELSEWHERE = "what another program put there"


class CopyInTheWizardPasteInTheIdeTest(unittest.TestCase):
    def setUp(self):
        self.ide = StandInIde()
        self.ide.start()

    def tearDown(self):
        self.ide.stop()

    def wait(self, read, unlike, timeout=20):
        """What `read` gives once it differs from `unlike`."""
        deadline = time.time() + timeout
        value = read()
        while value == unlike and time.time() < deadline:
            time.sleep(0.3)
            value = read()
        return value

    def test_copy_in_the_wizard_then_paste_in_the_ide(self):
        ide = self.ide
        ide.choose_menu("t", "w")  # 工具(&T) -> 执行易向导(&W)
        ide.wait_for_wizard()
        for name in ("getmenuiteminfoa", "getwindowrect"):
            ide.find_in_english_index(name)
            ide.press("Return")  # gathers the selected API into the chosen list
            ide.press("ctrl+a", "BackSpace")
        chosen = ide.control("选择列表框_选用API")
        self.assertEqual(chosen["items"], ["GetMenuItemInfoA / 取菜单条目信息_", "GetWindowRect / 取窗口矩形_"])
        row = chosen["itemHeight"]
        for k in (0, 1):
            ide.click_in(chosen, 8, row * k + row // 2)  # the item's box
        set_clipboard(ide, ELSEWHERE)
        ide.click_in(chosen, 100, row // 2)  # the list takes the focus
        ide.key("ctrl+c")
        copied = self.wait(lambda: get_clipboard(ide), ELSEWHERE)

        # The copy: .版本 2, the library's blocks of both commands and both data types,
        # then constants of the library, MIIM_ among them.
        pieces = copied.split("\r\n\r\n")
        self.assertEqual(pieces[0], ".版本 2")
        blocks = [piece + "\r\n" for piece in pieces[1:-1]]
        for block in blocks:
            folder = "dll" if block.startswith(".DLL命令 ") else "types"
            self.assertEqual(block, library_block(folder, block.split("\r\n")[0]))
        self.assertEqual(sorted(block.split(",")[0] for block in blocks),
                         sorted([".DLL命令 取菜单条目信息_", ".DLL命令 取窗口矩形_", ".数据类型 菜单条目结构_",
                                 ".数据类型 矩形_"]))
        constants = pieces[-1].splitlines(keepends=True)
        self.assertLessEqual(set(constants), every_constant_line())
        self.assertLessEqual(set(library_constants("MIIM_")), set(constants))

        # Pasted into the IDE, the program is that text.
        before = self.ide.status()
        # The user turns to the IDE: a click on its source view, at its top left, which the
        # wizard's window does not cover (without a window manager, the keyboard's focus
        # alone does not make the IDE the active window).
        ide.click_in(next(c for c in ide.ide_controls() if c["class"] == "Edit"), 20, 10)
        ide.key("ctrl+v", title=ide.TITLE)
        self.assertEqual(self.wait(self.ide.status, before), f"已粘贴 {len(blocks) + len(constants)} 个声明")
        self.assertEqual(ide.source_text(), copied)
        # The wizard closed, the IDE shows what it now holds.
        ide.click_in(ide.control("按钮_关闭程序"))
        self.assertEqual(ide.wizard_exit_code(), 0)
        time.sleep(0.5)
        ide.screenshot("copy-then-paste-into-ide", window_class=ide.WINDOW_CLASS)


if __name__ == "__main__":
    unittest.main()
