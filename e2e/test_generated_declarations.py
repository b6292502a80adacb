"""A declaration generated from the SDK headers, taken the user's way: the tree shows it
under 全部系统API（按DLL） and its DLL, with its declaration; the English index finds
SetLayeredWindowAttributes, Enter gathers it, a tick and 导入 send it, and the stand-in IDE's
program then holds the declaration byte for byte as the library has it, with the constants
that its dwFlags takes (LWA_*), which its constants form lists and by which the search
finds it. The W forms and the oldest Windows: the index finds CreateFileW (its file name a
字节集), CreateFile2 right after it (需要 Windows 8 或更高) and URLDownloadToFileA of
urlmon.dll, and Ctrl+C copies them as E text."""
import os
import time
import unittest

from test_copy import get_clipboard
from test_import import decode_request, library_block, name_declaration, payload_constants, wait_for_file
from test_paste import set_clipboard
from wizard import StandInIde, Wizard

NAME = "SetLayeredWindowAttributes"


class GeneratedDeclarationTest(unittest.TestCase):
    def setUp(self):
        self.ide = StandInIde()
        self.ide.start()
        self.ide.choose_menu("t", "w")  # 工具(&T) -> 执行易向导(&W)
        self.ide.wait_for_wizard()

    def tearDown(self):
        self.ide.stop()

    def test_tree_index_and_import_of_a_generated_declaration(self):
        ide = self.ide
        block = library_block("sdk/dll", f".DLL命令 {NAME}_,")

        # The tree: the last top-level node, its DLL, the API, found by typing as in any tree.
        ide.click_in(ide.control("树型框_API目录"), 40, 8)
        ide.press("End", "Right")
        ide.type("user32")
        ide.press("Right")
        ide.screenshot("generated-tree-node")
        ide.type(NAME[:12])
        status = [c for c in ide.controls() if c["class"] == "msctls_statusbar32"][0]
        self.assertEqual(status["parts"][:2], ["API：", NAME])
        self.assertTrue(ide.control("编辑框_文本形式")["text"].startswith(".版本2\r\n\r\n" + block.split("\r\n")[0]))
        ide.screenshot("generated-in-tree")

        # Its constants form: what dwFlags takes, LWA_COLORKEY = 1 and LWA_ALPHA = 2.
        ide.click_in(ide.control("单选框_常量形式"), 8)
        status = [c for c in ide.controls() if c["class"] == "msctls_statusbar32"][0]
        self.assertEqual(status["parts"][2], "常量：2个")
        ide.screenshot("generated-constants-form")

        # The search by a constant that it takes, typed in lower case.
        ide.show_page("选择夹_目录区", 3)
        ide.click_in(ide.control("编辑框_搜索内容"))
        ide.type("lwa_alpha")
        ide.press("Return")
        self.assertIn(NAME, ide.control("列表框_搜索结果")["items"])  # a generated API shows its English name
        ide.screenshot("generated-search-by-constant")

        # The index, Enter, the tick, the import.
        ide.find_in_english_index(NAME.lower())
        self.assertEqual(ide.control("列表框_索引")["selectedText"], NAME)
        ide.press("Return")
        chosen = ide.control("选择列表框_选用API")
        self.assertEqual(chosen["items"], [f"{NAME} / {NAME}_"])
        ide.click_in(chosen, 8, chosen["itemHeight"] // 2)
        ide.screenshot("generated-chosen")
        reply = os.path.join(ide.records, "reply-1.txt")
        button = ide.control("按钮_导入")
        ide.xdotool("mousemove", button["screenLeft"] + button["width"] // 2,
                    button["screenTop"] + button["height"] // 2, "click", "1")
        self.assertTrue(wait_for_file(reply), "no reply")
        self.assertEqual(ide.wizard_exit_code(), 0)

        flag, payload, records, _ = decode_request(ide.requests()[0])
        constants = payload_constants(payload)
        self.assertEqual(constants, ['.常量 LWA_ALPHA, "2", , winuser.h\r\n', '.常量 LWA_COLORKEY, "1", , winuser.h\r\n'])
        self.assertEqual(records, [name_declaration(256, f"{NAME}_"), (5, [(0x80000004, 0, "a")]),
                                   (5, [(0x80000004, 0, "b")])])
        with open(reply, encoding="gbk") as f:
            self.assertEqual(f.read(), "已加入 3 个声明")
        time.sleep(0.5)
        self.assertEqual(ide.source_text(), ".版本 2\r\n\r\n" + block + "\r\n" + "".join(constants))
        ide.screenshot("generated-in-ide", window_class=ide.WINDOW_CLASS)


class UnicodeFormsTest(unittest.TestCase):
    def setUp(self):
        self.wizard = Wizard()
        self.wizard.start()

    def tearDown(self):
        self.wizard.stop()

    def shown(self, typed, name, dll, *parts):
        """Finds `typed` in the English index: `name` is selected and its declaration shown;
        Enter gathers it."""
        w = self.wizard
        w.click_in(w.control("编辑框_索引"))
        w.press("ctrl+a", "BackSpace")
        w.type(typed)
        self.assertEqual(w.control("列表框_索引")["selectedText"], name)
        text = w.control("编辑框_文本形式")["text"]
        self.assertIn(f'"{dll}"', text.split("\r\n")[2])
        for part in parts:
            self.assertIn(part, text)
        w.press("Return")  # gathers it into the chosen list
        w.click_in(w.control("单选框_文本形式"), 8)  # the comment, with the oldest Windows, in view
        w.screenshot(f"generated-{name}")

    def test_w_forms_and_their_windows_are_found_shown_and_copied(self):
        w = self.wizard
        w.find_in_english_index("")
        self.shown("createfilew", "CreateFileW", "kernel32.dll", "    .参数 lpFileName, 字节集, , lpFileName,LPCWSTR")
        self.shown("createfile2", "CreateFile2", "kernel32.dll", "需要 Windows 8 或更高",
                   "    .参数 lpFileName, 字节集, , lpFileName,LPCWSTR")
        self.shown("urldownloadtofile", "URLDownloadToFile", "urlmon.dll", '"URLDownloadToFileA"')

        chosen = w.control("选择列表框_选用API")
        self.assertEqual(sorted(chosen["items"]), ["CreateFile2 / CreateFile2_", "CreateFileW / CreateFileW_",
                                                   "URLDownloadToFile / URLDownloadToFile_"])
        row = chosen["itemHeight"]
        for k in range(3):
            w.click_in(chosen, 8, row * k + row // 2)  # the item's box
        set_clipboard(w, "before")
        w.click_in(chosen, 100, row // 2)
        w.key("ctrl+c")
        deadline, copied = time.time() + 15, "before"
        while copied == "before" and time.time() < deadline:
            time.sleep(0.3)
            copied = get_clipboard(w)
        self.assertTrue(copied.startswith(".版本 2\r\n\r\n"), copied[:200])
        for name in ("CreateFileW_", "CreateFile2_", "URLDownloadToFile_"):
            self.assertIn(library_block("sdk/dll", f".DLL命令 {name},"), copied)
        w.screenshot("generated-w-forms-copied")


if __name__ == "__main__":
    unittest.main()
