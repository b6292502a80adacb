"""Importing when the wizard was started on its own, without the IDE: the user is told how to
start it from the IDE, and nothing gathered is lost."""
import time
import unittest

from wizard import Wizard

MESSAGE = "与易系统通讯失败！请从易系统的菜单“工具->执行易向导”启动本向导。"


def by_class(controls, cls):
    return [c for c in controls if c["class"] == cls]


class ImportWithoutIdeTest(unittest.TestCase):
    def setUp(self):
        self.wizard = Wizard()
        self.wizard.start()

    def tearDown(self):
        self.wizard.stop()

    def chosen_list(self):
        # The chosen API list is the first list box on the chosen area (after the five on the catalog area).
        return by_class(self.wizard.controls(), "ListBox")[3]

    def wait_for_boxes(self, present, timeout=15):
        deadline = time.time() + timeout
        while time.time() < deadline:
            boxes = self.wizard.boxes()
            if bool(boxes) == present:
                return boxes
            time.sleep(0.3)
        self.fail("the message box did not " + ("appear" if present else "go"))

    def test_import_without_the_ide_shows_the_message_and_keeps_the_window(self):
        w = self.wizard
        tree = by_class(w.controls(), "SysTreeView32")[0]
        row = tree["itemHeight"]
        for k in (1, 2):  # the first category's first two APIs
            w.click_in(tree, 80, row * k + row // 2, double=True)
        chosen = self.chosen_list()
        w.click_in(chosen, 8, chosen["itemHeight"] // 2)  # the first item's box
        items = self.chosen_list()["items"]
        self.assertEqual(len(items), 2)

        w.click_in(w.find("导入(&Z)"))
        boxes = self.wait_for_boxes(True)
        self.assertEqual(boxes[0]["text"], "信息：")
        self.assertIn(MESSAGE, [c["text"] for c in boxes])
        ok = [c for c in boxes if c["class"] == "Button"]
        self.assertEqual(len(ok), 1, "one button: OK")
        w.screenshot("import-without-ide-message", around=boxes[:1])

        w.click_in(ok[0])
        self.wait_for_boxes(False)
        # The window stays, answers, and holds the same chosen list.
        self.assertIsNone(w.process.poll())
        self.assertEqual(self.chosen_list()["items"], items)
        self.assertEqual(w.find("导入(&Z)")["class"], "Button")
        w.screenshot("import-without-ide-after")


if __name__ == "__main__":
    unittest.main()
