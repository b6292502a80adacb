"""What the SDK's declarations mean beyond their sizes, read from the i686 MinGW-w64 headers
with libclang (Debian's python3-clang).

tools/gen_sdk_declarations.py follows these facts and tools/sdk_check.py proves the generated
data by them; the rules are those of data/README.md ("Declarations generated from the SDK").
"""
import os
import re
import subprocess
import sys
from collections import Counter

import clang.cindex as ci

import crosscheck

K = ci.TypeKind
# The headers as the i686 MinGW-w64 compiler sees them: its own include folder, then the SDK's.
CLANG_ARGS = ["-x", "c++", "-std=c++17", "--target=i686-w64-mingw32", "-fms-extensions", "-w", "-nostdinc",
              "-isystem", subprocess.run([crosscheck.CXX, "-print-file-name=include"], capture_output=True,
                                         text=True).stdout.strip(),
              "-isystem", "/usr/i686-w64-mingw32/include"]


def parse(source, who):
    """The translation unit of a source that includes headers; exits naming `who` where they do not parse."""
    tu = ci.Index.create().parse("sdk.cpp", args=CLANG_ARGS, unsaved_files=[("sdk.cpp", source)],
                                 options=ci.TranslationUnit.PARSE_DETAILED_PROCESSING_RECORD)
    errors = [str(d) for d in tu.diagnostics if d.severity >= ci.Diagnostic.Error]
    if errors:
        sys.exit(f"{who}: the headers do not parse:\n" + "\n".join(errors[:10]))
    return tu


WINDOWS_VERSIONS = crosscheck.WINDOWS_VERSIONS
VERSION_NOTE = re.compile(r"需要 Windows [^，；,]* 或更高")


def declared_names(source):
    """The names of the functions, structures and typedefs that a source's headers declare: one
    parse that skips function bodies and walks only the declarations at file level."""
    tu = ci.Index.create().parse("names.cpp", args=CLANG_ARGS, unsaved_files=[("names.cpp", source)],
                                 options=ci.TranslationUnit.PARSE_SKIP_FUNCTION_BODIES)
    names, pending = set(), [tu.cursor]
    kinds = (ci.CursorKind.FUNCTION_DECL, ci.CursorKind.TYPEDEF_DECL, ci.CursorKind.STRUCT_DECL,
             ci.CursorKind.UNION_DECL, ci.CursorKind.CLASS_DECL)
    while pending:
        for c in pending.pop().get_children():
            if c.kind in kinds:
                names.add(c.spelling)
            elif c.kind in (ci.CursorKind.LINKAGE_SPEC, ci.CursorKind.NAMESPACE, ci.CursorKind.UNEXPOSED_DECL):
                pending.append(c)
    return names


def oldest_windows(names_at, name):
    """The note of the oldest Windows whose headers declare a name, None for XP.
    names_at: [(note, declared_names)] from the oldest version on."""
    for note, names in names_at:
        if name in names:
            return note
    return WINDOWS_VERSIONS[-1][1]  # declared only for a Windows 10 newer than its first release


def version_note(note):
    return f"需要 {note} 或更高" if note else ""


def function_declarations(tu):
    """{name: [declaration of each type]} of the functions of the headers, and the names that
    C++ overloads. A function declared again with other typedefs of the same types (ULONGLONG
    for DWORDLONG) has one type; the inline C++ overloads that a header defines (DPA_Sort for a
    const callback) are not what a DLL exports, and count only for a function that the header
    declares no other way."""
    declared, defined = {}, {}
    for c in tu.cursor.walk_preorder():
        if c.kind == ci.CursorKind.FUNCTION_DECL:
            same = (defined if c.is_definition() else declared).setdefault(c.spelling, [])
            if all(d.type.get_canonical().spelling != c.type.get_canonical().spelling for d in same):
                same.append(c)
    overloaded = {name for name, same in declared.items()
                  if len(same) > 1 or any(d.type.get_canonical().spelling != same[0].type.get_canonical().spelling
                                          for d in defined.get(name, ()))}
    return {**defined, **declared}, overloaded


