#!/usr/bin/env python3
"""Tests of tools/crosscheck.py on a small data folder made in a temp dir.

Run:  python3 -m unittest tools/test_crosscheck.py   (skipped without i686-w64-mingw32-g++)
"""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

TOOL = Path(__file__).resolve().parent / "crosscheck.py"
HAVE_CXX = shutil.which("i686-w64-mingw32-g++") is not None

TYPES = """\
.数据类型 矩形_, , RECT
    .成员 左边, 整数型, , , left
    .成员 顶边, 整数型, , , top
    .成员 右边, 整数型, , , right
    .成员 底边, 整数型, , , bottom

.数据类型 逻辑字体_, , LOGFONTA,字体属性
    .成员 高度, 整数型, , , lfHeight
    .成员 宽度, 整数型, , , lfWidth
    .成员 倾斜角度, 整数型, , , lfEscapement
    .成员 方向, 整数型, , , lfOrientation
    .成员 粗细, 整数型, , , lfWeight
    .成员 属性, 字节型, , "8", lfItalic 至 lfPitchAndFamily
    .成员 字体名称, 字节型, , "32", lfFaceName

.数据类型 坐标点_, , POINT
    .成员 横坐标, 整数型, , , x
    .成员 纵坐标, 短整数型, , , y

.数据类型 未知结构_, , NO_SUCH_STRUCT_XYZ
    .成员 值, 整数型, , , value
"""

GOOD_DLL = """\
.DLL命令 取窗口标题_, 整数型, "user32.dll", "GetWindowTextA", , 正确
    .参数 窗口句柄, 整数型, , hWnd
    .参数 缓冲区, 文本型, , lpString
    .参数 缓冲区长度, 整数型, , nMaxCount

.DLL命令 在矩形中绘制文本扩展_, 整数型, "user32.dll", "DrawTextEx", , 名称加 A
    .参数 设备场景句柄, 整数型, , hdc
    .参数 文本, 文本型, , lpchText
    .参数 文本长度, 整数型, , cchText
    .参数 矩形, 矩形_, 传址, lprc
    .参数 格式, 整数型, , format
    .参数 参数, , , lpdtp,请自行选择类型

.DLL命令 取用户名_, 逻辑型, "secur32.dll", "GetUserNameExA", , C 返回 BOOLEAN
    .参数 名称格式, 整数型, , NameFormat
    .参数 缓冲区, 文本型, , lpNameBuffer
    .参数 缓冲区长度, 整数型, 传址, nSize
"""

BAD_DLL = """\
.DLL命令 移动窗口_, 整数型, "user32.dll", "MoveWindow", , 少一个参数
    .参数 窗口句柄, 整数型, , hWnd
    .参数 左边, 整数型, , X
    .参数 顶边, 整数型, , Y
    .参数 宽度, 整数型, , nWidth
    .参数 高度, 整数型, , nHeight

.DLL命令 取客户区矩形_, 逻辑型, "user32.dll", "GetClientRect", , 矩形按值
    .参数 窗口句柄, 整数型, , hWnd
    .参数 矩形, 矩形_, , lpRect

.DLL命令 取消路径_, , "gdi32.dll", "AbortPath", , 漏了返回类型
    .参数 设备场景句柄, 整数型, , hdc

.DLL命令 复制内存_, , "kernel32.dll", "RtlMoveMemory", , 宏
    .参数 目标, 整数型, , Destination

.DLL命令 取高位字节_, 整数型, "user32.dll", "hibyte", , 未声明
    .参数 值, 整数型, , w

.DLL命令 序号命令_, 整数型, "shell32.dll", "#60", , 序号

.DLL命令 原子加一_, 整数型, "kernel32.dll", "InterlockedIncrement", , 内部函数
    .参数 变量, 整数型, 传址, Addend
"""

ALLOW = """\
# test allow-list
取用户名_: C 返回 BOOLEAN，易语言用逻辑型
不存在的命令_: 没有这个名称
"""


