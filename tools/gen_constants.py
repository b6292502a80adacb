#!/usr/bin/env python3
"""Make the constants library from the Windows headers of MinGW-w64, or check it.

Run:  python3 tools/gen_constants.py [DATA_DIR]           writes DATA_DIR/constants/sdk.txt
      python3 tools/gen_constants.py [DATA_DIR] --check   proves it against the headers

DATA_DIR defaults to the repository's data/ folder. The library carries every constant that
a text of DATA_DIR/dll, DATA_DIR/types or DATA_DIR/examples/sources names, with its family
(data/README.md gives the rule), one line each in E's own form:

  .常量 MIIM_STRING, "64", , winuser.h

The value is the one the i686 headers give, as E's 整数型 holds it: a 32-bit value above
0x7FFFFFFF is written signed, and its comment adds the hexadecimal form. A pointer made from
a number (MAKEINTRESOURCE(32512), (HWND)-1) is written as that number, its comment adds the
macro's body; a value that the headers give otherwise for an older Windows (QS_ALLINPUT) has
each Windows' value in its comment. Left out, each with its reason counted: a text, a function or type name (the
A/W names: CreateFile), a macro with arguments, a value wider than 32 bits, and anything else
that is no integer constant.

--check compiles one _Static_assert per line of DATA_DIR/constants/*.txt for i686 and
reports each line whose value differs ("wrong: NAME: E <value>, headers <value>"), whose
comment differs ("comment: NAME: ...") or that does not compile ("unchecked: NAME: ..."); it also names the constants that the library
should carry and does not ("missing: NAME") and those it should not ("extra: NAME"), and ends
with the counts. Exit status: 0 when all agree, 1 otherwise, 2 when the compiler fails outside
the generated lines, 77 when i686-w64-mingw32-gcc is not installed.
"""
import argparse
import bisect
import os
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

import crosscheck

CC = "i686-w64-mingw32-gcc"
# The headers give the newest Windows' values unless a program asks for an older one.
WINDOWS = crosscheck.WINDOWS_VERSIONS
WORD = re.compile(r"[A-Za-z0-9_]+", re.ASCII)
# Defined, but words of prose as much as constants (E has its own 真, 假 and 空; the
# texts name Service only in "Service Pack").
NOT_NAMES = {"NULL", "TRUE", "FALSE", "Service"}
# A family named as its names' beginning and "*" (LWA_*).
FAMILY = re.compile(r"([A-Za-z0-9_]*_)\*", re.ASCII)
# __builtin_classify_type: 1 integer, 2 char, 3 enum, 4 bool, 5 pointer.
POINTER = 5


def c_integer(x):
    """C: true where x is an integer or a pointer (__builtin_classify_type 1 to 5)."""
    return f"(__builtin_classify_type({x}) >= 1 && __builtin_classify_type({x}) <= {POINTER})"


def c_value(x):
    """C: the value of x as a long long, a pointer's as its address. Written out at each use, so
    that an error points to the line of the name and not to a macro."""
    return (f"__builtin_choose_expr(__builtin_classify_type({x}) == {POINTER}, "
            f"(long long)(ULONG_PTR)({x}), (long long)({x}))")


LINE = re.compile(r'^\.常量 ([^,]+), "(-?\d+)", , (.*)$')
DIAG = re.compile(r"^cc_gen\.c:(\d+):\d+: error: (.*)$")


def compile_c(workdir, body, *flags, windows=None):
    """Compile the headers, as a program for the Windows of _WIN32_WINNT `windows` where given,
    and the body lines (to assembly unless flags say otherwise); the body's lines count from 1."""
    src = Path(workdir) / "cc_gen.c"
    aim = f"#define _WIN32_WINNT 0x{windows:04X}\n#define WINVER 0x{windows:04X}\n" if windows else ""
    src.write_text(aim + crosscheck.HEADER_SOURCE + "# 1 \"cc_gen.c\"\n" + "\n".join(body) + "\n")
    res = subprocess.run([CC, "-w", *(flags or ("-S", "-o", "-")), src.name],
                         capture_output=True, text=True, cwd=workdir, env=dict(os.environ, LC_ALL="C"))
    return res


def errors(res):
    """{0-based body line: first error} and the errors outside the body."""
    found, stray = {}, []
    for line in res.stderr.splitlines():
        m = DIAG.match(line)
        if m:
            found.setdefault(int(m.group(1)) - 1, m.group(2))
        elif ": error: " in line:
            stray.append(line)
    return found, stray


