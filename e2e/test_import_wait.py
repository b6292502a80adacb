"""Importing when no IDE answers at once: the wizard was started on its own, the IDE that
started it ends while the wizard waits for its answer (also when a launcher stood between
them, or an old signal of "EWEVT2" was left), or the IDE takes its time or never answers.
The window answers throughout; a wait that nobody can end ends with the message that tells
how to start the wizard from the IDE and offers the copy as E text; the user can give up
any wait; nothing gathered is lost."""
import json
import os
import shutil
import subprocess
import threading
import time
import unittest

from test_copy import get_clipboard
from test_paste import set_clipboard
from wizard import BUILD, WINDOWS, Wizard, Xvfb, lay_out_install, wine_env

MESSAGE = "与易系统通讯失败！请从易系统的菜单“工具->执行易向导”启动本向导。"
OFFER = "也可以把打勾的声明复制为易语言代码，再粘贴到易语言程序中。现在复制吗？"


class WizardFromPeerIde(Wizard):
    """The wizard as started by an IDE of our own (e2e/peer_ide.cpp) that acts as `mode` says."""

    def __init__(self, *mode):
        super().__init__(os.path.join(BUILD, "e2e-install-peer-ide"))
        self.mode = mode

    def start(self):
        lay_out_install(os.path.join(self.install, "wizard"))
        shutil.copy(os.path.join(WINDOWS, "e2e", "peer_ide.exe"), self.install)
        self.xvfb = Xvfb()
        self.env = wine_env(self.xvfb.display)
        subprocess.run(["wineserver", "-p"], env=self.env)
        self.launch("./peer_ide.exe", *self.mode, cwd=self.install)
        self.wait_for_wizard()


