"""A declaration generated from the SDK headers, taken the user's way: the tree shows it
under 全部系统API（按DLL） and its DLL, with its declaration; the English index finds
SetLayeredWindowAttributes, Enter gathers it, a tick and 导入 send it, and the stand-in IDE's
program then holds the declaration byte for byte as the library has it, with the constants
that its dwFlags takes (LWA_*), which its constants form lists and by which the search
finds it."""
import os
import time
import unittest

from test_import import decode_request, library_block, name_declaration, payload_constants, wait_for_file
from wizard import StandInIde

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
        self.assertIn(f"{NAME}_", ide.control("列表框_搜索结果")["items"])
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


if __name__ == "__main__":
    unittest.main()
