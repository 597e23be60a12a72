"""Bulk work at scale from Python, against a Python list in the same run.

    PYTHONPATH=build/python python3 bench/bench_scale.py [--large] [--quick] [ROW]...

For each row: the sizes, the time at each, the growth exponent (log of the
time ratio over log of the size ratio: 1 is linear), the cost per item, the
list's figure and the ratio, and the goal. Exits with 1 when a goal is
missed. Sizes are 1e4 and 1e5; --large adds 1e6 where the row is linear
work. Each time is the fastest of a few runs: timings on a shared machine
only gain noise. Rows named (memory create walk search pop delete) run
alone. The C++ rows are in bench_scale.cpp (build/bin/bench_scale).
"""

import argparse
import gc
import math
import sys
import time

import quillon
from axis_memory import axis_memory, resident_bytes

missed = []


def verdict(what, met):
    print(f"  {what:<58} {'met' if met else 'NOT MET'}")
    if not met:
        missed.append(what)


def fastest(runs, timed):
    return min(timed() for _ in range(runs))


def clocked(fn):
    t0 = time.perf_counter()
    fn()
    return time.perf_counter() - t0


class Row:
    def __init__(self, name, sizes):
        self.name, self.sizes, self.ours, self.peer = name, list(sizes), [], []
        self.peer_name = "list"

    def per_item(self, i):
        return self.ours[i] / self.sizes[i]

    def growth(self):
        return self.per_item(-1) / self.per_item(0)

    def peer_growth(self):
        return (self.peer[-1] / self.sizes[-1]) / (self.peer[0] / self.sizes[0])

    def print(self):
        print(self.name)
        for i, n in enumerate(self.sizes):
            line = f"  n={n:<8} {self.ours[i] * 1e3:10.2f} ms {self.per_item(i) * 1e9:10.1f} ns/item"
            if self.peer:
                line += (f"   {self.peer_name} {self.peer[i] / n * 1e9:8.1f} ns/item"
                         f"  ratio {self.ours[i] / self.peer[i]:6.2f}")
            print(line)
        exponent = math.log(self.ours[-1] / self.ours[0]) / math.log(self.sizes[-1] / self.sizes[0])
        print(f"  growth exponent {exponent:.2f}, per item at largest / smallest {self.growth():.2f}")


