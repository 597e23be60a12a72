"""Host objects in Python: classes, members, identity and release, errors."""

import gc
import os
import subprocess
import sys
import threading
import unittest

import quillon
from helpers import LIVE, HostTestCase, host, live_counts

TYPES = "Zorvan.metamodel.types"


class Classes(HostTestCase):
    def test_unknown_package_is_a_host_error(self):
        with self.assertRaises(quillon.HostError) as cm:
            host.package("NoSuch.package")
        self.assertEqual(cm.exception.message, 'Unknown package "NoSuch.package".')
        self.assertIsInstance(cm.exception, RuntimeError)

    def test_package_members(self):
        T = self.types()
        self.assertIs(host.package("Zorvan").metamodel.types, T)
        self.assertIs(T.Axis, T.Axis)
        self.assertIn("Axis", dir(T))
        self.assertIn("MetaPackage", dir(T))
        with self.assertRaises(AttributeError):
            T.NoSuchClass
        self.assertIsNotNone(T.MetaPackage())

    def test_construct_and_read(self):
        ax = self.axis(3, "speed")
        self.assertEqual(quillon.class_of(ax), f"{TYPES}.Axis")
        self.assertIsInstance(ax, self.types().Axis)
        self.assertEqual(repr(ax), f"<Axis 'speed' in {ax.getModel().Name}>")
        self.assertIn("Dimensions", dir(ax))
        self.assertNotIn("__init__", dir(ax))
        with self.assertRaises(TypeError):
            quillon.class_of(3)

    def test_methods_static_and_through_the_class(self):
        T = self.types()
        ax = self.axis()
        meta = ax.getMetaType()
        self.assertIs(T.ImmutableAxis.getMetaType(ax), meta)
        self.assertIs(T.ImmutableAxis.MetaClass(), meta)
        iax = T.ImmutableAxis.cast(ax)
        self.assertEqual(quillon.class_of(iax), f"{TYPES}.ImmutableAxis")
        self.assertIsNot(iax, ax)
        self.assertIs(T.ImmutableAxis.cast(ax), iax)
        self.assertNotIsInstance(iax, T.Axis)
        self.assertIsNone(T.ImmutableAxis.cast(None))
        with self.assertRaises(quillon.HostError):
            T.ImmutableAxis.getMetaType(None)  # the host, not Python, refuses it

    def test_bases_python_cannot_order_fall_back(self):
        def cls(name, *bases):
            return quillon.HostClass(name, bases or (quillon.Object,), {"__slots__": ()})

        consistent = quillon._classes._consistent_bases
        a = cls("A")
        b = cls("B", a)
        # A base listed before its own subclass: the subclass keeps it.
        self.assertEqual(consistent([a, b]), (b,))
        c = cls("C")
        x, y = cls("X", a, c), cls("Y", c, a)
        # Two orders of the same pair: the first in host order wins.
        self.assertEqual(consistent([x, y]), (x,))
        self.assertEqual(consistent([y, b, x]), (y, b))


class CompiledMembers(HostTestCase):
    """Properties and methods are compiled descriptors that call the host
    directly; everything around the call must behave as Python's own."""

    def test_members_bound_or_looked_up_behave_like_python_ones(self):
        T, ax = self.types(), self.axis(3, "speed")
        prop = T.Axis.__dict__["Dimensions"]
        self.assertIs(T.Axis.Dimensions, prop)
        self.assertEqual(prop.__doc__, "Dimensions: int (int32 scalar)")
        ax.Name = "other"
        self.assertEqual((ax.Dimensions, ax.Name), (3, "other"))
        bound = ax.getMetaType  # kept, then called: a bound method
        self.assertIs(bound(), ax.getMetaType())
        self.assertEqual(bound.__name__, "getMetaType")
        self.assertIs(bound.__self__, ax)

    def test_misuse_gives_python_errors_and_changes_nothing(self):
        T, ax = self.types(), self.axis(3, "speed")
        with self.assertRaises(AttributeError):
            ax.NoSuchMember
        with self.assertRaises(AttributeError):
            ax.NoSuchMember = 1
        with self.assertRaises(AttributeError):
            del ax.Dimensions
        with self.assertRaises(TypeError):
            ax.getMetaType(other=1)
        with self.assertRaises(TypeError):
            T.Axis.__dict__["getMetaType"]()  # no object to call it on
        # A wrapper made by hand has no host object behind it.
        bare = object.__new__(T.Axis)
        with self.assertRaises(AttributeError):
            bare.Dimensions
        with self.assertRaises(AttributeError):
            bare.Dimensions = 1
        with self.assertRaises(AttributeError):
            bare.getMetaType()
        self.assertEqual(ax.Dimensions, 3)


