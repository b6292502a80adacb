#!/usr/bin/env python3
"""Prove the declarations generated from the SDK (data/sdk) against the MinGW-w64 SDK.

Run:  python3 tools/sdk_check.py [SDK_DIR] [--keep DIR]

SDK_DIR defaults to the repository's data/sdk. For every DLL command block of
SDK_DIR/dll/*.txt it proves that
  - the entry is exported by the DLL's import library (lib<dll>.a of the i686 toolchain);
  - the E parameters take as many stack bytes (each size rounded up to 4) as the export's
    stdcall @N (the generator takes only exports that have one: one without is a fault);
  - the C function has one parameter per group of E parameters (a structure passed by
    value spans the E parameters whose comments start "<C name>.") and each group's E size
    is its C parameter's size; the return sizes agree;
  - a parameter passed 传址 points to what its E type holds: a number of its size, or the
    structure of its data type's size (hand-written data types come from SDK_DIR/../types);
  - it follows the rules of meaning of data/README.md: a parameter that points to a
    pointer is 整数型 传址 (or 整数型 数组); one that points to a structure that the system
    hands out or one of variable length (tools/sdk_meaning.py) is a 整数型, one that points
    to a structure that the caller allocates is its E data type where one lays it out; one
    that points to Unicode text (not a BSTR) is a 字节集, and no W form is left out; an export of
    several DLLs names the one that has it on every Windows that has it; no export that
    programs do not call is generated, and the reason of each one left out so is its own;
    an export left out as overloaded has two types in the headers;
and for every data type block of SDK_DIR/types/*.txt that its size and the offset and size
of each member whose comment starts with its C member path equal the C structure's. The C facts
are static_asserts compiled for i686, one compiler run per header group.

Prints one line per fault ("mismatch: <E name> (<entry or typedef>): <what>"), the counts
of what it proved and of the exports left out by reason (SDK_DIR/left-out.csv, written by
tools/gen_sdk_declarations.py). Exit status: 0 when all is proven, 1 with a fault, 2 when
the compiler fails outside the checks, 77 without i686-w64-mingw32-g++.
"""
import argparse
import re
import shutil
import sys
import tempfile
from collections import Counter
from pathlib import Path

import crosscheck
import sdk_meaning

# The DLLs whose APIs are generated, in the order that settles an export of two of them
# where sdk_meaning.DllOwners finds no owner:
# (DLL file as the blocks name it, header group).
DLLS = [("user32.dll", "main"), ("kernel32.dll", "main"), ("gdi32.dll", "main"), ("advapi32.dll", "main"),
        ("shell32.dll", "main"), ("comctl32.dll", "main"), ("comdlg32.dll", "main"), ("ws2_32.dll", "main"),
        ("winmm.dll", "main"), ("winspool.drv", "main"), ("version.dll", "main"), ("shlwapi.dll", "main"),
        ("wininet.dll", "main"), ("psapi.dll", "main"), ("iphlpapi.dll", "main"), ("netapi32.dll", "main"),
        ("ole32.dll", "main"), ("oleaut32.dll", "main"), ("imm32.dll", "main"), ("msimg32.dll", "main"),
        ("setupapi.dll", "main"), ("dbghelp.dll", "main"), ("crypt32.dll", "main"), ("winhttp.dll", "winhttp"),
        ("powrprof.dll", "main"), ("userenv.dll", "main"), ("secur32.dll", "main"), ("mpr.dll", "main"),
        ("usp10.dll", "main"), ("urlmon.dll", "main"), ("dwmapi.dll", "main"), ("uxtheme.dll", "main"),
        ("shcore.dll", "main"), ("wtsapi32.dll", "main"), ("wintrust.dll", "main"), ("bcrypt.dll", "main"),
        ("dnsapi.dll", "main"), ("gdiplus.dll", "gdiplus"), ("ntdll.dll", "ntdll")]