def import_macros(tu, functions):
    """{function name: the macro that begins its declaration (WINGDIAPI, WINADVAPI), where one does}."""
    at = {}
    for c in tu.cursor.get_children():
        if c.kind == ci.CursorKind.MACRO_INSTANTIATION and c.extent.start.file:
            at[(c.extent.start.file.name, c.extent.start.offset)] = c.spelling
    out = {}
    for name, same in functions.items():
        start = same[0].extent.start
        if start.file and (start.file.name, start.offset) in at:
            out[name] = at[(start.file.name, start.offset)]
    return out


def declaring_headers(functions):
    """{function name: the file name of the header that declares it}."""
    return {name: os.path.basename(same[0].location.file.name) for name, same in functions.items()
            if same[0].location.file}


def majorities(exporters, marks):
    """{mark: the DLL that alone exports most of the functions that carry it}, where one DLL has
    more than half of them. marks: {function: its mark (a macro, a header)}."""
    votes = {}
    for entry, dlls in exporters.items():
        if len(dlls) == 1 and entry in marks:
            votes.setdefault(marks[entry], Counter())[dlls[0]] += 1
    out = {}
    for mark, counts in votes.items():
        dll, n = counts.most_common(1)[0]
        if 2 * n > sum(counts.values()):
            out[mark] = dll
    return out


class DllOwners:
    """The DLL of the list whose own an export of several of them is: the one that has it on every
    Windows that has the function, where the others gained it later (gdi32 took usp10's Script*
    functions in Windows 10, kernel32 advapi32's OpenThreadToken in Windows 7). A header marks the
    functions of many DLLs with a macro of its own (WINGDIAPI, WINADVAPI): the DLL whose macro it is
    owns the function. Failing that, a header whose functions one DLL alone exports is that DLL's
    (mssip.h: crypt32's, though wintrust exports its CryptSIP* too); a function without a macro
    that a DLL with one exports is not that DLL's."""

    def __init__(self, tables, macros, headers):
        """tables: {dll: its exports}, in the list's order; macros: import_macros of every group;
        headers: declaring_headers of every group."""
        self.exporters, self.macros, self.headers = {}, macros, headers
        for dll, table in tables.items():
            for entry in table:
                self.exporters.setdefault(entry, []).append(dll)
        self.dll_of = majorities(self.exporters, macros)  # the macro of a DLL
        self.header_dll = majorities(self.exporters, headers)

    def owner(self, entry):
        dlls = self.exporters.get(entry, [])
        if len(dlls) < 2:
            return dlls[0] if dlls else None
        for named in (self.dll_of.get(self.macros.get(entry)), self.header_dll.get(self.headers.get(entry))):
            if named in dlls:
                return named
        unmarked = [d for d in dlls if d not in self.dll_of.values()]
        return (unmarked or dlls)[0]


def is_bstr(t):
    """Whether a type is a BSTR (through its typedefs): a text that SysAllocString makes."""
    while t.kind in (K.TYPEDEF, K.ELABORATED):
        if t.kind == K.ELABORATED:
            t = t.get_named_type()
            continue
        if t.get_typedef_name() == "BSTR":
            return True
        t = t.get_declaration().underlying_typedef_type
    return False


def wide_text(t):
    """Whether a parameter's type points to Unicode text (LPCWSTR, LPWSTR, const wchar_t*), a BSTR not."""
    c = t.get_canonical()
    return c.kind == K.POINTER and c.get_pointee().get_canonical().kind == K.WCHAR and not is_bstr(t)


def pointee_record(t):
    """The structure that a pointer, reference or array type leads to, else None."""
    t = t.get_canonical()
    if t.kind in (K.POINTER, K.LVALUEREFERENCE):
        t = t.get_pointee().get_canonical()
    elif t.kind in (K.CONSTANTARRAY, K.INCOMPLETEARRAY):
        t = t.element_type.get_canonical()
    else:
        return None
    return t.get_declaration() if t.kind == K.RECORD else None


