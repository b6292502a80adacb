"""Finding Chinese names in the index by pinyin, typed without a Chinese input method."""
import time
import unittest

from wizard import Wizard, by_name

INDEX_PAGE = 2


class PinyinFindTest(unittest.TestCase):
    def setUp(self):
        self.wizard = Wizard()
        self.wizard.start()

    def tearDown(self):
        self.wizard.stop()

    def controls_once_selected(self, text, timeout=10):
        """The controls once the index selects `text`, or as they are at the timeout: the
        typed keys reach the window while the probe may already be reading it."""
        deadline = time.time() + timeout
        while True:
            controls = by_name(self.wizard.controls())
            index = controls.get("列表框_索引", {})
            if index.get("selectedText") == text or time.time() > deadline:
                return controls
            time.sleep(0.3)

    def test_initials_select_the_chinese_name_and_show_its_declaration(self):
        w = self.wizard
        w.show_page("选择夹_目录区", INDEX_PAGE)
        self.assertTrue(w.control("单选框_中文索引")["enabled"])
        w.click_in(w.control("编辑框_索引"))
        w.type("qcdtm")
        controls = self.controls_once_selected("取菜单条目标识_")
        # The first name in the list's order whose initials begin so.
        self.assertEqual(controls["列表框_索引"]["selectedText"], "取菜单条目标识_")
        self.assertEqual(controls["状态条"]["parts"][1], "qcdtm → 取菜单条目标识_")
        w.type("xx")
        controls = self.controls_once_selected("取菜单条目信息_")
        self.assertEqual(controls["列表框_索引"]["selectedText"], "取菜单条目信息_")
        self.assertEqual(controls["状态条"]["parts"][:2], ["API：", "qcdtmxx → 取菜单条目信息_"])
        self.assertIn(".DLL命令 取菜单条目信息_, ", controls["编辑框_文本形式"]["text"])
        self.assertTrue(controls["编辑框_索引"]["focused"], "the find box keeps the focus")
        w.screenshot("pinyin-find")
        w.press("Return")
        self.assertEqual(w.control("选择列表框_选用API")["items"], ["GetMenuItemInfoA / 取菜单条目信息_"])

    def test_syllables_find_a_polyphone_by_its_other_reading(self):
        w = self.wizard
        w.show_page("选择夹_目录区", INDEX_PAGE)
        w.click_in(w.control("编辑框_索引"))
        w.type("chonghuachuang")
        controls = self.controls_once_selected("重画窗口_")
        self.assertEqual(controls["列表框_索引"]["selectedText"], "重画窗口_")
        self.assertIn(".DLL命令 重画窗口_, ", controls["编辑框_文本形式"]["text"])


if __name__ == "__main__":
    unittest.main()
