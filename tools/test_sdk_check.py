#!/usr/bin/env python3
"""Tests of tools/sdk_check.py on a small generated folder made in a temp dir.

Run:  python3 -m unittest tools/test_sdk_check.py   (skipped without i686-w64-mingw32-g++)
"""
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

TOOL = Path(__file__).resolve().parent / "sdk_check.py"
HAVE_CXX = shutil.which("i686-w64-mingw32-g++") is not None

DLL = """\
.DLL命令 WindowFromPoint_, 整数型, "user32.dll", "WindowFromPoint", , winuser.h: HWND WindowFromPoint(POINT Point)
    .参数 Point_x, 整数型, , Point.x,POINT 按值传递的成员
    .参数 Point_y, 整数型, , Point.y,POINT 按值传递的成员

.DLL命令 GetWindowInfo_, 整数型, "user32.dll", "GetWindowInfo", , winuser.h: WINBOOL GetWindowInfo(HWND hwnd, PWINDOWINFO pwi)
    .参数 hwnd, 整数型, , hwnd,HWND
    .参数 pwi, WINDOWINFO_, 传址, pwi,PWINDOWINFO

.DLL命令 SetConsoleCursorPosition_, 整数型, "kernel32.dll", "SetConsoleCursorPosition", , wincon.h
    .参数 hConsoleOutput, 整数型, , hConsoleOutput,HANDLE
    .参数 dwCursorPosition, 整数型, , dwCursorPosition,COORD 按值传递，4 个字节合为一个数

.DLL命令 GetCursorPos_, 整数型, "user32.dll", "GetCursorPos", , winuser.h: WINBOOL GetCursorPos(LPPOINT lpPoint)
    .参数 lpPoint, 长整数型, 传址, lpPoint,LPPOINT

.DLL命令 ConvertSidToStringSid_, 整数型, "advapi32.dll", "ConvertSidToStringSidA", , sddl.h
    .参数 Sid, 整数型, , Sid,PSID
    .参数 StringSid, 整数型, 传址, StringSid,LPSTR *

.DLL命令 CertEnumCertificatesInStore_, 整数型, "crypt32.dll", "CertEnumCertificatesInStore", , wincrypt.h
    .参数 hCertStore, 整数型, , hCertStore,HCERTSTORE
    .参数 pPrevCertContext, 整数型, , pPrevCertContext,PCCERT_CONTEXT 系统给出或交还的结构的地址

.DLL命令 CreatePalette_, 整数型, "gdi32.dll", "CreatePalette", , wingdi.h
    .参数 plpal, 整数型, , plpal,const LOGPALETTE * 变长结构的地址，由调用者分配

.DLL命令 InitializeAcl_, 整数型, "advapi32.dll", "InitializeAcl", , securitybaseapi.h
    .参数 pAcl, 整数型, , pAcl,PACL 变长结构的地址，由调用者分配
    .参数 nAclLength, 整数型, , nAclLength,DWORD
    .参数 dwAclRevision, 整数型, , dwAclRevision,DWORD

.DLL命令 GetOverlappedResult_, 整数型, "kernel32.dll", "GetOverlappedResult", , ioapiset.h
    .参数 hFile, 整数型, , hFile,HANDLE
    .参数 lpOverlapped, OVERLAPPED_, 传址, lpOverlapped,LPOVERLAPPED
    .参数 lpNumberOfBytesTransferred, 整数型, 传址, lpNumberOfBytesTransferred,LPDWORD
    .参数 bWait, 整数型, , bWait,WINBOOL

.DLL命令 CryptSIPRemoveSignedDataMsg_, 整数型, "crypt32.dll", "CryptSIPRemoveSignedDataMsg", , mssip.h
    .参数 pSubjectInfo, 整数型, , pSubjectInfo,SIP_SUBJECTINFO *
    .参数 dwIndex, 整数型, , dwIndex,DWORD

.DLL命令 MessageBoxW_, 整数型, "user32.dll", "MessageBoxW", , winuser.h
    .参数 hWnd, 整数型, , hWnd,HWND
    .参数 lpText, 字节集, , lpText,LPCWSTR
    .参数 lpCaption, 字节集, , lpCaption,LPCWSTR
    .参数 uType, 整数型, , uType,UINT

.DLL命令 SysStringLen_, 整数型, "oleaut32.dll", "SysStringLen", , oleauto.h
    .参数 bstr, 整数型, , bstr,BSTR

.DLL命令 CoBuildVersion_, 整数型, "ole32.dll", "CoBuildVersion", , objbase.h

.DLL命令 ScriptFreeCache_, 整数型, "usp10.dll", "ScriptFreeCache", , usp10.h
    .参数 psc, 整数型, 传址, psc,SCRIPT_CACHE *
"""

