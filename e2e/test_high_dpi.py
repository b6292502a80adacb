"""The start-up window on screens of 96 and 144 pixels per inch: the same window, one and a
half times as large, with the same layout and no caption cut off."""
import unittest

from wizard import Wizard, by_name

BUTTONS = ["按钮_全部选择", "按钮_全部放弃", "按钮_导入", "按钮_从选用框删除", "按钮_清空选用框", "按钮_关闭程序"]


def px(length, dpi):
    """A length of the design (drawn at 96 pixels per inch) on a screen of `dpi`."""
    return (length * dpi + 48) // 96


def rect(control):
    return control["left"], control["top"], control["width"], control["height"]


class HighDpiTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.seen = {}
        for dpi in (96, 144):
            with Wizard(dpi=dpi) as wizard:
                cls.seen[dpi] = wizard.every_control()
                wizard.screenshot(f"startup-window-{dpi}dpi")
                # The layout at other sizes, in this screen's pixels.
                cls.seen[dpi, "resized"] = []
                for width, height in [(900, 700), (640, 480)]:
                    wizard.resize(px(width, dpi), px(height, dpi))
                    cls.seen[dpi, "resized"].append(wizard.controls())

    def test_the_window_is_one_and_a_half_times_as_large(self):
        controls = {dpi: by_name(self.seen[dpi]) for dpi in (96, 144)}
        small, large = controls[96].pop("_启动窗口"), controls[144].pop("_启动窗口")
        self.assertEqual((small["width"], small["height"]), (671, 572))
        self.assertAlmostEqual(large["width"], 1.5 * 671, delta=1)
        self.assertAlmostEqual(large["height"], 1.5 * 572, delta=1)
        # Every control too; the window's frame and the status bar are the system's and
        # grow by their own rounding, so what follows the client height may differ by a
        # few pixels.
        self.assertEqual(controls[96].keys(), controls[144].keys())
        for name, a in controls[96].items():
            b = controls[144][name]
            for x, y in zip(rect(a), rect(b)):
                self.assertAlmostEqual(y, 1.5 * x, delta=6, msg=(name, rect(a), rect(b)))
            # The controls' font grows with the screen: list items are as much higher.
            if a["class"] in ("ListBox", "SysTreeView32"):
                self.assertGreaterEqual(b["itemHeight"], 1.3 * a["itemHeight"], name)

    def test_the_layout_rules_hold_at_every_size(self):
        for dpi in (96, 144):
            for controls in map(by_name, [self.seen[dpi], *self.seen[dpi, "resized"]]):
                chosen = controls["选择夹_选用区"]
                for name in BUTTONS:
                    button = controls[name]
                    self.assertEqual(button["left"] + button["width"], chosen["left"] + chosen["width"] - px(8, dpi))
                self.assertEqual(rect(controls["编辑框_文本形式"]), rect(controls["高级表格1"]), dpi)
                self.assertEqual(rect(controls["画板1"]), rect(controls["高级表格1"]), dpi)
                self.assertFalse(controls["高级表格2"]["visible"], dpi)

    def test_no_caption_is_cut_off(self):
        for dpi in (96, 144):
            controls = self.seen[dpi]
            for c in controls:
                if c["class"] == "Button":
                    # A radio button's text stands right of its round box.
                    radio = c["name"].startswith("单选框_")
                    room = c["clientWidth"] - px(16 if radio else 4, dpi)
                    self.assertLessEqual(c["textWidth"], room, (dpi, c["text"]))
                    self.assertLessEqual(c["textHeight"], c["clientHeight"], (dpi, c["text"]))
                elif c["class"] == "ComboBox":
                    self.assertLessEqual(c["textWidth"], c["clientWidth"] - px(17, dpi), (dpi, c["text"]))
            # The catalog's four page headers stand side by side: no scroll arrows.
            self.assertFalse(any(c["class"] == "msctls_updown32" and c["visible"] for c in controls), dpi)
            # The tree's first view, its first category open, fits the box: no scroll bars.
            self.assertEqual(by_name(controls)["树型框_API目录"]["scrollBars"], 0, dpi)
        # The design's note is longer than its label at any scale; at 144 it shows no less of it.
        note = {dpi: by_name(self.seen[dpi])["标签2"] for dpi in (96, 144)}
        shown = {dpi: note[dpi]["clientHeight"] / note[dpi]["textHeight"] for dpi in (96, 144)}
        self.assertGreaterEqual(shown[144], shown[96])


if __name__ == "__main__":
    unittest.main()
