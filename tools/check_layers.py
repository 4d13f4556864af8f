#!/usr/bin/env python3
"""Checks that each layer of the library uses only itself and the layers below it.

The layers are the folders of src/, lowest first (docs/architecture.md): the framework (afx), then
xml, parts, theme, skin, resizable, windowskin, bars, controls, api. Three things are checked:

  include  every #include of src/ and include/: a quoted name is resolved as the compiler does
           (the including file's folder, then src/, then include/); <KorvoSkin/X.h> is the host
           header X.h, which belongs to the layer whose sources define what it declares (its
           classes' members, its functions), found from the sources themselves; a header that
           declares nothing defined in a source (macros, inline classes) belongs to the highest
           layer it includes. Other angle-bracket names are the system's.
  declare  every `extern` variable a layer's header or source declares is defined by that layer
           or a lower one.
  link     every symbol the objects of a layer need (nm) that the library defines is defined by
           that layer or a lower one; the rest come from the framework, the compiler's runtime or
           the system.

    check_layers.py --source-dir DIR --layers afx xml ... [--objects MANIFEST --nm NM]
                    [--demangler C++FILT] [--map]

MANIFEST has a line per layer: its name, a space and its object files separated by ';' (the
framework's line names its import library). Without it only the includes are checked. --map
prints which layer each host header belongs to. Prints every use of a higher layer; exits 1 when
there is any.
"""
import argparse
import os
import re
import subprocess
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_EXTENSIONS = ('.h', '.hpp', '.inl', '.cpp', '.c')
# A class with a body, and the name it declares; a host function the export macro declares.
CLASS = re.compile(r'^\s*(?:class|struct)\s+(?:KORVOSKIN_API\s+)?(\w+)\s*(?::[^;]*)?$|'
                   r'^\s*(?:class|struct)\s+(?:KORVOSKIN_API\s+)?(\w+)\s*(?::[^;]*)?\{')
FUNCTION = re.compile(r'^\s*KORVOSKIN_API\s+[\w:<>*&\s]+?\b(\w+)\s*\(')
EXTERN = re.compile(r'^\s*extern\s+(?!"C")[^;()]*?\b(\w+)\s*;')


def read_lines(path):
    with open(path, encoding='utf-8', errors='replace') as f:
        return f.read().split('\n')


def code_lines(path):
    """The file's lines with // comments and /* */ comments blanked, numbered from 1."""
    text = '\n'.join(read_lines(path))
    text = re.sub(r'/\*.*?\*/', lambda m: re.sub(r'[^\n]', ' ', m.group(0)), text, flags=re.S)
    return [(n, re.sub(r'//.*', '', line)) for n, line in enumerate(text.split('\n'), 1)]


