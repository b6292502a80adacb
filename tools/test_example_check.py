#!/usr/bin/env python3
"""Tests of tools/example_check.py: each check on a small planted program.

Run:  python3 -m unittest test_example_check   (in tools/; the constants need i686-w64-mingw32-gcc)
"""
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

import example_check

TOOL = Path(__file__).resolve().parent / "example_check.py"
HAVE_CC = shutil.which(example_check.CC) is not None
LIBRARY = example_check.Library()


def faults(program, constants=None):
    """The faults of a one-subroutine program as (line within the body, kind, text)."""
    lines = [".版本 2", "", ".程序集 窗口程序集_启动窗口", "", ".子程序 测试", ".局部变量 句柄, 整数型",
             ".局部变量 文本, 文本型", ".局部变量 消息值, 整数型", ".局部变量 条目, 菜单条目结构_", ""]
    found = []
    example_check.check_program(lines + program.splitlines(), LIBRARY, constants,
                                lambda n, kind, what: found.append((n - len(lines), kind, what)))
    return sorted(found)


class StructureTest(unittest.TestCase):
    def test_every_call_passes_one_argument_per_parameter(self):
        self.assertEqual(faults("""\
取窗口标题_ (句柄, 文本, 取文本长度 (“a, b”) ＋ 位或 (1, 2))  ' 第三个参数, 逗号
取窗口标题_ (句柄, , 256)
取窗口标题_ (句柄, 文本)
文本 ＝ 到文本 (取窗口标题_ (句柄, 文本, 1, 2))"""), [
            (3, "arguments", "取窗口标题_ takes 3, given 2"),
            (4, "arguments", "取窗口标题_ takes 3, given 4")])

    def test_blocks_close_in_order(self):
        self.assertEqual(faults("""\
.如果 (句柄 ＝ 1)
    .计次循环首 (3, )
    .计次循环尾 ()
.否则
.如果结束
.如果真 (句柄 ＝ 2)
    .判断循环首 (真)
.如果真结束
.判断循环尾 ()
.判断开始 (句柄 ＝ 5)
.判断 (句柄 ＝ 6)
.判断结束
.如果 (句柄 ＝ 3)
.如果结束
.如果 (句柄 ＝ 4)"""), [
            (7, "block", ".判断循环首 not closed by .判断循环尾 (ends at line 18)"),
            (9, "block", ".判断循环尾 without its .判断循环首"),
            (12, "block", ".判断开始 of line 20 without .默认"),
            (14, "block", ".如果 of line 23 without .否则"),
            (15, "block", ".如果 not closed by .如果结束 (ends at line 26)")])