TYPES = """\
.数据类型 WINDOWINFO_, , WINDOWINFO
    .成员 cbSize, 整数型, , , cbSize
    .成员 rcWindow, 整数型, , "4", rcWindow
    .成员 rcClient, 整数型, , "4", rcClient
    .成员 dwStyle, 整数型, , , dwStyle
    .成员 dwExStyle, 整数型, , , dwExStyle
    .成员 dwWindowStatus, 整数型, , , dwWindowStatus
    .成员 cxWindowBorders, 整数型, , , cxWindowBorders
    .成员 cyWindowBorders, 整数型, , , cyWindowBorders
    .成员 atomWindowType, 短整数型, , , atomWindowType
    .成员 wCreatorVersion, 短整数型, , , wCreatorVersion

.数据类型 CERT_CONTEXT_, , CERT_CONTEXT
    .成员 dwCertEncodingType, 整数型, , , dwCertEncodingType
    .成员 pbCertEncoded, 整数型, , , pbCertEncoded
    .成员 cbCertEncoded, 整数型, , , cbCertEncoded
    .成员 pCertInfo, 整数型, , , pCertInfo
    .成员 hCertStore, 整数型, , , hCertStore

.数据类型 LOGPALETTE_, , LOGPALETTE
    .成员 palVersion, 短整数型, , , palVersion
    .成员 palNumEntries, 短整数型, , , palNumEntries
    .成员 palPalEntry, 字节型, , "4", palPalEntry

.数据类型 ACL_, , ACL
    .成员 AclRevision, 字节型, , , AclRevision
    .成员 Sbz1, 字节型, , , Sbz1
    .成员 AclSize, 短整数型, , , AclSize
    .成员 AceCount, 短整数型, , , AceCount
    .成员 Sbz2, 短整数型, , , Sbz2

.数据类型 OVERLAPPED_, , OVERLAPPED, 联合 （无名） 偏移 8：（无名结构）（所取）；Pointer PVOID：Pointer 8
    .成员 Internal, 整数型, , , Internal
    .成员 InternalHigh, 整数型, , , InternalHigh
    .成员 Offset, 整数型, , , Offset
    .成员 OffsetHigh, 整数型, , , OffsetHigh
    .成员 hEvent, 整数型, , , hEvent

.数据类型 SHELLFLAGSTATE_, , SHELLFLAGSTATE
    .成员 fShowAllObjects, 整数型, , , 位域 fShowAllObjects 位 0 宽 1、fShowExtensions 位 1 宽 1、fNoConfirmRecycle 位 2 宽 1、fShowSysFiles 位 3 宽 1、fShowCompColor 位 4 宽 1、fDoubleClickInWebView 位 5 宽 1、fDesktopHTML 位 6 宽 1、fWin95Classic 位 7 宽 1、fDontPrettyPath 位 8 宽 1、fShowAttribCol 位 9 宽 1、fMapNetDrvBtn 位 10 宽 1、fShowInfoTip 位 11 宽 1、fHideIcons 位 12 宽 1、fAutoCheckSelect 位 13 宽 1、fIconsOnly 位 14 宽 1、fRestFlags 位 15 宽 1

.数据类型 INPUT_, , INPUT, 联合 （无名） 偏移 4：mi MOUSEINPUT（所取）；ki KEYBDINPUT：ki.wVk 4 ki.wScan 6 ki.dwFlags 8 ki.time 12 ki.dwExtraInfo 16；hi HARDWAREINPUT：hi.uMsg 4 hi.wParamL 8 hi.wParamH 10
    .成员 type, 整数型, , , type
    .成员 dx, 整数型, , , mi.dx
    .成员 dy, 整数型, , , mi.dy
    .成员 mouseData, 整数型, , , mi.mouseData
    .成员 dwFlags, 整数型, , , mi.dwFlags
    .成员 time, 整数型, , , mi.time
    .成员 dwExtraInfo, 整数型, , , mi.dwExtraInfo
"""

LEFT_OUT = """\
dll,export,reason
user32.dll,wsprintfA,variadic
ole32.dll,HWND_UserSize,an RPC marshalling helper, called by the RPC runtime
"""

