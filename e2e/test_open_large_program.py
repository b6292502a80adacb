"""Opening a large program file: the stand-in IDE's window is up at once and answers within
100 ms while the file is read and its text is shown; then the program shows whole."""
import json
import os
import shutil
import struct
import tempfile
import unittest

from test_import import windows_path
from wizard import StandInIde

COMMANDS = 40_000


def name_field(name):
    encoded = bytes(b ^ 0x6B for b in name.encode("gbk"))
    return struct.pack("<I", len(encoded)) + encoded


def source_field(source):
    encoded = source.encode("gbk")
    return struct.pack("<I", len(encoded)) + encoded


def section(kind, content):
    return struct.pack("<II", kind, len(content)) + content


def large_program():
    """A program file of COMMANDS DLL commands, laid out as docs/program-image.md has it, and
    its source text as the IDE shows it."""
    commands = []
    for i in range(COMMANDS):
        name = f"命令{i:06d}_"
        commands.append((name, f'.DLL命令 {name}, 整数型, "user32.dll", "Command{i}", , 第 {i} 个\r\n'
                               f"    .参数 参数甲, 整数型, , , 说明\r\n"))
    image = b"CNWTEPRG" + struct.pack("<II", 1, 6)
    image += section(1, struct.pack("<I", 2))
    image += section(2, struct.pack("<I", 1) + name_field("系统核心支持库"))
    image += section(3, struct.pack("<I", 1) + name_field("_启动窗口"))
    image += section(4, struct.pack("<I", 0))
    image += section(64, struct.pack("<I", 0))
    image += section(256, struct.pack("<I", COMMANDS) + b"".join(name_field(n) + source_field(s) for n, s in commands))
    return image, ".版本 2\r\n" + "".join("\r\n" + s for _, s in commands)


class OpenLargeProgramTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="stand-in ide large ")
        self.path = os.path.join(self.folder, "large.e")
        self.image, self.source = large_program()
        with open(self.path, "wb") as f:
            f.write(self.image)
        self.ide = StandInIde(windows_path(self.path))
        self.ide.start(opened=False)

    def tearDown(self):
        self.ide.stop()
        shutil.rmtree(self.folder, ignore_errors=True)

    def test_the_window_answers_while_a_large_file_opens(self):
        ide = self.ide
        self.assertTrue(ide.status().startswith("正在打开："), "the file was open before it could be timed")
        out = ide.probe("answers", 3000, window_class=ide.WINDOW_CLASS, timeout=90).stdout
        times = json.loads(out.strip().splitlines()[-1])
        print(f"\nwindow while a {len(self.image):,}-byte program opens: {times['sends']} WM_NULL answered,"
              f" the longest in {times['longestMs']} ms")
        self.assertEqual(times["unanswered"], 0)
        self.assertLess(times["longestMs"], 100)

        ide.wait_until_opened()
        self.assertEqual(ide.status(), windows_path(self.path))
        self.assertEqual(ide.source_text(), self.source[:65535])  # as far as the probe reads


if __name__ == "__main__":
    unittest.main()
