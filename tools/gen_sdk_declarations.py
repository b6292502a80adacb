#!/usr/bin/python3
"""Generate the DLL commands of the common system DLLs from the MinGW-w64 SDK into data/sdk.

Run:  /usr/bin/python3 tools/gen_sdk_declarations.py [DATA_DIR] [--compare]   (needs Debian's python3-clang)

For every DLL of tools/sdk_check.py's list it takes the exports of the i686 import library
and the declarations of the i686 headers (parsed with libclang), and writes
  DATA_DIR/sdk/dll/<dll>.txt      the DLL command blocks, by English name
  DATA_DIR/sdk/catalog/<dll>.txt  their catalog lines, in the same order
  DATA_DIR/sdk/types/sdk.txt      the data types they use that the hand-written library lacks
  DATA_DIR/sdk/left-out.csv       every export not generated, with its reason
  DATA_DIR/sdk/versions.csv       the versions of the Debian packages that made them
following the rules of DATA_DIR/README.md ("Declarations generated from the SDK"). An
export that the hand-written library (DATA_DIR/dll) already declares is not generated.
Prints the counts; tools/sdk_check.py then proves the result. With --compare it generates into
a temporary folder instead and names each file that differs from DATA_DIR/sdk (exit status 1).
"""
import subprocess
import sys
import tempfile
from collections import Counter
from pathlib import Path

import clang.cindex as ci

sys.path.insert(0, str(Path(__file__).resolve().parent))
import crosscheck  # noqa: E402
import sdk_check  # noqa: E402
import sdk_constants  # noqa: E402
import sdk_meaning  # noqa: E402

K = ci.TypeKind
BYTE, SHORT, INT, LONG, FLOAT, DOUBLE, TEXT, BYTES, CALLBACK = (
    "字节型", "短整数型", "整数型", "长整数型", "小数型", "双精度小数", "文本型", "字节集", "子程序指针")
SCALARS = {K.BOOL: BYTE, K.CHAR_S: BYTE, K.SCHAR: BYTE, K.UCHAR: BYTE, K.CHAR_U: BYTE,
           K.SHORT: SHORT, K.USHORT: SHORT, K.WCHAR: SHORT, K.CHAR16: SHORT,
           K.INT: INT, K.UINT: INT, K.LONG: INT, K.ULONG: INT, K.ENUM: INT, K.CHAR32: INT,
           K.LONGLONG: LONG, K.ULONGLONG: LONG, K.FLOAT: FLOAT, K.DOUBLE: DOUBLE}
CHARS = {K.CHAR_S, K.SCHAR}
# The comment that a structure passed as its address in a 整数型 adds, by sdk_meaning.system_owned's reason.
# The Debian packages that make the data: the i686 headers and import libraries, the compiler whose
# own include folder the parser reads, and the parser.
VERSIONED_PACKAGES = ["mingw-w64-i686-dev", "gcc-mingw-w64-i686-win32", "libclang1-14", "python3-clang-14"]
OTHER_OWNER = "exported by another DLL of the list, whose function it is"
OWNED_NOTES = {"that the system hands out": "系统给出或交还的结构的地址", "of variable length": "变长结构的地址，由调用者分配"}


class LeftOut(Exception):
    """An export that is not generated; the message is the reason."""


def canonical(t):
    return t.get_canonical()


def is_opaque(record):
    """A structure that E passes as a plain number: a handle (DECLARE_HANDLE: struct HWND__
    { int unused; }, GDI+'s empty class GpBitmap), a COM interface or a C++ class, whose pointer
    the caller only hands on."""
    fields = [f.spelling for f in record.type.get_fields()]
    if (record.spelling.endswith("__") and fields == ["unused"]) or (record.type.get_size() > 0 and not fields):
        return True
    return any(c.kind in (ci.CursorKind.CXX_METHOD, ci.CursorKind.CXX_BASE_SPECIFIER) for c in record.get_children())


def record_of(t):
    t = canonical(t)
    return t.get_declaration() if t.kind == K.RECORD else None