class Headers:
    """Every object-like macro and enumerator of the headers, with the header that defines it
    (the last definition wins, as for the compiler), in order of definition."""

    def __init__(self, workdir, windows=None):
        res = compile_c(workdir, [], "-E", "-dD", windows=windows)
        self.header, self.body, self.function_like = {}, {}, set()
        code, starts, files, current, offset = [], [], [], "", 0
        for line in res.stdout.splitlines():
            if line.startswith("# "):
                m = re.match(r'# \d+ "([^"]*)"', line)
                current = header_name(m.group(1)) if m else current
            elif line.startswith("#define "):
                m = re.match(r"#define (\w+)(\()? ?(.*)$", line)
                self.define(m.group(1), current, None if m.group(2) else m.group(3).strip())
            elif line.startswith("#undef "):
                name = line.split()[1]
                self.header.pop(name, None)
                self.body.pop(name, None)
                self.function_like.discard(name)
            elif current:
                starts.append(offset)
                files.append(current)
                code.append(line + "\n")
                offset += len(line) + 1
        text = "".join(code)
        for m in re.finditer(r"\benum\b[^{;]*\{([^}]*)\}", text):
            where = files[bisect.bisect_right(starts, m.start()) - 1]
            for name in enumerators(m.group(1)):
                self.define(name, where, "")
        self.order = {name: k for k, name in enumerate(self.header)}

    def why_not_a_number(self, name):
        """The reason why a name that does not compile to a number is none, from the body of
        its macro and the macros that it stands for (CreateFile: CreateFileA)."""
        for _ in range(10):
            body = self.body.get(name, "")
            if '"' in body:
                return "text"
            m = re.fullmatch(r"__MINGW_NAME_AW\((\w+)\)|(\w+)", body)
            if not m:
                return "no constant"
            name = m.group(1) + "A" if m.group(1) else m.group(2)
            if name not in self.body:
                return "function or type name"
        return "no constant"

    def define(self, name, where, body):
        if not where:
            return  # the main file's own and the compiler's built-in macros
        self.header.pop(name, None)  # a redefinition moves it to its last place
        self.header[name] = where
        if body is None:
            self.function_like.add(name)
        else:
            self.function_like.discard(name)
            self.body[name] = body


def enumerators(body):
    """The names of an enumerator list, "A = F(1, 2), B"; none where the braces hold something
    else (a function's body after an enum parameter)."""
    while re.search(r"\([^()]*\)", body):
        body = re.sub(r"\([^()]*\)", "", body)
    items = [item.strip() for item in body.split(",")]
    if items and not items[-1]:
        items.pop()  # a trailing comma
    if ";" in body or not all(re.fullmatch(r"[A-Za-z_]\w*(\s*=[^=].*)?", item, re.S) for item in items):
        return []
    return [re.match(r"\w+", item).group() for item in items]


def header_name(path):
    """winuser.h for .../include/winuser.h; "" for the main file and the built-in lines."""
    return path.rsplit("/include/", 1)[1] if "/include/" in path else ""


def prefix(name):
    """MIIM_ for MIIM_STRING; "" where the part before the first "_" is under 2 characters."""
    k = name.find("_")
    return name[:k + 1] if k >= 2 else ""


def named_words(data):
    """Every ASCII word of the texts that the library's constants come from, and the
    families that they name (LWA_ for LWA_*)."""
    words, families = set(), set()
    paths = [p for sub in ("dll", "types", "sdk/dll", "sdk/types") for p in sorted((data / sub).glob("*.txt"))]
    paths += sorted((data / "examples" / "sources").glob("*"))
    for path in paths:
        text = path.read_text(encoding="utf-8")
        words.update(WORD.findall(text))
        families.update(FAMILY.findall(text))
    return words, families


def wanted_names(headers, named_texts):
    """The constants that the texts name, by name or family: {name: True if by name}."""
    words, families = named_texts
    named = {w for w in words if w in headers.header and w not in headers.function_like} - NOT_NAMES
    wanted = {name: True for name in named}
    for name in headers.header:
        if name not in headers.function_like and any(name.startswith(f) for f in families):
            wanted.setdefault(name, False)
    left_out = {w: "macro with arguments" for w in words if w in headers.function_like}
    return wanted, left_out


