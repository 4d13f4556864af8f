#!/usr/bin/env python3
"""Sorts the DLL's exported names into those a host uses or overrides and those it never should.

A host calls the exported functions and the public members of the exported classes, derives from
those classes (their vtables, type information, constructors and destructors, message maps) and
overrides their virtual members and message handlers. Anything else in the export table (a private
member, a protected helper that is neither virtual nor a message handler) is an internal that leaked
through a class-wide export.

    audit_exports.py EXPORT_LIST HEADER_DIR [--demangler x86_64-w64-mingw32-c++filt] [--strict]

Prints the counts and each internal; with --strict, exits 1 when there is any.
"""
import argparse
import os
import re
import subprocess
import sys

ACCESS = re.compile(r'^\s*(public|protected|private)\s*:')
CLASS = re.compile(r'^\s*class\s+(?:KORVOSKIN_API\s+)?(\w+)\b')
# The comments that head a header's groups of protected members meant for derived classes.
MARKER = re.compile(r'//\s*(Overridables|Message handlers|For (a )?derived class)')
# Members every class with a message map or run-time class information has.
FRAMEWORK_MEMBERS = {'GetMessageMap', 'GetThisMessageMap', 'GetRuntimeClass', '_GetBaseClass'}


def class_members(path):
    """{class: {member name: [(access, declaration, marked)]}} of the classes defined in one header.

    A protected member counts as marked when a comment naming it for derived classes or as an
    overridable heads its group."""
    classes = {}
    current, access, depth, marked = None, None, 0, False
    with open(path, encoding='utf-8') as f:
        lines = f.read().split('\n')
    for line in lines:
        code = line.split('//')[0]
        if current is None:
            m = CLASS.match(code)
            if m and not code.rstrip().endswith(';'):
                current, access, depth, marked = m.group(1), 'private', 0, False
                classes[current] = {}
            continue
        if depth == 0 and '{' not in code:
            continue
        depth += code.count('{') - code.count('}')
        if depth <= 0:
            current = None
            continue
        m = ACCESS.match(code)
        if m:
            access, marked = m.group(1), False
            continue
        if MARKER.search(line) and not code.strip():
            marked = True
        if depth != 1:
            continue
        declared = re.findall(r'(~?\w+)\s*\(', code) or re.findall(r'(\w+)\s*(?:=[^;]*)?;\s*$', code)
        for name in declared:
            if name in ('DECLARE_MESSAGE_MAP', 'DECLARE_DYNAMIC', 'DECLARE_DYNCREATE', 'operator', 'decltype'):
                continue
            classes[current].setdefault(name, []).append((access, code.strip(), marked))
            break
    return classes


def host_facing(access, declaration, marked, member, cls):
    if access == 'public' or member in (cls, '~' + cls):
        return access != 'private'
    if access == 'protected':
        return marked or 'virtual' in declaration or 'afx_msg' in declaration or 'override' in declaration
    return False


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

    members = {}
    for header in sorted(os.listdir(args.headers)):
        if header.endswith('.h'):
            members.update(class_members(os.path.join(args.headers, header)))

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

    print(f'{len(names)} exported names; {len(internal)} internal, {len(unknown)} not declared in a host header')
    for text in internal:
        print('  internal:', text)
    for text in unknown:
        print('  undeclared:', text)
    return 1 if args.strict and (internal or unknown) else 0


if __name__ == '__main__':
    sys.exit(main())
