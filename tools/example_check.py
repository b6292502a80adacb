#!/usr/bin/env python3
"""Check the example programs: their calls, their blocks and the SDK constants they use.

Run:  python3 tools/example_check.py [EXAMPLES_DIR] [--allow FILE]

EXAMPLES_DIR defaults to data/examples. For the program part of every source that its
manifest names, the tool reports one line per fault, "<source>:<line>: <kind>: <what>":

  arguments  a call of a library DLL command passes another number of arguments than the
             command has parameters (an empty argument, "a, , c", counts)
  block      a block statement closed out of order or not at all, or a statement that does
             not read as E code
  constant   a number that stands for an SDK constant (data/examples/README.md says when)
             without its name in the line's comment; a name in the comment of a code line
             whose value no number of the line has; a value written after a name
             ("MOD_ALT 1", "SW_SHOW（5）") that is not the name's value

Constant names are looked up in the i686 MinGW-w64 headers that tools/crosscheck.py
compiles against, and evaluated as tools/gen_constants.py does. The allow-list (default tools/example_check-allow.txt) names source files,
one a line, "#" starts a comment; their faults are printed as "allowed:" and do not fail.
Exit status: 0 without unallowed faults, 1 with some, 2 when the compiler fails outside the
generated lines, 77 when i686-w64-mingw32-gcc is missing and the other checks pass.
"""
import argparse
import re
import shutil
import sys
import tempfile
from pathlib import Path

import example_declarations
import gen_constants

CC = gen_constants.CC

# ---- E statements -------------------------------------------------------------------------

TOKEN = re.compile(r"""
    (?P<space>[ \u3000]+)
  | (?P<text>“[^”]*”)
  | (?P<comment>'.*)
  | (?P<number>\d+(?:\.\d+)?)
  | (?P<op>≠|≥|≤|<>|>=|<=|==|!=|[＋－×÷＼％＝＞＜+\-*/\\%=<>&])
  | (?P<punct>[(),\[\].{}])
  | (?P<word>[^\s“”'(),\[\].{}＋－×÷＼％＝≠＞＜≥≤+\-*/\\%=<>&]+)
""", re.X)
ASCII_OPS = {"=": "＝", "==": "＝", "<>": "≠", "!=": "≠", ">": "＞", "<": "＜", ">=": "≥", "<=": "≤",
             "+": "＋", "-": "－", "*": "×", "/": "÷", "\\": "＼", "%": "％"}
LEVELS = [{"或"}, {"且"}, {"＝", "≠", "＞", "＜", "≥", "≤"}, {"＋", "－"}, {"×", "÷", "＼", "％"}]
BIT_COMMANDS = {"位或", "位与", "位异或"}


class SyntaxFault(Exception):
    pass


class Node:
    """kind: num, text, name, empty, array, call (text = callee's name, kids = callee and arguments),
    member (text = member, kids = [object]), index, unary, binary (text = operator)."""

    def __init__(self, kind, text="", kids=()):
        self.kind, self.text, self.kids = kind, text, list(kids)

    def walk(self):
        yield self
        for kid in self.kids:
            yield from kid.walk()


def split_comment(line):
    """(tokens of the code, comment text after the "'")."""
    tokens, pos = [], 0
    while pos < len(line):
        m = TOKEN.match(line, pos)
        if not m:
            raise SyntaxFault(f"unreadable text at “{line[pos:pos + 8]}”")
        pos = m.end()
        if m.lastgroup == "comment":
            return tokens, m.group()[1:]
        if m.lastgroup == "op":
            tokens.append(("op", ASCII_OPS.get(m.group(), m.group())))
        elif m.lastgroup == "word" and m.group() in ("且", "或"):
            tokens.append(("op", m.group()))
        elif m.lastgroup != "space":
            tokens.append((m.lastgroup, m.group()))
    return tokens, ""