class IdentityAndRelease(HostTestCase):
    def test_dropping_the_last_reference_releases_the_host_object(self):
        before = live_counts()
        m = self.model()
        axes = [self.types().Axis(m, i, f"a{i}") for i in range(5)]
        during = live_counts()
        self.assertEqual(during["host objects"] - before["host objects"], 6)
        self.assertGreaterEqual(during["model objects"] - before["model objects"], 6)
        del m
        gc.collect()
        # The axes keep their model alive.
        self.assertEqual(live_counts()["model objects"], during["model objects"])
        self.assertEqual(axes[0].Dimensions, 0)
        del axes
        counts = live_counts()
        for name in ("host objects", "bindings", "model objects"):
            self.assertEqual(counts[name], 0, name)
        self.assertEqual(set(LIVE) - set(quillon.counters()), set())

    def test_a_dead_wrapper_never_stands_for_a_new_object(self):
        # Host objects made and dropped in turn tend to reuse the memory, and
        # so the identity, of the one before: each gets a wrapper of its own
        # class holding its own values, never the dead one's.
        T, m = self.types(), self.model()
        for i in range(300):
            ax = T.Axis(m, i, "a")
            self.assertEqual(ax.Dimensions, i)
            del ax
            dim = T.Dimension(m, f"d{i}")
            self.assertIs(type(dim), T.Dimension)
            self.assertEqual(str(dim.Name), f"d{i}")
            del dim
        # A wrapper that goes while its host object lives on: the next one is
        # new, and stands for that same object.
        ax = T.Axis(m, 7, "kept")
        iax = T.ImmutableAxis.cast(ax)
        del ax
        gc.collect()
        again = T.Axis.cast(iax)
        self.assertEqual(again.Dimensions, 7)
        self.assertIs(T.Axis.cast(iax), again)

    def test_wrappers_are_found_again_after_many_others_went(self):
        # Thousands of live wrappers, two of every three dropped in an order
        # unlike the one they were made in: each survivor is still the one
        # wrapper of its object, and a dropped one's object gets a new one.
        T, m = self.types(), self.model()
        table = T.LookupTableType(m)
        axes = [T.Axis(m, i, "a") for i in range(3000)]
        for ax in axes:
            table.Axes.append(ax)
        for i in sorted(range(3000), key=lambda i: (i * 7919) % 3000):
            if i % 3:
                axes[i] = None
        gc.collect()
        for i in range(3000):
            again = table.Axes[i]
            if i % 3 == 0:
                self.assertIs(again, axes[i])
            self.assertEqual(again.Dimensions, i)
            self.assertIs(table.Axes[i], again)

    def test_two_threads_get_one_wrapper(self):
        # Each round makes a host object no Python object stands for yet, and
        # two threads ask for its wrapper at once.
        T = self.types()
        ax = self.axis()
        old_interval = sys.getswitchinterval()
        sys.setswitchinterval(1e-6)
        try:
            barrier = threading.Barrier(2, timeout=10)
            rounds, seen, failures = 1000, [[], []], []

            def work(k):
                try:
                    for _ in range(rounds):
                        barrier.wait()
                        seen[k].append(T.ImmutableAxis.cast(ax))
                        barrier.wait()
                        if k == 0:
                            if seen[0][-1] is not seen[1][-1]:
                                failures.append(1)
                            seen[0].clear()
                            seen[1].clear()
                        barrier.wait()
                except threading.BrokenBarrierError:
                    pass

            threads = [threading.Thread(target=work, args=(k,)) for k in (0, 1)]
            for t in threads:
                t.start()
            for t in threads:
                t.join(60)
            self.assertFalse(any(t.is_alive() for t in threads))
        finally:
            sys.setswitchinterval(old_interval)
        self.assertFalse(barrier.broken)
        self.assertEqual(len(failures), 0, f"{len(failures)} of {rounds} rounds made two wrappers")


REIMPORT = """
import sys
import quillon

host = quillon.Host()
host.load("mm_types_xb")
T = host.package("Zorvan.metamodel.types")
m = host.package("Ozo").Model()
ax = T.Axis(m, 1, "a")
for forget in (["quillon"], [n for n in sys.modules if n.split(".")[0] == "quillon"]):
    for name in forget:
        del sys.modules[name]
    import quillon as again
    T2 = again.Host().package("Zorvan.metamodel.types")
    ax2 = T2.Axis(m, 2, "b")  # an older object as an argument
    assert T2.ImmutableAxis.cast(ax) is T.ImmutableAxis.cast(ax)
    assert isinstance(ax2, T.Axis) and ax2.getMetaType() is ax.getMetaType()
    try:
        ax2.Dimensions = "x"
    except quillon.ArgumentError:
        pass
    import quillon._classes as classes
    assert classes.Object is quillon.Object
print("same package")
"""


class ImportedAgain(unittest.TestCase):
    def test_objects_stay_usable_after_importing_again(self):
        # A process of its own: it takes the package out of sys.modules.
        result = subprocess.run([sys.executable, "-c", REIMPORT], env=dict(os.environ),
                                capture_output=True, text=True, timeout=120)
        self.assertEqual((result.returncode, result.stdout.strip()), (0, "same package"),
                         result.stderr)


if __name__ == "__main__":
    unittest.main()
