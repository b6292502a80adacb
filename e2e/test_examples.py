"""The examples in the real program under Wine: the example list, the related examples of the
chosen APIs saved into a folder, an example opened through the save-file dialog, the example
search, and a missing database.

The shell's folder picker of Wine takes no typed path (its edit box is ignored): the test
walks its tree by keyboard instead, from "/" through "tmp" to the target folder, expanding
each level with Right and finding the child by typing its name."""
import os
import shutil
import struct
import subprocess
import threading
import time
import unittest

from wizard import ARTIFACTS, EXAMPLES_DATABASE, ROOT, WINDOWS, StandInIde, Wizard

CATALOG, CHOSEN = "选择夹_目录区", "选择夹_选用区"
EXAMPLE_PAGE, INDEX_PAGE, SEARCH_PAGE = 1, 2, 3
# Test runs of other checkouts may share /tmp: each run has its own folder.
TARGET = f"/tmp/wizard-e2e-examples-{os.getpid()}"
SAVE_TITLE = "读选择保存例程文件的路径："


def read_examples():
    """(file name, related API names, source) of every record, read from the shipped
    database as its layout has it, independently of the program's reader."""
    with open(EXAMPLES_DATABASE[0], "rb") as f:
        database = f.read()
    with open(EXAMPLES_DATABASE[1], "rb") as f:
        blocks = f.read()

    def int32(data, offset):
        return struct.unpack_from("<i", data, offset)[0]

    count, length, fields = int32(database, 16), int32(database, 24), int32(database, 112)
    descriptors = [(int32(database, 116 + 72 * i + 24), int32(database, 116 + 72 * i + 28)) for i in range(fields)]
    start = 116 + 72 * fields
    examples = []
    for n in range(count):
        record = database[start + n * length:start + (n + 1) * length]
        texts = [record[offset:offset + size].split(b"\0")[0].decode("gbk") for offset, size in descriptors[:2]]
        source, block = b"", int32(record, descriptors[2][0])
        while block > 0:
            source += blocks[block * 512 + 12:block * 512 + 12 + int32(blocks, block * 512 + 8)]
            block = int32(blocks, block * 512 + 4)
        examples.append((texts[0], texts[1], source))
    return examples


def subroutine_line(example_name):
    """The first subroutine line of an example's source, as data/examples has it."""
    with open(os.path.join(ROOT, "data", "examples", "manifest.txt"), encoding="utf-8") as f:
        lines = [line.split("|") for line in f.read().splitlines() if line and not line.startswith("#")]
    source = next(fields[0] for fields in lines if fields[1] == example_name)
    with open(os.path.join(ROOT, "data", "examples", "sources", source), encoding="utf-8") as f:
        return next(line for line in f.read().splitlines() if line.startswith(".子程序"))


def wait_for_windows(wizard, title, timeout=30):
    """The windows whose title holds `title`, once there is one; none after the timeout."""
    for _ in range(int(timeout / 0.25)):
        found = wizard.xdotool("search", "--name", title).stdout.split()
        if found:
            return found
        time.sleep(0.25)
    return []


def windows_path(unix_path):
    return "Z:" + unix_path.replace("/", "\\")