class Parser:
    def __init__(self, tokens):
        self.tokens, self.pos = tokens, 0

    def peek(self, text=None):
        token = self.tokens[self.pos] if self.pos < len(self.tokens) else (None, None)
        return token if text is None else token[1] == text and token[0] in ("op", "punct")

    def take(self, text):
        if not self.peek(text):
            raise SyntaxFault(f"“{text}” expected")
        self.pos += 1

    def done(self):
        if self.pos != len(self.tokens):
            raise SyntaxFault(f"unexpected “{self.tokens[self.pos][1]}”")

    def expression(self, level=0):
        if level == len(LEVELS):
            return self.unary()
        node = self.expression(level + 1)
        while self.peek()[0] == "op" and self.peek()[1] in LEVELS[level]:
            op = self.peek()[1]
            self.pos += 1
            node = Node("binary", op, [node, self.expression(level + 1)])
        return node

    def unary(self):
        if self.peek("－") or self.peek("&"):
            op = self.peek()[1]
            self.pos += 1
            return Node("unary", op, [self.unary()])
        node = self.primary()
        while True:
            if self.peek("("):
                node = Node("call", node.text if node.kind == "name" else "", [node] + self.arguments())
            elif self.peek("."):
                self.pos += 1
                kind, text = self.peek()
                if kind != "word":
                    raise SyntaxFault("member name expected after “.”")
                self.pos += 1
                node = Node("member", text, [node])
            elif self.peek("["):
                self.pos += 1
                node = Node("index", "", [node, self.expression()])
                self.take("]")
            else:
                return node

    def primary(self):
        kind, text = self.peek()
        if kind in ("number", "text", "word"):
            self.pos += 1
            return Node({"number": "num", "word": "name"}.get(kind, kind), text)
        if self.peek("("):
            self.pos += 1
            node = self.expression()
            self.take(")")
            return node
        if self.peek("{"):
            return Node("array", "", self.arguments("{", "}"))
        raise SyntaxFault(f"expression expected at “{text}”" if text else "expression expected")

    def arguments(self, opening="(", closing=")"):
        """The arguments of "(a, , c)" (or the items of "{ 1, 2 }"); an empty one is an empty node."""
        self.take(opening)
        args = []
        if self.peek(closing):
            self.pos += 1
            return args
        while True:
            args.append(Node("empty") if self.peek(",") or self.peek(closing) else self.expression())
            if self.peek(closing):
                self.pos += 1
                return args
            self.take(",")


def value(node):
    """The value of an expression of whole numbers alone, else None."""
    if node.kind == "num":
        return int(node.text) if node.text.isdigit() else None
    if node.kind == "unary" and node.text == "－":
        v = value(node.kids[0])
        return None if v is None else -v
    if node.kind == "binary" and node.text in ("＋", "－", "×"):
        a, b = value(node.kids[0]), value(node.kids[1])
        if a is None or b is None:
            return None
        return a + b if node.text == "＋" else a - b if node.text == "－" else a * b
    if node.kind == "call" and node.text in BIT_COMMANDS and len(node.kids) > 1:
        values = [value(k) for k in node.kids[1:]]
        if None in values:
            return None
        result = values[0]
        for v in values[1:]:
            result = result | v if node.text == "位或" else result & v if node.text == "位与" else result ^ v
        return result
    return None


def units(node):
    """The numbers that make up a value given where a constant is due: the expression when
    it is numbers alone, else its operands of numbers alone through "＋", "－" and 位或, 位与,
    位异或 (位或 (样式, 8): the 8)."""
    if value(node) is not None:
        return [node]
    if node.kind == "binary" and node.text in ("＋", "－"):
        return units(node.kids[0]) + units(node.kids[1])
    if node.kind == "call" and node.text in BIT_COMMANDS:
        return [u for k in node.kids[1:] for u in units(k)]
    return []


# ---- Blocks -------------------------------------------------------------------------------

# opener -> (statements allowed inside it at its own level, closer)
BLOCKS = {".如果": ({".否则"}, ".如果结束"), ".如果真": (set(), ".如果真结束"),
          ".判断开始": ({".判断", ".默认"}, ".判断结束"), ".计次循环首": (set(), ".计次循环尾"),
          ".判断循环首": (set(), ".判断循环尾"), ".循环判断首": (set(), ".循环判断尾"),
          ".变量循环首": (set(), ".变量循环尾")}
