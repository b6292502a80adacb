"""Finding APIs with Chinese words, and lists that another program reads as list boxes."""
import glob
import os
import time
import unittest

from wizard import ROOT, Wizard, by_name

INDEX_PAGE, SEARCH_PAGE = 2, 3


def catalog_names():
    """The Chinese names of the hand-written entries and the English names of the generated."""
    chinese, english = [], []
    for path in sorted(glob.glob(os.path.join(ROOT, "data", "catalog", "*.txt"))):
        with open(path, encoding="utf-8") as f:
            chinese += [line.split(",")[2] for line in f.read().splitlines() if line.count(",") >= 2]
    for path in sorted(glob.glob(os.path.join(ROOT, "data", "sdk", "catalog", "*.txt"))):
        with open(path, encoding="utf-8") as f:
            english += [line.split(",")[0] for line in f.read().splitlines() if line.count(",") >= 2]
    return chinese, english


def sort_key(name):
    """The wizard's one order: GBK bytes with single-byte ASCII letters folded, then as they are."""
    return "".join(c.lower() if c.isascii() else c for c in name).encode("gbk"), name.encode("gbk")


class FindInChineseTest(unittest.TestCase):
    def setUp(self):
        self.wizard = Wizard()
        self.wizard.start()

    def tearDown(self):
        self.wizard.stop()

    def controls_when(self, test, timeout=10):
        """The controls once `test` holds for them, or as they are at the timeout."""
        deadline = time.time() + timeout
        while True:
            controls = by_name(self.wizard.controls())
            if test(controls) or time.time() > deadline:
                return controls
            time.sleep(0.3)

    def search(self, text):
        w = self.wizard
        w.set_text("编辑框_搜索内容", text)
        w.click_in(w.control("按钮_搜索"))
        return self.controls_when(lambda c: c["列表框_搜索结果"]["count"] > 0 or "未找到" in c["状态条"]["parts"][1])

    def test_the_index_opens_on_chinese_names_read_by_lb_gettext_and_says_when_nothing_begins_so(self):
        w = self.wizard
        w.show_page("选择夹_目录区", INDEX_PAGE)
        index = w.control("列表框_索引")  # the probe reads its items with LB_GETTEXT
        chinese, english = catalog_names()
        self.assertEqual(index["count"], len(chinese) + len(english))
        self.assertEqual(index["items"], sorted(chinese, key=sort_key)[:len(index["items"])])
        w.screenshot("index-chinese-first")
        w.click_in(w.control("单选框_英文索引"), 8)
        index = self.controls_when(lambda c: c["列表框_索引"]["items"][0].isascii())["列表框_索引"]
        self.assertTrue(all(item.isascii() for item in index["items"]), index["items"])
        w.click_in(w.control("单选框_中文索引"), 8)
        # A type-ahead that finds nothing says so, and the nearest name stays.
        w.set_text("编辑框_索引", "分")
        nearest = self.controls_when(lambda c: c["列表框_索引"]["selection"] >= 0)["列表框_索引"]["selectedText"]
        self.assertTrue(nearest.startswith("分"), nearest)
        w.set_text("编辑框_索引", "分层窗口")
        controls = self.controls_when(lambda c: c["状态条"]["parts"][1].startswith("未找到"))
        self.assertEqual(controls["状态条"]["parts"][1], "未找到：分层窗口")
        self.assertEqual(controls["列表框_索引"]["selectedText"], nearest, "the nearest name stays selected")
        w.screenshot("index-not-found")

    def test_the_search_finds_descriptions_glossed_names_and_says_when_nothing(self):
        w = self.wizard
        w.show_page("选择夹_目录区", SEARCH_PAGE)
        items = self.search("顶层窗口")["列表框_搜索结果"]["items"]
        self.assertIn("枚举顶层窗口_", items)
        self.assertIn("查找窗口_", items)  # its description says 顶层窗口
        self.assertLess(items.index("枚举顶层窗口_"), items.index("查找窗口_"), "hits on a name come first")
        w.screenshot("search-descriptions")
        items = self.search("分层窗口")["列表框_搜索结果"]["items"]
        self.assertIn("SetLayeredWindowAttributes", items)
        self.assertIn("UpdateLayeredWindow", items)
        w.screenshot("search-glossary")
        controls = self.search("无此词语")
        self.assertEqual(controls["列表框_搜索结果"]["count"], 0)
        self.assertEqual(controls["状态条"]["parts"][1], "未找到：无此词语")
        w.screenshot("search-not-found")


if __name__ == "__main__":
    unittest.main()
