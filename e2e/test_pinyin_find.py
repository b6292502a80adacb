"""Finding Chinese names in the index by pinyin, typed without a Chinese input method."""
import unittest

from wizard import Wizard

CATALOG, INDEX_PAGE = 0, 2


def by_class(controls, cls):
    return [c for c in controls if c["class"] == cls]


class PinyinFindTest(unittest.TestCase):
    def setUp(self):
        self.wizard = Wizard()
        self.wizard.start()

    def tearDown(self):
        self.wizard.stop()

    def test_initials_select_the_chinese_name_and_show_its_declaration(self):
        w = self.wizard
        w.show_page(CATALOG, INDEX_PAGE)
        self.assertTrue(w.find(text="中文API")["enabled"])
        w.click_in(by_class(w.controls(), "Edit")[0])
        w.type("qcdtm")
        controls = w.controls()
        index = by_class(controls, "ListBox")[1]
        # The first name in the list's order whose initials begin so.
        self.assertEqual(index["selectedText"], "取菜单条目标识_")
        self.assertEqual(by_class(controls, "msctls_statusbar32")[0]["parts"][1], "qcdtm → 取菜单条目标识_")
        w.type("xx")
        controls = w.controls()
        self.assertEqual(by_class(controls, "ListBox")[1]["selectedText"], "取菜单条目信息_")
        self.assertEqual(by_class(controls, "msctls_statusbar32")[0]["parts"][:2], ["API：", "qcdtmxx → 取菜单条目信息_"])
        self.assertIn(".DLL命令 取菜单条目信息_, ", by_class(controls, "Edit")[2]["text"])
        self.assertTrue(by_class(controls, "Edit")[0]["focused"], "the find box keeps the focus")
        w.screenshot("pinyin-find")
        w.press("Return")
        self.assertEqual(by_class(w.controls(), "ListBox")[3]["items"], ["GetMenuItemInfoA / 取菜单条目信息_"])

    def test_syllables_find_a_polyphone_by_its_other_reading(self):
        w = self.wizard
        w.show_page(CATALOG, INDEX_PAGE)
        w.click_in(by_class(w.controls(), "Edit")[0])
        w.type("chonghuachuang")
        controls = w.controls()
        self.assertEqual(by_class(controls, "ListBox")[1]["selectedText"], "重画窗口_")
        self.assertIn(".DLL命令 重画窗口_, ", by_class(controls, "Edit")[2]["text"])


if __name__ == "__main__":
    unittest.main()
