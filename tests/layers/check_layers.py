#!/usr/bin/env python3
# Holds every #include of the sources to the layering rules: a core file
# may include its own layer and every layer it reaches, never Qt; only
# core/platform includes operating-system headers. Each LAYER:USED,... names
# a core layer and the layers it uses directly, lowest first.
import os
import re
import sys
import tempfile

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_SUFFIXES = ('.h', '.hpp', '.cpp', '.cc', '.in')
# Headers of the operating system (POSIX and Windows), by name or folder.
SYSTEM_HEADERS = set('''unistd.h fcntl.h dirent.h pwd.h grp.h spawn.h poll.h termios.h dlfcn.h
    elf.h link.h pthread.h semaphore.h syslog.h netdb.h utime.h glob.h fnmatch.h ftw.h libgen.h
    iconv.h langinfo.h windows.h winbase.h winreg.h winnls.h shlobj.h shellapi.h io.h direct.h
    process.h tchar.h'''.split())
SYSTEM_FOLDERS = ('sys/', 'linux/', 'arpa/', 'netinet/', 'mach/', 'mach-o/', 'asm/', 'bits/')
QT = re.compile(r'^(Q[A-Za-z]|Qt|qt)')


def parse_layers(declarations):
    uses = {}
    for declaration in declarations:
        layer, _, used = declaration.partition(':')
        uses[layer] = [u for u in used.split(',') if u]
    reach = {}
    for layer in uses:  # lowest first, so every used layer is already done
        reach[layer] = set()
        for used in uses[layer]:
            reach[layer] |= {used} | reach.get(used, set())
    return reach


def fault(layer, angled, header, reach):
    """What is wrong with one #include in a file of `layer` (None outside the core)."""
    if angled and (header in SYSTEM_HEADERS or header.startswith(SYSTEM_FOLDERS)):
        return None if layer == 'platform' else 'only the platform layer includes system headers'
    if layer is None:
        return None
    if angled:
        return 'the core knows no Qt' if QT.match(header) else None
    owner = header.split('/')[0] if '/' in header else None
    if owner is None:
        return f'name the header with its layer ("{layer}/...")'
    if owner not in reach:
        return f'{owner} is not a core layer'
    if owner != layer and owner not in reach.get(layer, set()):
        return f'layer {layer} does not use {owner}'
    return None


def check(src, reach):
    core = os.path.join(src, 'core')
    faults = [f'core/{name}: a folder that is no declared layer'
              for name in sorted(os.listdir(core))
              if os.path.isdir(os.path.join(core, name)) and name not in reach]
    for root, _, files in os.walk(src):
        parts = os.path.relpath(root, src).split(os.sep)
        layer = parts[1] if parts[0] == 'core' and len(parts) > 1 else None
        for file in sorted(f for f in files if f.endswith(SOURCE_SUFFIXES)):
            path = os.path.join(root, file)
            with open(path, encoding='utf-8', errors='replace') as f:
                for line, text in enumerate(f, 1):
                    m = INCLUDE.match(text)
                    wrong = m and fault(layer, m.group(1) == '<', m.group(2), reach)
                    if wrong:
                        where = os.path.relpath(path, src)
                        faults.append(f'{where}:{line}: #include {m.group(2)}: {wrong}')
    return faults


def self_test():
    files = {
        'core/platform/file.cpp': '#include <unistd.h>\n#include "platform/file.h"\n',
        'core/text/codec.cpp': '#include "platform/file.h"\n#include "tag/tag.h"\n',
        'core/tag/tag.cpp': '#include <QString>\n#include <sys/stat.h>\n#include "codec.h"\n',
        'core/tag/uses_app.cpp': '#include "app/window.h"\n',
        'core/extra/x.cpp': '\n',
        'app/window.cpp': '#include <QWidget>\n#include <fcntl.h>\n#include "tag/tag.h"\n',
    }
    expected = [
        'core/extra: a folder that is no declared layer',
        'app/window.cpp:2: #include fcntl.h: only the platform layer includes system headers',
        'core/tag/tag.cpp:1: #include QString: the core knows no Qt',
        'core/tag/tag.cpp:2: #include sys/stat.h: only the platform layer includes system headers',
        'core/tag/tag.cpp:3: #include codec.h: name the header with its layer ("tag/...")',
        'core/tag/uses_app.cpp:1: #include app/window.h: app is not a core layer',
        'core/text/codec.cpp:2: #include tag/tag.h: layer text does not use tag',
    ]
    with tempfile.TemporaryDirectory() as src:
        for name, text in files.items():
            os.makedirs(os.path.dirname(os.path.join(src, name)), exist_ok=True)
            with open(os.path.join(src, name), 'w', encoding='utf-8') as f:
                f.write(text)
        found = sorted(check(src, parse_layers(['platform:', 'text:platform', 'tag:text'])))
    print('the check found:\n  ' + '\n  '.join(found))
    return 0 if found == sorted(expected) else 1


def main(argv):
    if argv[1:] == ['--self-test']:
        return self_test()
    faults = check(argv[1], parse_layers(argv[2:]))
    print('\n'.join(faults) or f'{len(argv) - 2} layers, every include where it may be')
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
