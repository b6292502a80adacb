"""Finding, showing and gathering APIs in the real program under Wine, as a new user would."""
import glob
import os
import unittest

from wizard import ROOT, Wizard

TREE_PAGE, INDEX_PAGE, SEARCH_PAGE = 0, 2, 3


def catalog_lines_containing(text):
    """The lines of the whole catalog, hand-written and generated, that hold `text`."""
    lines = []
    paths = glob.glob(os.path.join(ROOT, "data", "catalog", "*.txt")) + \
        glob.glob(os.path.join(ROOT, "data", "sdk", "catalog", "*.txt"))
    for path in paths:
        with open(path, encoding="utf-8") as f:
            lines += [line for line in f.read().splitlines() if text.lower() in line.lower()]
    return lines


class NavigationTest(unittest.TestCase):
    def setUp(self):
        self.wizard = Wizard()
        self.wizard.start()

    def tearDown(self):
        self.wizard.stop()

    def control(self, name):
        return self.wizard.control(name)

    def chosen_items(self):
        return self.control("选择列表框_选用API")["items"]

    def text_form(self):
        return self.control("编辑框_文本形式")["text"]

    def test_typical_road_from_the_index_to_the_chosen_list(self):
        w = self.wizard
        self.wizard.find_in_english_index("getmenuiteminfo")
        index = self.control("列表框_索引")
        self.assertEqual(index["count"], len(catalog_lines_containing("")))
        self.assertTrue(self.control("编辑框_索引")["focused"], "the find box keeps the focus")
        self.assertIn(".DLL命令 取菜单条目信息_, ", self.text_form())
        self.assertIn(".数据类型 菜单条目结构_, ", self.text_form())
        w.screenshot("index-page")
        w.press("Return")
        self.assertEqual(self.chosen_items(), ["GetMenuItemInfoA / 取菜单条目信息_"])
        # The table form shows the command; the text form holds the same declaration.
        w.screenshot("table-form")
        w.click_in(self.control("单选框_文本形式"), 8)
        self.assertTrue(self.control("编辑框_文本形式")["visible"])
        self.assertFalse(self.control("高级表格1")["visible"])
        w.screenshot("text-form")
        w.click_in(self.control("单选框_代码形式"), 8)
        self.assertTrue(self.control("高级表格1")["visible"])

    def test_moving_to_a_parameter_shows_its_data_type(self):
        w = self.wizard
        self.wizard.find_in_english_index("GetMenuItemInfoA")
        w.click_in(self.control("高级表格1"), 30, 12)  # the heading row
        w.press(*["Down"] * 10)   # the fourth parameter, lpmii: 菜单条目结构_
        self.assertTrue(self.control("高级表格2")["visible"])
        w.screenshot("parameter-data-type")

    def test_double_click_in_the_tree_adds_the_api(self):
        w = self.wizard
        tree = self.control("树型框_API目录")
        row = tree["itemHeight"]
        # Rows: the first category, then its APIs; the third row is its second API.
        w.click_in(tree, 80, row * 2 + row // 2, double=True)
        self.assertEqual(self.chosen_items(), ["CallWindowProcA / 调用窗口过程_"])
        w.screenshot("tree-page")
        w.click_in(tree, 80, row * 2 + row // 2, double=True)
        self.assertEqual(len(self.chosen_items()), 1, "the same API is added once")

    def test_search_then_double_click_adds_the_hit(self):
        w = self.wizard
        w.show_page("选择夹_目录区", SEARCH_PAGE)
        w.click_in(self.control("编辑框_搜索内容"))
        w.type("getmenuitem")
        w.press("Return")
        results = self.control("列表框_搜索结果")
        # The hits on a name; those in descriptions follow them.
        self.assertGreaterEqual(results["count"], len(catalog_lines_containing("getmenuitem")))
        w.click_in(results, 40, results["itemHeight"] // 2, double=True)
        self.assertEqual(len(self.chosen_items()), 1)
        w.screenshot("search-page")

    def test_constants_form_and_search_by_a_constants_name(self):
        w = self.wizard
        w.find_in_english_index("GetMenuItemInfoA")
        w.click_in(self.control("单选框_常量形式"), 8)
        self.assertTrue(self.control("高级表格_常量")["visible"])
        self.assertFalse(self.control("高级表格1")["visible"])
        self.assertFalse(self.control("编辑框_文本形式")["visible"])
        self.assertRegex(self.control("状态条")["parts"][2], r"^常量：[1-9][0-9]*个$")
        w.screenshot("constants-form")
        w.show_page("选择夹_目录区", SEARCH_PAGE)
        w.click_in(self.control("编辑框_搜索内容"))
        w.type("miim_string")
        w.press("Return")
        self.assertIn("取菜单条目信息_", self.control("列表框_搜索结果")["items"])
        w.screenshot("search-by-constant")

    def test_ticking_and_removing_chosen_items(self):
        w = self.wizard
        tree = self.control("树型框_API目录")
        row = tree["itemHeight"]
        for k in (1, 2, 3):
            w.click_in(tree, 80, row * k + row // 2, double=True)
        self.assertEqual(len(self.chosen_items()), 3)
        chosen = self.control("选择列表框_选用API")
        w.click_in(chosen, 8, chosen["itemHeight"] // 2)  # the first item's box
        w.click_in(self.control("按钮_全部选择"))
        w.screenshot("chosen-list-ticked")
        w.click_in(chosen, 120, chosen["itemHeight"] // 2)  # select the first item's text
        w.click_in(self.control("按钮_从选用框删除"))
        self.assertEqual(len(self.chosen_items()), 2)
        self.assertEqual(self.control("选择列表框_选用API")["selection"], 0)
        w.press("alt+n")  # the accelerator of 清空(&N)
        self.assertEqual(self.chosen_items(), [])


if __name__ == "__main__":
    unittest.main()
