#!/usr/bin/env python3
"""Tests of tools/gen_constants.py on a small data folder made in a temp dir.

Run:  python3 -m unittest tools/test_gen_constants.py   (skipped without i686-w64-mingw32-gcc)
"""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

TOOL = Path(__file__).resolve().parent / "gen_constants.py"
HAVE_CC = shutil.which("i686-w64-mingw32-gcc") is not None

TYPES = """\
.数据类型 菜单条目结构_, , MENUITEMINFOA
    .成员 掩码, 整数型, , , fMask,MIIM_STRING 等
"""
DLL = """\
.DLL命令 等待对象_, 整数型, "kernel32.dll", "WaitForSingleObject", , 超时可为 INFINITE；CreateFile 不是常量；QS_ALLINPUT
    .参数 对象句柄, 整数型, , hHandle
    .参数 光标, 整数型, , id,IDC_*
"""
EXAMPLE = "    光标 ＝ 载入光标_ (0, 32512)  ' IDC_ARROW，取 HIWORD\n"


def line_of(text, name):
    return next(line for line in text.splitlines() if line.startswith(f".常量 {name}, "))


@unittest.skipUnless(HAVE_CC, "i686-w64-mingw32-gcc is not installed")
class GenConstantsTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.data = Path(tempfile.mkdtemp())
        for sub, name, text in (("types", "00_common.txt", TYPES), ("dll", "01_x.txt", DLL),
                                ("examples/sources", "光标.txt", EXAMPLE)):
            (cls.data / sub).mkdir(parents=True)
            (cls.data / sub / name).write_text(text, encoding="utf-8")
        cls.made = subprocess.run([sys.executable, str(TOOL), str(cls.data)], capture_output=True, text=True)
        cls.library = cls.data / "constants" / "sdk.txt"

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.data)

    def setUp(self):
        self.assertEqual(self.made.returncode, 0, self.made.stdout)
        text = self.library.read_text(encoding="utf-8")
        self.addCleanup(self.library.write_text, text, encoding="utf-8")

    def run_tool(self, *extra):
        res = subprocess.run([sys.executable, str(TOOL), str(self.data), *extra],
                             capture_output=True, text=True, encoding="utf-8")
        return res.returncode, res.stdout.splitlines()

    def test_writes_the_named_constants_and_families_in_e_form(self):
        text = self.library.read_text(encoding="utf-8")
        self.assertEqual(line_of(text, "MIIM_STRING"), '.常量 MIIM_STRING, "64", , winuser.h')
        self.assertEqual(line_of(text, "INFINITE"), '.常量 INFINITE, "-1", , winbase.h 0xFFFFFFFF')
        self.assertEqual(line_of(text, "IDC_ARROW"), '.常量 IDC_ARROW, "32512", , winuser.h MAKEINTRESOURCE(32512)')
        self.assertNotIn(".常量 MIIM_BITMAP, ", text)  # a name names that constant alone
        self.assertIn(".常量 IDC_HAND, ", text)  # of the family IDC_*
        self.assertNotIn("CreateFile", text)
        # A value that the headers give otherwise for an older Windows says so.
        self.assertEqual(line_of(text, "QS_ALLINPUT"), '.常量 QS_ALLINPUT, "7423", , winuser.h 随 Windows 版本而变：'
                                                       'Windows XP 1279，Windows 8 或更高 7423')
        self.assertNotIn("HIWORD", text)

    def test_check_passes_and_counts(self):
        code, out = self.run_tool("--check")
        self.assertEqual(code, 0, out)
        carried = len(self.library.read_text(encoding="utf-8").splitlines())
        self.assertEqual(out[-1].split(" left out")[0],
                         f"gen_constants: {carried} constants carried, {carried} compiled and equal, 2")
        self.assertIn("1 function or type name, 1 macro with arguments", out[-1])

    def test_check_finds_a_planted_wrong_value_and_a_missing_line(self):
        text = self.library.read_text(encoding="utf-8")
        text = text.replace('.常量 MIIM_STRING, "64"', '.常量 MIIM_STRING, "65"')
        text = text.replace(line_of(text, "IDC_HAND") + "\n", "")
        text = text.replace(" 随 Windows 版本而变：Windows XP 1279，Windows 8 或更高 7423", "")
        self.library.write_text(text, encoding="utf-8")
        code, out = self.run_tool("--check")
        self.assertEqual(code, 1, out)
        self.assertEqual(out[0], "wrong: MIIM_STRING: E 65, headers 64")
        self.assertTrue(out[1].startswith("comment: QS_ALLINPUT: "), out)
        self.assertEqual(out[2], "missing: IDC_HAND")
        self.assertIn("make the library anew", out[3])


class NoCompilerTest(unittest.TestCase):
    def test_exit_77_without_compiler(self):
        with tempfile.TemporaryDirectory() as tmp:
            res = subprocess.run([sys.executable, str(TOOL), tmp], capture_output=True, text=True,
                                 env=dict(os.environ, PATH=tmp))
        self.assertEqual(res.returncode, 77)


if __name__ == "__main__":
    unittest.main()