# The IDE always shows these branches, empty or not.
REQUIRED_MIDDLES = {".如果": ".否则", ".判断开始": ".默认"}
CLOSERS = {closer: opener for opener, (_, closer) in BLOCKS.items()}
MIDDLES = {middle: opener for opener, (middles, _) in BLOCKS.items() for middle in middles}
DECLARATIONS = (".版本", ".程序集", ".程序集变量", ".子程序", ".局部变量", ".参数")


class BlockStack:
    def __init__(self, report):
        self.report, self.open = report, []  # [(opener, line, middles seen)]

    def statement(self, keyword, number):
        if keyword in BLOCKS:
            self.open.append((keyword, number, []))
        elif keyword in MIDDLES:
            opener = MIDDLES[keyword]
            if not self.open or self.open[-1][0] != opener:
                self.report(number, "block", f"{keyword} outside {opener}")
            elif keyword in self.open[-1][2] and keyword != ".判断" or ".默认" in self.open[-1][2]:
                self.report(number, "block", f"{keyword} after {self.open[-1][2][-1]}")
            else:
                self.open[-1][2].append(keyword)
        elif keyword in CLOSERS:
            opener = CLOSERS[keyword]
            if all(block[0] != opener for block in self.open):
                self.report(number, "block", f"{keyword} without its {opener}")
                return
            # The blocks opened inside this one end with it, unclosed.
            while self.open[-1][0] != opener:
                self.unclosed(self.open.pop(), number)
            middle = REQUIRED_MIDDLES.get(opener)
            if middle and middle not in self.open[-1][2]:
                self.report(number, "block", f"{opener} of line {self.open[-1][1]} without {middle}")
            self.open.pop()

    def unclosed(self, block, number):
        opener, line, _ = block
        self.report(line, "block", f"{opener} not closed by {BLOCKS[opener][1]} (ends at line {number})")

    def end(self, number):
        """A subroutine ends: every block in it must be closed."""
        while self.open:
            self.unclosed(self.open.pop(), number)


# ---- The library --------------------------------------------------------------------------

NAME = re.compile(r"(?<![A-Za-z0-9_])[A-Z][A-Z0-9_]*[A-Z0-9](?![A-Za-z0-9_])")
NUMBER = r"-?(?:0[xX][0-9A-Fa-f]+|\d+)"
# A name, optionally with its value ("MOD_ALT 1", "SW_SHOW（5）"), or a number; joined by + or |.
TERM = rf"(?:{NAME.pattern}(?:\s*[（(]\s*{NUMBER}\s*[）)]|\s+{NUMBER}(?![0-9A-Za-z.]))?|{NUMBER})"
NAME_EXPRESSION = re.compile(rf"{TERM}(?:\s*[＋+|]\s*{TERM})*")
ANNOTATED = re.compile(rf"({NAME.pattern})(?:\s*[（(]\s*({NUMBER})\s*[）)]|\s+({NUMBER})(?![0-9A-Za-z.]))")
# The SDK names of the parameters and members that hold window messages, and their family.
MESSAGE_HOLDERS = {"Msg", "uMsg", "wMsg", "message", "uCallbackMessage", "wMsgFilterMin", "wMsgFilterMax"}
MESSAGE = "message"


def number(text):
    return int(text, 16 if text.lstrip("-")[:2] in ("0x", "0X") else 10)


def u32(v):
    return v & 0xFFFFFFFF


class Library:
    """The library's commands and data types, with what their comments name."""

    def __init__(self):
        self.params, self.returns, self.members = {}, {}, {}  # command/type -> comments
        for name, block in example_declarations.blocks("dll", ".DLL命令").items():
            lines = block.splitlines()
            self.returns[name] = lines[0].split(",", 5)[-1]
            self.params[name] = [line.split(",", 3)[-1] for line in lines[1:]]
        for name, block in example_declarations.blocks("types", ".数据类型").items():
            self.members[name] = {line.strip()[len(".成员 "):].split(",")[0]: line.split(",", 4)[-1]
                                  for line in block.splitlines()[1:]}

    def comments(self):
        yield from self.returns.values()
        for comments in self.params.values():
            yield from comments
        for members in self.members.values():
            yield from members.values()


