#!/usr/bin/env python3
"""Give each example program the declarations that its code calls.

Run:  python3 tools/example_declarations.py

For every example of data/examples/manifest.txt, the tool takes the source's program part
(".版本 2" up to the first ".DLL命令" or ".数据类型" line) and writes after it the ".DLL命令"
blocks of the library commands that the code calls, in order of first call, and then the
".数据类型" blocks that those commands' parameters and the program's variables use, in order
of first use, every block copied unchanged from data/dll/ and data/types/. It writes the
manifest's API column from the same commands: their catalog English names, once each, each
followed by "/". So a new example needs only its program and a manifest line
"source|name.e|", and the examples follow the library when a declaration changes.
"""
import re
from pathlib import Path

DATA = Path(__file__).resolve().parent.parent / "data"
BASIC = {"", "逻辑型", "字节型", "短整数型", "整数型", "长整数型", "双精度小数", "小数型", "文本型",
         "字节集", "日期时间型", "子程序指针", "备注型"}
# An identifier of E code: letters, digits, "_" and every non-ASCII character.
IDENTIFIER = re.compile(r"[^\s\x00-\x2f\x3a-\x40\x5b-\x5e\x60\x7b-\x7f“”（），＝＋－×÷＞＜≠≥≤、：；！？。《》【】]+")


def blocks(folder, keyword):
    """Name -> block text, for every block of data/<folder>/*.txt."""
    found = {}
    for path in sorted((DATA / folder).glob("*.txt")):
        for block in path.read_text(encoding="utf-8").split("\n\n"):
            block = block.strip("\n")
            if block.startswith(keyword + " "):
                found[block[len(keyword) + 1:].split(",", 1)[0]] = block
    return found


def catalog():
    """Chinese name -> English entry name."""
    names = {}
    for path in sorted((DATA / "catalog").glob("*.txt")):
        for line in path.read_text(encoding="utf-8").splitlines():
            fields = line.split(",")
            if len(fields) >= 3:
                names[fields[2]] = fields[0]
    return names


def parameter_types(block):
    return [line.split(",")[1].strip() for line in block.splitlines()[1:]]


def program_part(text):
    cut = text.find("\n.DLL命令 ")
    if cut < 0:
        cut = text.find("\n.数据类型 ")
    return (text if cut < 0 else text[:cut]).rstrip("\n") + "\n"


def declarations(program, commands, types):
    called = []
    for word in IDENTIFIER.findall(program):
        if word in commands and word not in called:
            called.append(word)
    needed = []
    for name in called:
        for type_name in parameter_types(commands[name]):
            if type_name not in BASIC and type_name not in needed:
                needed.append(type_name)
    for line in program.splitlines():
        if line.startswith((".局部变量 ", ".参数 ")):
            type_name = line.split(",")[1].strip() if "," in line else ""
            if type_name in types and type_name not in needed:
                needed.append(type_name)
    missing = [name for name in needed if name not in types]
    if missing:
        raise SystemExit("undeclared data types: " + " ".join(missing))
    return called, [commands[n] for n in called] + [types[n] for n in needed]


def main():
    commands, types, english = blocks("dll", ".DLL命令"), blocks("types", ".数据类型"), catalog()
    folder = DATA / "examples"
    manifest = (folder / "manifest.txt").read_text(encoding="utf-8").splitlines()
    for number, line in enumerate(manifest):
        if not line or line.startswith("#"):
            continue
        source, name, _ = line.split("|")
        path = folder / "sources" / source
        old = path.read_text(encoding="utf-8")
        program = program_part(old)
        called, texts = declarations(program, commands, types)
        text = program + "".join("\n" + t + "\n" for t in texts)
        text.encode("gbk")
        if "\t" in text or "\r" in text:
            raise SystemExit(f"{source}: tab or CR in the source")
        apis = []
        for command in called:
            if english[command] not in apis:
                apis.append(english[command])
        manifest[number] = f"{source}|{name}|" + "".join(a + "/" for a in apis)
        if text != old:
            path.write_text(text, encoding="utf-8", newline="\n")
    (folder / "manifest.txt").write_text("\n".join(manifest) + "\n", encoding="utf-8", newline="\n")


if __name__ == "__main__":
    main()
