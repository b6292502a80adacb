"""How the window looks under Wine: the chosen list's menu keeps a gap before its shortcut,
no caption or note is cut off, the grid ends a cut text with "…" and shows it whole in a
tooltip, a long type name leaves the comments in view, and the window cannot be made so
small that its controls overlap, nor leaves a stale line behind when it grows."""
import subprocess
import time
import unittest

from wizard import Wizard, by_name


def pixels(path):
    """The picture's width, height and RGB bytes, row by row."""
    data = subprocess.run(["convert", path, "ppm:-"], stdout=subprocess.PIPE, check=True, timeout=60).stdout
    fields = data.split(maxsplit=4)
    return int(fields[1]), int(fields[2]), fields[4]


def overlap(a, b):
    return (a["left"] < b["left"] + b["width"] and b["left"] < a["left"] + a["width"]
            and a["top"] < b["top"] + b["height"] and b["top"] < a["top"] + a["height"])


class LooksTest(unittest.TestCase):
    """One wizard for every test: each leaves the window at its first size."""

    @classmethod
    def setUpClass(cls):
        cls.wizard = Wizard()
        cls.wizard.start()

    @classmethod
    def tearDownClass(cls):
        cls.wizard.stop()

    def test_the_menu_leaves_a_gap_before_its_shortcut(self):
        w = self.wizard
        w.find_in_english_index("getmenuiteminfoa")
        w.press("Return")
        chosen = w.control("选择列表框_选用API")
        w.xdotool("mousemove", chosen["screenLeft"] + 60, chosen["screenTop"] + 8, "click", "3")
        time.sleep(0.8)
        menu = w.popups("#32768")
        self.assertEqual(len(menu), 1)
        path = w.screenshot("chosen-list-menu", around=menu)
        width, _, rgb = pixels(path)
        # Within the menu, across the middle of its one item: the columns with ink.
        shot = w.controls()[0]
        x0 = menu[0]["screenLeft"] - min(shot["screenLeft"], menu[0]["screenLeft"])
        y0 = menu[0]["screenTop"] - min(shot["screenTop"], menu[0]["screenTop"]) + menu[0]["height"] // 2
        at = lambda x, y: tuple(rgb[3 * (y * width + x):3 * (y * width + x) + 3])
        inked = [x for x in range(x0 + 4, x0 + menu[0]["width"] - 4)
                 if any(sum(at(x, y)) < 3 * 160 for y in range(y0 - 4, y0 + 5))]
        gaps = [b - a for a, b in zip(inked, inked[1:])]
        self.assertGreaterEqual(max(gaps), 12, "no gap between the text and the shortcut")
        w.press("Escape")

    def test_no_caption_or_note_is_cut_off(self):
        w = self.wizard
        w.show_page("选择夹_选用区", 1)  # the related examples: the import button opens examples
        w.show_page("选择夹_目录区", 3)  # the search page
        controls = by_name(w.every_control())
        button = controls["按钮_导入"]
        self.assertEqual(button["text"], "打开例程(&O)")
        # The focus frame lies 3 pixels inside the button's edge, and the text inside it.
        self.assertLessEqual(button["textWidth"], button["clientWidth"] - 2 * 5)
        combo = controls["组合框_搜索API显示"]
        self.assertLessEqual(combo["textWidth"], combo["clientWidth"] - 17 - 2 * 4)
        for size in [(671, 572), (900, 700), (500, 400)]:
            w.resize(*size)
            note = by_name(w.controls())["标签2"]
            self.assertLessEqual(note["textHeight"], note["clientHeight"], size)
        w.resize(671, 572)
        w.screenshot("captions-whole")
        w.show_page("选择夹_选用区", 0)

    def test_the_window_keeps_a_least_size_and_leaves_no_stale_line(self):
        w = self.wizard
        w.resize(200, 150)
        controls = by_name(w.controls())
        window, status = controls["_启动窗口"], controls["状态条"]
        self.assertGreater(window["width"], 200)
        w.screenshot("least-size")
        on_window = [c for c in w.controls() if c["depth"] == 1 and c["visible"] and c["class"] != "msctls_statusbar32"]
        for c in on_window:
            self.assertFalse(overlap(c, status), c["name"])
        for a, b in [("选择夹_目录区", "选择夹_选用区"), ("选择夹_目录区", "外形框1"), ("选择夹_选用区", "外形框1")]:
            self.assertFalse(overlap(controls[a], controls[b]), (a, b))
        # Grown again: what shows is what a full repaint draws.
        w.resize(900, 720)
        grown = pixels(w.screenshot("grown-after-least-size"))
        w.probe("redraw")
        time.sleep(0.5)
        self.assertEqual(pixels(w.screenshot("grown-repainted")), grown)
        w.resize(671, 572)

    def test_a_cut_cell_shows_its_text_whole_in_a_tooltip(self):
        w = self.wizard
        w.find_in_english_index("getipnetworkconnectionbandwidthestimates")
        time.sleep(0.5)
        grid = w.control("高级表格1")
        w.screenshot("long-type-name")
        # The name cell of row 1: the name is wider than its column.
        w.xdotool("mousemove", grid["screenLeft"] + 40, grid["screenTop"] + 37)
        time.sleep(0.3)
        w.xdotool("mousemove", grid["screenLeft"] + 44, grid["screenTop"] + 38)
        tips = []
        for _ in range(20):
            tips = w.popups("tooltips_class32")
            if tips:
                break
            time.sleep(0.25)
        w.screenshot("grid-tooltip", around=tips)
        self.assertEqual([t["text"] for t in tips], ["GetIpNetworkConnectionBandwidthEstimates_"])


if __name__ == "__main__":
    unittest.main()