# Each fault as (what to replace, by what, the lines the check must print): against the
# import library and against the header where both see it.
FAULTS = [
    ("    .参数 Point_y, 整数型, , Point.y,POINT 按值传递的成员\n", "",
     ["mismatch: WindowFromPoint_ (WindowFromPoint): stack bytes: E 4 vs @8",
      "mismatch: WindowFromPoint_ (WindowFromPoint): Point: C 8 vs E 4"]),
    ("\"GetWindowInfo\", ,", "\"GetWindowInfoA\", ,",
     ["mismatch: GetWindowInfo_ (GetWindowInfoA): not exported by libuser32.a",
      "mismatch: GetWindowInfo_ (GetWindowInfoA): declared: does not compile: "]),
    ("hConsoleOutput, 整数型, , hConsoleOutput", "hConsoleOutput, 长整数型, , hConsoleOutput",
     ["mismatch: SetConsoleCursorPosition_ (SetConsoleCursorPosition): stack bytes: E 12 vs @8",
      "mismatch: SetConsoleCursorPosition_ (SetConsoleCursorPosition): hConsoleOutput: C 4 vs E 8"]),
    ("lpPoint, 长整数型, 传址", "lpPoint, 整数型, 传址",
     ["mismatch: GetCursorPos_ (GetCursorPos): lpPoint points to: C 8 vs E 4"]),
    ("StringSid, 整数型, 传址", "StringSid, 文本型, 传址",  # E would free the DLL's text as its own
     ["mismatch: ConvertSidToStringSid_ (ConvertSidToStringSidA): StringSid points to a pointer: 整数型 传址"]),
    ("pPrevCertContext, 整数型, ,", "pPrevCertContext, CERT_CONTEXT_, 传址,",  # a copy is not the store's own
     ["mismatch: CertEnumCertificatesInStore_ (CertEnumCertificatesInStore): pPrevCertContext points to a "
      "structure that the system hands out: 整数型"]),
    ("plpal, 整数型, ,", "plpal, LOGPALETTE_, 传址,",  # one entry, where the caller asks for more
     ["mismatch: CreatePalette_ (CreatePalette): plpal points to a structure of variable length: 整数型"]),
    ("pAcl, 整数型, ,", "pAcl, ACL_, 传址,",  # the ACEs follow it in the caller's allocation
     ["mismatch: InitializeAcl_ (InitializeAcl): pAcl points to a structure of variable length: 整数型"]),
    ("lpOverlapped, OVERLAPPED_, 传址,", "lpOverlapped, 整数型, ,",  # ReadFile's own, though a T** hands one back
     ["mismatch: GetOverlappedResult_ (GetOverlappedResult): lpOverlapped points to a structure that the caller "
      "allocates: OVERLAPPED_ 传址"]),
    ('"crypt32.dll", "CryptSIPRemoveSignedDataMsg"', '"wintrust.dll", "CryptSIPRemoveSignedDataMsg"',
     ["mismatch: CryptSIPRemoveSignedDataMsg_ (CryptSIPRemoveSignedDataMsg): not the DLL of every Windows that "
      "has it: crypt32.dll"]),
    ('"ole32.dll", "CoBuildVersion"', '"shell32.dll", "DllCanUnloadNow"',  # COM calls it, a program does not
     ["mismatch: CoBuildVersion_ (DllCanUnloadNow): not for calling: a COM server entry point"]),
    ("HWND_UserSize,an RPC marshalling helper, called by the RPC runtime",
     "HWND_UserSize,not declared as a function in the headers",
     ["mismatch: ole32.dll (HWND_UserSize): left out as not declared as a function in the headers: "
      "an RPC marshalling helper"]),
    ("lpCaption, 字节集, ,", "lpCaption, 整数型, ,",  # an address that the caller cannot make
     ["mismatch: MessageBoxW_ (MessageBoxW): lpCaption points to a Unicode text: 字节集"]),
    ("user32.dll,wsprintfA,variadic\n",
     "user32.dll,wsprintfA,variadic\nuser32.dll,MessageBoxExW,W form\n",
     ["mismatch: user32.dll (MessageBoxExW): left out as a W form: a W form is a command of its own"]),
    ("user32.dll,wsprintfA,variadic\n",  # declared again with other typedefs of the same types
     "user32.dll,wsprintfA,variadic\nkernel32.dll,VerSetConditionMask,overloaded in the C++ headers\n",
     ["mismatch: kernel32.dll (VerSetConditionMask): left out as overloaded: the headers declare one type"]),
    ('"usp10.dll", "ScriptFreeCache"', '"gdi32.dll", "ScriptFreeCache"',  # gdi32 has it from Windows 10 on
     ["mismatch: ScriptFreeCache_ (ScriptFreeCache): not the DLL of every Windows that has it: usp10.dll"]),
    ("；hi HARDWAREINPUT：hi.uMsg 4 hi.wParamL 8 hi.wParamH 10", "",  # the caller could not find hi
     ["mismatch: INPUT_ (INPUT): hi.uMsg: neither a member nor named in the union's comment",
      "mismatch: INPUT_ (INPUT): hi.wParamL: neither a member nor named in the union's comment",
      "mismatch: INPUT_ (INPUT): hi.wParamH: neither a member nor named in the union's comment"]),
    ("ki.wScan 6", "ki.wScan 5",
     ["mismatch: INPUT_ (INPUT): union arm ki.wScan: C 6 vs E 5"]),
    ("fRestFlags 位 15 宽 1", "fRestFlags 位 15 宽 2",
     ["mismatch: SHELLFLAGSTATE_ (SHELLFLAGSTATE): bit-field fRestFlags (bit 15, width 1): not named so"]),
    ("    .成员 atomWindowType, 短整数型", "    .成员 atomWindowType, 整数型",
     ["mismatch: WINDOWINFO_ (WINDOWINFO): size: C 60 vs E 62",
      "mismatch: WINDOWINFO_ (WINDOWINFO): atomWindowType size: C 2 vs E 4",
      "mismatch: WINDOWINFO_ (WINDOWINFO): wCreatorVersion: C 58 vs E 60"]),
    ("    .成员 dwWindowStatus, 整数型, , , dwWindowStatus\n",  # padded to its place: only its size is off
     "    .成员 dwWindowStatus, 字节型, , , dwWindowStatus\n    .成员 保留1, 字节型, , \"3\", 对齐填充\n",
     ["mismatch: WINDOWINFO_ (WINDOWINFO): dwWindowStatus size: C 4 vs E 1"]),
    ("    .成员 dwStyle, 整数型, , , dwStyle\n    .成员 dwExStyle, 整数型, , , dwExStyle\n",
     "    .成员 dwExStyle, 整数型, , , dwExStyle\n    .成员 dwStyle, 整数型, , , dwStyle\n",
     ["mismatch: WINDOWINFO_ (WINDOWINFO): dwExStyle: C 40 vs E 36",
      "mismatch: WINDOWINFO_ (WINDOWINFO): dwStyle: C 36 vs E 40"]),
]


