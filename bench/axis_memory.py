"""What an Axis made from Python costs in memory, for the Python benchmarks."""

import gc
import tracemalloc


def resident_bytes():
    with open("/proc/self/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) * 1024
    raise RuntimeError("no VmRSS in /proc/self/status")


def axis_memory(T, model, count=100_000):
    """(resident bytes per Axis made from Python and kept in a list, of which
    the Python objects' share, the list slot included)."""
    T.Axis(model, 1, "warm")
    gc.collect()
    before = resident_bytes()
    axes = [T.Axis(model, 3, "speed") for _ in range(count)]
    gc.collect()
    per_axis = (resident_bytes() - before) / count
    del axes
    gc.collect()
    tracemalloc.start()
    axes = [T.Axis(model, 3, "speed") for _ in range(count)]
    python_share = tracemalloc.get_traced_memory()[0] / count
    tracemalloc.stop()
    del axes
    return per_axis, python_share
