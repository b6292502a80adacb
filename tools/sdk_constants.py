"""Which constants each parameter of a generated command takes, from the i686 headers.

The rules, each of which links a parameter to what it takes only where it is sure:

- enum: a parameter typed as an enum of the headers takes that enum's values (exact);
- acronym: an integer parameter whose name says that it holds flags or a code (dwFlags,
  uType, nCmdShow; FLAG_NAME) takes the family that the function's name abbreviates, where
  the function's header defines two or more constants of it near the function (NEAR lines
  before or after its declaration: the headers define a function's flags beside it, and a
  family of the same initials further away is another's, as DM_ is DeleteMenu's initials
  and the dialog messages): the initials of the words of the name (SetWindowPos: SWP_), or
  failing those, of the words after the verb (SetLayeredWindowAttributes: LWA_);
- reviewed: TAKES, for what no rule finds (ShowWindow's SW_ stand far from it);
- hand-written: a parameter of the same C name as one of the hand-written command whose
  entry the function's name begins with (CreateFile2 and CreateFileA) takes what that
  parameter's comment names.

The comment names what a parameter takes after "：", families as their names' beginning and
"*" (`dwFlags,DWORD：LWA_*`), other constants by name, joined by "、"; the constants library
(tools/gen_constants.py) carries exactly what the comments name.
"""
import re
from collections import defaultdict
from pathlib import Path

import clang.cindex as ci

K = ci.TypeKind
INTEGERS = {K.INT, K.UINT, K.LONG, K.ULONG, K.SHORT, K.USHORT}
FLAG_NAME = re.compile(r"(dw|u|n|i|f)?(Flags?|Type|Style|Options?|Mode|CmdShow|Cmd|Command|Action)")
WORD = re.compile(r"[A-Za-z0-9_]+", re.ASCII)
# Where the headers' enum or macros name too many values to be worth a comment.
LARGEST = 300
# How far from a function's declaration the headers define its own flags.
NEAR = 100
# Reviewed: what no rule finds, by function and C parameter name ("" for the return value).
DIALOG_ANSWERS = ["IDOK", "IDCANCEL", "IDABORT", "IDRETRY", "IDIGNORE", "IDYES", "IDNO", "IDTRYAGAIN", "IDCONTINUE"]
TAKES = {("ShowWindow", "nCmdShow"): ["SW_*"], ("AnimateWindow", "dwFlags"): ["AW_*"],
         ("MessageBoxA", ""): DIALOG_ANSWERS, ("MessageBoxExA", ""): DIALOG_ANSWERS}


class HeaderConstants:
    """The object-like macros of the headers by header file name: {header: {name: line}}."""

    def __init__(self, tu):
        self.by_header = defaultdict(dict)
        for c in tu.cursor.get_children():
            if c.kind != ci.CursorKind.MACRO_DEFINITION or not c.location.file:
                continue
            tokens = list(c.get_tokens())
            if len(tokens) < 2:
                continue
            function_like = tokens[1].spelling == "(" and tokens[1].extent.start.offset == tokens[0].extent.end.offset
            if not function_like:
                self.by_header[Path(c.location.file.name).name][c.spelling] = c.location.line

    def family_near(self, header, prefix, line):
        """The constants of the header whose names begin with prefix, defined near the line."""
        return sorted(n for n, at in self.by_header.get(header, {}).items()
                      if n.startswith(prefix) and abs(at - line) <= NEAR)


def words(name):
    """The words of a function's name without its A or W and an Ex (MessageBoxExA: Message Box)."""
    return re.findall(r"[A-Z][a-z0-9]*", re.sub(r"(Ex)?(?<=[a-z])[AW]?$", "", name))


def acronyms(function):
    """AW for AnimateWindow; then, without the verb, LWA for SetLayeredWindowAttributes."""
    parts = words(function)
    out = ["".join(w[0] for w in parts), "".join(w[0] for w in parts[1:])]
    return [a for a in out if len(a) >= 2]