@unittest.skipUnless(HAVE_CXX, "i686-w64-mingw32-g++ is not installed")
class SdkCheckTest(unittest.TestCase):
    def run_check(self, dll, types, left_out):
        tmp = Path(tempfile.mkdtemp())
        self.addCleanup(shutil.rmtree, tmp)
        for sub, text in (("dll", dll), ("types", types)):
            (tmp / sub).mkdir()
            (tmp / sub / "user32.txt").write_text(text, encoding="utf-8")
        (tmp / "left-out.csv").write_text(left_out, encoding="utf-8")
        res = subprocess.run([sys.executable, str(TOOL), str(tmp)], capture_output=True, text=True, encoding="utf-8")
        return res.returncode, res.stdout.splitlines()

    def test_clean_declarations_are_proven(self):
        code, out = self.run_check(DLL, TYPES, LEFT_OUT)
        self.assertEqual(code, 0, out)
        self.assertEqual(out, ["sdk_check: 14 commands generated, 14 proven; 7 data types generated, 7 proven; 0 faults",
                               "sdk_check: left out: 1 variadic, 1 an RPC marshalling helper, called by the RPC runtime"])

    def test_each_planted_fault_is_reported(self):
        texts = [DLL, TYPES, LEFT_OUT]
        for old, new, _ in FAULTS:
            self.assertIn(old, "".join(texts))
            texts = [text.replace(old, new) for text in texts]
        code, out = self.run_check(*texts)
        self.assertEqual(code, 1, out)
        found = sorted(l for l in out if l.startswith("mismatch:"))
        expected = sorted(line for _, _, lines in FAULTS for line in lines)
        self.assertEqual(len(found), len(expected), out)
        for line, start in zip(found, expected):
            self.assertTrue(line.startswith(start), (line, start))


if __name__ == "__main__":
    unittest.main()