@unittest.skipUnless(HAVE_CC, "i686-w64-mingw32-gcc is not installed")
class ConstantsTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        used = ("发送消息_", "注册热键_", "设置窗口位置_", "取窗口标题_", "调用窗口过程_", "宽字符转多字节_", "取区域信息_")
        cls.constants = example_check.Constants(
            ["WM_SETTEXT", "MOD_ALT", "MOD_CONTROL", "HWND_TOPMOST", "WM_USER", "SW_SHOW", "MIIM_ID", "MIIM_STRING",
             "LOCALE_USER_DEFAULT"],
            example_check.comment_names([c for name in used for c in LIBRARY.params[name]]
                                        + list(LIBRARY.members["菜单条目结构_"].values())))

    def test_named_constants_pass(self):
        self.assertEqual(faults("""\
发送消息_ (句柄, 12, 0, 取窗口标题_ (句柄, 文本, 256))  ' WM_SETTEXT
注册热键_ (句柄, 1, 3, 75)  ' MOD_ALT 1 ＋ MOD_CONTROL 2
设置窗口位置_ (句柄, -1, 0, 0, 100, 100, 0)  ' HWND_TOPMOST
发送消息_ (句柄, 1024 ＋ 1, 0, 0)  ' WM_USER ＋ 1""", self.constants), [])

    def test_a_wrong_value_and_a_number_without_its_name_are_found(self):
        self.assertEqual(faults("""\
发送消息_ (句柄, 13, 0, 0)  ' WM_SETTEXT
注册热键_ (句柄, 1, 3, 75)  ' MOD_ALT 2 ＋ MOD_CONTROL 1
发送消息_ (句柄, 12, 0, 0)
调用窗口过程_ (0, 句柄, 消息值, 0, 0)
.如果真 (消息值 ＝ 163)
.如果真结束
' 只在注释行中写出 SW_SHOW（6）""", self.constants), [
            (1, "constant", "13 (argument 2 of 发送消息_) has no constant name in the comment"),
            (1, "constant", "“WM_SETTEXT” is 12, which no number of the line is"),
            (2, "constant", "MOD_ALT is 1, not 2"),
            (2, "constant", "MOD_CONTROL is 2, not 1"),
            (3, "constant", "12 (argument 2 of 发送消息_) has no constant name in the comment"),
            (5, "constant", "163 (compared with or assigned to 消息值) has no constant name in the comment"),
            (7, "constant", "SW_SHOW is 5, not 6")])

    def test_a_number_is_a_constant_where_the_library_or_a_subroutine_passing_it_on_names_its_family(self):
        self.assertEqual(faults("""\
条目.掩码 ＝ 66  ' MIIM_ID ＋ MIIM_STRING
条目.掩码 ＝ 66
.如果真 (位与 (条目.掩码, 2) ≠ 0 且 条目.文本长度 ＝ 256)
.如果真结束
宽字符转多字节_ (936, 0, { 0, 0 }, -1, 文本, 256, 0, 0)
宽字符转多字节_ (65001, 0, { 0, 0 }, -1, 文本, 256, 0, 0)
区域信息 (2)

.子程序 区域信息
.参数 信息类型, 整数型
取区域信息_ (1024, 信息类型, 文本, 0)  ' LOCALE_USER_DEFAULT""", self.constants), [
            (2, "constant", "66 (compared with or assigned to 条目.掩码) has no constant name in the comment"),
            (3, "constant", "2 (位与 with 条目.掩码) has no constant name in the comment"),
            (6, "constant", "65001 (argument 1 of 宽字符转多字节_) has no constant name in the comment"),
            (7, "constant", "2 (argument 1 of 区域信息) has no constant name in the comment")])


class CommandLineTest(unittest.TestCase):
    def test_allowed_examples_do_not_fail_and_passing_ones_are_named(self):
        with tempfile.TemporaryDirectory() as tmp:
            folder = Path(tmp)
            (folder / "sources").mkdir()
            (folder / "sources" / "bad.txt").write_text(".版本 2\n\n.程序集 窗口程序集_启动窗口\n\n.子程序 甲\n\n"
                                                        "取窗口标题_ (0, “”)\n", encoding="utf-8")
            (folder / "sources" / "good.txt").write_text(".版本 2\n\n.程序集 窗口程序集_启动窗口\n", encoding="utf-8")
            (folder / "manifest.txt").write_text("bad.txt|坏.e|\ngood.txt|好.e|\n", encoding="utf-8")

            def run(allowed):  # without the compiler, which these programs do not need
                (folder / "allow.txt").write_text("# reason\n" + allowed, encoding="utf-8")
                res = subprocess.run([sys.executable, str(TOOL), str(folder), "--allow", str(folder / "allow.txt")],
                                     capture_output=True, text=True, encoding="utf-8", env={"PATH": tmp})
                return res.returncode, res.stdout.splitlines()
            code, out = run("")
            self.assertEqual(code, 1)
            self.assertEqual(out[0], "bad.txt:7: arguments: 取窗口标题_ takes 3, given 2")
            code, out = run("bad.txt\ngood.txt  # rewritten elsewhere\n")
            self.assertEqual(code, 77)
            self.assertEqual(out[:2], ["allowed: bad.txt:7: arguments: 取窗口标题_ takes 3, given 2",
                                       "note: good.txt passes; take it off the allow-list"])


if __name__ == "__main__":
    unittest.main()