# A DLL of which only the functions of one header are generated: ntdll's others are the system's own.
ONLY_FROM = {"ntdll.dll": "winternl.h"}
# winhttp.h and wininet.h declare the same names differently: each group is its own
# translation unit. The main group holds the cross-check's headers and those of the DLLs above.
HEADER_GROUPS = {
    "main": crosscheck.HEADERS + """wincrypt.h ole2.h olectl.h dbghelp.h ntsecapi.h aclapi.h sddl.h wincred.h
        winsafer.h dsgetdc.h icmpapi.h cfgmgr32.h winefs.h evntrace.h shobjidl.h lmjoin.h lmdfs.h ws2spi.h
        powersetting.h usp10.h d3dkmthk.h winineti.h wct.h physicalmonitorenumerationapi.h perflib.h evntprov.h
        evntcons.h mssip.h appmgmt.h lmat.h dsrole.h davclnt.h winnls32.h urlmon.h dwmapi.h uxtheme.h
        shellscalingapi.h wtsapi32.h wintrust.h softpub.h bcrypt.h windns.h""".split(),
    "winhttp": ["windows.h", "winhttp.h"],
    # GDI+'s flat API is C++: its functions lie in namespaces, and its structures are classes.
    "gdiplus": ["windows.h", "objidl.h", "gdiplus.h"],
    # winternl.h declares the NT structures that other headers declare otherwise.
    "ntdll": ["windows.h", "winternl.h"],
}
GROUP_TAILS = {"gdiplus": "using namespace Gdiplus;\nusing namespace Gdiplus::DllExports;\n"}
OVERLOADED = "overloaded in the C++ headers"
W_FORM = "W form"  # a reason no longer: the W form of every function is generated
C_PATH = re.compile(r"[A-Za-z_]\w*(\.[A-Za-z_]\w*)*", re.ASCII)
# In a data type's comments: "ki.wVk 4" of a union's arm, "fParity 位 1 宽 1" of a bit-field.
UNION_MEMBER = re.compile(r"([A-Za-z_]\w*(?:\.[A-Za-z_]\w*)*) (\d+)", re.ASCII)
BIT_FIELD = re.compile(r"(\w+) 位 (\d+) 宽 (\d+)", re.ASCII)
UNION_BIT_FIELD = re.compile(r"(\w+) 偏移 (\d+) 位 (\d+) 宽 (\d+)", re.ASCII)
# Marks a check of a rule of meaning: its fault is the rule's text, not two sizes.
RULE = "rule: "
# A reference parameter (REFIID in C++) is passed as its address.
PRELUDE = crosscheck.PRELUDE + """#include <cstddef>
#include <type_traits>
namespace cc {
template<class T> struct sz<T&> { static constexpr unsigned v = sizeof(void*); };
// The size of what a pointer or reference parameter points to (0: not one, or unsized).
template<class T, class = void> struct size_of { static constexpr unsigned v = 0; };
template<class T> struct size_of<T, std::void_t<decltype(sizeof(T))>> { static constexpr unsigned v = sizeof(T); };
template<class T> struct pz { static constexpr unsigned v = 0; };
template<class T> struct pz<T*> { static constexpr unsigned v = size_of<T>::v; };
template<class T> struct pz<T&> { static constexpr unsigned v = size_of<T>::v; };
template<class R, class... A> constexpr std::array<unsigned, sizeof...(A) + 1>
pointees(R (__stdcall *)(A...)) { return {{0, pz<A>::v...}}; }
template<class R, class... A> constexpr std::array<unsigned, sizeof...(A) + 1>
pointees(R (__cdecl *)(A...)) { return {{0, pz<A>::v...}}; }
// 1 where a parameter points to a pointer (char** too), whatever the qualifiers.
template<class T> struct pp { static constexpr unsigned v = std::is_pointer_v<std::remove_cv_t<
    std::remove_pointer_t<std::remove_cv_t<T>>>> && std::is_pointer_v<std::remove_cv_t<T>>; };
template<class R, class... A> constexpr std::array<unsigned, sizeof...(A) + 1>
to_pointers(R (__stdcall *)(A...)) { return {{0, pp<A>::v...}}; }
template<class R, class... A> constexpr std::array<unsigned, sizeof...(A) + 1>
to_pointers(R (__cdecl *)(A...)) { return {{0, pp<A>::v...}}; }
}
"""