class Tree:
    def __init__(self, root, layers):
        self.root = root
        self.src = os.path.join(root, 'src')
        self.include = os.path.join(root, 'include')
        self.layers = layers
        self.rank = {layer: i for i, layer in enumerate(layers)}
        # Every source of src/, by layer.
        self.files = {}
        for layer in layers:
            folder = os.path.join(self.src, layer)
            for dirpath, _, names in os.walk(folder):
                for name in sorted(names):
                    if name.endswith(SOURCE_EXTENSIONS):
                        self.files[os.path.join(dirpath, name)] = layer
        self.host_headers = sorted(os.path.join(self.include, 'KorvoSkin', n)
                                   for n in os.listdir(os.path.join(self.include, 'KorvoSkin')) if n.endswith('.h'))
        self.umbrella = os.path.join(self.include, 'KorvoSkin.h')
        self.header_layer = {}
        self.header_reason = {}
        self.map_host_headers()

    def relative(self, path):
        return os.path.relpath(path, self.root)

    def includes(self, path):
        for number, line in code_lines(path):
            m = INCLUDE.match(line)
            if m:
                yield number, m.group(1), m.group(2)

    def resolve(self, path, bracket, name):
        """The file an #include names, or None for a system header."""
        candidates = [os.path.join(self.src, name), os.path.join(self.include, name),
                      os.path.join(self.src, 'afx', name)]
        if bracket == '"':
            candidates.insert(0, os.path.join(os.path.dirname(path), name))
        for candidate in candidates:
            if os.path.isfile(candidate):
                return os.path.normpath(candidate)
        return None

    def layer_of(self, path):
        if path in self.files:
            return self.files[path]
        if path == self.umbrella:
            return self.layers[-1]
        return self.header_layer.get(path)

    def map_host_headers(self):
        """Each host header's layer: where its classes' members and its functions are defined."""
        definitions = {}
        for path, layer in self.files.items():
            if not path.endswith('.cpp'):
                continue
            for _, line in code_lines(path):
                # Definitions start at the margin; calls and message-map entries are indented.
                if not line or line[0].isspace():
                    continue
                for name in re.findall(r'\b(\w+)::~?\w+', line):
                    definitions.setdefault(name, set()).add(layer)
                m = re.match(r'(?:IMPLEMENT_\w+|BEGIN_MESSAGE_MAP)\(\s*(\w+)', line)
                if m:
                    definitions.setdefault(m.group(1), set()).add(layer)
                m = re.match(r'[\w:<>*&\s]+?\b(\w+)\s*\([^;]*$', line)
                if m and '::' not in line:
                    definitions.setdefault('()' + m.group(1), set()).add(layer)
        pending = {}
        for header in self.host_headers:
            declared = []
            for _, line in code_lines(header):
                m = CLASS.match(line)
                if m:
                    declared.append(m.group(1) or m.group(2))
                m = FUNCTION.match(line)
                if m:
                    declared.append('()' + m.group(1))
            layers = set()
            for name in declared:
                layers |= definitions.get(name, set())
            if layers:
                self.header_layer[header] = max(layers, key=self.rank.get)
                named = sorted(n.lstrip('()') for n in declared if definitions.get(n))
                self.header_reason[header] = 'defines ' + ', '.join(named)
            else:
                pending[header] = None
        # A header with nothing defined in a source sits as high as what it includes, at least
        # on the framework.
        changed = True
        while changed:
            changed = False
            for header in list(pending):
                ranks = [0]
                ready = True
                for _, bracket, name in self.includes(header):
                    target = self.resolve(header, bracket, name)
                    if target is None:
                        continue
                    layer = self.layer_of(target)
                    if layer is None:
                        ready = False
                        break
                    ranks.append(self.rank[layer])
                if ready:
                    self.header_layer[header] = self.layers[max(ranks)]
                    self.header_reason[header] = f'header only, includes nothing above {self.layers[max(ranks)]}'
                    del pending[header]
                    changed = True
        for header in pending:
            self.header_layer[header] = self.layers[0]
            self.header_reason[header] = 'header only'

    def check_includes(self):
        problems = []
        for path in list(self.files) + self.host_headers + [self.umbrella]:
            layer = self.layer_of(path)
            for number, bracket, name in self.includes(path):
                target = self.resolve(path, bracket, name)
                if target is None:
                    if bracket == '"':
                        problems.append(f'include: {self.relative(path)}:{number}: "{name}" is not in the tree')
                    continue
                target_layer = self.layer_of(target)
                if target_layer is None:
                    continue
                if self.rank[target_layer] > self.rank[layer]:
                    quoted = f'"{name}"' if bracket == '"' else f'<{name}>'
                    problems.append(f'include: {self.relative(path)}:{number} ({layer}) includes {quoted}, '
                                    f'which is {target_layer}')
        return problems

    def extern_declarations(self):
        """(path, line, name) of each extern variable declared in a layer's files."""
        for path in list(self.files) + self.host_headers:
            for number, line in code_lines(path):
                m = EXTERN.match(line)
                if m:
                    yield path, number, m.group(1)


