"""Python against a bare pybind11 binding, in one process, in ns per operation.

    PYTHONPATH=build/python python3 bench/bench_python.py [-n CALLS] [-r REPEATS]

Budgets: an attribute read at most 2 times, a write at most 2.5 times, and a
method call with two scalar arguments at most 2.5 times the same operation on
a plain C++ struct bound with pybind11 (the _baseline module the benchmark
build makes). Each figure is the fastest of the repeats: on a shared machine
timings only gain noise. The C++ host API's own read is printed too, without
Python in the loop (the front end's share is the difference).

Memory: an Axis made from Python (element, binding and Python wrapper) costs
at most 600 bytes, as the process's resident size grows over 100,000 of
them; the Python objects' share is counted by tracemalloc (bench_memory
reports the C++ parts).
"""

import argparse
import timeit

import _baseline
from axis_memory import axis_memory
import quillon
from quillon import _quillon


def best(stmt, names, calls, repeats):
    return min(timeit.repeat(stmt, globals=names, number=calls, repeat=repeats)) / calls * 1e9


def memory(T, model):
    per_axis, python_share = axis_memory(T, model)
    print(f"memory: {per_axis:.0f} bytes per Axis made from Python (resident; budget 600), "
          f"of which the Python objects {python_share:.0f}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("-n", "--calls", type=int, default=200_000)
    parser.add_argument("-r", "--repeats", type=int, default=7)
    parser.add_argument("--no-memory", action="store_true", help="skip the memory figure")
    args = parser.parse_args()

    host = quillon.Host()
    host.load("mm_types_xb")
    T = host.package("Zorvan.metamodel.types")
    model = host.package("Ozo").Model()
    ax = T.Axis(model, 3, "speed")
    exponents = T.Dimension(model, "length").BaseExponent
    exponents.extend([1, 0, 0])
    plain = _baseline.Plain()
    names = {"ax": ax, "exponents": exponents, "plain": plain}

    rows = [
        ("attribute read", "ax.Dimensions", "plain.Dimensions", 2.0),
        ("attribute write", "ax.Dimensions = 4", "plain.Dimensions = 4", 2.5),
        ("method, two scalars", "exponents.replace(2, 5)", "plain.replace(2, 5)", 2.5),
    ]
    for label, ours, floor, budget in rows:
        host_ns = best(ours, names, args.calls, args.repeats)
        floor_ns = best(floor, names, args.calls, args.repeats)
        ratio = host_ns / floor_ns
        print(f"{label}: {host_ns:.0f} ns, pybind11 {floor_ns:.0f} ns, {ratio:.2f}x "
              f"(budget {budget}x{'' if ratio <= budget else ', over'})")
    cpp = min(_quillon._time_host_get(ax, "Dimensions", args.calls) for _ in range(args.repeats))
    print(f"C++ host API Host::get(ax, \"Dimensions\"): {cpp / args.calls * 1e9:.0f} ns")
    if not args.no_memory:
        memory(T, model)


if __name__ == "__main__":
    main()