class Structures:
    """The E data types of the C structures of one header group: the hand-written ones, and
    those generated here, which all groups share."""

    def __init__(self, names, handwritten, generated, handed):
        self.names = names  # USR of a record -> its C name
        self.handed = handed  # USRs of the records that the system hands out
        self.handwritten = handwritten  # USR -> E name
        self.generated = generated  # E name -> (USR, C name, [member lines], unions' note)

    def type_name(self, record):
        """The E data type for a complete structure, or None where E cannot lay it out."""
        usr = record.get_usr()
        if usr in self.handwritten:
            return self.handwritten[usr]
        cname = self.names.get(usr) or record.spelling
        if not cname or record.type.get_size() <= 0:
            return None
        ename = cname + "_"
        if ename not in self.generated:
            try:
                self.generated[ename] = (usr, cname, *lay_out(record.type))
            except LeftOut:
                return None
        elif self.generated[ename][0] != usr:
            return None  # another structure of the same name in another header group
        return ename


def type_blocks(generated, used, names_at):
    """The data type blocks that the generated commands use: a parameter may have laid out a
    structure that its command then did not keep, or passed as its address in a 整数型."""
    out = []
    for ename in sorted(set(generated) & used):
        _, cname, members, unions = generated[ename]
        note = "；".join(filter(None, [unions, sdk_meaning.version_note(sdk_meaning.oldest_windows(names_at, cname))]))
        lines = [f".数据类型 {ename}, , {cname}" + (f", {note}" if note else "")]
        lines += [f"    .成员 {n}, {t}, , {dims}, {note}" for n, t, dims, note in members]
        out.append("\n".join(lines))
    return out


def member_basic(t):
    t = canonical(t)
    if t.kind == K.POINTER:
        return TEXT if canonical(t.get_pointee()).kind in CHARS else INT
    return SCALARS.get(t.kind)


def flatten(t, base, path, unions):
    """(offset, E type, count, C path or None, C member names) of each basic member of a structure,
    a bit-field's names as (name, bit position, width); appends the note of each union it meets
    to unions."""
    out = []
    t = canonical(t)
    decl = t.get_declaration()
    if decl.kind == ci.CursorKind.UNION_DECL:
        # One arm of the union's size stands for the union; the note names every arm.
        arms = list(t.get_fields())
        arm = next((f for f in arms if f.type.get_size() == t.get_size() and not f.is_bitfield()), None)
        if arm is None:
            raise LeftOut("a union without an arm of its size")
        unions.append(union_note(arms, arm, base, path))
        return member(arm, base, path, unions)
    unit = None
    for field in t.get_fields():
        offset = base + field.get_field_offsetof() // 8
        if field.is_bitfield():
            size = field.type.get_size()
            start = base + field.get_field_offsetof() // (size * 8) * size
            bits = (field.spelling, base * 8 + field.get_field_offsetof() - start * 8, field.get_bitfield_width())
            if unit is not None and unit[0] == start:
                unit[4].append(bits)
                continue
            unit = (start, member_basic(field.type), 1, None, [bits])
            out.append(unit)
            continue
        unit = None
        out += member(field, offset, path, unions)
    return out


def union_note(arms, kept, base, path):
    """联合 <C path> 偏移 N: the arm kept, then each other arm with its members' offsets."""
    parts = []
    for arm in arms:
        arm_path = sdk_meaning.c_path(path, arm.spelling)
        arm_type = canonical(arm.type)
        unnamed = arm_type.kind == K.RECORD and arm_type.get_declaration().is_anonymous()
        label = f"{arm_path if arm.spelling else ''} {'（无名结构）' if unnamed else arm.type.spelling}".strip()
        if arm == kept:
            parts.append(f"{label}（所取）")
        elif arm_type.kind == K.RECORD:
            bits = []
            for name, at, width, unit in sdk_meaning.bit_fields(arm.type, base * 8):
                bits.append(f"{name} 偏移 {at // (unit * 8) * unit} 位 {at % (unit * 8)} 宽 {width}")
            parts.append(f"{label}：" + " ".join([f"{p} {o}" for p, o in sdk_meaning.leaves(arm.type, base, arm_path)] + bits))
        else:
            parts.append(f"{label}：{arm_path} {base}")
    return f"联合 {path or '（无名）'} 偏移 {base}：" + "；".join(parts)


