#!/usr/bin/env python3
"""Writes the repetitive part of the stand-in SDK for one 3ds Max release: every virtual function of the SDK's
classes that the stand-in does not write by hand, at the slot the release's ABI facts (RELEASE.md) give it.

A class's hand-written header declares its own functions, in slot order, and between them expands
STANDIN_SLOTS_<Class>_<k> (the k-th run of the class's new virtual functions that are not hand-written) and, once,
STANDIN_OVERRIDES_<Class> (the base-class functions it overrides). A function that a module built against the real
SDK imports (imports-RELEASE.txt) is declared with its DLL's export marker and defined in that DLL; any other is
defined in the header. A pure function stays pure; standin::Unimplemented<Class> overrides every pure function that
is not hand-written, for the host's and the tests' implementations of an interface. Every generated body ends the
process with a message naming the function.

Usage: generate_slots.py RELEASE ABI_DIR OUT_DIR UNDNAME"""
import os
import re
import subprocess
import sys
from collections import OrderedDict

ENTRY = re.compile(r"^(?P<ret>.*?)\b(?P<cls>\w+)::(?P<name>~?\w+)\((?P<params>.*)\)(?P<const> const)?$")
DLL_EXPORT = {'core': 'CoreExport', 'paramblk2': 'PB2Export', 'maxutil': 'UtilExport', 'geom': 'GEOM_EXPORT'}
# Names the stand-in's own headers declare; every other name a signature uses is forward-declared.
KNOWN = set('''void bool char short int float double wchar_t const unsigned long BOOL DWORD DWORD_PTR ULONG UINT USHORT
WORD ULONGLONG ULONG_PTR INT_PTR LPARAM WPARAM LRESULT LANGID COLORREF HWND HDC HINSTANCE DLGPROC DLGTEMPLATE FILE
BITMAPINFO MSTR TimeValue SClass_ID PartID RefMessage BlockID ParamID MapID RefResult IOResult RefTargetHandle
RefMakerHandle NotifyDependentsOption ParamType2 Tab ChannelMask ChunkType FileIOType CompareFnc RefFrame SysNodeContext
SCMode ControlType2 EditSpinnerType MaxSDK::AssetManagement::AssetType PB2Value ParamDef'''.split())


class Slot:
    def __init__(self, text):
        self.pure = '[pure]' in text
        text = re.sub(r'\s*\[[a-z ]+\]', '', text).strip()
        m = ENTRY.match(text)
        if not m:
            raise SystemExit('generate_slots.py: cannot read the slot "%s"' % text)
        self.ret, self.cls, self.name = m.group('ret').strip(), m.group('cls'), m.group('name')
        self.params = [p.strip() for p in split_params(m.group('params'))]
        self.const = bool(m.group('const'))
        self.key = '%s::%s(%s)%s' % (self.cls, self.name, ', '.join(self.params), ' const' if self.const else '')

    @property
    def destructor(self):
        return self.name.startswith('~')

    def declaration(self, export, override):
        head = '%s%s%s(%s)%s' % ('%s ' % export if export else '', 'virtual ' if not override else '',
                                 spaced(self.ret) + self.name, ', '.join(self.params), ' const' if self.const else '')
        if override:
            head += ' override'
        if self.pure:
            return head + ' = 0;'
        if export:
            return head + ';'
        return head + ' { StandinUnimplemented("%s::%s"); }' % (self.cls, self.name)

    def definition(self):
        return '%s%s::%s(%s)%s {\n    StandinUnimplemented("%s::%s");\n}\n' % (
            spaced(self.ret), self.cls, self.name, ', '.join(self.params), ' const' if self.const else '',
            self.cls, self.name)


def spaced(ret):
    return ret if ret.endswith(('*', '&')) else ret + ' '


def split_params(text):
    depth, cur, out = 0, '', []
    for ch in text:
        if ch == '<':
            depth += 1
        elif ch == '>':
            depth -= 1
        if ch == ',' and depth == 0:
            out.append(cur)
            cur = ''
        else:
            cur += ch
    if cur.strip():
        out.append(cur)
    return out