def family(name):
    """The constants a name belongs with: those that share its part up to the first "_"
    (MF_BYPOSITION: MF_), or the name alone."""
    return name[:name.index("_") + 1] if "_" in name else name


class Constants:
    """Values, as 32-bit words, of the upper-case names that the headers define as integers:
    the names given and every constant of their families."""

    def __init__(self, names, family_names):
        with tempfile.TemporaryDirectory() as tmp:
            headers = gen_constants.Headers(tmp)
            defined = set(headers.header) - headers.function_like
            members = {}
            for name in defined:
                if NAME.fullmatch(name):
                    members.setdefault(family(name), []).append(name)
            self.families = {family(n) for n in family_names if n in defined} - gen_constants.NOT_NAMES
            wanted = (set(names) & defined | {m for f in self.families for m in members[f]}) - gen_constants.NOT_NAMES
            values, _ = gen_constants.evaluate(tmp, headers, sorted(wanted))
        self.values = {name: u32(v) for name, (v, _) in values.items()}
        self.family_values = {f: {self.values[m] for m in members[f] if m in self.values} for f in self.families}

    def families_named(self, comment):
        """The families of the constants that a comment of the library names; a parameter's
        or member's comment starts with its SDK name, which may say that it holds a message."""
        named = {family(n) for n in NAME.findall(comment) if n in self.values and family(n) in self.families}
        return named | ({MESSAGE} if comment.split(",", 1)[0].strip() in MESSAGE_HOLDERS else set())

    def stands_for_one(self, v, families):
        """A value of a constant of the families, or flags of theirs combined: the values
        whose bits lie within v cover v. Every message is a constant (WM_USER ＋ 1 and the like
        for the program's own)."""
        if MESSAGE in families:
            return True
        values = set().union(*(self.family_values[f] for f in families))
        covered = 0
        for w in values:
            if w & ~v == 0:
                covered |= w
        return v in values or covered == v

    def claims(self, comment):
        """(text, value) of each name expression of the comment that holds a defined name."""
        for m in NAME_EXPRESSION.finditer(comment):
            names = [n for n in NAME.findall(m.group()) if n in self.values]
            if not names:
                continue
            total, op = 0, "＋"
            for term in re.finditer(rf"([＋+|])|({NAME.pattern})(?:\s*[（(]?\s*{NUMBER}\s*[）)]?)?|({NUMBER})", m.group()):
                if term.group(1):
                    op = term.group(1)
                    continue
                v = self.values.get(term.group(2)) if term.group(2) else number(term.group(3))
                if v is None:
                    break
                total = total | v if op == "|" else total + v
            else:
                yield m.group().strip(), u32(total)

    def wrong_annotations(self, comment):
        for m in ANNOTATED.finditer(comment):
            written = number(m.group(2) or m.group(3))
            if m.group(1) in self.values and u32(written) != self.values[m.group(1)]:
                yield f"{m.group(1)} is {self.values[m.group(1)]}, not {written}"


# ---- One example --------------------------------------------------------------------------

class Statement:
    def __init__(self, number, keyword, tree, comment):
        self.number, self.keyword, self.tree, self.comment = number, keyword, tree, comment


class Subroutine:
    def __init__(self, name):
        self.name, self.params, self.variables, self.statements = name, [], {}, []


def read_program(lines, report):
    """The subroutines, the program set's variables and every comment with its line; block
    faults and unreadable statements go to report."""
    subroutines, set_variables, comments = [], {}, []
    blocks = BlockStack(report)
    current = None
    for number, raw in enumerate(lines, 1):
        line = raw.strip(" ")
        if not line:
            continue
        keyword = line.split(" ", 1)[0] if line.startswith(".") else ""
        if keyword in DECLARATIONS:
            fields = [f.strip() for f in line[len(keyword):].split(",")]
            if keyword in (".子程序", ".程序集"):
                blocks.end(number)
                current = None
            if keyword == ".子程序":
                current = Subroutine(fields[0])
                subroutines.append(current)
            elif keyword == ".程序集变量" and len(fields) > 1:
                set_variables[fields[0]] = fields[1]
            elif keyword in (".局部变量", ".参数") and current and len(fields) > 1:
                current.variables[fields[0]] = fields[1]
                if keyword == ".参数":
                    current.params.append(fields[0])
            continue
        if line.startswith("'"):
            comments.append((number, line[1:]))
            continue
        try:
            tokens, comment = split_comment(line[len(keyword):])
            parser = Parser(tokens)
            if keyword:
                tree = Node("call", keyword, [Node("name", keyword)] + (parser.arguments() if tokens else []))
            else:
                tree = parser.expression()
            parser.done()
        except SyntaxFault as fault:
            report(number, "block", f"cannot read the statement: {fault}")
            continue
        comments.append((number, comment))
        if keyword:
            blocks.statement(keyword, number)
        if current is None:
            report(number, "block", "statement outside a subroutine")
        else:
            current.statements.append(Statement(number, keyword, tree, comment))
    blocks.end(len(lines) + 1)
    return subroutines, set_variables, comments