class Bench:
    def __init__(self, sizes, large_sizes, runs):
        self.host = quillon.Host()
        self.host.load("mm_types_xb")
        self.T = self.host.package("Zorvan.metamodel.types")
        self.Model = self.host.package("Ozo").Model
        self.sizes, self.large, self.runs = sizes, large_sizes, runs

    def create(self):
        T = self.T

        class Plain:  # the peer: a Python object with the same two fields
            __slots__ = ("dimensions", "name")

            def __init__(self, dimensions, name):
                self.dimensions, self.name = dimensions, name

        row = Row("create an Axis from Python (T.Axis(model, 3, 'speed'), kept in a list)", self.large)
        row.peer_name = "Plain"
        for n in self.large:
            def timed():
                model = self.Model()
                t = clocked(lambda: [T.Axis(model, 3, "speed") for _ in range(n)])
                return t
            row.ours.append(fastest(self.runs, timed))
            row.peer.append(fastest(self.runs, lambda: clocked(lambda: [Plain(3, "speed") for _ in range(n)])))
        row.print()
        # Python's own objects grow with n on their own (memory, collector):
        # what the host adds over them must stay linear.
        added = [(row.ours[i] - row.peer[i]) / n for i, n in enumerate(row.sizes)]
        print(f"  the peer's own growth (a Python object with __slots__): {row.peer_growth():.2f}; "
              f"what the host adds: {added[0] * 1e9:.0f} -> {added[-1] * 1e9:.0f} ns, growth {added[-1] / added[0]:.2f}")
        verdict("Python create at most 1.5 us", row.per_item(-1) <= 1.5e-6)
        verdict("Python create: what the host adds linear (at most 1.2)", added[-1] / added[0] <= 1.2)

    def walk(self):
        T = self.T
        for kind in ("strings", "elements"):
            row = Row(f"for x in seq, {kind}", self.large)
            for n in self.large:
                model = self.Model()
                if kind == "strings":
                    seq = T.Axis(model, 3, "a").SymbolicDimensions
                    seq.extend(f"s{i}" for i in range(n))
                else:
                    seq = T.LookupTableType(model).Axes
                    seq.extend(T.Axis(model, 3, "a") for _ in range(n))
                plain = list(seq)
                row.ours.append(fastest(self.runs, lambda: clocked(lambda: [None for _ in seq])))
                row.peer.append(fastest(self.runs, lambda: clocked(lambda: [None for _ in plain])))
                del seq, plain, model
                gc.collect()
            row.print()
            verdict(f"walk of {kind} at most 150 ns per item", row.per_item(-1) <= 150e-9)
            verdict(f"walk of {kind} linear (at most 1.2)", row.growth() <= 1.2)

    def search(self):
        T = self.T
        for what, stmt in (("x in seq", lambda s, x: x in s), ("seq.count(x)", lambda s, x: s.count(x)),
                           ("seq.index(x)", lambda s, x: s.index(x))):
            row = Row(f"{what} on a list of integers, the value found last (a full scan)", self.large)
            for n in self.large:
                model = self.Model()
                seq = T.Dimension(model, "d").BaseExponent
                seq.extend(range(n))
                plain = list(seq)
                probe = n - 1
                row.ours.append(fastest(self.runs, lambda: clocked(lambda: stmt(seq, probe))))
                row.peer.append(fastest(self.runs, lambda: clocked(lambda: stmt(plain, probe))))
            row.print()
            verdict(f"{what}: scan at most 10 ns per item", row.per_item(-1) <= 10e-9)
        # A unique list keeps an ordered index: a lookup must not walk.
        kind = T.DataSizeUnitKind.Bit()
        for what, stmt in (("x in seq", lambda s, x: x in s), ("seq.count(x)", lambda s, x: s.count(x)),
                           ("seq.index(x)", lambda s, x: s.index(x))):
            row = Row(f"{what} on a unique list of DataSize (makeUnique), value found", [1000, 100_000])
            for n in row.sizes:
                model = self.Model()
                seq = T.SequenceOfDataSize.makeUnique(model)
                seq.extend(T.DataSize(i, kind) for i in range(n))
                probe = T.DataSize(n // 2, kind)
                row.ours.append(fastest(self.runs, lambda: clocked(lambda: stmt(seq, probe))))
            row.print()
            ratio = row.ours[-1] / row.ours[0]
            verdict(f"{what}: 1e5 items at most 3 times 1e3 (ordered index)", ratio <= 3)

    def pop_front(self):
        for what, stmt in (("pop(0)", lambda s: s.pop(0)), ("del seq[0]", lambda s: s.__delitem__(0))):
            row = Row(f"{what} until empty, a list of integers", self.sizes)
            for n in self.sizes:
                def ours():
                    seq = self.T.Dimension(self.Model(), "d").BaseExponent
                    seq.extend(range(n))
                    return clocked(lambda: [stmt(seq) for _ in range(n)])

                def peer():
                    plain = list(range(n))
                    return clocked(lambda: [stmt(plain) for _ in range(n)])
                row.ours.append(fastest(self.runs, ours))
                row.peer.append(fastest(self.runs, peer))
            row.print()
            verdict(f"{what}: at most twice a Python list",
                    all(o <= 2 * p for o, p in zip(row.ours, row.peer)))

    def delete_model(self):
        T = self.T
        row = Row("delete a model of n Axis elements made from Python (del model)", self.large)
        before_rss = None
        for n in self.large:
            def timed():
                model = self.Model()
                for _ in range(n):
                    T.Axis(model, 3, "a")
                gc.collect()
                holder = [model]
                del model
                return clocked(lambda: holder.clear())
            gc.collect()
            before_rss = resident_bytes() if before_rss is None else before_rss
            row.ours.append(fastest(self.runs, timed))
        gc.collect()
        after_rss = resident_bytes()
        row.print()
        verdict("delete at most 0.15 us per element", row.per_item(-1) <= 0.15e-6)
        verdict("delete linear (at most 1.2)", row.growth() <= 1.2)
        grown = after_rss / before_rss
        print(f"  resident after / before the rows: {grown:.3f}")
        verdict("memory comes back (resident within 10%)", grown <= 1.10)
        counts = dict(self.host.counters())
        print(f"  live counters now: {counts}")

    def memory(self, count=100_000):
        per_axis, python_share = axis_memory(self.T, self.Model(), count)
        print(f"memory: {per_axis:.0f} B per Axis made from Python (resident), "
              f"of which the Python objects {python_share:.0f} B (list slot included)")
        verdict("Axis from Python at most 400 B", per_axis <= 400)


# Row names on the command line and the part each runs, in running order.
ROWS = {"memory": "memory", "create": "create", "walk": "walk", "search": "search",
        "pop": "pop_front", "delete": "delete_model"}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--large", action="store_true", help="add 1e6 to the linear rows")
    parser.add_argument("--quick", action="store_true", help="one run per figure")
    parser.add_argument("rows", nargs="*", metavar="ROW", help="only these rows: " + " ".join(ROWS))
    args = parser.parse_args()
    unknown = [r for r in args.rows if r not in ROWS]
    if unknown:
        parser.error(f"unknown row {unknown[0]!r} (rows: {' '.join(ROWS)})")
    sizes = [10_000, 100_000]
    b = Bench(sizes, sizes + ([1_000_000] if args.large else []), 1 if args.quick else 3)
    # Memory first: later rows leave freed pages the allocator would reuse.
    for name, part in ROWS.items():
        if args.rows and name not in args.rows:
            continue
        getattr(b, part)()
        sys.stdout.flush()
    print("\nsome goals are NOT MET" if missed else "\nall goals met")
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
