"""The real program in odd places under Wine: installed in a folder whose name GBK cannot
hold (C:\\测试\\한국\\wizard), it opens its examples database, writes an example there and
starts the IDE beside it; a second wizard, started while the first holds the database, is
told that the database is in use, not that it is missing."""
import os
import shutil
import subprocess
import tempfile
import time
import unittest

from test_examples import CATALOG, EXAMPLE_PAGE, SAVE_TITLE, read_examples, wait_for_windows
from wizard import WINDOWS, StandInIde, Wizard, wine_prefix

CLIPBOARD = os.path.join(WINDOWS, "e2e", "clipboard.exe")
IN_USE = ("API例程数据库正被另一个程序使用（也许是已在运行的另一个API向导），无法打开。"
          "关闭那个程序后再启动本程序，就能看到例程。")


def set_clipboard(wizard, text):
    """Puts `text` on the clipboard as Unicode text, as another program's copy does."""
    with tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".txt", delete=False) as f:
        f.write(text)
    try:
        done = subprocess.run(["wine", CLIPBOARD, "set", "Z:" + f.name.replace("/", "\\")], env=wizard.env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        assert done.returncode == 0, "the clipboard was not set"
    finally:
        os.remove(f.name)


class FolderOutsideGbkTest(unittest.TestCase):
    def setUp(self):
        self.top = os.path.join(wine_prefix(), "drive_c", "测试")
        shutil.rmtree(self.top, ignore_errors=True)
        self.install = os.path.join(self.top, "한국")
        os.makedirs(self.install)
        shutil.copy(os.path.join(WINDOWS, "stand_in_ide", "win32", "e.exe"), self.install)
        self.wizard = Wizard(install=self.install)
        self.wizard.start()

    def tearDown(self):
        self.wizard.stop()
        shutil.rmtree(self.top, ignore_errors=True)

    def test_opens_its_database_writes_an_example_there_and_starts_the_ide_above(self):
        w = self.wizard
        examples = read_examples()
        w.show_page(CATALOG, EXAMPLE_PAGE)
        example_list = w.control("列表框_例程列表")
        self.assertEqual(example_list["count"], len(examples))
        self.assertEqual(w.xdotool("search", "--name", "信息：").stdout.split(), [])
        w.screenshot("folder-outside-gbk")

        w.click_in(example_list, 40, example_list["itemHeight"] // 2, double=True)
        dialog = wait_for_windows(w, SAVE_TITLE)
        self.assertTrue(dialog, "no save-file dialog")
        # Typed keys reach Wine as keysyms that Hangul has none of: the path comes by the clipboard.
        set_clipboard(w, "C:\\测试\\한국\\打开的例程.e")
        time.sleep(1)
        w.xdotool("windowfocus", "--sync", dialog[0])
        w.press("ctrl+a", "ctrl+v", "Return")

        written = os.path.join(self.install, "打开的例程.e")
        for _ in range(40):
            if os.path.exists(written):
                break
            time.sleep(0.25)
        with open(written, "rb") as f:
            self.assertEqual(f.read(), examples[0][2])
        w.wait_for_window("the IDE's window", StandInIde.WINDOW_CLASS)
        self.assertIn("C:\\测试\\한국\\打开的例程.e", w.controls(StandInIde.WINDOW_CLASS)[0]["text"])
        w.screenshot("ide-in-folder-outside-gbk", window_class=StandInIde.WINDOW_CLASS)


class SecondWizardTest(unittest.TestCase):
    def test_is_told_that_the_database_is_in_use(self):
        w = Wizard()
        w.start()
        second = None
        try:
            w.show_page(CATALOG, EXAMPLE_PAGE)
            self.assertGreater(w.control("列表框_例程列表")["count"], 0)
            second = subprocess.Popen(["wine", "./apiwizard.exe"], cwd=os.path.join(w.install, "wizard"), env=w.env,
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.assertTrue(wait_for_windows(w, "信息：", timeout=60), "no message from the second wizard")
            texts = [c["text"] for c in w.controls("#32770")]
            self.assertIn(IN_USE, texts)
            self.assertNotIn("API例程数据库无法打开,请编译到wizard文件夹中使用！", texts)
            w.screenshot("database-in-use", window_class="#32770")
        finally:
            if second:
                second.kill()
                second.wait(timeout=10)
            w.stop()


if __name__ == "__main__":
    unittest.main()