class ConstantRule:
    """Where a number stands for an SDK constant, in one subroutine. What carries constants
    (a parameter, a member, a command's result, a variable) carries those of the families
    that its comment in the library names. The program's own subroutines take constants for
    the parameters that carry them inside (taking: name -> families of each parameter)."""

    def __init__(self, library, constants, variables, taking):
        self.library, self.constants, self.variables, self.taking = library, constants, variables, taking
        self.carrying = {}  # variable -> families of the constants it holds or receives

    def takes_arguments(self, name):
        return name in self.library.params or name in self.taking

    def parameter_families(self, command, k):
        if command in self.taking:
            params = self.taking[command]
            return params[k] if k < len(params) else set()
        params = self.library.params[command]
        return self.constants.families_named(params[k]) if k < len(params) else set()

    def member_families(self, node):
        target = node.kids[0]
        while target.kind == "index":
            target = target.kids[0]
        members = self.library.members.get(self.variables.get(target.text, ""), {})
        return self.constants.families_named(members.get(node.text, "")) if target.kind == "name" else set()

    def carries(self, node):
        if node.kind == "name":
            return self.carrying.get(node.text, set())
        if node.kind == "member":
            return self.member_families(node)
        if node.kind == "call" and node.text in self.library.returns:
            return self.constants.families_named(self.library.returns[node.text])
        if node.kind == "call" and node.text in BIT_COMMANDS:
            return set().union(*(self.carries(k) for k in node.kids[1:]))
        return set()

    def learn(self, statements):
        """The variables that carry constants: passed whole where a parameter takes them,
        assigned from a carrying expression or to a carrying member (to a fixed point)."""
        def add(name, families):
            if not families <= self.carrying.get(name, set()):
                self.carrying[name] = self.carrying.get(name, set()) | families
                return True
            return False
        changed = True
        while changed:
            changed = False
            for statement in statements:
                tree = statement.tree
                for node in tree.walk():
                    if node.kind == "call" and self.takes_arguments(node.text):
                        for k, arg in enumerate(node.kids[1:]):
                            if arg.kind == "name":
                                changed |= add(arg.text, self.parameter_families(node.text, k))
                if not statement.keyword and tree.kind == "binary" and tree.text == "＝":
                    left, right = tree.kids
                    if left.kind == "name":
                        changed |= add(left.text, self.carries(right))
                    if right.kind == "name":
                        changed |= add(right.text, self.carries(left))

    def due(self, tree):
        """(number node, why) for each number of the statement that stands for a constant."""
        for node in tree.walk():
            if node.kind == "call" and self.takes_arguments(node.text):
                for k, arg in enumerate(node.kids[1:]):
                    yield from self.standing(units(arg), self.parameter_families(node.text, k),
                                             f"argument {k + 1} of {node.text}")
            elif node.kind == "binary" and node.text in ("＝", "≠"):
                for this, other in (node.kids, node.kids[::-1]):
                    yield from self.standing(units(other), self.carries(this),
                                             f"compared with or assigned to {describe(this)}")
            elif node.kind == "call" and node.text in BIT_COMMANDS:
                args = node.kids[1:]
                for arg in args:
                    others = [u for other in args if other is not arg for u in units(other)]
                    yield from self.standing(others, self.carries(arg), f"{node.text} with {describe(arg)}")

    def standing(self, numbers, families, why):
        for unit in numbers if families else ():
            v = u32(value(unit))
            if v and self.constants.stands_for_one(v, families):
                yield unit, why


