#!/usr/bin/env python3
"""Writes the dynamic list of a shared library: the data symbols its objects
define, except vtables and typeinfo.

A library linked with this list binds every reference to its own functions,
vtables and typeinfo when it is linked; only the listed data stays
interposable, so that a program linking the library shares one copy of each
datum with it (the static data of templates and inline functions, the
library's own globals). Copies of a vtable or a typeinfo are harmless: the
C++ runtime tells types apart by their names.

usage: dynamic_list.py NM OUTPUT OBJECT...
"""
import subprocess
import sys

DATA_TYPES = set("BDGRSVu")
LOCAL_PREFIXES = ("_ZTV", "_ZTI", "_ZTS")


def data_symbols(nm, objects):
    names = set()
    # A few hundred objects per call keeps the command line short.
    for start in range(0, len(objects), 200):
        out = subprocess.run([nm, "-g", "--defined-only", "-P", *objects[start:start + 200]],
                             check=True, capture_output=True, text=True).stdout
        for line in out.splitlines():
            fields = line.split()
            if len(fields) >= 2 and fields[1] in DATA_TYPES and not fields[0].startswith(LOCAL_PREFIXES):
                names.add(fields[0])
    return sorted(names)


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    nm, output, objects = argv[0], argv[1], argv[2:]
    text = "{\n" + "".join(f"  {name};\n" for name in data_symbols(nm, objects)) + "};\n"
    try:
        with open(output) as f:
            if f.read() == text:
                return  # unchanged: the library need not be linked again
    except OSError:
        pass
    with open(output, "w") as f:
        f.write(text)


if __name__ == "__main__":
    main(sys.argv[1:])