def enum_values(t):
    decl = t.get_declaration()
    return [c.spelling for c in decl.get_children() if c.kind == ci.CursorKind.ENUM_CONSTANT_DECL]


def named_in(comment, known):
    """What a hand-written comment names: families (`FILE_FLAG_*`) and constants, in order."""
    out = []
    for m in re.finditer(r"([A-Za-z0-9_]+)(\*?)", comment, re.ASCII):
        word, star = m.groups()
        item = word + "*" if star and word.endswith("_") else word
        if (star and word.endswith("_")) or word in known:
            if item not in out:
                out.append(item)
    return out


class Linker:
    """The rules, over one parse of the headers and the hand-written commands."""

    def __init__(self, constants, handwritten, known):
        self.constants = constants  # HeaderConstants
        # {entry without A: {C parameter name: [what its comment names]}}
        self.handwritten = handwritten
        self.known = known  # every constant name of the headers
        self.counts = defaultdict(int)

    def takes(self, function, param, where):
        """(rule, [families or names]) of a parameter, or None where no rule is sure; `where` is
        the function's header and the line of its declaration."""
        if (function, param.spelling) in TAKES:
            return "reviewed", TAKES[function, param.spelling]
        t = param.type.get_canonical()
        if t.kind == K.ENUM:
            values = enum_values(t)
            if 0 < len(values) <= LARGEST:
                return "enum", values
            return None
        if t.kind not in INTEGERS:
            return None
        for entry, params in self.handwritten.items():
            if function != entry and function.startswith(entry) and params.get(param.spelling):
                return "hand-written", params[param.spelling]
        if FLAG_NAME.fullmatch(param.spelling or ""):
            for acronym in acronyms(function):
                if len(self.constants.family_near(*where[:1], acronym + "_", where[1])) >= 2:
                    return "acronym", [acronym + "_*"]
        return None

    def note(self, function, param, where):
        """What the parameter's comment adds: "：LWA_*", or nothing."""
        found = self.takes(function, param, where)
        if not found:
            return ""
        self.counts[found[0]] += 1
        return "：" + "、".join(found[1])

    def result_note(self, function):
        """What the comment of the command adds about its result: "，返回 IDOK、…", or nothing."""
        values = TAKES.get((function, ""))
        if not values:
            return ""
        self.counts["reviewed"] += 1
        return "，返回 " + "、".join(values)


def handwritten_params(commands, known):
    """{entry without its A: {C parameter name: [what the comment names]}} of the hand-written
    commands; the C name is the comment's first word."""
    out = {}
    for c in commands:
        params = {}
        for note in c.notes:
            m = WORD.match(note)
            named = named_in(note[m.end():], known) if m else []
            if m and named:
                params[m.group()] = named
        if params:
            out[re.sub(r"A$", "", c.target)] = params
    return out


def measure(linker, commands, functions, known):
    """The rule's precision and recall on the hand-written commands whose comments name
    constants: a family linked is right where the comment names a constant of it (or the
    family itself); a parameter is found where the rule links anything to it."""
    linked = right = named_params = found = 0
    for c in commands:
        decls = functions.get(c.target)
        if not decls:
            continue
        decl = decls[0]
        args = list(decl.get_arguments())
        where = (Path(decl.location.file.name).name, decl.location.line)
        for note, arg in zip(c.notes, args):
            named = named_in(note, known)
            names = [n for n in named if not n.endswith("*")]
            families = [n[:-1] for n in named if n.endswith("*")]
            # Not the hand-written rule itself: it would find what it copies.
            saved, linker.handwritten = linker.handwritten, {}
            result = linker.takes(c.target, arg, where)
            linker.handwritten = saved
            if named:
                named_params += 1
            if not result:
                continue
            for item in result[1]:
                if not named:
                    break
                linked += 1
                prefix = item[:-1] if item.endswith("*") else item
                if any(n.startswith(prefix) for n in names) or any(f.startswith(prefix) for f in families):
                    right += 1
            if named:
                found += 1
    return linked, right, named_params, found
