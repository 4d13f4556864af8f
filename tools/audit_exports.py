#!/usr/bin/env python3
"""Sorts the DLL's exported names into those a host uses or overrides and those it never should,
and checks that the host headers show a host no state of the library's it is not meant to touch.

A host calls the exported functions and the public members of the exported classes, derives from
those classes (their vtables, type information, constructors and destructors, message maps) and
overrides their virtual members and message handlers. Anything else in the export table (a private
member, a protected helper that is neither virtual nor a message handler) is an internal that leaked
through a class-wide export.

Protected members meant for derived classes sit in groups headed by a comment line of their own:
`// Overridables`, `// Message handlers a derived class may chain to` or `// For a derived class`
(the group runs to the next access specifier).

Data members do not appear in the export table, so they are read from the headers: every public or
protected data member (static constants excepted) of an exported class, or of a class of the host
headers that an exported class derives from, must be marked host-facing: it follows a comment line
starting `// Host-facing data` that says what a host reads or writes in it, in the same paragraph
(the marking runs to the next blank line or access specifier). State a host does not read or write
is private, behind the class's one pointer to an internal state or look class.

    audit_exports.py EXPORT_LIST HEADER_DIR [--demangler x86_64-w64-mingw32-c++filt] [--strict]

Prints the counts and each internal or unmarked data member; with --strict, exits 1 when there is
any.
"""
import argparse
import os
import re
import subprocess
import sys

ACCESS = re.compile(r'^\s*(public|protected|private)\s*:')
CLASS = re.compile(r'^\s*(?:class|struct)\s+(KORVOSKIN_API\s+)?(\w+)\b')
# The comments that head a header's groups of protected members meant for derived classes.
MARKER = re.compile(r'//\s*(Overridables|Message handlers|For (a )?derived class)')
# The comment that marks the data members after it, to the next blank line, as meant for hosts.
DATA_MARKER = re.compile(r'//\s*Host-facing data\b')
# Members every class with a message map or run-time class information has.
FRAMEWORK_MEMBERS = {'GetMessageMap', 'GetThisMessageMap', 'GetRuntimeClass', '_GetBaseClass'}
# Statements of a class body that declare no data member.
NOT_DATA = ('typedef', 'using', 'friend', 'enum', 'struct', 'class', 'union', 'template', 'static_assert',
            'DECLARE_', 'virtual', 'operator', '}')


class ClassInfo:
    def __init__(self, name, exported, path, line):
        self.name = name
        self.exported = exported
        self.path = path
        self.line = line
        self.bases = []
        # {member name: [(access, declaration, marked)]}
        self.members = {}
        # [(access, name, line, marked)] of the non-static data members
        self.data = []


def data_member(statement):
    """The name a class-body statement declares as a non-static data member, else None."""
    text = statement.strip()
    if not text.endswith(';') or text.startswith(NOT_DATA) or re.search(r'\boperator\b', text):
        return None
    head = re.split(r'[={]', text[:-1], maxsplit=1)[0]
    pointer = re.search(r'\(\s*[*&]\s*(\w+)', head)
    if '(' in head and not pointer:
        return None
    words = re.findall(r'\w+', head)
    if 'static' in words or 'constexpr' in words:
        return None
    if pointer:
        return pointer.group(1)
    head = re.sub(r'\[[^\]]*\]', '', head)
    head = re.sub(r'(?<!:):(?!:).*$', '', head)
    names = re.findall(r'(\w+)\s*$', head)
    return names[0] if names and len(words) >= 2 else None