def read_facts(path):
    """{class: {'members': [(offset, text)], 'tables': [[Slot]]}} in the facts' order."""
    classes = OrderedDict()
    current = None
    table = None
    for line in open(path, encoding='utf-8'):
        head = re.match(r'## (\w+) — sizeof (\d+), alignof (\d+)', line)
        if head:
            current = classes.setdefault(head.group(1), {'members': [], 'tables': []})
            table = None
            continue
        if current is None:
            continue
        if re.match(r'\s+vftable of the \w+ subobject', line):
            table = []
            current['tables'].append(table)
            continue
        row = re.match(r'\s+(\d+) \| (.*)$', line)
        if not row:
            continue
        if table is None:
            current['members'].append((int(row.group(1)), row.group(2)))
        elif not row.group(2).endswith(' RTTI'):
            table.append(Slot(row.group(2)))
    return classes


def demangled_imports(path, undname):
    """{(class, name): [(dll, access, demangled signature)]} of the names a real-SDK module imports."""
    lines = [l.split() for l in open(path) if re.match(r'^[a-z0-9]+\.dll ', l)]
    names = [n for _, n in lines]
    out = subprocess.run([undname], input='\n'.join(names) + '\n', capture_output=True, text=True, check=True).stdout
    printed = [l for l in out.splitlines() if l.strip()]
    demangled = printed[1::2]   # each name, then what it means
    if len(demangled) != len(names) or printed[0::2] != names:
        raise SystemExit('generate_slots.py: %s demangled %d of %d names' % (undname, len(demangled), len(names)))
    imports = {}
    for (dll, _), text in zip(lines, demangled):
        m = re.match(r'(public|protected|private): .*?(\w+)::(~?\w+)\((.*)\)', text)
        if m:
            imports.setdefault((m.group(2), m.group(3)), []).append((dll.split('.')[0], m.group(1), m.group(4)))
    return imports, demangled


NORMAL = {'ULONG': 'unsigned long', 'DWORD': 'unsigned long', 'BOOL': 'int', 'TimeValue': 'int', 'MSTR': 'WStr',
          'SClass_ID': 'unsigned long', 'PartID': 'unsigned __int64', 'RefMessage': 'unsigned int',
          'RefTargetHandle': 'ReferenceTarget *', 'RefMakerHandle': 'ReferenceMaker *', 'INT_PTR': '__int64',
          'BITMAPINFO': 'tagBITMAPINFO', 'ChannelMask': 'unsigned long', 'BlockID': 'short', 'ParamID': 'short', 'MapID': 'short'}


def normalised(params):
    text = ', '.join(params) if isinstance(params, list) else params
    text = re.sub(r'\b(class|struct|enum|union) ', '', text)
    text = re.sub(r'\b\w+\b', lambda m: NORMAL.get(m.group(0), m.group(0)), text)
    text = re.sub(r'(\w[\w:<>]*) const\b', r'const \1', text)
    text = text.replace('void', '') if text.strip() == 'void' else text
    return re.sub(r'\s+', '', text)


def import_of(slot, imports):
    """(dll, access) when a real-SDK module imports this function."""
    for dll, access, params in imports.get((slot.cls, slot.name), []):
        if normalised(params) == normalised(slot.params):
            return dll, access
    return None


def class_keys(demangled):
    keys = {}
    for text in demangled:
        for key, name in re.findall(r'\b(class|struct|union) ([A-Za-z_][\w:]*)', text):
            keys.setdefault(name, key)
    return keys


def forward_declarations(classes, keys):
    names = set()
    for info in classes.values():
        for table in info['tables']:
            for slot in table:
                for t in [slot.ret] + slot.params:
                    names.update(re.findall(r'[A-Za-z_][\w:]*', re.sub(r'<[^>]*>', '', t)))
    out = []
    for name in sorted(names - KNOWN):
        if '::' in name:
            *scopes, leaf = name.split('::')
            out.append('%s %s %s; %s' % (' '.join('namespace %s {' % s for s in scopes), keys.get(name, 'class'),
                                          leaf, '}' * len(scopes)))
        else:
            out.append('%s %s;' % (keys.get(name, 'class'), name))
    return out


def primary_base(info, classes):
    for _, text in info['members']:
        m = re.match(r'(?:class|struct) (\w+) \(primary base\)', text)
        if m and m.group(1) in classes:
            return m.group(1)
    return None


def emission_order(slots):
    """Overloads share the place of the first one declared, in the reverse order of their declaration (the
    Microsoft ABI's rule): each group of same-named slots is declared in reverse."""
    out, i = [], 0
    while i < len(slots):
        j = i
        while j < len(slots) and slots[j].name == slots[i].name:
            j += 1
        out.extend(reversed(slots[i:j]))
        i = j
    return out


def macro(name, lines):
    if not lines:
        return '#define %s\n' % name
    return '#define %s \\\n%s\n' % (name, ' \\\n'.join('    ' + l for l in lines))


