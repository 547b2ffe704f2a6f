#!/usr/bin/env python3
"""Checks that the host's layers depend one way.

The manifest has one line per layer, lowest first: "layer: used layers",
the layers whose libraries the layer's library links. Each layer is a
folder of SOURCE_ROOT; the headers of the layer "include" (the C interface)
are included by bare name, those of the others as "layer/name.h".

  check_layers.py includes MANIFEST SOURCE_ROOT
      Every layer links only layers below it, and every #include of a
      layer's files names its own layer or one it links.
  check_layers.py symbols MANIFEST NM LAYER=LIBRARY...
      Every symbol a layer's static library needs that another layer's
      library defines is defined by a layer it links, directly or not.

Each violation is printed on a line of its own; the exit status is 1 when
there is any.
"""
import os
import re
import subprocess
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')


def read_manifest(path):
    order, uses = [], {}
    with open(path) as f:
        for line in f:
            if not line.strip():
                continue
            name, _, rest = line.partition(':')
            name = name.strip()
            order.append(name)
            uses[name] = rest.split()
    return order, uses


def closure(uses, layer):
    seen, work = set(), list(uses.get(layer, []))
    while work:
        u = work.pop()
        if u not in seen:
            seen.add(u)
            work.extend(uses.get(u, []))
    return seen


def check_order(order, uses):
    problems = []
    rank = {name: i for i, name in enumerate(order)}
    for layer in order:
        for u in uses[layer]:
            if u not in rank:
                problems.append(f'{layer}: links {u}, which is not a layer')
            elif rank[u] >= rank[layer]:
                problems.append(f'{layer}: links {u}, which is not below it')
    return problems


def check_includes(order, uses, root):
    problems = check_order(order, uses)
    api_dir = os.path.join(root, 'include')
    api_headers = set(os.listdir(api_dir)) if os.path.isdir(api_dir) else set()
    for layer in order:
        d = os.path.join(root, layer)
        if not os.path.isdir(d):
            continue
        allowed = set(uses[layer]) | {layer}
        for folder, _, names in sorted(os.walk(d)):
            for name in sorted(names):
                if name.endswith(('.h', '.cpp', '.c')):
                    where = os.path.relpath(os.path.join(folder, name), root)
                    problems += check_file(os.path.join(folder, name), where, layer, allowed, order, api_headers)
    return problems


def check_file(path, where, layer, allowed, order, api_headers):
    problems = []
    with open(path, errors='replace') as f:
        for number, line in enumerate(f, 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            used = included_layer(m.group(1), m.group(2), os.path.dirname(path), layer, order, api_headers)
            if used is None:
                continue
            if used.startswith('!'):
                problems.append(f'{where}:{number}: includes {m.group(2)}: {used[1:]}')
            elif used not in allowed:
                problems.append(f'{where}:{number}: includes {m.group(2)} of layer {used}, which {layer} does not link')
    return problems


def included_layer(bracket, target, own_dir, layer, order, api_headers):
    """The layer an include names, None for a system header, or "!reason"."""
    parts = target.split('/')
    if '..' in parts:
        return '!a path that leaves its folder'
    if len(parts) == 1:
        if bracket == '"' and os.path.exists(os.path.join(own_dir, target)):
            return layer
        if target in api_headers:
            return 'include'
        return '!not found' if bracket == '"' else None
    if parts[0] in order:
        return parts[0]
    return '!not a header of any layer' if bracket == '"' else None


def library_symbols(nm, path):
    """(strong definitions, all definitions, undefined) of a library."""
    args = [nm, '-P']
    if path.endswith('.so') or '.so.' in os.path.basename(path):
        args.append('-D')
    out = subprocess.run(args + [path], check=True, capture_output=True, text=True).stdout
    strong, defined, undefined = set(), set(), set()
    for line in out.splitlines():
        fields = line.split()
        if len(fields) < 2 or line.endswith(':'):
            continue
        sym, kind = fields[0], fields[1]
        if kind == 'U':
            undefined.add(sym)
        elif kind in 'wvWV':
            defined.add(sym)  # inline functions, templates: any layer may have its own copy
        elif kind.isupper() or kind == 'u':
            defined.add(sym)
            strong.add(sym)
        # Local symbols (lower case) answer no other file's references.
    return strong, defined, undefined - defined


def check_symbols(order, uses, nm, libraries):
    problems = check_order(order, uses)
    tables = {layer: library_symbols(nm, path) for layer, path in libraries.items()}
    for layer, (_, _, undefined) in tables.items():
        allowed = closure(uses, layer) | {layer}
        for sym in sorted(undefined):
            providers = [other for other, (strong, _, _) in tables.items() if sym in strong]
            if providers and not allowed.intersection(providers):
                problems.append(f'{layer}: needs {sym}, defined in {", ".join(providers)}, which {layer} does not link')
    return problems


def main(argv):
    if len(argv) >= 4 and argv[1] == 'includes':
        order, uses = read_manifest(argv[2])
        problems = check_includes(order, uses, argv[3])
    elif len(argv) >= 5 and argv[1] == 'symbols':
        order, uses = read_manifest(argv[2])
        libraries = dict(arg.split('=', 1) for arg in argv[4:])
        problems = check_symbols(order, uses, argv[3], libraries)
    else:
        sys.stderr.write(__doc__)
        return 2
    for p in problems:
        print(p)
    if problems:
        print(f'{len(problems)} layering violation(s)')
        return 1
    print('layers depend one way')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
