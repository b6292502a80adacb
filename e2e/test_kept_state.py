"""What the user chose is kept between runs: the chosen APIs with their ticks, the window's
place and size, the names each list shows and the API on view; a file of the user's
that is damaged, huge or names APIs the library lacks starts the wizard as a first run
does, as fast."""
import os
import time
import unittest

from wizard import Wizard, by_name, kept_state_file


def copied_counts(w):
    """What Ctrl+C in the chosen list copies, as the status bar tells it: the ticked items."""
    chosen = w.control("选择列表框_选用API")
    w.click_in(chosen, 100, chosen["itemHeight"] // 2)
    w.key("ctrl+c")
    time.sleep(0.5)
    return w.control("状态条")["parts"][1].split("、")[0]


class KeptStateTest(unittest.TestCase):
    def test_a_restart_shows_what_was_kept(self):
        with Wizard() as w:
            for name in ("getmenuiteminfoa", "setmenuiteminfoa"):
                w.find_in_english_index(name)
                w.press("Return")
                w.press("ctrl+a", "BackSpace")
            chosen = w.control("选择列表框_选用API")
            row = chosen["itemHeight"]
            w.click_in(chosen, 8, row // 2)  # the first item's box
            w.click_in(chosen, 100, row + row // 2)  # shows the second
            w.resize(820, 660)
            before = by_name(w.every_control())
            w.key("Escape")
            self.assertEqual(w.wait_exit(), 0)
        with Wizard(kept=True) as w:
            after = by_name(w.controls())
            w.screenshot("kept-after-restart")
            self.assertEqual(after["选择列表框_选用API"]["items"], before["选择列表框_选用API"]["items"])
            self.assertEqual(len(after["选择列表框_选用API"]["items"]), 2)
            place = lambda c: (c["screenLeft"], c["screenTop"], c["width"], c["height"])
            self.assertEqual(place(after["_启动窗口"]), place(before["_启动窗口"]))
            self.assertEqual(after["编辑框_文本形式"]["text"], before["编辑框_文本形式"]["text"])
            self.assertIn("设置菜单条目信息_", after["编辑框_文本形式"]["text"])
            self.assertTrue(by_name(w.every_control())["单选框_英文索引"]["checked"])
            self.assertEqual(copied_counts(w), "1 个DLL命令")

    def test_a_file_of_no_use_starts_the_wizard_as_a_first_run_does(self):
        path = kept_state_file()
        unknown = b"kelvane-api-wizard-state 1\r\n" + b"".join(
            b"chosen ticked api NoSuchApi%d_\r\n" % n for n in range(10000)) + b"end\r\n"
        files = {"none": None,
                 "cut": b"kelvane-api-wizard-state 1\r\nchosen ticked api \xc8\xa1\xcf\xfb\xc2\xb7\xbe\xb6_\r\nen",
                 "huge": b"x" * (100 << 20), "unknown": unknown}
        w = Wizard()
        wizard_dir = w.lay_out()
        w.start_display()
        try:
            seconds = {}
            for name, content in files.items():
                if content is not None:
                    os.makedirs(os.path.dirname(path), exist_ok=True)
                    with open(path, "wb") as f:
                        f.write(content)
                began = time.time()
                w.launch("./apiwizard.exe", cwd=wizard_dir)
                w.wait_for_wizard()
                seconds[name] = time.time() - began
                seen = by_name(w.controls())
                w.screenshot(f"kept-state-{name}")
                w.process.kill()
                w.process.wait(timeout=10)
                self.assertEqual(seen["选择列表框_选用API"]["count"], 0, name)
                self.assertEqual((seen["_启动窗口"]["width"], seen["_启动窗口"]["height"]), (671, 572), name)
                if content is not None:
                    self.assertEqual(seen["状态条"]["parts"][:2], ["注意：", "上次保存的选择无法读取，已忽略"], name)
                    self.assertLess(seconds[name], 2 * seconds["none"] + 1, name)
        finally:
            w.stop()

if __name__ == "__main__":
    unittest.main()