def member(field, offset, path, unions):
    name = field.spelling
    cpath = sdk_meaning.c_path(path, name)
    t = canonical(field.type)
    if t.kind == K.RECORD and is_opaque(t.get_declaration()) and t.get_size() > 0:
        # A C++ class (GDI+'s Color in ColorMap) keeps its members to itself: the member is its bytes.
        return [(offset, INT, t.get_size() // 4, cpath, [name])] if t.get_size() % 4 == 0 else \
            [(offset, BYTE, t.get_size(), cpath, [name])]
    if t.kind == K.RECORD:
        return flatten(t, offset, cpath, unions)
    if t.kind == K.INCOMPLETEARRAY:
        return []
    if t.kind == K.CONSTANTARRAY:
        count, element = 1, t
        while element.kind == K.CONSTANTARRAY:
            count *= element.element_count
            element = canonical(element.element_type)
        basic = member_basic(element)
        if basic is None and element.kind == K.RECORD:
            inner = flatten(element, 0, "", [])
            kinds = {m[1] for m in inner}
            if len(kinds) == 1 and sum(crosscheck.SIZES[m[1]] * m[2] for m in inner) == element.get_size():
                basic, count = kinds.pop(), count * sum(m[2] for m in inner)
            else:
                basic, count = BYTE, t.get_size()
        if basic is None:
            raise LeftOut("a member of a type E cannot hold")
        return [(offset, basic, count, cpath, [name])]
    basic = member_basic(t)
    if basic is None:
        raise LeftOut("a member of a type E cannot hold")
    return [(offset, basic, 1, cpath, [name])]


def lay_out(t):
    """The member lines of a structure, basic members end to end with padding where C pads, and
    the note of its unions."""
    unions = []
    members, at, pads, lines, used = flatten(t, 0, "", unions), 0, 0, [], Counter()
    for offset, _, _, cpath, _ in members:
        if cpath:
            used[cpath.split(".")[-1]] += 1

    def pad(size):
        nonlocal pads
        pads += 1
        lines.append((f"保留{pads}", BYTE, f'"{size}"', "对齐填充"))

    for offset, basic, count, cpath, names in members:
        if offset < at:
            raise LeftOut("overlapping members")
        if offset > at:
            pad(offset - at)
        name = names[0][0].lstrip("_") if cpath is None else cpath.split(".")[-1].lstrip("_")
        if cpath and used[cpath.split(".")[-1]] > 1:
            name = cpath.replace(".", "_").lstrip("_")
        name = name or f"member{len(lines) + 1}"
        note = cpath if cpath else "位域 " + "、".join(f"{n} 位 {pos} 宽 {width}" for n, pos, width in names if n)
        lines.append((name, basic, f'"{count}"' if count > 1 else "", note))
        at = offset + crosscheck.SIZES[basic] * count
    if t.get_size() > at:
        pad(t.get_size() - at)
    seen = Counter()
    for k, (name, *rest) in enumerate(lines):
        seen[name] += 1
        if seen[name] > 1:
            lines[k] = (f"{name}{seen[name]}", *rest)
    return lines, "；".join(unions)


def parameter(p, structures, k):
    """[(E name, E type, flags, comment)] of one C parameter; a structure by value spans several."""
    cname = p.spelling or f"arg{k}"
    ename = cname.lstrip("_") or f"arg{k}"
    t = canonical(p.type)
    note = f"{cname},{p.type.spelling}"
    if p.type.spelling == "va_list":
        return [(ename, INT, "", note)]  # the address of the arguments, not a text
    if t.kind in (K.POINTER, K.LVALUEREFERENCE):
        target = canonical(t.get_pointee())
        if target.kind in (K.FUNCTIONPROTO, K.FUNCTIONNOPROTO):
            return [(ename, CALLBACK, "", note)]
        if target.kind in CHARS:
            return [(ename, TEXT, "", note)]
        if target.kind == K.UCHAR:
            return [(ename, BYTES, "", note)]
        if target.kind == K.RECORD and not is_opaque(target.get_declaration()):
            etype = structures.type_name(target.get_declaration())
            owned = etype and sdk_meaning.system_owned(target.get_declaration(), structures.handed)
            if owned:
                return [(ename, INT, "", f"{note} {OWNED_NOTES[owned]}")]
            return [(ename, etype, "传址", note) if etype else (ename, INT, "", note)]
        if target.kind == K.POINTER:
            # The DLL writes an address there, of a text too (char**): never an E text, which E would free.
            return [(ename, INT, "传址", note)]
        if target.kind == K.WCHAR:
            # A Unicode text: UTF-16 bytes that end in two zero bytes, or a buffer that the caller
            # sizes; a BSTR the system allocates, with its length in front, and is an address.
            return [(ename, INT if sdk_meaning.is_bstr(p.type) else BYTES, "", note)]
        if target.kind in SCALARS:
            return [(ename, member_basic(target), "传址", note)]
        return [(ename, INT, "", note)]
    if t.kind in (K.CONSTANTARRAY, K.INCOMPLETEARRAY):
        # An array parameter is the address of its first element: an E array of the element.
        element = canonical(t.element_type)
        if element.kind == K.RECORD and not is_opaque(element.get_declaration()):
            etype = structures.type_name(element.get_declaration())
            owned = etype and sdk_meaning.system_owned(element.get_declaration(), structures.handed)
            if owned:
                return [(ename, INT, "", f"{note} {OWNED_NOTES[owned]}")]
            return [(ename, etype, "数组", note) if etype else (ename, INT, "", note)]
        return [(ename, member_basic(element) or INT, "数组", note)]
    if t.kind == K.RECORD:
        return split(p, t, cname, ename)
    basic = SCALARS.get(t.kind)
    if basic is None:
        raise LeftOut("a parameter of a type E cannot pass")
    return [(ename, basic, "", note)]


def split(p, t, cname, ename):
    """A structure by value: one E parameter per 4- or 8-byte member, as POINT splits into x and y;
    a structure of 4 or 8 bytes whose members do not split passes as one number, a larger one
    (a GUID) as one 整数型 per 4 bytes."""
    try:
        members = flatten(t, 0, "", [])
    except LeftOut:
        members = []
    at, out = 0, []
    for offset, basic, count, cpath, _ in members:
        if count != 1 or offset != at or basic not in (INT, LONG, FLOAT, DOUBLE) or cpath is None:
            break
        out.append((f"{ename}_{cpath.replace('.', '_')}", basic, "", f"{cname}.{cpath},{p.type.spelling} 按值传递的成员"))
        at += crosscheck.SIZES[basic]
    else:
        if at == t.get_size():
            return out
    size = t.get_size()
    if size in (4, 8):
        return [(ename, INT if size == 4 else LONG, "", f"{cname},{p.type.spelling} 按值传递，{size} 个字节合为一个数")]
    if size > 0 and size % 4 == 0:
        return [(f"{ename}_{k}", INT, "", f"{cname}.{k},{p.type.spelling} 按值传递，第 {4 * k - 3} 至 {4 * k} 字节")
                for k in range(1, size // 4 + 1)]
    raise LeftOut("a structure by value that does not split")


def declare(cursor, dll, entry, english, structures, stack, version_note, linker):
    """The DLL command block and catalog line of a declared function, or LeftOut."""
    ftype = cursor.type
    if ftype.kind == K.FUNCTIONPROTO and ftype.is_function_variadic():
        raise LeftOut("variadic")
    if ftype.kind != K.FUNCTIONPROTO:
        raise LeftOut("declared without a prototype")
    if stack is None:
        raise LeftOut("no stdcall @N (a __cdecl export)")
    result = canonical(cursor.result_type)
    if result.kind == K.VOID:
        ret = ""
    elif result.kind in (K.POINTER, K.LVALUEREFERENCE):
        ret = INT
    elif result.kind in SCALARS:
        ret = SCALARS[result.kind]
    elif result.kind == K.RECORD and result.get_size() in (4, 8):
        ret = INT if result.get_size() == 4 else LONG  # returned in EAX, or EDX:EAX
    else:
        raise LeftOut("a result of a type E cannot take")
    params = []
    for k, p in enumerate(cursor.get_arguments(), 1):
        made = parameter(p, structures, k)
        if len(made) == 1:  # what a parameter takes is named in its comment
            name, etype, flags, note = made[0]
            made = [(name, etype, flags, note + linker.note(entry, p, (header_of(cursor), cursor.location.line)))]
        params += made
    by_address = (K.LVALUEREFERENCE, K.CONSTANTARRAY, K.INCOMPLETEARRAY)
    c_bytes = sum(4 if canonical(p.type).kind in by_address else sdk_check.stack_bytes(p.type.get_size())
                  for p in cursor.get_arguments())
    if stack != c_bytes:
        raise LeftOut("the import library's @N differs from the header")
    header = header_of(cursor)
    proto = (f"{cursor.result_type.spelling} {entry}(" +
             ", ".join(f"{p.type.spelling} {p.spelling}".strip() for p in cursor.get_arguments()) + ")")
    lines = [f'.DLL命令 {english}_, {ret}, "{dll}", "{entry}", , {header}: {proto}' +
             (f" {version_note}" if version_note else "") + linker.result_note(entry)]
    lines += [f"    .参数 {n}, {t}, {f}, {note}" for n, t, f, note in params]
    used = []
    for _, t, _, _ in params:
        if t not in crosscheck.SIZES and t not in used:
            used.append(t)
    return "\n".join(lines), ",".join([english, dll, english + "_"] + used)


def header_of(cursor):
    return Path(cursor.location.file.name).name


def parse(group):
    tu = sdk_meaning.parse(sdk_check.header_source(group), "gen_sdk_declarations")
    names, macros = {}, {}
    for c in tu.cursor.get_children():
        if c.kind == ci.CursorKind.MACRO_DEFINITION:
            tokens = [t.spelling for t in c.get_tokens()]
            # "#define X XA", or "#define X __MINGW_NAME_AW(X)", which is XA without UNICODE
            if len(tokens) == 2 or tokens[1:] == ["__MINGW_NAME_AW", "(", tokens[0], ")"]:
                macros[tokens[0]] = tokens[0] + "A" if len(tokens) > 2 else tokens[1]
    functions = sdk_meaning.function_declarations(tu)[0]
    for c in tu.cursor.walk_preorder():
        if c.kind == ci.CursorKind.TYPEDEF_DECL:
            record = record_of(c.underlying_typedef_type)
            if record is not None:
                tag = record.spelling.removeprefix("tag").lstrip("_")
                usr = record.get_usr()
                if usr not in names or c.spelling == tag:
                    names[usr] = c.spelling
    typedefs = {c.spelling: c for c in tu.cursor.walk_preorder() if c.kind == ci.CursorKind.TYPEDEF_DECL}
    return tu, functions, names, typedefs, macros


def declare_exports(dll, exports, parsed, structures, covered, taken, owners, names_at, linker):
    """The (English name, block, catalog line) of each export of a DLL that is generated, by
    English name, and the "dll,export,reason" line of each that is not."""
    _, functions, _, _, macros = parsed
    blocks, left_out = [], []
    for entry in sorted(exports):
        neutral = entry[:-1] if entry.endswith(("A", "W")) else None
        english = neutral if neutral and entry.endswith("A") and macros.get(neutral) == entry else entry
        try:
            if entry in covered:
                raise LeftOut("written by hand")
            if sdk_meaning.not_for_calling(entry):
                raise LeftOut(sdk_meaning.not_for_calling(entry))
            if entry not in functions:
                raise LeftOut("not declared as a function in the headers")
            if dll in sdk_check.ONLY_FROM and header_of(functions[entry][0]) != sdk_check.ONLY_FROM[dll]:
                raise LeftOut(f"declared outside {sdk_check.ONLY_FROM[dll]}")
            if owners.owner(entry) != dll:
                raise LeftOut(OTHER_OWNER)
            if len(functions[entry]) > 1:
                raise LeftOut(sdk_check.OVERLOADED)
            if not english[0].isalpha() or not english.isascii():
                raise LeftOut("a name that is no E name")
            if english in taken:
                raise LeftOut("its English name is taken")
            blocks.append((list_key(english),) +
                          declare(functions[entry][0], dll, entry, english, structures, exports[entry],
                                  sdk_meaning.version_note(sdk_meaning.oldest_windows(names_at, entry)), linker))
            taken |= {entry, english}
        except LeftOut as reason:
            left_out.append(f"{dll},{entry},{reason}")
    return sorted(blocks), left_out


def list_key(english):
    """Where a command sits in its DLL's file: by English name, an A or W form right after the
    name without that letter (CreateFileW after CreateFile, before CreateFile2), as the wizard's
    lists sort them (base/sort_order.h)."""
    form = len(english) > 1 and english[-1] in "AW" and (english[-2].islower() or english[-2].isdigit())
    return english[:-1] + ("\x01" if english[-1] == "A" else "\x02") if form else english


def versions():
    """The lines of versions.csv: the Debian packages whose headers, import libraries and parser
    made the data."""
    lines = ["package,version"]
    for package in VERSIONED_PACKAGES:
        version = subprocess.run(["dpkg-query", "-W", "-f=${Version}", package], capture_output=True, text=True)
        lines.append(f"{package},{version.stdout.strip() or 'not installed'}")
    return "\n".join(lines) + "\n"


def generate(data, out):
    """Writes the generated files into out from the hand-written library of data; returns the counts."""
    commands, types = crosscheck.read_blocks(data)
    covered = set()
    for c in commands:
        covered |= {c.target, c.target + "A", c.target.removesuffix("A")}
    for sub in ("dll", "catalog", "types"):
        (out / sub).mkdir(parents=True, exist_ok=True)
        for old in (out / sub).glob("*.txt"):
            old.unlink()
    parsed = {g: parse(g) for g in sdk_check.HEADER_GROUPS}
    structures, generated_types = {}, {}
    for group, (tu, _, names, typedefs, _) in parsed.items():
        records = {t.name: record_of(typedefs[t.target].underlying_typedef_type) for t in types if t.target in typedefs}
        handwritten = {record.get_usr(): name for name, record in records.items() if record}
        structures[group] = Structures(names, handwritten, generated_types, sdk_meaning.handed_out(tu))
    tables = {dll: crosscheck.export_table(sdk_check.import_library(dll)) for dll, _ in sdk_check.DLLS}
    macros, headers = {}, {}
    for tu, functions, *_ in parsed.values():
        macros.update(sdk_meaning.import_macros(tu, functions))
        headers.update(sdk_meaning.declaring_headers(functions))
    owners = sdk_meaning.DllOwners(sdk_check.ownable(tables, {g: parsed[g][1] for g in parsed}), macros, headers)
    linkers = {}
    for group, (tu, functions, *_) in parsed.items():
        header_constants = sdk_constants.HeaderConstants(tu)
        known = set().union(*header_constants.by_header.values())
        linkers[group] = sdk_constants.Linker(header_constants, sdk_constants.handwritten_params(commands, known), known)
    taken, left_out, generated, catalog_lines, all_blocks = set(), [], Counter(), [], []
    # What the headers declare for each older Windows: a name that none of them declares
    # needs Windows 10.
    names_at = [(note, set().union(*(sdk_meaning.declared_names(sdk_check.header_source(g, version))
                                     for g in sdk_check.HEADER_GROUPS)))
                for version, note in sdk_meaning.WINDOWS_VERSIONS[:-1]]
    for dll, group in sdk_check.DLLS:
        blocks, missing = declare_exports(dll, tables[dll], parsed[group], structures[group], covered, taken, owners,
                                          names_at, linkers[group])
        left_out += missing
        all_blocks += blocks
        generated[dll] = len(blocks)
        if not blocks:
            continue  # an empty file would put two empty lines between blocks
        stem = Path(dll).stem
        (out / "dll" / f"{stem}.txt").write_text("\n\n".join(b for _, b, _ in blocks) + "\n", encoding="utf-8")
        (out / "catalog" / f"{stem}.txt").write_text("".join(line + "\n" for _, _, line in blocks), encoding="utf-8")
        catalog_lines += [line for _, _, line in blocks]
    used = {name for line in catalog_lines for name in line.split(",")[3:]}
    blocks = type_blocks(generated_types, used, names_at)
    (out / "types" / "sdk.txt").write_text("\n\n".join(blocks) + "\n", encoding="utf-8")
    (out / "left-out.csv").write_text("dll,export,reason\n" + "\n".join(left_out) + "\n", encoding="utf-8")
    (out / "versions.csv").write_text(versions(), encoding="utf-8")
    reasons = Counter(line.split(",", 2)[2] for line in left_out)
    main = linkers["main"]
    linked, right, named, found = sdk_constants.measure(main, commands, parsed["main"][1], main.known)
    rules = Counter()
    for linker in linkers.values():
        rules.update(linker.counts)
    linked_params = sum(line.count("：") for _, b, _ in all_blocks for line in b.split("\n")[1:])
    linked_commands = sum(any("：" in line for line in b.split("\n")[1:]) for _, b, _ in all_blocks)
    return [f"gen_sdk_declarations: {sum(generated.values())} commands, {len(blocks)} data types generated",
            "  " + ", ".join(f"{dll} {n}" for dll, n in generated.items()),
            "  left out: " + ", ".join(f"{n} {r}" for r, n in reasons.most_common()),
            f"  constants: {linked_params} parameters of {linked_commands} commands linked ("
            + ", ".join(f"{n} by {r}" for r, n in rules.most_common()) + "); on the hand-written library "
            f"{right} of {linked} families right (precision {100 * right / max(linked, 1):.1f} %), "
            f"{found} of {named} parameters that name constants found (recall {100 * found / max(named, 1):.1f} %)"]


def differences(made, kept):
    """What differs between two folders of generated files, a line for each file."""
    out = []
    names = sorted({p.relative_to(made) for p in made.rglob("*") if p.is_file()} |
                   {p.relative_to(kept) for p in kept.rglob("*") if p.is_file()})
    for name in names:
        a, b = made / name, kept / name
        if not b.exists() or not a.exists():
            out.append(f"{name}: {'not in ' + str(kept) if a.exists() else 'no longer generated'}")
        elif a.read_bytes() != b.read_bytes():
            new, old = a.read_text(encoding="utf-8").splitlines(), b.read_text(encoding="utf-8").splitlines()
            k = next((i for i, (x, y) in enumerate(zip(new, old)) if x != y), min(len(new), len(old)))
            out.append(f"{name}:{k + 1}: generated {new[k] if k < len(new) else '(end)'!r}, "
                       f"kept {old[k] if k < len(old) else '(end)'!r}")
    return out


def main(argv):
    root = Path(__file__).resolve().parent.parent
    args = [a for a in argv[1:] if a != "--compare"]
    data = Path(args[0]) if args else root / "data"
    if "--compare" not in argv:
        print("\n".join(generate(data, data / "sdk")))
        return 0
    with tempfile.TemporaryDirectory() as tmp:
        counts = generate(data, Path(tmp))
        diffs = differences(Path(tmp), data / "sdk")
    print("\n".join(diffs + counts))
    if diffs:
        print(f"gen_sdk_declarations: {len(diffs)} files differ from {data / 'sdk'}: regenerate them, "
              "with the versions of versions.csv where that file differs")
    return 1 if diffs else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