class ImportTestBase:
    def tearDown(self):
        self.wizard.stop()

    def chosen_list(self):
        # The chosen API list is the first list box on the chosen area (after the five on the catalog area).
        return self.wizard.control("选择列表框_选用API")

    def wait_for_boxes(self, present, timeout=15):
        deadline = time.time() + timeout
        while time.time() < deadline:
            boxes = self.wizard.boxes()
            if bool(boxes) == present:
                return boxes
            time.sleep(0.3)
        self.fail("the message box did not " + ("appear" if present else "go"))

    def gather_and_tick(self):
        """The first category's first two APIs gathered, the first ticked: the chosen items."""
        w = self.wizard
        tree = w.control("树型框_API目录")
        row = tree["itemHeight"]
        for k in (1, 2):
            w.click_in(tree, 80, row * k + row // 2, double=True)
        chosen = self.chosen_list()
        w.click_in(chosen, 8, chosen["itemHeight"] // 2)  # the first item's box
        items = self.chosen_list()["items"]
        self.assertEqual(len(items), 2)
        return items

    def import_and_expect_the_message(self, name, copy=False):
        w = self.wizard
        items = self.gather_and_tick()
        w.click_in(w.control("按钮_导入"))
        boxes = self.wait_for_boxes(True, timeout=30)
        self.assertEqual(boxes[0]["text"], "信息：")
        texts = [c["text"] for c in boxes]
        self.assertTrue(any(t.startswith(MESSAGE) and t.endswith(OFFER) for t in texts), texts)
        buttons = [c for c in boxes if c["class"] == "Button"]
        self.assertEqual(len(buttons), 2, "two buttons: Yes and No")
        w.screenshot(f"{name}-message", around=boxes[:1])

        if copy:
            set_clipboard(w, "what another program put there")
        w.click_in(buttons[0 if copy else 1])
        self.wait_for_boxes(False)
        if copy:
            first = self.chosen_list()["items"][0].split(" / ")[1]
            copied = get_clipboard(w)
            self.assertTrue(copied.startswith(f".版本 2\r\n\r\n.DLL命令 {first}, "), copied[:200])
        # The window stays, answers, and holds the same chosen list.
        self.assertEqual(self.chosen_list()["items"], items)
        self.assertEqual(w.control("按钮_导入")["text"], "导入(&Z)")
        w.screenshot(f"{name}-after")


class ImportWithoutIdeTest(ImportTestBase, unittest.TestCase):
    def setUp(self):
        self.wizard = Wizard()
        self.wizard.start()

    def test_import_without_the_ide_shows_the_message_and_keeps_the_window(self):
        self.import_and_expect_the_message("import-without-ide", copy=True)
        self.assertIsNone(self.wizard.process.poll())


class ImportWhenTheIdeEndsTest(ImportTestBase, unittest.TestCase):
    def start(self, *mode):
        self.wizard = WizardFromPeerIde(*mode)
        self.wizard.start()

    def test_the_wait_for_the_answer_ends_with_the_ide(self):
        self.start("vanish")
        self.import_and_expect_the_message("import-ide-ended")

    def test_the_wait_ends_with_the_ide_also_behind_a_launcher(self):
        self.start("launch")
        self.import_and_expect_the_message("import-ide-ended-after-launcher")

    def test_a_signal_left_over_is_no_answer(self):
        # Taken for the answer, it would close the wizard at once with nothing imported.
        self.start("leftover")
        self.import_and_expect_the_message("import-leftover-signal")


class ImportWaitTest(ImportTestBase, unittest.TestCase):
    """An IDE that takes the request and answers late or never: the window answers all along."""

    def start(self, *mode):
        self.wizard = WizardFromPeerIde(*mode)
        self.wizard.start()

    def import_and_time_the_answers(self, milliseconds):
        """Presses 导入 while a probe times the window's answers to WM_NULL: the probe's figures."""
        w = self.wizard
        times = {}

        def probe():
            out = w.probe("answers", milliseconds, timeout=milliseconds / 1000 + 60).stdout
            times.update(json.loads(out.strip().splitlines()[-1]))

        prober = threading.Thread(target=probe)
        prober.start()
        time.sleep(1.5)  # the probe runs
        w.click_in(w.control("按钮_导入"))
        return prober, times

    def assert_waiting(self, name):
        w = self.wizard
        deadline = time.time() + 10
        while w.control("按钮_导入")["text"] != "放弃等待" and time.time() < deadline:
            time.sleep(0.2)
        self.assertEqual(w.control("按钮_导入")["text"], "放弃等待")
        self.assertEqual(w.control("状态条")["parts"][:2], ["导入：", "正在等待易语言集成开发环境答复…"])
        w.screenshot(name)

    def test_a_slow_ide_leaves_the_window_answering_until_its_answer_closes_it(self):
        self.start("slow", "8000")
        self.gather_and_tick()
        prober, times = self.import_and_time_the_answers(7000)
        self.assert_waiting("import-waiting-for-slow-ide")
        prober.join()
        print(f"\nwindow during an 8 s IDE wait: {times['sends']} WM_NULL answered, the longest in {times['longestMs']} ms")
        self.assertGreater(times["sends"], 50)
        self.assertEqual(times["unanswered"], 0)
        self.assertLess(times["longestMs"], 100, times)
        self.assertEqual(self.wizard.wait_exit(timeout=40), 0, "the wizard's exit code, as the IDE saw it")
        with open(os.path.join(self.wizard.install, "request-1.bin"), "rb") as f:
            self.assertEqual(f.read(4), b"\0\0\0\0", "the import's send flag")

    def test_a_wait_for_an_ide_that_never_answers_can_be_given_up(self):
        self.start("silent")
        items = self.gather_and_tick()
        prober, times = self.import_and_time_the_answers(4000)
        self.assert_waiting("import-waiting-for-silent-ide")
        prober.join()
        self.assertEqual(times["unanswered"], 0)
        self.assertLess(times["longestMs"], 100, times)
        w = self.wizard
        w.key("Escape")
        deadline = time.time() + 10
        while w.control("按钮_导入")["text"] != "导入(&Z)" and time.time() < deadline:
            time.sleep(0.2)
        self.assertEqual(w.control("按钮_导入")["text"], "导入(&Z)")
        self.assertTrue(w.control("状态条")["parts"][1].startswith("已放弃等待"))
        self.assertEqual(self.chosen_list()["items"], items)
        self.assertEqual(w.boxes(), [])
        w.screenshot("import-wait-given-up")


if __name__ == "__main__":
    unittest.main()
