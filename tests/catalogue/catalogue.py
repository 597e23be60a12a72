#!/usr/bin/env python3
"""Keeps the published catalogue from changing unnoticed.

Asks qnhost for every package of the catalogue (`package --json`) and every
class in it (`describe --json`), and compares a digest of each answer with
the one recorded in catalogue.sha256 beside this file. A class whose
description changed, and a class that appeared or went, is named.

    catalogue.py QNHOST            compare (exit 1 on any difference)
    catalogue.py QNHOST --update   record the current catalogue
"""

import concurrent.futures
import hashlib
import json
import os
import subprocess
import sys

PACKAGES = ["Ozo", "Zorvan", "Zorvan.metamodel", "Zorvan.metamodel.foundation", "Zorvan.metamodel.types"]
RECORD = os.path.join(os.path.dirname(os.path.abspath(__file__)), "catalogue.sha256")


def ask(qnhost, *args):
    done = subprocess.run([qnhost, *args], capture_output=True, check=False)
    if done.returncode != 0:
        raise SystemExit(f"qnhost {' '.join(args)} failed ({done.returncode}): {done.stderr.decode(errors='replace')}")
    return done.stdout


def current(qnhost):
    """{entry: digest}: one entry per package and per class."""
    digests = {}
    classes = []
    for name in PACKAGES:
        text = ask(qnhost, "package", "--json", name)
        digests[f"package {name}"] = hashlib.sha256(text).hexdigest()
        classes += json.loads(text)["classes"]
    if len(set(classes)) != len(classes):
        raise SystemExit("a class is listed twice across the packages")
    workers = max(2, os.cpu_count() or 2)
    with concurrent.futures.ThreadPoolExecutor(workers) as pool:
        answers = pool.map(lambda c: ask(qnhost, "describe", "--json", c), classes)
        for name, text in zip(classes, answers):
            digests[f"class {name}"] = hashlib.sha256(text).hexdigest()
    return digests


def recorded():
    with open(RECORD, encoding="utf-8") as f:
        return dict(line.rstrip("\n").rsplit("  ", 1)[::-1] for line in f if line.strip())


def main():
    if len(sys.argv) not in (2, 3) or (len(sys.argv) == 3 and sys.argv[2] != "--update"):
        raise SystemExit(__doc__)
    now = current(sys.argv[1])
    if len(sys.argv) == 3:
        with open(RECORD, "w", encoding="utf-8") as f:
            for entry in sorted(now):
                f.write(f"{now[entry]}  {entry}\n")
        print(f"recorded {len(now)} entries in {RECORD}")
        return 0
    before = recorded()
    changed = sorted(e for e in now if e in before and now[e] != before[e])
    added = sorted(set(now) - set(before))
    gone = sorted(set(before) - set(now))
    for title, entries in (("changed", changed), ("new", added), ("gone", gone)):
        for e in entries:
            print(f"{title}: {e}")
    if changed or added or gone:
        print(f"The catalogue differs from {RECORD} in {len(changed) + len(added) + len(gone)} entries; "
              "if the change is meant, record it with --update.")
        return 1
    print(f"catalogue unchanged: {len(now)} entries")
    return 0


if __name__ == "__main__":
    sys.exit(main())