def evaluate(workdir, headers, names):
    """({name: (value, pointer)}, {name: reason}) for the names, values as the headers give them."""
    # One function each: a name that does not compile fails its own line alone.
    probe = [f"void cc_f{k}(void) {{ static const long long v = {c_value(n)}; }}" for k, n in enumerate(names)]
    bad, stray = errors(compile_c(workdir, probe, "-fsyntax-only"))
    if stray:
        raise RuntimeError("\n".join(stray[:20]))
    reasons = {}
    for k, n in enumerate(names):
        if k in bad:
            reasons[n] = headers.why_not_a_number(n)
    good = [n for n in names if n not in reasons]
    values = {}
    for n, (value, kind) in compiled_values(workdir, good).items():
        if not 1 <= kind <= POINTER:
            reasons[n] = "no integer"
        elif not -0x80000000 <= value <= 0xFFFFFFFF:
            reasons[n] = "wider than 32 bits"
        else:
            values[n] = (value, kind == POINTER)
    return values, reasons


def compiled_values(workdir, names, windows=None):
    """{name: (value, __builtin_classify_type)} of names that all compile, for a Windows."""
    res = compile_c(workdir, ["const long long cc_v[] = {"] + [f"{c_value(n)}," for n in names] + ["};"]
                    + ["const int cc_c[] = {"] + [f"__builtin_classify_type({n})," for n in names] + ["0};"],
                    windows=windows)
    words = assembly_words(res.stdout)
    if res.returncode or len(words) != 3 * len(names) + 1:
        raise RuntimeError(res.stderr[:2000] or f"{len(names)} constants, {len(words)} words")
    return {n: ((words[2 * k] & 0xFFFFFFFF) | (words[2 * k + 1] << 32), words[2 * len(names) + k])
            for k, n in enumerate(names)}


def by_windows(workdir, headers, names):
    """{name: [(Windows, value)...]} of the constants whose value the headers give otherwise
    for an older Windows (QS_ALLINPUT: 1279 for XP, 7423 from Windows 8 on): those whose
    macro, or a macro that it names, reads otherwise for XP, compiled for each Windows."""
    xp = Headers(workdir, WINDOWS[0][0])
    changed = {n for n, body in headers.body.items() if n in xp.body and xp.body[n] != body}

    def depends(name, depth=0):
        return name in changed or (depth < 20 and any(
            depends(word, depth + 1) for word in WORD.findall(headers.body.get(name, "")) if word != name))

    candidates = sorted(n for n in names if n in xp.header and depends(n))
    if not candidates:
        return {}
    out = {n: [] for n in candidates}
    for windows, note in WINDOWS[:-1]:
        for n, (value, _) in compiled_values(workdir, candidates, windows).items():
            if not out[n] or out[n][-1][1] != value:
                out[n].append((note or "Windows XP", value))
    newest = compiled_values(workdir, candidates)
    for n in candidates:
        if out[n][-1][1] != newest[n][0]:
            out[n].append((WINDOWS[-1][1], newest[n][0]))
    return {n: steps for n, steps in out.items() if len(steps) > 1}