def header_source(group, windows=None):
    # The newest Windows and shell versions that the headers know: every function they declare;
    # or the headers as a program for an older Windows (_WIN32_WINNT) sees them.
    # psapi.h then declares psapi.dll's functions under kernel32's K32 names, which older
    # systems lack: PSAPI_VERSION 1 keeps psapi.dll's own.
    version = (f"#define _WIN32_WINNT 0x{windows:04X}\n#define WINVER 0x{windows:04X}\n"
               f"#define NTDDI_VERSION 0x{windows:04X}0000\n") if windows else "#define NTDDI_VERSION 0x0A00000B\n"
    return ("#define SECURITY_WIN32\n" + version + "#define _WIN32_IE 0x0A00\n"
            "#define PSAPI_VERSION 1\n") + "".join(
        f"#if __has_include(<{h}>)\n#include <{h}>\n#endif\n" for h in HEADER_GROUPS[group]) + GROUP_TAILS.get(group, "")


def ownable(tables, functions):
    """The exports of each DLL that may be its own (sdk_meaning.DllOwners): of a DLL of ONLY_FROM,
    those that its header declares. tables: {dll: exports}; functions: {group: its functions}."""
    out = dict(tables)
    for dll, header in ONLY_FROM.items():
        declared = functions[dict(DLLS)[dll]]
        out[dll] = {e for e in tables[dll] if e in declared and Path(declared[e][0].location.file.name).name == header}
    return out


def import_library(dll):
    return crosscheck.IMPORT_LIBS / f"lib{Path(dll.lower()).stem}.a"


def stack_bytes(size):
    return (size + 3) // 4 * 4


def groups(block):
    """The E parameters of a command in groups of one C parameter each: [(C name, [k...])]."""
    out = []
    for k, note in enumerate(block.notes):
        name = note.split(",", 1)[0].split(".", 1)[0].strip()
        if out and "." in note.split(",", 1)[0] and out[-1][0] == name:
            out[-1][1].append(k)
        else:
            out.append((name, [k]))
    return out


def member_offsets(block):
    """(comment, E offset, E size) of each member of a data type."""
    offset, out = 0, []
    for (etype, count), note in zip(block.items, block.notes):
        size = crosscheck.SIZES.get(etype, 0) * count
        out.append((note, offset, size))
        offset += size
    return out


def member_places(block):
    """(C member path, E offset, E size) of each member whose comment starts with a C path."""
    return [(note.split(",", 1)[0].strip(), offset, size) for note, offset, size in member_offsets(block)
            if C_PATH.fullmatch(note.split(",", 1)[0].strip())]


def bit_field_places(block):
    """(name, bit offset, width) of each bit-field that a member's comment or a union's names."""
    out = {(name, offset * 8 + int(pos), int(width)) for note, offset, _ in member_offsets(block)
           if note.startswith("位域 ") for name, pos, width in BIT_FIELD.findall(note)}
    return out | {(name, int(offset) * 8 + int(pos), int(width))
                  for name, offset, pos, width in UNION_BIT_FIELD.findall(header_note(block))}


def header_note(block):
    """What a data type's header says after the C name."""
    header = block.path.read_text(encoding="utf-8").splitlines()[block.lineno - 1]
    # The oldest Windows that has it is no member: "Windows 10" is not one at offset 10.
    return sdk_meaning.VERSION_NOTE.sub("", (crosscheck.fields(header, 3) + [""])[3])


def union_places(block):
    """(C member path, offset) of each member of a union's arms that the data type's header names."""
    return [(path, int(offset)) for path, offset in UNION_MEMBER.findall(header_note(block))]


def read_left_out(sdk):
    """The exports left out, as blocks named after their DLL: [(block, reason)]."""
    path, out = sdk / "left-out.csv", []
    if path.exists():
        for n, line in enumerate(path.read_text(encoding="utf-8").splitlines()[1:], 2):
            dll, entry, reason = line.split(",", 2)
            out.append((crosscheck.Block("left out", dll, entry, path, n), reason))
    return out