@unittest.skipUnless(HAVE_CXX, "i686-w64-mingw32-g++ is not installed")
class CrosscheckTest(unittest.TestCase):
    def setUp(self):
        self.tmp = Path(tempfile.mkdtemp())
        self.addCleanup(shutil.rmtree, self.tmp)
        for sub in ("dll", "types"):
            (self.tmp / "data" / sub).mkdir(parents=True)
        (self.tmp / "data" / "types" / "00_common.txt").write_text(TYPES, encoding="utf-8")
        (self.tmp / "data" / "dll" / "01_good.txt").write_text(GOOD_DLL, encoding="utf-8")
        (self.tmp / "allow.txt").write_text(ALLOW, encoding="utf-8")

    def run_tool(self, *extra):
        res = subprocess.run([sys.executable, str(TOOL), str(self.tmp / "data"),
                              "--allow", str(self.tmp / "allow.txt"), *extra],
                             capture_output=True, text=True, encoding="utf-8")
        return res.returncode, res.stdout.splitlines()

    def test_reports_exact_mismatches(self):
        (self.tmp / "data" / "dll" / "02_bad.txt").write_text(BAD_DLL, encoding="utf-8")
        code, out = self.run_tool()
        self.assertEqual(code, 1, out)
        self.assertEqual([l for l in out if l.startswith(("mismatch:", "allowed:"))], [
            "allowed: 取用户名_ (GetUserNameExA): return size: E 4 vs C 1 [C 返回 BOOLEAN，易语言用逻辑型]",
            "mismatch: 移动窗口_ (MoveWindow): param count: E 5 vs C 6",
            "mismatch: 取客户区矩形_ (GetClientRect): param 2 size: E 16 vs C 4",
            "mismatch: 取消路径_ (AbortPath): return size: E 0 vs C 4",
            "mismatch: 坐标点_ (POINT): data type size: E 6 vs C 8",
        ])
        rest = [l for l in out if l.startswith(("skipped:", "unchecked:"))]
        self.assertEqual(rest[0], "skipped: 复制内存_ (RtlMoveMemory): function-like macro")
        self.assertTrue(rest[1].startswith("unchecked: 取高位字节_ (hibyte): not declared as a function"), rest)
        self.assertEqual(rest[2], "skipped: 序号命令_ (#60): ordinal")
        self.assertEqual(rest[3], "skipped: 原子加一_ (InterlockedIncrement): intrinsic _InterlockedIncrement")
        self.assertTrue(rest[4].startswith("unchecked: 未知结构_ (NO_SUCH_STRUCT_XYZ): typedef not declared"), rest)
        self.assertEqual(len(rest), 5, rest)
        self.assertIn("note: allow-list entry 不存在的命令_ matched nothing", out)
        self.assertEqual(out[-1], "crosscheck: 6 commands checked, 3 data types checked, "
                                  "4 mismatches, 1 allowed, 5 skipped")

    def test_clean_data_passes(self):
        (self.tmp / "data" / "types" / "00_common.txt").write_text(
            TYPES.split("\n\n.数据类型 坐标点_")[0] + "\n", encoding="utf-8")
        code, out = self.run_tool()
        self.assertEqual(code, 0, out)
        self.assertNotIn("mismatch", "\n".join(out[:-1]))
        self.assertEqual(out[-1], "crosscheck: 3 commands checked, 2 data types checked, "
                                  "0 mismatches, 1 allowed, 0 skipped")

    @unittest.skipUnless(Path("/usr/i686-w64-mingw32/lib/libuser32.a").exists(), "no libuser32.a")
    def test_exports(self):
        code, out = self.run_tool("--exports")
        self.assertEqual(code, 1, out)
        self.assertEqual([l for l in out if l.startswith("not exported:")],
                         ["not exported: 在矩形中绘制文本扩展_ (DrawTextEx): not in libuser32.a"])


class NoCompilerTest(unittest.TestCase):
    def test_exit_77_without_compiler(self):
        with tempfile.TemporaryDirectory() as tmp:
            res = subprocess.run([sys.executable, str(TOOL), tmp], capture_output=True, text=True,
                                 env=dict(os.environ, PATH=tmp))
        self.assertEqual(res.returncode, 77)
        self.assertEqual(res.stdout.strip(), "crosscheck: skipped (no i686-w64-mingw32-g++)")


if __name__ == "__main__":
    unittest.main()