def assembly_words(asm):
    """The 32-bit words of the data that the assembly defines from cc_v on, in order (zeros
    included): the headers' own static data may come first."""
    words = []
    for line in asm.split("_cc_v:", 1)[-1].splitlines():
        directive = line.split()
        if directive[:1] == [".long"]:
            words.append(int(directive[1], 0))
        elif directive[:1] == [".space"]:
            words += [0] * (int(directive[1]) // 4)
    return words


def signed32(value):
    value &= 0xFFFFFFFF
    return value - (1 << 32) if value > 0x7FFFFFFF else value


def constant_line(name, value, pointer, where, body, steps=()):
    comment = where
    if pointer:
        comment += " " + body
    elif value > 0x7FFFFFFF:
        comment += f" 0x{value:X}"
    if steps:
        comment += " 随 Windows 版本而变：" + "，".join(
            f"{windows}{'' if k == 0 else ' 或更高'} {signed32(value)}" for k, (windows, value) in enumerate(steps))
    return f'.常量 {name}, "{signed32(value)}", , {comment}'


class Library:
    """What the headers say the constants library is: its lines in library order (header by
    header, a family together, each in the order of definition) and what it leaves out."""

    def __init__(self, data, workdir):
        headers = Headers(workdir)
        wanted, self.left_out = wanted_names(headers, named_words(data))
        values, reasons = evaluate(workdir, headers, sorted(wanted))
        self.left_out.update(reasons)
        first = {}
        for name in sorted(values, key=headers.order.get):
            first.setdefault(headers.header[name], headers.order[name])
            first.setdefault((headers.header[name], prefix(name) or name), headers.order[name])

        def place(name):
            where = headers.header[name]
            return first[where], first[(where, prefix(name) or name)], headers.order[name]

        steps = by_windows(workdir, headers, values)
        self.lines = [constant_line(n, *values[n], headers.header[n], headers.body.get(n, ""), steps.get(n, ()))
                      for n in sorted(values, key=place)]
        self.named = {n for n, named in wanted.items() if named}


def read_lines(data):
    """The constant lines of DATA_DIR/constants/*.txt."""
    return [line for path in sorted((data / "constants").glob("*.txt"))
            for line in path.read_text(encoding="utf-8").splitlines() if LINE.match(line)]


def read_constants(data):
    """(path, line number, name, value) of every line of DATA_DIR/constants/*.txt."""
    found = []
    for path in sorted((data / "constants").glob("*.txt")):
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            m = LINE.match(line)
            found.append((path.name, number, m.group(1) if m else None, int(m.group(2)) if m else None))
    return found


def check(data, workdir):
    carried = read_constants(data)
    faults = [f"unreadable: {path}:{number}" for path, number, name, _ in carried if name is None]
    carried = [c for c in carried if c[2] is not None]
    body = [f'_Static_assert({c_integer(name)} && ({c_value(name)} == {v}LL || {c_value(name)} == {v}LL + 4294967296LL), '
            f'"{name}");' for _, _, name, v in carried]
    failed, stray = errors(compile_c(workdir, body, "-fsyntax-only"))
    if stray:
        raise RuntimeError("\n".join(stray[:20]))
    should = Library(data, workdir)
    expected = {line.split(",", 1)[0][len(".常量 "):]: line for line in should.lines}
    for k, (_, _, name, value) in enumerate(carried):
        if k not in failed:
            continue
        if failed[k].startswith("static assertion failed") and name in expected:
            faults.append(f"wrong: {name}: E {value}, headers {LINE.match(expected[name]).group(2)}")
        else:
            faults.append(f"unchecked: {name}: {failed[k]}")
    names = [name for _, _, name, _ in carried]
    lines = {LINE.match(line).group(1): line for line in read_lines(data)}
    faults += [f"comment: {n}: E {lines[n]!r}, headers {expected[n]!r}" for k, (_, _, n, _) in enumerate(carried)
               if k not in failed and n in expected and lines[n] != expected[n]]
    faults += [f"missing: {n}" for n in expected if n not in names]
    faults += [f"extra: {n}" for n in names if n not in expected]
    faults += [f"twice: {n}" for n in sorted({n for n in names if names.count(n) > 1})]
    for fault in faults:
        print(fault)
    if any(f.startswith(("missing:", "extra:", "comment:")) for f in faults):
        print("gen_constants: the texts name other constants now: run tools/gen_constants.py to make the library anew")
    reasons = {}
    for reason in should.left_out.values():
        reasons[reason] = reasons.get(reason, 0) + 1
    print(f"gen_constants: {len(carried)} constants carried, {len(carried) - len(failed)} compiled and equal, "
          f"{len(should.left_out)} left out (" + ", ".join(f"{reasons[r]} {r}" for r in sorted(reasons)) + ")")
    return 1 if faults else 0


def main(argv=None):
    root = Path(__file__).resolve().parent.parent
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("data", nargs="?", default=str(root / "data"))
    ap.add_argument("--check", action="store_true", help="prove the library against the headers")
    args = ap.parse_args(argv)
    if not shutil.which(CC):
        print(f"gen_constants: skipped (no {CC})")
        return 77
    data = Path(args.data)
    with tempfile.TemporaryDirectory() as tmp:
        try:
            if args.check:
                return check(data, tmp)
            library = Library(data, tmp)
        except RuntimeError as failure:
            print(f"gen_constants: the compiler failed outside the generated lines:\n{failure}")
            return 2
    (data / "constants").mkdir(exist_ok=True)
    (data / "constants" / "sdk.txt").write_text("".join(line + "\n" for line in library.lines), encoding="utf-8")
    print(f"gen_constants: {len(library.lines)} constants, {len(library.named)} named, "
          f"{len(library.left_out)} left out")
    return 0


if __name__ == "__main__":
    sys.exit(main())
