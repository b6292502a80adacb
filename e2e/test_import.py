"""The whole road of an import, as the IDE's user takes it: the stand-in IDE's menu
工具->执行易向导 starts the wizard, the user finds GetMenuItemInfoA in the English index,
gathers and ticks it and presses 导入; the IDE receives the request, adds both declarations
to its program and shows them; the wizard ends."""
import glob
import os
import shutil
import struct
import subprocess
import tempfile
import time
import unittest

from wizard import NATIVE, ROOT, StandInIde

INTEGER, LOGICAL, TEXT, BYTE_SET = 0x80000301, 0x80000002, 0x80000004, 0x80000005


def library_image():
    """The library program image as the wizard carries it, written by the native build."""
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "image")
        subprocess.run([os.path.join(NATIVE, "write_library_image"), path], check=True)
        with open(path, "rb") as f:
            return f.read()


def payload_constants(payload):
    """The constant lines (CR LF) that an import's payload adds to the library image: the image
    with one more section, of kind 5, after its own. Fails on any other difference."""
    image = library_image()
    (count,) = struct.unpack_from("<I", image, 12)
    assert payload[:12] == image[:12] and struct.unpack_from("<I", payload, 12) == (count + 1,), "no added section"
    assert payload[16:len(image)] == image[16:], "the library image differs"
    kind, length, constants = struct.unpack_from("<III", payload, len(image))
    assert kind == 5 and len(payload) == len(image) + 8 + length, "not one constants section at the end"
    at, lines = len(image) + 12, []
    for _ in range(constants):
        for field in ("name", "source"):
            (size,) = struct.unpack_from("<I", payload, at)
            if field == "source":
                lines.append(payload[at + 4:at + 4 + size].decode("gbk"))
            at += 4 + size
    return lines


def library_block(folder, header):
    """The block of the library whose header line begins with `header`, as E text (CR LF)."""
    for path in sorted(glob.glob(os.path.join(ROOT, "data", folder, "*.txt"))):
        with open(path, encoding="utf-8") as f:
            lines = f.read().split("\n")
        for i, line in enumerate(lines):
            if line.startswith(header):
                block = [line]
                for follower in lines[i + 1:]:
                    if not follower.startswith("    "):
                        break
                    block.append(follower)
                return "".join(item + "\r\n" for item in block)
    raise AssertionError(header + " is not in the library")


def decode_request(block):
    """A request as the wizard wrote it: flag, payload, the records (each argument as its tag
    and its value, or text), and the size of the bytes read, as in the IDE's decoder."""
    flag, length = struct.unpack_from("<II", block, 0)
    payload = block[8:8 + length]
    (size,) = struct.unpack_from("<I", block, 8 + length)
    at, end = 12 + length, 12 + length + size
    records = []
    while at < end:
        code, count = struct.unpack_from("<II", block, at)
        at += 8
        arguments = []
        for _ in range(count):
            low, high, tag = struct.unpack_from("<III", block, at)
            at += 12
            if tag == TEXT:
                nul = block.index(b"\0", at)
                arguments.append((tag, high, block[at:nul].decode("gbk")))
                at = nul + 1
            else:
                arguments.append((tag, high, low))
        records.append((code, arguments))
    return flag, payload, records, at


def windows_path(unix_path):
    return "Z:" + unix_path.replace("/", "\\")


def wait_for_file(path, timeout=30):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if os.path.exists(path):
            return True
        time.sleep(0.01)
    return False


