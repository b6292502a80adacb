#!/usr/bin/env python3
"""Cross-check the built-in API declarations against the MinGW-w64 Windows headers.

Run:  python3 tools/crosscheck.py [DATA_DIR] [--exports] [--allow FILE] [--keep FILE.cpp]

DATA_DIR defaults to the repository's data/ folder. The tool reads every block of
DATA_DIR/dll/*.txt and DATA_DIR/types/*.txt, writes a C++ file that includes the Windows
headers and holds one static_assert per fact to check, compiles it for 32 bits with
i686-w64-mingw32-g++ -fsyntax-only and reports, one line each:

  mismatch: <E name> (<entry or typedef>): <what>   parameter count, a parameter's size,
            the return size (0 = void) or a data type's size differs from the C declaration
  allowed: ...          the same, for a name listed in the allow-list (does not fail)
  not exported: ...     (--exports) the entry is missing from lib<dll>.a of the toolchain
  skipped: ...          the entry is an ordinal, a function-like macro or an intrinsic
  unchecked: ...        the function or typedef name is not declared, or an E type is unknown

With a count mismatch the parameter sizes are not compared. The closing summary line counts
as mismatches the unallowed "mismatch:" and "not exported:" lines, as skipped the "skipped:"
and "unchecked:" ones. The allow-list (default tools/crosscheck-allow.txt) holds lines
"<E name>: <reason>"; every mismatch of a listed name is allowed.
Exit status: 0 without unallowed mismatches, 1 with some, 2 when the compiler fails outside
the generated checks, 77 when i686-w64-mingw32-g++ is not installed.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

CXX = "i686-w64-mingw32-g++"
IMPORT_LIBS = Path("/usr/i686-w64-mingw32/lib")
SIZES = {"字节型": 1, "短整数型": 2, "整数型": 4, "逻辑型": 4, "文本型": 4, "字节集": 4,
         "子程序指针": 4, "小数型": 4, "长整数型": 8, "双精度小数": 8, "日期时间型": 8, "": 4}
# In include order; a header the toolchain lacks is dropped by __has_include.
HEADERS = """winsock2.h ws2tcpip.h windows.h winspool.h mmsystem.h mmreg.h msacm.h commdlg.h
shellapi.h shlwapi.h shlobj.h wininet.h lm.h psapi.h iphlpapi.h tlhelp32.h setupapi.h
imagehlp.h userenv.h security.h htmlhelp.h powrprof.h lzexpand.h commctrl.h winver.h
activeds.h sensapi.h vfw.h advpub.h nb30.h oleauto.h winnetwk.h ras.h dbt.h winioctl.h
imm.h icm.h""".split()
# The headers as a source file includes them; SECURITY_WIN32 chooses the form of security.h.
# The Windows versions that a program may aim at (_WIN32_WINNT), and how a note names each after XP.
WINDOWS_VERSIONS = [(0x0501, None), (0x0502, "Windows Server 2003"), (0x0600, "Windows Vista"),
                    (0x0601, "Windows 7"), (0x0602, "Windows 8"), (0x0603, "Windows 8.1"), (0x0A00, "Windows 10")]
HEADER_SOURCE = "#define SECURITY_WIN32\n" + "".join(
    f"#if __has_include(<{h}>)\n#include <{h}>\n#endif\n" for h in HEADERS)
PRELUDE = r"""
#include <array>
namespace cc {
template<class T> struct sz { static constexpr unsigned v = sizeof(T); };
template<> struct sz<void> { static constexpr unsigned v = 0; };
// [0] parameter count, [1] return size (0 = void), [2 + k] size of parameter k
template<class R, class... A> constexpr std::array<unsigned, sizeof...(A) + 2>
sig(R (__stdcall *)(A...)) { return {{sizeof...(A), sz<R>::v, sz<A>::v...}}; }
template<class R, class... A> constexpr std::array<unsigned, sizeof...(A) + 2>
sig(R (__cdecl *)(A...)) { return {{sizeof...(A), sz<R>::v, sz<A>::v...}}; }
template<class R, class... A> constexpr std::array<unsigned, sizeof...(A) + 2>
sig(R (__cdecl *)(A..., ...)) { return {{sizeof...(A), sz<R>::v, sz<A>::v...}}; }
template<class T> using id = T;
}
"""
IDENT = re.compile(r"[A-Za-z_]\w*$")
DIAG = re.compile(r"^(?:.*[/\\])?cc_gen\.cpp:(\d+):\d+: (error|note): (.*)$")
REDUCES = re.compile(r"the comparison reduces to '\((\d+)u? == (\d+)u?\)'")


class Block:
    def __init__(self, kind, name, target, path, lineno):
        self.kind, self.name, self.target, self.path, self.lineno = kind, name, target, path, lineno
        self.ret = self.dll = ""
        self.items = []  # commands: (type, flags); data types: (type, count)
        self.notes = []  # the comment of each item


def fields(line, n):
    return [f.strip() for f in line.split(",", n)]


def read_blocks(data):
    commands, types = [], []
    for sub, out in (("dll", commands), ("types", types)):
        for path in sorted((data / sub).glob("*.txt")):
            block = None
            for i, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                line = raw.rstrip("\r").strip()
                if line.startswith(".DLL命令 "):
                    f = fields(line[len(".DLL命令 "):], 5) + [""] * 5
                    block = Block("command", f[0], f[3].strip('"'), path, i)
                    block.ret, block.dll = f[1], f[2].strip('"')
                    out.append(block)
                elif line.startswith(".数据类型 "):
                    f = fields(line[len(".数据类型 "):], 2) + [""] * 2
                    block = Block("type", f[0], f[2].split(",")[0].strip(), path, i)
                    out.append(block)
                elif line.startswith(".参数 ") and block and block.kind == "command":
                    f = fields(line[len(".参数 "):], 3) + [""] * 3
                    block.items.append((f[1], f[2]))
                    block.notes.append(f[3])
                elif line.startswith(".成员 ") and block and block.kind == "type":
                    m = re.match(r'[^,]*,\s*([^,]*),\s*[^,]*,\s*("[^"]*"|[^,]*)', line[len(".成员 "):])
                    dims = m.group(2).strip('" ') if m else ""
                    count = 1
                    for d in filter(None, re.split(r"[,\s]+", dims)):
                        count *= int(d) if d.isdigit() else 0
                    block.items.append((m.group(1).strip() if m else "?", count))
                    block.notes.append((fields(line[len(".成员 "):], 4) + [""] * 4)[4])
    return commands, types


def type_sizes(types):
    """E size of every data type by name (None where a member type is unknown)."""
    by_name, sizes = {t.name: t for t in types}, {}

    def size(name, seen=()):
        if name in SIZES:
            return SIZES[name]
        if name not in by_name or name in seen:
            return None
        if name not in sizes:
            parts = [size(t, seen + (name,)) for t, _ in by_name[name].items]
            sizes[name] = None if None in parts or not parts else sum(
                p * c for p, (_, c) in zip(parts, by_name[name].items))
        return sizes[name]

    for t in types:
        size(t.name)
    return sizes


def param_size(etype, flags, tsizes):
    if "传址" in flags or "数组" in flags:
        return 4
    return SIZES[etype] if etype in SIZES else tsizes.get(etype)


def compile_cpp(body, workdir, keep=None, head=HEADER_SOURCE + PRELUDE):
    """Compile head + body lines; returns {line number of body[i] -> [(kind, text)]} and stray errors."""
    first = head.count("\n") + 1
    src = head + "\n".join(body) + "\n"
    path = Path(workdir) / "cc_gen.cpp"
    path.write_text(src, encoding="utf-8")
    if keep:
        Path(keep).write_text(src, encoding="utf-8")
    env = dict(os.environ, LC_ALL="C", LANG="C")
    res = subprocess.run([CXX, "-std=c++17", "-fsyntax-only", "-fmax-errors=0", "-w", str(path)],
                         capture_output=True, text=True, env=env, cwd=workdir)
    diags, stray = {}, []
    for line in res.stderr.splitlines():
        m = DIAG.match(line)
        if m and int(m.group(1)) >= first:
            diags.setdefault(int(m.group(1)) - first, []).append((m.group(2), m.group(3)))
        elif ": error: " in line:
            stray.append(line)
    return diags, stray


def macros(workdir):
    """Function-like macro names and object-like macro bodies of the included headers."""
    src = Path(workdir) / "cc_macros.cpp"
    src.write_text(HEADER_SOURCE)
    out = subprocess.run([CXX, "-std=c++17", "-E", "-dM", str(src)], capture_output=True, text=True).stdout
    funcs, objs = set(), {}
    for m in re.finditer(r"^#define (\w+)(\()?[^ ]* ?(.*)$", out, re.M):
        if m.group(2):
            funcs.add(m.group(1))
        else:
            objs[m.group(1)] = m.group(3).strip()
    return funcs, objs


def export_table(lib):
    """{exported name: stdcall argument bytes (the @N), or None without one} of an import library."""
    nm = shutil.which("i686-w64-mingw32-nm") or "nm"
    out = subprocess.run([nm, str(lib)], capture_output=True, text=True).stdout
    table = {}
    for symbol in re.findall(r" I __imp_(\S+)", out):
        m = re.match(r"_?(.*?)(?:@(\d+))?$", symbol)
        if table.get(m.group(1)) is None:
            table[m.group(1)] = int(m.group(2)) if m.group(2) else None
    return table


def exports(dll, cache):
    lib = IMPORT_LIBS / f"lib{Path(dll.lower()).stem}.a"
    if lib not in cache:
        cache[lib] = set(export_table(lib)) if lib.exists() else None
    return cache[lib]


def read_allow(path):
    allow = {}
    if path.exists():
        for line in path.read_text(encoding="utf-8").splitlines():
            line = line.split("#", 1)[0].strip()
            if ":" in line:
                name, reason = line.split(":", 1)
                allow[name.strip()] = reason.strip()
    return allow


def main(argv=None):
    root = Path(__file__).resolve().parent.parent
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("data", nargs="?", default=str(root / "data"))
    ap.add_argument("--exports", action="store_true", help="also check the import libraries")
    ap.add_argument("--allow", default=str(root / "tools" / "crosscheck-allow.txt"))
    ap.add_argument("--keep", help="write the generated C++ file here")
    args = ap.parse_args(argv)
    if not shutil.which(CXX):
        print(f"crosscheck: skipped (no {CXX})")
        return 77
    if not (Path(args.data) / "dll").is_dir():
        print(f"crosscheck: no folder {Path(args.data) / 'dll'}")
        return 2
    commands, types = read_blocks(Path(args.data))
    tsizes = type_sizes(types)
    allow, used = read_allow(Path(args.allow)), set()
    problems = []  # (kind, block, text)
    with tempfile.TemporaryDirectory() as tmp:
        fmacros, omacros = macros(tmp)
        # Pass 1: which entry names (or name + "A") are declared functions, which typedefs exist.
        probe = []
        for c in commands:
            for n in () if c.target.startswith("#") else (c.target, c.target + "A"):
                probe.append(f"constexpr auto cc_p{len(probe)} = cc::sig(&{n});")
        for t in types:
            if IDENT.match(t.target):
                probe.append(f"constexpr unsigned cc_p{len(probe)} = sizeof(cc::id<{t.target}>);")
        diags, stray = compile_cpp(probe, tmp)
        ok = [i not in diags for i in range(len(probe))]
        # Pass 2: one static_assert per fact.
        body, where, p = [], [], 0
        n_cmd = n_type = 0
        for c in commands:
            if c.target.startswith("#"):
                problems.append(("skipped", c, "ordinal"))
                continue
            first_err = (diags.get(p) or [("", "")])[0][1]
            name = c.target if ok[p] else c.target + "A" if ok[p + 1] else None
            p += 2
            esizes = [param_size(t, f, tsizes) for t, f in c.items]
            eret = param_size(c.ret, "", tsizes) if c.ret else 0
            if name is None:
                expansion = omacros.get(c.target, "")
                if c.target in fmacros:
                    problems.append(("skipped", c, "function-like macro"))
                elif IDENT.match(expansion) and expansion.startswith("_"):
                    problems.append(("skipped", c, f"intrinsic {expansion}"))
                else:
                    problems.append(("unchecked", c, f"not declared as a function ({first_err})"))
                continue
            if None in esizes or eret is None:
                bad = [t for (t, f), s in zip(c.items, esizes) if s is None] + ([c.ret] if eret is None else [])
                problems.append(("unchecked", c, "unknown E type " + ", ".join(bad)))
                continue
            n_cmd += 1
            sig = f"cc::sig(&{name})"
            checks = [(f"{sig}[0] == {len(esizes)}", "count"), (f"{sig}[1] == {eret}", "return")]
            checks += [(f"{sig}[{k + 2}] == {s}", k + 1) for k, s in enumerate(esizes)]
            for expr, what in checks:
                body.append(f'static_assert({expr}, "{c.name} ({c.target}): {what}");')
                where.append((c, what))
        for t in types:
            if not IDENT.match(t.target):
                problems.append(("unchecked", t, "no C typedef name in the header comment"))
                continue
            p += 1
            if not ok[p - 1]:
                problems.append(("unchecked", t, f"typedef not declared ({diags[p - 1][0][1]})"))
            elif tsizes.get(t.name) is None:
                problems.append(("unchecked", t, "unknown or missing member type"))
            else:
                n_type += 1
                body.append(f'static_assert(sizeof({t.target}) == {tsizes[t.name]}, "{t.name} ({t.target})");')
                where.append((t, "size"))
        diags2, stray2 = compile_cpp(body, tmp, args.keep)
    if stray or stray2:
        print("crosscheck: the compiler failed outside the generated checks:", *(stray + stray2)[:20], sep="\n")
        return 2
    bad_count = {id(where[i][0]) for i, d in diags2.items() if where[i][1] == "count"}
    for i in sorted(d for d in diags2 if d < len(where)):
        block, what = where[i]
        if isinstance(what, int) and id(block) in bad_count:
            continue  # with another parameter count, parameter k has no counterpart
        m = next((REDUCES.search(t) for _, t in diags2[i] if REDUCES.search(t)), None)
        if m is None:
            problems.append(("unchecked", block, f"check failed to compile: {diags2[i][0][1]}"))
            continue
        cval, evalue = m.group(1), m.group(2)
        if what == "count":
            text = f"param count: E {evalue} vs C {cval}"
        elif what == "return":
            text = f"return size: E {evalue} vs C {cval}"
        elif what == "size":
            text = f"data type size: E {evalue} vs C {cval}"
        else:
            text = f"param {what} size: E {evalue} vs C {cval}"
        problems.append(("mismatch", block, text))
    if args.exports:
        cache = {}
        for c in commands:
            names = None if c.target.startswith("#") else exports(c.dll, cache)
            if names is not None and c.target not in names:
                problems.append(("not exported", c, f"not in lib{Path(c.dll.lower()).stem}.a"))
    order = {id(b): k for k, b in enumerate(commands + types)}
    problems.sort(key=lambda pr: order[id(pr[1])])
    counts = {"mismatch": 0, "allowed": 0, "skipped": 0}
    for kind, block, text in problems:
        if kind in ("mismatch", "not exported") and block.name in allow:
            used.add(block.name)
            kind, text = "allowed", f"{text} [{allow[block.name]}]"
        counts["skipped" if kind == "unchecked" else "mismatch" if kind == "not exported" else kind] += 1
        print(f"{kind}: {block.name} ({block.target}): {text}")
    for name in sorted(set(allow) - used):
        print(f"note: allow-list entry {name} matched nothing")
    print(f"crosscheck: {n_cmd} commands checked, {n_type} data types checked, {counts['mismatch']} "
          f"mismatches, {counts['allowed']} allowed, {counts['skipped']} skipped")
    return 1 if counts["mismatch"] else 0


if __name__ == "__main__":
    sys.exit(main())
