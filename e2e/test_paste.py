"""Pasting E text into the stand-in IDE: the declarations and constants on the clipboard
join its program byte for byte (编辑->粘贴, Ctrl+V); a name the program has already keeps
its own; text that does not parse is refused with a message and changes nothing."""
import json
import os
import shutil
import struct
import subprocess
import tempfile
import time
import unittest

from test_import import library_block, wait_for_file, wait_for_window, windows_path
from wizard import ROOT, WINDOWS, StandInIde

CLIPBOARD = os.path.join(WINDOWS, "e2e", "clipboard.exe")


def library_constants(prefix):
    """The constants of the library whose names begin with `prefix`, as .常量 lines (CR LF)."""
    with open(os.path.join(ROOT, "data", "constants", "sdk.txt"), encoding="utf-8") as f:
        return [line + "\r\n" for line in f.read().split("\n") if line.startswith(".常量 " + prefix)]


def set_clipboard(ide, text, gbk=False):
    """Puts `text` on the Windows clipboard as Unicode text, as a copy in another program does;
    with `gbk`, alone as GBK text (CF_TEXT), as a Chinese program may."""
    with tempfile.NamedTemporaryFile("wb", suffix=".txt", delete=False) as f:
        f.write(text.encode("gbk" if gbk else "utf-8"))
    try:
        command = "set-gbk" if gbk else "set"
        done = subprocess.run(["wine", CLIPBOARD, command, "Z:" + f.name.replace("/", "\\")], env=ide.env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        assert done.returncode == 0, "the clipboard was not set"
    finally:
        os.remove(f.name)


def program_file_constants(image):
    """The sources of the constants section (kind 5) of a program file, in file order."""
    (count,) = struct.unpack_from("<I", image, 12)
    at = 16
    for _ in range(count):
        kind, length = struct.unpack_from("<II", image, at)
        if kind == 5:
            (declarations,) = struct.unpack_from("<I", image, at + 8)
            sources, cursor = [], at + 12
            for _ in range(declarations):
                (name_length,) = struct.unpack_from("<I", image, cursor)
                (source_length,) = struct.unpack_from("<I", image, cursor + 4 + name_length)
                start = cursor + 8 + name_length
                sources.append(image[start:start + source_length].decode("gbk"))
                cursor = start + source_length
            return sources
        at += 8 + length
    return []


class PasteIntoTheIdeTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="stand-in ide paste ")
        self.ide = StandInIde()
        self.ide.start()

    def tearDown(self):
        self.ide.stop()
        shutil.rmtree(self.folder, ignore_errors=True)

    def paste(self, keys):
        """Pastes by Ctrl+V or, with keys "menu", through 编辑(&E) -> 粘贴(&V); waits for the status."""
        before = self.ide.status()
        if keys == "menu":
            self.ide.choose_menu("e", "v")
        else:
            self.ide.key("ctrl+v", title=self.ide.TITLE)
        deadline = time.time() + 20
        while self.ide.status() == before and time.time() < deadline:
            time.sleep(0.2)
        return self.ide.status()

    def test_pasted_declarations_and_constants_join_the_program(self):
        ide = self.ide
        command = library_block("dll", ".DLL命令 取菜单条目信息_,")
        data_type = library_block("types", ".数据类型 菜单条目结构_,")
        constants = library_constants("MIIM_") + library_constants("MFT_STRING,")
        self.assertGreater(len(constants), 5)
        copied = ".版本 2\r\n\r\n" + command + "\r\n" + data_type + "\r\n" + "".join(constants)

        set_clipboard(ide, copied)
        declarations = 2 + len(constants)
        self.assertEqual(self.paste("ctrl+v"), f"已粘贴 {declarations} 个声明")
        # The program shows the blocks as the library holds them and the constants under them.
        self.assertEqual(ide.source_text(), copied)
        ide.screenshot("paste-into-ide", window_class=ide.WINDOW_CLASS)

        # Again, through the menu: every name is there, and the program keeps its own.
        self.assertEqual(self.paste("menu"), f"已粘贴 0 个声明，程序中已有 {declarations} 个同名的，保留原有的")
        self.assertEqual(ide.source_text(), copied)

        # Text that does not parse: a message, and the program as it was.
        set_clipboard(ide, ".版本 2\r\n\r\n取菜单条目信息_ (0, 0, 真, 信息)\r\n")
        ide.key("ctrl+v", title=ide.TITLE)
        self.assertTrue(wait_for_window(ide, "信息："), "no message")
        box = [json.loads(line) for line in ide.probe("boxes", window_class=ide.WINDOW_CLASS).stdout.splitlines()
               if line.startswith("{")]
        refusal = "粘贴的文本不是易程序代码，第 3 行：a line outside every block，程序未改变。"
        self.assertIn(refusal, [c["text"] for c in box[1:]])
        ide.screenshot("paste-refused", around=box[:1], window_class=ide.WINDOW_CLASS)
        ide.press("Return")
        self.assertEqual(self.ide.status(), refusal)
        self.assertEqual(ide.source_text(), copied)

        # The program file keeps the constants, in name order (ASCII names: byte order).
        saved = os.path.join(self.folder, "pasted.e")
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
            self.assertEqual(program_file_constants(f.read()), sorted(constants))

    def test_gbk_text_put_alone_is_read_as_gbk(self):
        """The text that the copying program put there itself, not the system's conversion
        of it to Unicode through the clipboard's locale, which here is not Chinese. (A block
        without a NUL is tested natively: Wine's clipboard puts a NUL in place of the last
        byte of every text block.)"""
        ide = self.ide
        set_clipboard(ide, '.版本 2\r\n.常量 甲, "12", , 注释乙', gbk=True)
        self.assertEqual(self.paste("ctrl+v"), "已粘贴 1 个声明")
        self.assertEqual(ide.source_text(), '.版本 2\r\n\r\n.常量 甲, "12", , 注释乙\r\n')


if __name__ == "__main__":
    unittest.main()