class Headers:
    """The facts of one header group that libclang reads."""

    def __init__(self, group):
        tu = sdk_meaning.parse(header_source(group), "sdk_check")
        self.functions, self.overloaded = sdk_meaning.function_declarations(tu)
        self.handed = sdk_meaning.handed_out(tu)
        self.macros = sdk_meaning.import_macros(tu, self.functions)
        self.records = {}  # typedef or tag -> the structure's type
        for c in tu.cursor.walk_preorder():
            t = (c.underlying_typedef_type if c.kind == sdk_meaning.ci.CursorKind.TYPEDEF_DECL else c.type).get_canonical()
            if t.kind == sdk_meaning.K.RECORD and c.spelling:
                self.records.setdefault(c.spelling, t)

    def address(self, name):
        """The C++ expression of the exported function's address: its C++ overloads need a cast."""
        if name not in self.overloaded:
            return f"&{name}"
        f = self.functions[name][0]
        args = ", ".join(a.type.spelling for a in f.get_arguments())
        return f"static_cast<{f.result_type.spelling} (__stdcall *)({args})>(&{name})"


def unnamed_members(t, record):
    """Faults of a data type that leaves a member of a union's arm or a bit-field unnamed: the
    caller has no other place to find where ki.wVk or fParity lies."""
    named = {path for path, _, _ in member_places(t)} | {path for path, _ in union_places(t)}
    # A member may hold a whole nested structure (rcWindow for rcWindow.left).
    faults = [("mismatch", t, f"{path}: neither a member nor named in the union's comment")
              for path, _ in sdk_meaning.leaves(record)
              if not any(".".join(path.split(".")[:k]) in named for k in range(1, path.count(".") + 2))]
    bits = bit_field_places(t)
    faults += [("mismatch", t, f"bit-field {name} (bit {at}, width {width}): not named so")
               for name, at, width, _ in sdk_meaning.bit_fields(record) if name and (name, at, width) not in bits]
    return faults


def meaning_faults(commands, types, type_groups, left_out, group_of, headers, tables, handwritten):
    """The faults against the rules of meaning that only the parsed headers show. handwritten:
    the hand-written data types, which stand for their structures too."""
    faults, by_group = [], {}
    for t in types:
        group = min(type_groups.get(t.name, {"main"}))
        if t.target in headers[group].records:
            faults += unnamed_members(t, headers[group].records[t.target])
    macros, declaring = {}, {}
    for h in headers.values():
        macros.update(h.macros)
        declaring.update(sdk_meaning.declaring_headers(h.functions))
    candidates = ownable(tables, {g: h.functions for g, h in headers.items()})
    owners = sdk_meaning.DllOwners(candidates, macros, declaring)
    for c in commands:
        if c.dll in group_of:
            by_group.setdefault(group_of[c.dll], ([], []))[0].append(c)
        if sdk_meaning.not_for_calling(c.target):
            faults.append(("mismatch", c, f"not for calling: {sdk_meaning.not_for_calling(c.target)}"))
        elif c.dll in ONLY_FROM and c.target not in candidates[c.dll]:
            faults.append(("mismatch", c, f"not declared in {ONLY_FROM[c.dll]}"))
        elif owners.owner(c.target) not in (None, c.dll):
            faults.append(("mismatch", c, f"not the DLL of every Windows that has it: {owners.owner(c.target)}"))
    for block, reason in left_out:
        if reason == OVERLOADED and block.name in group_of:
            by_group.setdefault(group_of[block.name], ([], []))[1].append(block)
        elif reason == W_FORM:
            faults.append(("mismatch", block, "left out as a W form: a W form is a command of its own"))
        elif sdk_meaning.not_for_calling(block.target) not in (None, reason):
            faults.append(("mismatch", block, f"left out as {reason}: {sdk_meaning.not_for_calling(block.target)}"))
    for group, (group_commands, overloads) in by_group.items():
        functions, handed = headers[group].functions, headers[group].handed
        data_types = {}  # USR of a structure -> the E data types that lay it out
        for t in types + handwritten:
            if t.target in headers[group].records:
                data_types.setdefault(headers[group].records[t.target].get_declaration().get_usr(), set()).add(t.name)
        for block in overloads:
            if len(functions.get(block.target, [])) < 2:
                faults.append(("mismatch", block, "left out as overloaded: the headers declare one type"))
        for c in group_commands:
            args, parts = list(functions[c.target][0].get_arguments()) if c.target in functions else [], groups(c)
            for arg, (name, ks) in zip(args, parts) if len(args) == len(parts) else ():
                if sdk_meaning.wide_text(arg.type) and [c.items[i] for i in ks] != [("字节集", "")]:
                    # The caller passes UTF-16 bytes, or a buffer it sized: never an address it cannot make.
                    faults.append(("mismatch", c, f"{name} points to a Unicode text: 字节集"))
                record = sdk_meaning.pointee_record(arg.type)
                why = record is not None and sdk_meaning.system_owned(record, handed)
                if why and [c.items[i] for i in ks] != [("整数型", "")]:
                    # An E variable would be a copy: the system wants its own address back.
                    faults.append(("mismatch", c, f"{name} points to a structure {why}: 整数型"))
                elif not why and record is not None and len(ks) == 1:
                    # One that the caller allocates is an E variable of its data type: ReadFile's OVERLAPPED.
                    etypes = data_types.get(record.get_usr(), set())
                    if etypes and c.items[ks[0]][0] not in etypes:
                        faults.append(("mismatch", c, f"{name} points to a structure that the caller allocates: "
                                                      f"{min(etypes)} 传址"))
    return faults


