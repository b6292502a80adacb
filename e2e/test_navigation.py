"""Finding, showing and gathering APIs in the real program under Wine, as a new user would."""
import glob
import os
import unittest

from wizard import ROOT, Wizard

CATALOG, CHOSEN = 0, 1
TREE_PAGE, INDEX_PAGE, SEARCH_PAGE = 0, 2, 3


def catalog_lines_containing(text):
    lines = []
    for path in glob.glob(os.path.join(ROOT, "data", "catalog", "*.txt")):
        with open(path, encoding="utf-8") as f:
            lines += [line for line in f.read().splitlines() if text.lower() in line.lower()]
    return lines


def by_class(controls, cls):
    return [c for c in controls if c["class"] == cls]


class NavigationTest(unittest.TestCase):
    def setUp(self):
        self.wizard = Wizard()
        self.wizard.start()

    def tearDown(self):
        self.wizard.stop()

    def control(self, text=None, cls=None, index=0):
        return self.wizard.find(text=text, cls=cls, index=index)

    def chosen_items(self):
        return self.chosen_list()["items"]

    def chosen_list(self):
        # The chosen API list is the first list box on the chosen area (it comes after the five on the catalog area).
        return by_class(self.wizard.controls(), "ListBox")[3]


    def text_form(self):
        return by_class(self.wizard.controls(), "Edit")[2]["text"]

    def test_typical_road_from_the_index_to_the_chosen_list(self):
        w = self.wizard
        self.wizard.find_in_english_index("getmenuiteminfo")
        index = by_class(w.controls(), "ListBox")[1]
        self.assertEqual(index["count"], len(catalog_lines_containing("")))
        self.assertTrue(by_class(w.controls(), "Edit")[0]["focused"], "the find box keeps the focus")
        self.assertIn(".DLL命令 取菜单条目信息_, ", self.text_form())
        self.assertIn(".数据类型 菜单条目结构_, ", self.text_form())
        w.screenshot("index-page")
        w.press("Return")
        self.assertEqual(self.chosen_items(), ["GetMenuItemInfoA / 取菜单条目信息_"])
        # The table form shows the command; the text form holds the same declaration.
        w.screenshot("table-form")
        w.click_in(self.control("文本形式"), 8)
        edit = by_class(w.controls(), "Edit")[2]
        self.assertTrue(edit["visible"])
        self.assertFalse(by_class(w.controls(), "KelvaneGrid")[0]["visible"])
        w.screenshot("text-form")
        w.click_in(self.control("代码形式"), 8)
        self.assertTrue(by_class(w.controls(), "KelvaneGrid")[0]["visible"])

    def test_moving_to_a_parameter_shows_its_data_type(self):
        w = self.wizard
        self.wizard.find_in_english_index("GetMenuItemInfoA")
        grid = by_class(w.controls(), "KelvaneGrid")[0]
        w.click_in(grid, 30, 12)  # the heading row
        w.press(*["Down"] * 10)   # the fourth parameter, lpmii: 菜单条目结构_
        self.assertTrue(by_class(w.controls(), "KelvaneGrid")[1]["visible"])
        w.screenshot("parameter-data-type")

    def test_double_click_in_the_tree_adds_the_api(self):
        w = self.wizard
        tree = by_class(w.controls(), "SysTreeView32")[0]
        row = tree["itemHeight"]
        # Rows: the first category, then its APIs; the third row is its second API.
        w.click_in(tree, 80, row * 2 + row // 2, double=True)
        self.assertEqual(self.chosen_items(), ["CallWindowProcA / 调用窗口过程_"])
        w.screenshot("tree-page")
        w.click_in(tree, 80, row * 2 + row // 2, double=True)
        self.assertEqual(len(self.chosen_items()), 1, "the same API is added once")

    def test_search_then_double_click_adds_the_hit(self):
        w = self.wizard
        w.show_page(CATALOG, SEARCH_PAGE)
        w.click_in(by_class(w.controls(), "Edit")[1])
        w.type("getmenuitem")
        w.press("Return")
        results = by_class(w.controls(), "ListBox")[2]
        self.assertEqual(results["count"], len(catalog_lines_containing("getmenuitem")))
        w.click_in(results, 40, results["itemHeight"] // 2, double=True)
        self.assertEqual(len(self.chosen_items()), 1)
        w.screenshot("search-page")

    def test_ticking_and_removing_chosen_items(self):
        w = self.wizard
        tree = by_class(w.controls(), "SysTreeView32")[0]
        row = tree["itemHeight"]
        for k in (1, 2, 3):
            w.click_in(tree, 80, row * k + row // 2, double=True)
        self.assertEqual(len(self.chosen_items()), 3)
        chosen = self.chosen_list()
        w.click_in(chosen, 8, chosen["itemHeight"] // 2)  # the first item's box
        w.click_in(self.control("全选(&A)"))
        w.screenshot("chosen-list-ticked")
        w.click_in(chosen, 120, chosen["itemHeight"] // 2)  # select the first item's text
        w.click_in(self.control("去除"))
        self.assertEqual(len(self.chosen_items()), 2)
        self.assertEqual(self.chosen_list()["selection"], 0)
        w.press("alt+n")  # the accelerator of 清空(&N)
        self.assertEqual(self.chosen_items(), [])


if __name__ == "__main__":
    unittest.main()