def handed_out(tu):
    """The USRs of the structures that the system hands out: those that a function of the headers
    returns by pointer, and those that functions write a pointer to through a T** parameter at
    least as often as functions take one to change by T* (getaddrinfo's ADDRINFO, which only
    freeaddrinfo takes back; but not OVERLAPPED, which callers allocate for ReadFile and a dozen
    others and GetQueuedCompletionStatus only hands back). The headers must never hold it by value (in a
    member, or a parameter), as they hold a GUID, a SIZE or a LUID that a caller keeps itself.
    The caller holds only its address, and passes it back as a number."""
    returned, held, written, taken = set(), set(), Counter(), Counter()
    for c in tu.cursor.walk_preorder():
        if c.kind in (ci.CursorKind.FIELD_DECL, ci.CursorKind.PARM_DECL):
            t = c.type.get_canonical()
            while t.kind == K.CONSTANTARRAY:
                t = t.element_type.get_canonical()
            if t.kind == K.RECORD:
                held.add(t.get_declaration().get_usr())
        if c.kind != ci.CursorKind.FUNCTION_DECL:
            continue
        result = c.result_type.get_canonical()
        if result.kind == K.POINTER and result.get_pointee().get_canonical().kind == K.RECORD:
            returned.add(result.get_pointee().get_canonical().get_declaration().get_usr())
        for p in c.get_arguments():
            t = p.type.get_canonical()
            if t.kind != K.POINTER:
                continue
            middle = t.get_pointee().get_canonical()  # a T* const* is an array the caller fills
            if middle.kind == K.RECORD and not middle.is_const_qualified():
                taken[middle.get_declaration().get_usr()] += 1
            elif middle.kind == K.POINTER and not middle.is_const_qualified():
                record = middle.get_pointee().get_canonical()
                if record.kind == K.RECORD:
                    written[record.get_declaration().get_usr()] += 1
    return (returned | {usr for usr, n in written.items() if n >= taken[usr]}) - held


# Structures that head data of their own in one allocation, which their members do not show:
# an ACL's ACEs, and the session and file names after EVENT_TRACE_PROPERTIES.
HEADS_OF_DATA = {"_ACL", "_EVENT_TRACE_PROPERTIES"}


def variable_length(record):
    """A structure that callers size themselves: it ends in an array of one element or of none
    (SID, TOKEN_GROUPS, BITMAPINFO), or in such a structure (ITEMIDLIST's SHITEMID), or heads
    data that follows it (HEADS_OF_DATA)."""
    if record.spelling in HEADS_OF_DATA:
        return True
    fields = list(record.type.get_canonical().get_fields())
    if not fields:
        return False
    last = fields[-1].type.get_canonical()
    if last.kind == K.INCOMPLETEARRAY or (last.kind == K.CONSTANTARRAY and last.element_count <= 1):
        return True
    return last.kind == K.RECORD and variable_length(last.get_declaration())


def system_owned(record, handed):
    """Why a structure is passed as its address in a 整数型, or None where E may lay it out."""
    if record.get_usr() in handed:
        return "that the system hands out"
    if variable_length(record):
        return "of variable length"
    return None


# Exports that a program never calls: the RPC runtime calls the marshalling helpers of a type,
# COM and regsvr32 call a COM server's entry points.
RPC_HELPER = re.compile(r"\w+_User(Size|Marshal|Unmarshal|Free)(64)?")
COM_SERVER_ENTRIES = {"DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer", "DllUnregisterServer", "DllInstall"}


def not_for_calling(entry):
    """Why an export is not for programs to call, or None."""
    if RPC_HELPER.fullmatch(entry):
        return "an RPC marshalling helper, called by the RPC runtime"
    if entry in COM_SERVER_ENTRIES:
        return "a COM server entry point, called by COM and regsvr32"
    return None


def c_path(path, name):
    """A member's C path below its structure's (an unnamed member's is its structure's)."""
    return f"{path}.{name}" if path and name else name or path


def leaves(t, base=0, path=""):
    """(C path, byte offset) of each member of a structure or union that holds no other, in every
    arm of its unions, bit-fields left out: what its E data type names."""
    out = []
    for field in t.get_canonical().get_fields():
        offset, cpath = base + field.get_field_offsetof() // 8, c_path(path, field.spelling)
        if field.type.get_canonical().kind == K.RECORD:
            out += leaves(field.type, offset, cpath)
        elif not field.is_bitfield():
            out.append((cpath, offset))
    return out


def bit_fields(t, base=0):
    """(name, bit offset, width, size of its type) of each bit-field of a structure, in every arm
    of its unions."""
    out = []
    for field in t.get_canonical().get_fields():
        if field.type.get_canonical().kind == K.RECORD:
            out += bit_fields(field.type, base + field.get_field_offsetof())
        elif field.is_bitfield():
            out.append((field.spelling, base + field.get_field_offsetof(), field.get_bitfield_width(),
                        field.type.get_size()))
    return out