def check(sdk, keep=None):
    commands, types = crosscheck.read_blocks(sdk)
    handwritten = crosscheck.read_blocks(sdk.parent)[1] if (sdk.parent / "types").is_dir() else []
    tsizes = crosscheck.type_sizes(types + handwritten)
    group_of = dict(DLLS)
    faults, proven = [], Counter()
    tables = {dll: crosscheck.export_table(import_library(dll)) for dll in group_of}
    left_out = read_left_out(sdk)
    headers = {g: Headers(g) for g in HEADER_GROUPS}
    bodies = {g: ([], []) for g in HEADER_GROUPS}  # group -> (lines, [(block, what)])
    type_groups = {}
    for n, c in enumerate(commands):
        group = group_of.get(c.dll)
        if group is None:
            faults.append(("mismatch", c, f"{c.dll} is not one of the generated DLLs"))
            continue
        table = tables[c.dll]
        esizes = [crosscheck.param_size(t, f, tsizes) for t, f in c.items]
        eret = crosscheck.param_size(c.ret, "", tsizes) if c.ret else 0
        if None in esizes or eret is None:
            faults.append(("mismatch", c, "unknown E type"))
            continue
        if c.target not in table:
            faults.append(("mismatch", c, f"not exported by {import_library(c.dll).name}"))
        elif table[c.target] is None:
            faults.append(("mismatch", c, f"no stdcall @N in {import_library(c.dll).name}"))
        elif table[c.target] != sum(map(stack_bytes, esizes)):
            faults.append(("mismatch", c, f"stack bytes: E {sum(map(stack_bytes, esizes))} vs @{table[c.target]}"))
        for t, _ in c.items:
            type_groups.setdefault(t, set()).add(group)
        lines, where = bodies[group]
        parts = groups(c)
        address = headers[group].address(c.target)
        lines.append(f"constexpr auto cc_s{n} = cc::sig({address});")
        lines.append(f"constexpr auto cc_p{n} = cc::pointees({address});")
        lines.append(f"constexpr auto cc_q{n} = cc::to_pointers({address});")
        where += [(c, "declared")] * 3
        checks = [(f"cc_s{n}[0] == {len(parts)}", "count"), (f"cc_s{n}[1] == {eret}", "return")]
        checks += [(f"cc_s{n}[{k + 2}] == {sum(esizes[i] for i in ks)}", name) for k, (name, ks) in enumerate(parts)]
        checks += [(f"cc_p{n}[{k + 1}] == {crosscheck.param_size(c.items[ks[0]][0], '', tsizes)}", f"{name} points to")
                   for k, (name, ks) in enumerate(parts) if c.items[ks[0]][1] == "传址"]
        # The address that the DLL writes is a number: in an E text variable, E would free it as its own.
        # (An array of pointers that the caller fills is an E array of 整数型.)
        checks += [(f"cc_q{n}[{k + 1}] == 0", RULE + f"{name} points to a pointer: 整数型 传址")
                   for k, (name, ks) in enumerate(parts)
                   if [c.items[i] for i in ks] not in ([("整数型", "传址")], [("整数型", "数组")])]
        for expr, what in checks:
            lines.append(f'static_assert({expr});')
            where.append((c, what))
    for t in types:
        if tsizes.get(t.name) is None:
            faults.append(("mismatch", t, "unknown member type"))
            continue
        for group in sorted(type_groups.get(t.name, {"main"})):
            lines, where = bodies[group]
            lines.append(f"static_assert(sizeof({t.target}) == {tsizes[t.name]});")
            where.append((t, "size"))
            for path, offset, size in member_places(t):
                lines.append(f"static_assert(offsetof({t.target}, {path}) == {offset});")
                lines.append(f"static_assert(sizeof((({t.target}*)nullptr)->{path}) == {size});")
                where += [(t, path), (t, f"{path} size")]
            for path, offset in union_places(t):
                lines.append(f"static_assert(offsetof({t.target}, {path}) == {offset});")
                where.append((t, f"union arm {path}"))
    with tempfile.TemporaryDirectory() as tmp:
        for group, (lines, where) in bodies.items():
            if not lines:
                continue
            keep_file = Path(keep) / f"sdk_check_{group}.cpp" if keep else None
            diags, stray = crosscheck.compile_cpp(lines, tmp, keep_file, header_source(group) + PRELUDE)
            if stray:
                print("sdk_check: the compiler failed outside the checks:", *stray[:20], sep="\n")
                return 2
            failed = set()
            for i in sorted(d for d in diags if d < len(where)):
                block, what = where[i]
                if block.kind == "command" and id(block) in failed:
                    continue  # the first fault of a command says what differs; the rest follow from it
                failed.add(id(block))
                m = next((crosscheck.REDUCES.search(t) for _, t in diags[i] if crosscheck.REDUCES.search(t)), None)
                if what.startswith(RULE):
                    text = what[len(RULE):]
                else:
                    text = (f"{what}: C {m.group(1)} vs E {m.group(2)}" if m
                            else f"{what}: does not compile: {diags[i][0][1]}")
                faults.append(("mismatch", block, text))
    faults += meaning_faults(commands, types, type_groups, left_out, group_of, headers, tables, handwritten)
    bad = {id(b) for _, b, _ in faults}
    proven["commands"] = sum(id(c) not in bad for c in commands)
    proven["data types"] = sum(id(t) not in bad for t in types)
    for kind, block, text in faults:
        print(f"{kind}: {block.name} ({block.target}): {text}")
    print(f"sdk_check: {len(commands)} commands generated, {proven['commands']} proven; "
          f"{len(types)} data types generated, {proven['data types']} proven; {len(faults)} faults")
    reasons = Counter(reason for _, reason in left_out)
    print("sdk_check: left out: " + ", ".join(f"{n} {reason}" for reason, n in reasons.most_common()))
    return 1 if faults else 0


def main(argv=None):
    root = Path(__file__).resolve().parent.parent
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("sdk", nargs="?", default=str(root / "data" / "sdk"))
    ap.add_argument("--keep", help="write the generated C++ files into this folder")
    args = ap.parse_args(argv)
    if not shutil.which(crosscheck.CXX):
        print(f"sdk_check: skipped (no {crosscheck.CXX})")
        return 77
    return check(Path(args.sdk), args.keep)


if __name__ == "__main__":
    sys.exit(main())
