#!/usr/bin/python3
"""Reads fault lists and places one fault at a time (helper of scripts/faults.sh).

A fault list is a tab-separated text, one fault a line:
    id <TAB> module <TAB> file <TAB> old text <TAB> new text
'#' starts a comment line; blank lines are skipped. `module` names the test binary
(test_<module>) that must catch the fault, `file` is relative to the tree's root, and
`old text` must occur exactly once in that file. In both texts \\t, \\n and \\\\ stand for
a tab, a line break and a backslash; an empty new text deletes the old one.

    faults.py list ROOT [--module M]... LIST...   check every fault, print id/module/file
    faults.py apply ROOT ID LIST...               place fault ID into ROOT
"""
import sys


def unescape(s):
    out, k = [], 0
    while k < len(s):
        c = s[k]
        if c == '\\' and k + 1 < len(s) and s[k + 1] in 'tn\\':
            out.append({'t': '\t', 'n': '\n', '\\': '\\'}[s[k + 1]])
            k += 2
        else:
            out.append(c)
            k += 1
    return ''.join(out)


def read_lists(paths):
    faults, seen, bad = [], {}, []
    for path in paths:
        with open(path, encoding='latin-1') as f:  # byte for byte, like the sources
            for n, line in enumerate(f, 1):
                line = line.rstrip('\n').rstrip('\r')
                if not line.strip() or line.lstrip().startswith('#'):
                    continue
                cols = line.split('\t')
                where = f'{path}:{n}'
                if len(cols) != 5 or not all(cols[:4]):
                    bad.append(f'{where}: expected 5 tab-separated fields (id, module, file, old, new)')
                    continue
                fid, module, file, old, new = cols
                if fid in seen:
                    bad.append(f'{where}: id {fid} already used at {seen[fid]}')
                    continue
                seen[fid] = where
                faults.append(dict(id=fid, module=module, file=file, old=unescape(old),
                                   new=unescape(new), where=where))
    return faults, bad


def check(root, fault):
    """Returns the file text and an error text (empty when the fault can be placed)."""
    try:
        with open(f"{root}/{fault['file']}", encoding='latin-1', newline='') as f:
            text = f.read()
    except OSError as e:
        return None, f"{fault['where']}: {fault['id']}: cannot read {fault['file']}: {e.strerror}"
    count = text.count(fault['old'])
    if count != 1:
        return None, (f"{fault['where']}: {fault['id']}: old text found {count} times in "
                      f"{fault['file']} (must be exactly once): {fault['old']!r}")
    if fault['old'] == fault['new']:
        return None, f"{fault['where']}: {fault['id']}: old and new text are the same"
    return text, ''


def main(argv):
    if len(argv) < 3 or argv[0] not in ('list', 'apply'):
        sys.stderr.write(__doc__)
        return 2
    cmd, root, rest = argv[0], argv[1], argv[2:]
    if cmd == 'list':
        modules, lists = [], []
        k = 0
        while k < len(rest):
            if rest[k] == '--module' and k + 1 < len(rest):
                modules.append(rest[k + 1])
                k += 2
            else:
                lists.append(rest[k])
                k += 1
        faults, bad = read_lists(lists)
        faults = [f for f in faults if not modules or f['module'] in modules]
        for f in faults:
            _, err = check(root, f)
            if err:
                bad.append(err)
        if bad:
            sys.stderr.write('\n'.join(bad) + '\n')
            return 1
        for f in faults:
            print(f"{f['id']}\t{f['module']}\t{f['file']}")
        return 0
    fid, lists = rest[0], rest[1:]
    faults, bad = read_lists(lists)
    match = [f for f in faults if f['id'] == fid]
    if bad or len(match) != 1:
        sys.stderr.write('\n'.join(bad or [f'no fault {fid}']) + '\n')
        return 1
    text, err = check(root, match[0])
    if err:
        sys.stderr.write(err + '\n')
        return 1
    with open(f"{root}/{match[0]['file']}", 'w', encoding='latin-1', newline='') as f:
        f.write(text.replace(match[0]['old'], match[0]['new'], 1))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