def wait_for_window(ide, title, timeout=30):
    """The X windows whose title holds `title`, once there is one."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        found = ide.xdotool("search", "--name", title).stdout.split()
        if found:
            return found
        time.sleep(0.25)
    return []


def name_declaration(kind, name):
    return (6, [(INTEGER, 0, kind), (TEXT, 0, name), (INTEGER, 0, 2), (TEXT, 0, "$")])


class ImportThroughTheIdeTest(unittest.TestCase):
    def setUp(self):
        self.ide = StandInIde()
        self.ide.start()

    def tearDown(self):
        self.ide.stop()

    def test_menu_to_wizard_to_import_into_the_open_program(self):
        ide = self.ide
        self.assertEqual(ide.source_text(), ".版本 2\r\n")
        ide.choose_menu("t", "w")  # 工具(&T) -> 执行易向导(&W)
        ide.wait_for_wizard()

        ide.find_in_english_index("getmenuiteminfo")
        ide.press("Return")
        chosen = ide.control("选择列表框_选用API")
        self.assertEqual(chosen["items"], ["GetMenuItemInfoA / 取菜单条目信息_"])
        ide.click_in(chosen, 8, chosen["itemHeight"] // 2)  # its tick box
        ide.screenshot("import-ticked")

        # The press, timed to the IDE's reply (its record is written just before it
        # signals the wizard) and to the wizard's end.
        reply = os.path.join(ide.records, "reply-1.txt")
        button = ide.control("按钮_导入")
        x, y = button["screenLeft"] + button["width"] // 2, button["screenTop"] + button["height"] // 2
        pressed = time.monotonic()
        ide.xdotool("mousemove", x, y, "click", "1")
        self.assertTrue(wait_for_file(reply), "no reply")
        replied = time.monotonic()
        self.assertEqual(ide.wizard_exit_code(), 0)
        print(f"\nimport under Wine: press to reply {(replied - pressed) * 1000:.0f} ms, "
              f"to the wizard's end {(time.monotonic() - pressed) * 1000:.0f} ms")

        # The request, byte for byte.
        requests = ide.requests()
        self.assertEqual(len(requests), 1)
        block = requests[0]
        flag, payload, records, end = decode_request(block)
        self.assertEqual(flag, 0)
        constants = payload_constants(payload)  # those of the copy: MIIM_ of 菜单条目结构_
        self.assertTrue(any(line.startswith(".常量 MIIM_STRING, ") for line in constants), constants)
        self.assertEqual(records, [name_declaration(256, "取菜单条目信息_"), name_declaration(64, "菜单条目结构_"),
                                   (5, [(TEXT, 0, "a")]), (5, [(TEXT, 0, "b")])])
        self.assertEqual(len(block), max(2048, end), "EWIZ1 is as large as the request, at least 2048 bytes")
        self.assertEqual(block[end:], bytes(len(block) - end))
        added = f"已加入 {2 + len(constants)} 个声明"
        with open(reply, encoding="gbk") as f:
            self.assertEqual(f.read(), added)

        # The IDE's program now holds both declarations and their constants, shown as E source.
        time.sleep(0.5)
        command = library_block("dll", ".DLL命令 取菜单条目信息_,")
        data_type = library_block("types", ".数据类型 菜单条目结构_,")
        self.assertEqual(ide.source_text(),
                         ".版本 2\r\n\r\n" + command + "\r\n" + data_type + "\r\n" + "".join(sorted(constants)))
        status = [c for c in ide.ide_controls() if c["class"] == "msctls_statusbar32"][0]
        self.assertEqual(status["text"], "易向导已结束，退出码 0。" + added)
        ide.screenshot("import-into-ide", window_class=ide.WINDOW_CLASS)


class ProgramFileTest(unittest.TestCase):
    """The stand-in IDE opens the program file named by its whole command line, spaces and
    all, and saves its program through 文件->保存 as the same program file."""

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="stand-in ide ")
        self.opened = os.path.join(self.folder, "库 程序.e")
        self.image = library_image()
        with open(self.opened, "wb") as f:
            f.write(self.image)
        self.ide = StandInIde(windows_path(self.opened))
        self.ide.start()

    def tearDown(self):
        self.ide.stop()
        shutil.rmtree(self.folder, ignore_errors=True)

    def test_open_from_the_command_line_and_save_through_the_menu(self):
        ide = self.ide
        window = ide.ide_controls()[0]
        self.assertEqual(window["text"], "替身 IDE - " + windows_path(self.opened))
        # The library as a program: its DLL commands in name order, then its data types.
        self.assertTrue(ide.source_text().startswith(".版本 2\r\n\r\n.DLL命令 "))
        ide.screenshot("ide-opened-library", window_class=ide.WINDOW_CLASS)

        # Typed into the dialog: xdotool may drop Chinese characters while typing, so the
        # name is ASCII (the opened file's name, which comes by the command line, is not).
        saved = os.path.join(self.folder, "saved program.e")
        ide.choose_menu("f", "s")  # 文件(&F) -> 保存(&S)
        dialog = wait_for_window(ide, "保存程序")
        self.assertTrue(dialog, "no save dialog")
        ide.xdotool("windowfocus", "--sync", dialog[0])
        ide.press("ctrl+a")
        ide.type(windows_path(saved))
        ide.press("Return")
        self.assertTrue(wait_for_file(saved), "nothing saved")
        time.sleep(0.5)
        with open(saved, "rb") as f:
            self.assertEqual(f.read(), self.image)
        self.assertEqual(ide.ide_controls()[0]["text"], "替身 IDE - " + windows_path(saved))


if __name__ == "__main__":
    unittest.main()
