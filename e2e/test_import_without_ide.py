"""Importing when no IDE answers: the wizard was started on its own, or the IDE that started
it ends while the wizard waits for its answer. Either way the user is told how to start the
wizard from the IDE and offered to copy the ticked declarations as E text instead, nothing
hangs, and nothing gathered is lost."""
import os
import shutil
import subprocess
import time
import unittest

from test_copy import get_clipboard
from test_paste import set_clipboard
from wizard import BUILD, WINDOWS, Wizard, Xvfb, lay_out_install, wine_env

MESSAGE = "与易系统通讯失败！请从易系统的菜单“工具->执行易向导”启动本向导。"
OFFER = "也可以把打勾的声明复制为易语言代码，再粘贴到易语言程序中。现在复制吗？"


class WizardFromVanishingIde(Wizard):
    """The wizard as started by an IDE that ends at the wizard's first request (e2e/vanishing_ide.cpp)."""

    def start(self):
        lay_out_install(os.path.join(self.install, "wizard"))
        shutil.copy(os.path.join(WINDOWS, "e2e", "vanishing_ide.exe"), self.install)
        self.xvfb = Xvfb()
        self.env = wine_env(self.xvfb.display)
        subprocess.run(["wineserver", "-p"], env=self.env)
        self.launch("./vanishing_ide.exe", cwd=self.install)
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

    def import_and_expect_the_message(self, name, copy=False):
        w = self.wizard
        tree = w.control("树型框_API目录")
        row = tree["itemHeight"]
        for k in (1, 2):  # the first category's first two APIs
            w.click_in(tree, 80, row * k + row // 2, double=True)
        chosen = self.chosen_list()
        w.click_in(chosen, 8, chosen["itemHeight"] // 2)  # the first item's box
        items = self.chosen_list()["items"]
        self.assertEqual(len(items), 2)

        w.click_in(w.control("按钮_导入"))
        boxes = self.wait_for_boxes(True)
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
    def setUp(self):
        self.wizard = WizardFromVanishingIde(os.path.join(BUILD, "e2e-install-vanishing-ide"))
        self.wizard.start()

    def test_the_wait_for_the_answer_ends_with_the_ide(self):
        self.import_and_expect_the_message("import-ide-ended")


if __name__ == "__main__":
    unittest.main()