def describe(node):
    if node.kind == "member":
        return describe(node.kids[0]) + "." + node.text
    if node.kind == "index":
        return describe(node.kids[0]) + " [ ]"
    return node.text + (" ()" if node.kind == "call" else "")


def check_program(lines, library, constants, report):
    subroutines, set_variables, comments = read_program(lines, report)
    for subroutine in subroutines:
        for statement in subroutine.statements:
            for node in statement.tree.walk():
                if node.kind == "call" and node.text in library.params:
                    want, got = len(library.params[node.text]), len(node.kids) - 1
                    if want != got:
                        report(statement.number, "arguments", f"{node.text} takes {want}, given {got}")
    if constants is None:
        return
    taking = {}
    rules = [ConstantRule(library, constants, {**set_variables, **s.variables}, taking) for s in subroutines]
    # A parameter that carries constants makes its callers' arguments carry them, to a fixed point.
    while True:
        before = dict(taking)
        for subroutine, rule in zip(subroutines, rules):
            rule.learn(subroutine.statements)
            taking[subroutine.name] = [rule.carrying.get(p, set()) for p in subroutine.params]
        if taking == before:
            break
    for subroutine, rule in zip(subroutines, rules):
        for statement in subroutine.statements:
            claims = list(constants.claims(statement.comment))
            named = {v for _, v in claims}
            on_line = {u32(v) for v in map(value, statement.tree.walk()) if v is not None}
            for text, v in claims:
                if v not in on_line:
                    report(statement.number, "constant", f"“{text}” is {v}, which no number of the line is")
            seen = set()
            for unit, why in rule.due(statement.tree):
                if u32(value(unit)) not in named and id(unit) not in seen:
                    seen.add(id(unit))
                    report(statement.number, "constant", f"{value(unit)} ({why}) has no constant name in the comment")
    for number, comment in comments:
        for fault in constants.wrong_annotations(comment):
            report(number, "constant", fault)


def program_lines(text):
    return example_declarations.program_part(text).splitlines()


def comment_names(texts):
    return {n for text in texts for n in NAME.findall(text)}


def read_allow(path):
    allow = set()
    if path.exists():
        for line in path.read_text(encoding="utf-8").splitlines():
            name = line.split("#", 1)[0].strip()
            if name:
                allow.add(name)
    return allow


def main(argv=None):
    root = Path(__file__).resolve().parent.parent
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("examples", nargs="?", default=str(root / "data" / "examples"))
    ap.add_argument("--allow", default=str(root / "tools" / "example_check-allow.txt"))
    args = ap.parse_args(argv)
    folder = Path(args.examples)
    sources = []
    for line in (folder / "manifest.txt").read_text(encoding="utf-8").splitlines():
        if line and not line.startswith("#"):
            source = line.split("|")[0]
            sources.append((source, program_lines((folder / "sources" / source).read_text(encoding="utf-8"))))
    library = Library()
    constants = None
    if shutil.which(CC):
        try:
            constants = Constants(comment_names([l for _, ls in sources for l in ls]),
                                  comment_names(library.comments()))
        except RuntimeError as failure:
            print(f"example_check: the compiler failed outside the generated lines:\n{failure}")
            return 2
    allow, faults, allowed, passing = read_allow(Path(args.allow)), 0, 0, []
    for source, lines in sources:
        found = []
        check_program(lines, library, constants, lambda n, kind, what: found.append((n, kind, what)))
        for n, kind, what in sorted(found):
            print(f"{'allowed: ' if source in allow else ''}{source}:{n}: {kind}: {what}")
        if source in allow:
            allowed += len(found)
            if not found:
                passing.append(source)
        else:
            faults += len(found)
    for source in passing:
        print(f"note: {source} passes; take it off the allow-list")
    print(f"example_check: {len(sources)} examples, {faults} faults, {allowed} allowed"
          + ("" if constants else f", constants not checked (no {CC})"))
    return 1 if faults else 0 if constants else 77


if __name__ == "__main__":
    sys.exit(main())