def parse_header(path):
    """The classes defined in one header, with their members and data members."""
    classes = []
    current, head, depth = None, '', 0
    with open(path, encoding='utf-8') as f:
        lines = f.read().split('\n')
    for number, line in enumerate(lines, 1):
        code = line.split('//')[0]
        if current is None:
            m = CLASS.match(code)
            if not m or code.rstrip().endswith(';'):
                continue
            current, head, depth = ClassInfo(m.group(2), bool(m.group(1)), path, number), '', 0
            access = 'public' if code.lstrip().startswith('struct') else 'private'
            marked, data_marked, pending = False, False, ''
            classes.append(current)
        if depth == 0:
            # The class's head, to its opening brace, names its bases.
            head += ' ' + code.split('{')[0]
            if '{' not in code:
                continue
            bases = re.sub(r'::', '', head).partition(':')[2]
            for base in bases.split(','):
                found = re.findall(r'(\w+)\s*(?:<.*>)?\s*$', base.strip())
                if found:
                    current.bases.append(found[0])
            code = code.split('{', 1)[1]
            depth = 1
        before = depth
        depth += code.count('{') - code.count('}')
        if depth <= 0:
            current = None
            continue
        if before != 1:
            continue
        m = ACCESS.match(code)
        if m:
            access, marked, data_marked, pending = m.group(1), False, False, ''
            continue
        if not line.strip():
            data_marked = False
            continue
        if not code.strip():
            marked = marked or bool(MARKER.search(line))
            data_marked = data_marked or bool(DATA_MARKER.search(line))
            continue
        if depth == 1:
            declared = re.findall(r'(~?\w+)\s*\(', code) or re.findall(r'(\w+)\s*(?:=[^;]*)?;\s*$', code)
            for name in declared:
                if name in ('DECLARE_MESSAGE_MAP', 'DECLARE_DYNAMIC', 'DECLARE_DYNCREATE', 'operator', 'decltype'):
                    continue
                current.members.setdefault(name, []).append((access, code.strip(), marked))
                break
        # A data member's statement may run over lines, with no parenthesis before its end.
        statement = (pending + ' ' + code).strip()
        pending = ''
        if depth != 1:
            continue
        if statement.endswith(';'):
            name = data_member(statement)
            if name:
                current.data.append((access, name, number, data_marked))
        elif '(' not in statement and not statement.endswith(('{', '}', ':')):
            pending = statement
    return classes


def host_facing(access, declaration, marked, member, cls):
    if access == 'public' or member in (cls, '~' + cls):
        return access != 'private'
    if access == 'protected':
        return marked or 'virtual' in declaration or 'afx_msg' in declaration or 'override' in declaration
    return False


def unmarked_data(classes):
    """(class, access, name, path, line) of each data member a host sees but is not meant to."""
    by_name = {c.name: c for c in classes}
    checked, queue = set(), [c.name for c in classes if c.exported]
    while queue:
        name = queue.pop()
        if name in checked or name not in by_name:
            continue
        checked.add(name)
        queue.extend(by_name[name].bases)
    found = []
    for name in sorted(checked):
        c = by_name[name]
        for access, member, line, marked in c.data:
            if access in ('public', 'protected') and not marked:
                found.append((name, access, member, c.path, line))
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('exports')
    parser.add_argument('headers')
    parser.add_argument('--demangler', default='x86_64-w64-mingw32-c++filt')
    parser.add_argument('--strict', action='store_true')
    args = parser.parse_args()

    with open(args.exports, encoding='utf-8') as f:
        names = [n.strip() for n in f if n.strip()]
    # The list holds the names as the export table spells them; -n keeps the 32-bit demangler from
    # expecting a symbol prefix the table no longer has.
    demangled = subprocess.run([args.demangler, '-n'], input='\n'.join(names), capture_output=True, text=True,
                               check=True).stdout.split('\n')

    classes = []
    for header in sorted(os.listdir(args.headers)):
        if header.endswith('.h'):
            classes += parse_header(os.path.join(args.headers, header))
    members = {c.name: c.members for c in classes}

    internal, unknown = [], []
    for raw, text in zip(names, demangled):
        text = re.sub(r'^non-virtual thunk to ', '', text)
        if text.startswith(('vtable for', 'typeinfo for', 'typeinfo name for')) or '::' not in text:
            continue
        qualified = text.split('(')[0]
        parts = qualified.split('::')
        cls, member = parts[-2], parts[-1]
        # Members the compiler declares itself (an implicit destructor or assignment) come with the class.
        implicit = member in (cls, '~' + cls, 'operator=')
        if member in FRAMEWORK_MEMBERS or member.startswith('class'):
            continue
        declarations = members.get(cls, {}).get(member)
        if not declarations:
            if not implicit:
                unknown.append(text)
        elif not any(host_facing(access, decl, marked, member, cls) for access, decl, marked in declarations):
            internal.append(text)

    data = unmarked_data(classes)
    print(f'{len(names)} exported names; {len(internal)} internal, {len(unknown)} not declared in a host header; '
          f'{len(data)} data members not marked host-facing')
    for text in internal:
        print('  internal:', text)
    for text in unknown:
        print('  undeclared:', text)
    for cls, access, member, path, line in data:
        print(f'  data: {cls}::{member} ({access}, {os.path.basename(path)}:{line}) is not marked host-facing')
    return 1 if args.strict and (internal or unknown or data) else 0


if __name__ == '__main__':
    sys.exit(main())
