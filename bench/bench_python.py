"""Time of reading ax.Dimensions from Python, in ns per read.

    PYTHONPATH=build/python python3 bench/bench_python.py [-n READS] [-r REPEATS]

Prints the best of the repeats: through the attribute (what users write),
through the compiled session directly, and through the C++ host API with no
Python in the loop (the front end's own share is the difference).
"""

import argparse
import timeit

import quillon
from quillon import _quillon


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("-n", "--reads", type=int, default=200_000)
    parser.add_argument("-r", "--repeats", type=int, default=5)
    args = parser.parse_args()

    host = quillon.Host()
    host.load("mm_types_xb")
    T = host.package("Zorvan.metamodel.types")
    ax = T.Axis(host.package("Ozo").Model(), 3, "speed")
    session_get = quillon._runtime.session().get
    ref = ax._ref

    names = {"ax": ax, "get": session_get, "ref": ref}
    cases = {
        "python attribute ax.Dimensions": "ax.Dimensions",
        "python session get(ref, 'Dimensions')": "get(ref, 'Dimensions')",
    }
    for label, stmt in cases.items():
        assert eval(stmt, names) == 3
        best = min(timeit.repeat(stmt, globals=names, number=args.reads, repeat=args.repeats))
        print(f"{label}: {best / args.reads * 1e9:.0f} ns/op")
    best = min(_quillon._time_host_get(ref, "Dimensions", args.reads) for _ in range(args.repeats))
    print(f"C++ host API Host::get(ax, \"Dimensions\"): {best / args.reads * 1e9:.0f} ns/op")


if __name__ == "__main__":
    main()