class ExamplesTest(unittest.TestCase):
    examples = read_examples()

    def setUp(self):
        shutil.rmtree(TARGET, ignore_errors=True)
        os.makedirs(TARGET)
        self.wizard = Wizard()
        # The stand-in IDE lies above the wizard's folder, as in the IDE's install.
        os.makedirs(self.wizard.install, exist_ok=True)
        shutil.copy(os.path.join(WINDOWS, "stand_in_ide", "win32", "e.exe"), self.wizard.install)
        self.wizard.start()

    def tearDown(self):
        self.wizard.stop()
        shutil.rmtree(TARGET, ignore_errors=True)

    def related(self, names):
        """The record numbers that the chosen English names relate to, by the substring rule."""
        found = []
        for name in names:
            for n, (_, apis, _) in enumerate(self.examples, 1):
                if (name + "/").lower() in apis.lower() and n not in found:
                    found.append(n)
        return found

    def choose_in_english_index(self, name):
        w = self.wizard
        w.show_page(CATALOG, INDEX_PAGE)
        w.click_in(w.control("单选框_英文索引"), 8)
        w.click_in(w.control("编辑框_索引"))
        w.press("ctrl+a", "BackSpace")
        w.type(name)
        w.press("Return")

    def screen_shot(self, name):
        """The whole screen, for the dialogs that lie outside the wizard's window."""
        os.makedirs(ARTIFACTS, exist_ok=True)
        subprocess.run(["import", "-display", self.wizard.xvfb.display, "-window", "root",
                        os.path.join(ARTIFACTS, f"{name}.png")], check=True, timeout=60)

    def wait_for_window(self, title):
        found = wait_for_windows(self.wizard, title)
        self.assertTrue(found, f"no window titled {title}")
        return found[0]

    def test_example_list_holds_every_record(self):
        w = self.wizard
        w.show_page(CATALOG, EXAMPLE_PAGE)
        example_list = w.control("列表框_例程列表")
        self.assertEqual(example_list["count"], len(self.examples))
        self.assertEqual(example_list["items"], [name for name, _, _ in self.examples[:40]])
        w.click_in(example_list, 40, example_list["itemHeight"] * 2 + 4)
        self.assertEqual(w.control("状态条")["text"], "API例程：")
        w.screenshot("example-list-page")

    def save_as(self, path):
        """Answers the save-file dialog with a full path typed into its file name box."""
        w = self.wizard
        dialog = self.wait_for_window(SAVE_TITLE)
        time.sleep(1)
        w.xdotool("windowfocus", "--sync", dialog)
        self.screen_shot("save-file-dialog")
        w.press("ctrl+a")
        w.type(windows_path(path))
        w.press("Return")

    def written(self, path):
        """The bytes of a file that the wizard writes, once it is there."""
        for _ in range(40):
            if os.path.exists(path):
                break
            time.sleep(0.25)
        with open(path, "rb") as f:
            return f.read()

    def test_double_click_in_the_example_list_saves_the_example(self):
        w = self.wizard
        w.show_page(CATALOG, EXAMPLE_PAGE)
        example_list = w.control("列表框_例程列表")
        w.click_in(example_list, 40, example_list["itemHeight"] * 3 + 4, double=True)
        target = os.path.join(TARGET, "opened.e")
        self.save_as(target)
        self.assertEqual(self.written(target), self.examples[3][2])
        self.assertIn(subroutine_line(self.examples[3][0]), self.ide_source(target))

    def test_related_examples_of_two_chosen_apis(self):
        w = self.wizard
        for name in ("GetWindowTextA", "GetMenuItemInfoA"):
            self.choose_in_english_index(name)
        self.assertEqual(len(w.control("选择列表框_选用API")["items"]), 2)
        w.show_page(CHOSEN, 1)
        related = w.control("选择列表框_选用例程")
        expected = [self.examples[n - 1][0] for n in self.related(["GetMenuItemInfoA", "GetWindowTextA"])]
        self.assertGreaterEqual(len(expected), 2)
        self.assertEqual(related["items"], expected)
        opening = w.control("按钮_导入")
        self.assertEqual((opening["text"], opening["enabled"]), ("打开例程(&O)", True))
        self.assertFalse(w.control("按钮_从选用框删除")["enabled"])
        for row in (0, 1):
            w.click_in(related, 8, related["itemHeight"] * row + related["itemHeight"] // 2)
        w.screenshot("related-examples-page")
        # A double-click asks first; No leaves it at that.
        w.click_in(related, 60, related["itemHeight"] * 2 + related["itemHeight"] // 2, double=True)
        self.wait_for_window("是否要打开例程")
        box = w.boxes()
        self.assertEqual(box[0]["text"], "是否要打开例程")
        self.assertIn(f"是否要打开例程“{expected[2]}”？", [c["text"] for c in box[1:]])
        w.screenshot("open-example-question", around=box[:1])
        w.press("n")
        time.sleep(1)
        self.assertEqual(w.boxes(), [])
        self.assertEqual(w.xdotool("search", "--name", SAVE_TITLE).stdout.split(), [])
        self.assertEqual(w.control("选择列表框_选用例程")["items"], expected)

    def pick_folder(self, unix_folder):
        """Walks the folder picker's tree by keyboard from "/" to `unix_folder` and takes it;
        its edit box names the folder selected."""
        w = self.wizard
        picker = self.wait_for_window("Browse for Folder")
        time.sleep(1)
        w.xdotool("windowfocus", "--sync", picker)
        w.press("Down")  # "/", the first folder below Desktop
        for part in unix_folder.strip("/").split("/"):
            w.press("Right")  # expand: the folders are read now
            time.sleep(2)
            w.press("Right")  # the first folder inside
            for _ in range(5):
                w.type(part)  # on to the one of that name
                if self.picked_folder() == part:
                    break
                time.sleep(1.5)  # a slow expansion: find it again once the typed letters are forgotten
        self.assertEqual(self.picked_folder(), os.path.basename(unix_folder))
        self.screen_shot("folder-picker")
        w.press("Return")

    def picked_folder(self):
        return next(c["text"] for c in self.wizard.controls("#32770") if c["class"] == "Edit")

    def test_ticked_related_examples_go_into_the_picked_folder(self):
        w = self.wizard
        for name in ("GetWindowTextA", "GetMenuItemInfoA"):
            self.choose_in_english_index(name)
        w.show_page(CHOSEN, 1)
        related = w.control("选择列表框_选用例程")
        for row in (0, 1):
            w.click_in(related, 8, related["itemHeight"] * row + related["itemHeight"] // 2)
        ticked = [self.examples[n - 1] for n in self.related(["GetMenuItemInfoA", "GetWindowTextA"])[:2]]
        # A file of the first name is there already: it stays, the example gets a number.
        first, second = ticked[0][0], ticked[1][0]
        numbered = first[:-len(".e")] + "1.e"
        with open(os.path.join(TARGET, first), "wb") as f:
            f.write(b"theirs")
        w.click_in(w.control("按钮_导入"))
        self.pick_folder(TARGET)
        for _ in range(40):
            if len(os.listdir(TARGET)) == 3:
                break
            time.sleep(0.25)
        self.assertEqual(sorted(os.listdir(TARGET)), sorted([first, numbered, second]))
        with open(os.path.join(TARGET, first), "rb") as f:
            self.assertEqual(f.read(), b"theirs")
        for name, (_, _, source) in ((numbered, ticked[0]), (second, ticked[1])):
            with open(os.path.join(TARGET, name), "rb") as f:
                self.assertEqual(f.read(), source, name)
        # The IDE starts on the first file written.
        self.assertIn(subroutine_line(first), self.ide_source(os.path.join(TARGET, numbered)))

    def ide_source(self, path):
        """The source that the stand-in IDE, started on `path`, shows."""
        w = self.wizard
        w.wait_for_window("the IDE's window", StandInIde.WINDOW_CLASS)
        controls = w.controls(StandInIde.WINDOW_CLASS)
        self.assertIn(windows_path(path), controls[0]["text"])
        w.screenshot("ide-" + os.path.splitext(os.path.basename(path))[0], window_class=StandInIde.WINDOW_CLASS)
        return next(c["text"] for c in controls if c["class"] == "Edit")

    def test_example_search_lists_file_names_holding_the_text(self):
        w = self.wizard
        w.show_page(CATALOG, SEARCH_PAGE)
        w.click_in(w.control("组合框_搜索类型"))
        w.press("Down", "Return")
        w.click_in(w.control("编辑框_搜索内容"))
        w.type("midi")
        w.press("Return")
        results = w.control("列表框_搜索结果")
        expected = sorted(name for name, _, _ in self.examples if "midi" in name.lower())
        self.assertGreater(len(expected), 0)
        self.assertEqual(sorted(results["items"]), expected)
        w.screenshot("example-search-page")
        # A double-click on a hit opens that example.
        w.click_in(results, 40, results["itemHeight"] // 2, double=True)
        target = os.path.join(TARGET, "found.e")
        self.save_as(target)
        source = next(source for name, _, source in self.examples if name == results["items"][0])
        self.assertEqual(self.written(target), source)


class MissingDatabaseTest(unittest.TestCase):
    def test_one_message_at_start_up_and_none_after(self):
        w = Wizard(examples=False)
        # The message comes while the window is created, before it shows: start in the
        # background and answer it.
        starter = threading.Thread(target=w.start)
        starter.start()
        try:
            while not hasattr(w, "env"):
                time.sleep(0.1)
            self.assertEqual(len(wait_for_windows(w, "信息：")), 1)
            subprocess.run(["import", "-display", w.xvfb.display, "-window", "root",
                            os.path.join(ARTIFACTS, "missing-database-message.png")], check=True, timeout=60)
            w.press("Return")
            starter.join()
            w.show_page(CATALOG, EXAMPLE_PAGE)
            self.assertEqual(w.control("列表框_例程列表")["count"], 0)
            w.show_page(CHOSEN, 1)
            w.show_page(CATALOG, SEARCH_PAGE)
            w.click_in(w.control("组合框_搜索类型"))
            w.press("Down", "Return")
            w.click_in(w.control("按钮_搜索"))
            w.click_in(w.control("按钮_导入"))
            time.sleep(1)
            self.assertEqual(w.xdotool("search", "--name", "信息：").stdout.split(), [])
            self.assertEqual(w.control("列表框_搜索结果")["count"], 0)
            w.screenshot("missing-database-search")
        finally:
            starter.join()
            w.stop()


if __name__ == "__main__":
    unittest.main()