def generate(release, abi_dir, out_dir, undname):
    classes = read_facts(os.path.join(abi_dir, '%s.md' % release))
    hand = set(l.strip() for l in open(os.path.join(abi_dir, 'hand_written.txt'))
               if l.strip() and not l.startswith('#'))
    imports, demangled = demangled_imports(os.path.join(abi_dir, 'imports-%s.txt' % release), undname)
    seen = set()
    macros, unimplemented, definitions = [], [], {dll: [] for dll in DLL_EXPORT}
    for cls, info in classes.items():
        if not info['tables']:
            continue
        base = primary_base(info, classes)
        inherited = len(classes[base]['tables'][0]) if base else 0
        primary = info['tables'][0]
        own = [s for s in primary[inherited:] if s.cls == cls]
        overriding = [s for t in info['tables'] for s in (t[:inherited] if t is primary else t)
                      if s.cls == cls and not s.destructor]

        def declare(slot, override):
            seen.add(slot.key)
            found = import_of(slot, imports)
            if found and not slot.pure:
                dll, access = found
                definitions[dll].append(slot.definition())
                return ['%s:' % access, slot.declaration(DLL_EXPORT[dll], override)]
            return ['public:', slot.declaration(None, override)]

        runs, run = [], []
        for slot in emission_order(own):
            if slot.key in hand or slot.destructor:
                seen.add(slot.key)
                runs.append(run)
                run = []
            else:
                run.extend(declare(slot, False))
        runs.append(run)
        for k, lines in enumerate(runs):
            macros.append(macro('STANDIN_SLOTS_%s_%d' % (cls, k), lines + (['public:'] if lines else [])))
        lines = []
        for slot in {s.key: s for s in overriding}.values():
            if slot.key in hand:
                seen.add(slot.key)
            else:
                lines.extend(declare(slot, True))
        macros.append(macro('STANDIN_OVERRIDES_%s' % cls, lines + (['public:'] if lines else [])))
        pure = [s for t in info['tables'] for s in t if s.pure and s.key not in hand]
        if pure:
            body = ['    %s' % s.declaration(None, True).replace(' = 0;', ' { StandinUnimplemented("%s::%s"); }'
                                                                   % (s.cls, s.name)).replace('virtual ', '')
                    for s in {s.key: s for s in pure}.values()]
            unimplemented.append('template <>\nclass Unimplemented<%s> : public %s {\npublic:\n%s\n};\n'
                                 % (cls, cls, '\n'.join(body)))
    missing = sorted(hand - seen)
    if missing:
        raise SystemExit('generate_slots.py: hand_written.txt names functions that %s.md has not: %s'
                         % (release, '; '.join(missing)))
    write(out_dir, 'include/standin_slots.h',
          '// Made by standin/maxsdk/abi/generate_slots.py from the ABI facts of 3ds Max %s: do not edit.\n'
          '#pragma once\n\n#include "standin_unimplemented.h"\n\n%s\n\n%s' % (
              release, '\n'.join(forward_declarations(classes, class_keys(demangled))), '\n'.join(macros)))
    write(out_dir, 'host/standin/unimplemented.h',
          '// Made by standin/maxsdk/abi/generate_slots.py from the ABI facts of 3ds Max %s: do not edit.\n'
          '// Unimplemented<I> is the interface I with each pure function that the stand-in does not use\n'
          '// given a body that ends the process, so that an implementation writes only what it uses.\n'
          '#pragma once\n\n#include "max.h"\n#include "iparamm2.h"\n\nnamespace standin {\n\n'
          'template <class Interface>\nclass Unimplemented;\n\n%s\n}  // namespace standin\n'
          % (release, '\n'.join(unimplemented)))
    for dll, defs in definitions.items():
        write(out_dir, 'src/%s_slots.cpp' % dll,
              '// Made by standin/maxsdk/abi/generate_slots.py from the ABI facts of 3ds Max %s: do not edit.\n'
              '// What %s.dll exports that the stand-in host does not implement.\n'
              '#include "max.h"\n#include "iparamm2.h"\n\n%s' % (release, dll, '\n'.join(defs)))


def write(out_dir, name, text):
    path = os.path.join(out_dir, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    old = open(path, encoding='utf-8').read() if os.path.exists(path) else None
    if old != text:
        with open(path, 'w', encoding='utf-8') as f:
            f.write(text)


if __name__ == '__main__':
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    generate(*sys.argv[1:])
