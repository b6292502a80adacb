"""The start-up window on screens of 96 and 144 pixels per inch: the same window, one and a
half times as large, with the same layout and no caption cut off."""
import unittest

from wizard import Wizard

BUTTONS = ["全选(&A)", "放弃(&D)", "导入(&Z)", "去除", "清空(&N)", "关闭(&C)"]
NOTE = "*注意：\r\n请通过易语言菜单“工具->执行易向导”启动本程序以实现添加API到易程序。"


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
                cls.seen[dpi] = wizard.controls()
                wizard.screenshot(f"startup-window-{dpi}dpi")
                # The layout at other sizes, in this screen's pixels.
                cls.seen[dpi, "resized"] = []
                for width, height in [(900, 700), (640, 480)]:
                    wizard.resize(px(width, dpi), px(height, dpi))
                    cls.seen[dpi, "resized"].append(wizard.controls())

    def test_the_window_is_one_and_a_half_times_as_large(self):
        small, large = self.seen[96][0], self.seen[144][0]
        self.assertEqual((small["width"], small["height"]), (671, 572))
        self.assertAlmostEqual(large["width"], 1.5 * 671, delta=1)
        self.assertAlmostEqual(large["height"], 1.5 * 572, delta=1)
        # Every control too; the window's frame and the status bar are the system's and
        # grow by their own rounding, so what follows the client height may differ by a
        # few pixels.
        # (A tab control makes its scroll arrows only when its headers ever overflowed.)
        controls = {dpi: [c for c in self.seen[dpi] if c["class"] != "msctls_updown32"] for dpi in (96, 144)}
        self.assertEqual([c["class"] for c in controls[96]], [c["class"] for c in controls[144]])
        for a, b in zip(controls[96][1:], controls[144][1:]):
            for x, y in zip(rect(a), rect(b)):
                self.assertAlmostEqual(y, 1.5 * x, delta=6, msg=(a["class"], a["text"][:8], rect(a), rect(b)))
        # The controls' font grows with the screen: list items are as much higher.
        lists = lambda dpi: [c["itemHeight"] for c in self.seen[dpi] if c["class"] in ("ListBox", "SysTreeView32")]
        for a, b in zip(lists(96), lists(144)):
            self.assertGreaterEqual(b, 1.3 * a)

    def test_the_layout_rules_hold_at_every_size(self):
        for dpi in (96, 144):
            for controls in [self.seen[dpi], *self.seen[dpi, "resized"]]:
                chosen = [c for c in controls if c["class"] == "SysTabControl32"][1]
                for text in BUTTONS:
                    button = next(c for c in controls if c["text"] == text)
                    self.assertEqual(button["left"] + button["width"], chosen["left"] + chosen["width"] - px(8, dpi))
                grids = [c for c in controls if c["class"] == "KelvaneGrid"]
                edit = [c for c in controls if c["class"] == "Edit"][2]
                board = [c for c in controls if c["class"] == "KelvaneBoard"][0]
                self.assertEqual(rect(edit), rect(grids[0]), dpi)
                self.assertEqual(rect(board), rect(grids[0]), dpi)
                self.assertFalse(grids[1]["visible"], dpi)

    def test_no_caption_is_cut_off(self):
        for dpi in (96, 144):
            controls = self.seen[dpi]
            for c in controls:
                if c["class"] == "Button":
                    # A radio button's text stands right of its round box.
                    radio = c["text"] in ("中文API名", "英文API名", "中文API", "英文API", "代码形式", "文本形式")
                    room = c["clientWidth"] - px(16 if radio else 4, dpi)
                    self.assertLessEqual(c["textWidth"], room, (dpi, c["text"]))
                    self.assertLessEqual(c["textHeight"], c["clientHeight"], (dpi, c["text"]))
                elif c["class"] == "ComboBox":
                    self.assertLessEqual(c["textWidth"], c["clientWidth"] - px(17, dpi), (dpi, c["text"]))
            # The catalog's four page headers stand side by side: no scroll arrows.
            self.assertFalse(any(c["class"] == "msctls_updown32" and c["visible"] for c in controls), dpi)
        # The design's note is longer than its label at any scale; at 144 it shows no less of it.
        note = {dpi: next(c for c in self.seen[dpi] if c["text"] == NOTE) for dpi in (96, 144)}
        shown = {dpi: note[dpi]["clientHeight"] / note[dpi]["textHeight"] for dpi in (96, 144)}
        self.assertGreaterEqual(shown[144], shown[96])


if __name__ == "__main__":
    unittest.main()
