#!/usr/bin/env python3
"""Compares the ABI facts of the stand-in's SDK (as abi_facts.py prints them from clang's layout dumps of the probe)
with the real SDK's facts of the same release, and names every difference: a class's size or alignment, a vftable's
length or one of its slots, a member that is not at its real offset. A member of the stand-in whose name begins with
"reserved" or "standin" holds bytes whose real members neither the product nor the stand-in uses: the real members
that lie in them are not compared. Empty bases are not compared either.

Usage: compare_abi.py EXPECTED.md FOUND.md; exit 1 on a difference."""
import re
import sys


def read(path):
    classes, current, table = {}, None, None
    for line in open(path, encoding='utf-8'):
        head = re.match(r'## (\w+) — sizeof (\d+), alignof (\d+)', line)
        if head:
            current = classes[head.group(1)] = {'size': int(head.group(2)), 'align': int(head.group(3)),
                                                'members': [], 'tables': []}
            table = None
        elif current is None:
            continue
        elif re.match(r'\s+vftable of the \w+ subobject', line):
            table = []
            current['tables'].append((line.split('vftable of the ')[1].split(' subobject')[0], table))
        else:
            row = re.match(r'\s+(\d+) \| (.*)$', line)
            if row and table is None:
                current['members'].append((int(row.group(1)), row.group(2).replace('std::__1::', 'std::')))
            elif row:
                table.append(row.group(2))
    return classes


def placeholder(text):
    name = text.split()[-1] if text.split() else ''
    return name.startswith(('reserved', 'standin'))


def compare_members(cls, expected, found, size):
    faults = []
    found = [(off, text) for off, text in found if '(empty)' not in text]
    spans = []
    for i, (off, text) in enumerate(found):
        end = found[i + 1][0] if i + 1 < len(found) else size
        if placeholder(text):
            spans.append((off, end))
    found_text = dict(found)
    for off, text in expected:
        if '(empty)' in text or any(start <= off < end for start, end in spans):
            continue
        if found_text.get(off) != text:
            faults.append('%s: member "%s" at offset %d, found %s' % (
                cls, text, off, '"%s"' % found_text[off] if off in found_text else 'nothing there'))
    expected_text = dict(expected)
    for off, text in found:
        if not placeholder(text) and expected_text.get(off) != text and off not in expected_text:
            faults.append('%s: member "%s" at offset %d, where the real class has none' % (cls, text, off))
    return faults


def compare(expected, found):
    faults = []
    for cls, want in expected.items():
        have = found.get(cls)
        if have is None:
            faults.append('%s: not in the stand-in' % cls)
            continue
        if (want['size'], want['align']) != (have['size'], have['align']):
            faults.append('%s: sizeof %d, alignof %d expected, found %d, %d' % (
                cls, want['size'], want['align'], have['size'], have['align']))
        faults += compare_members(cls, want['members'], have['members'], have['size'])
        if len(want['tables']) != len(have['tables']):
            faults.append('%s: %d vftables expected, found %d' % (cls, len(want['tables']), len(have['tables'])))
        for (sub, slots), (_, got) in zip(want['tables'], have['tables']):
            if len(slots) != len(got):
                faults.append('%s: the vftable of its %s subobject has %d slots, found %d' % (
                    cls, sub, len(slots), len(got)))
            for i, (a, b) in enumerate(zip(slots, got)):
                if a != b:
                    faults.append('%s: slot %d of the vftable of its %s subobject is "%s", found "%s"' % (
                        cls, i, sub, a, b))
    return faults


def main(expected_path, found_path):
    faults = compare(read(expected_path), read(found_path))
    for fault in faults:
        print(fault)
    print('%s: %s' % (found_path, '%d differences from %s' % (len(faults), expected_path) if faults
                      else 'the same binary interface as %s' % expected_path))
    return 1 if faults else 0


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