def read_manifest(path):
    objects = {}
    with open(path, encoding='utf-8') as f:
        for line in f:
            line = line.rstrip('\n')
            if not line.strip():
                continue
            layer, _, files = line.partition(' ')
            objects[layer] = [p for p in files.split(';') if p]
    return objects


def symbols(nm, files):
    """{file: (defined external names, needed names)} from one nm run over the files."""
    result = {f: (set(), set()) for f in files}
    if not files:
        return result
    output = subprocess.run([nm, '-A', '-P', '-g'] + files, capture_output=True, text=True, check=True).stdout
    for line in output.split('\n'):
        # "file: name type [value [size]]"; an archive member is "archive[member]: ...".
        head, sep, rest = line.rpartition(': ')
        if not sep:
            continue
        fields = rest.split()
        if len(fields) < 2:
            continue
        name, kind = fields[0], fields[1]
        path = re.sub(r'\[[^\]]*\]$', '', head)
        if path not in result:
            continue
        defined, needed = result[path]
        if kind == 'U':
            needed.add(name)
        elif kind not in ('w', 'v'):
            defined.add(name)
    return result


def check_links(tree, manifest, nm, demangle):
    objects = read_manifest(manifest)
    order = [layer for layer in tree.layers if layer in objects]
    per_file = {}
    for layer in order:
        per_file.update(symbols(nm, objects[layer]))
    # Where each symbol is defined: the lowest layer and one of its files.
    lowest = {}
    for layer in order:
        for path in objects[layer]:
            for name in per_file[path][0]:
                if name not in lowest:
                    lowest[name] = (layer, path)

    def where(path):
        return os.path.join(os.path.basename(os.path.dirname(path)), os.path.basename(path))

    problems = []
    for layer in order:
        for path in objects[layer]:
            for name in sorted(per_file[path][1]):
                plain = name[len('__imp_'):] if name.startswith('__imp_') else name
                found = lowest.get(plain)
                if found and tree.rank[found[0]] > tree.rank[layer]:
                    problems.append((f'link: {where(path)} ({layer}) needs ', plain,
                                     f', defined in {found[0]} ({where(found[1])})'))
    # Declarations of variables defined above the declaring layer.
    for path, number, name in tree.extern_declarations():
        layer = tree.layer_of(path)
        # The 32-bit names carry the platform's leading underscore.
        found = lowest.get(name) or lowest.get('_' + name)
        if found and tree.rank[found[0]] > tree.rank[layer]:
            problems.append((f'declare: {tree.relative(path)}:{number} ({layer}) declares ', name,
                             f', defined in {found[0]} ({where(found[1])})'))
    names = demangle([p[1] for p in problems])
    return sorted(f'{head}{shown}{tail}' for (head, _, tail), shown in zip(problems, names))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--source-dir', required=True)
    parser.add_argument('--layers', nargs='+', required=True)
    parser.add_argument('--objects')
    parser.add_argument('--nm', default='nm')
    parser.add_argument('--demangler')
    parser.add_argument('--map', action='store_true')
    args = parser.parse_args()

    tree = Tree(os.path.abspath(args.source_dir), args.layers)
    if args.map:
        for header in tree.host_headers:
            print(f'{tree.relative(header)}: {tree.header_layer[header]} ({tree.header_reason[header]})')

    def demangle(names):
        if not args.demangler or not names:
            return names
        out = subprocess.run([args.demangler], input='\n'.join(names), capture_output=True, text=True,
                             check=True).stdout.split('\n')
        return [d if d else n for n, d in zip(names, out)]

    problems = tree.check_includes()
    if args.objects:
        problems += check_links(tree, args.objects, args.nm, demangle)
    checked = 'includes, declarations and links' if args.objects else 'includes'
    print(f'{len(tree.files) + len(tree.host_headers) + 1} files of {len(tree.layers)} layers; '
          f'{checked} checked; {len(problems)} uses of a higher layer')
    for problem in problems:
        print('  ' + problem)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
