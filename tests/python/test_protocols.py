"""Python protocols served by host methods: comparison, str(), sequences."""

import collections.abc as abc
import unittest

import quillon
from helpers import HostTestCase


class Comparisons(HostTestCase):
    def test_eq_ne_call_the_host_and_python_values_are_never_equal(self):
        ax = self.axis()
        iax = self.types().ImmutableAxis.cast(ax)
        # Two views of one element: different host objects, equal for the host.
        self.assertIsNot(ax, iax)
        self.assertTrue(ax == iax)
        self.assertFalse(ax != iax)
        other = self.types().Axis(self.model(), 1, "other")
        self.assertFalse(ax == other)
        self.assertTrue(ax != other)
        self.assertFalse(ax == 3)
        self.assertTrue(ax != "speed")
        with self.assertRaises(TypeError):
            ax < ax  # the host has no ordering for it
        self.assertEqual(str(ax), ax.toString())


class Sequences(HostTestCase):
    def filled(self, *items):
        ax = self.axis()
        ax.SymbolicDimensions.extend(items)
        return ax, ax.SymbolicDimensions

    def test_live_sequences_keep_identity(self):
        ax, seq = self.filled("a")
        self.assertIs(ax.SymbolicDimensions, seq)
        m = self.model()
        params = self.types().Axis(m, 1, "b").SwGenericAxisParamType
        param = self.types().SwGenericAxisParamType(m)
        params.append(param)
        self.assertIs(params[0], param)
        self.assertEqual(list(params), [param])

    def test_iteration_reads_the_size_at_the_ends_only(self):
        _, seq = self.filled("a", "b", "c")
        walked = []
        for item in seq:
            walked.append(item)
            if item == "c":
                seq.append("d")  # seen: the size is read again at the end
        self.assertEqual(walked, ["a", "b", "c", "d"])
        # Items come in batches: the rest of the batch read comes as it was
        # read. Had the size been read at every step, the walk would then stop
        # quietly; the host refuses the next read instead.
        walk = iter(seq)
        self.assertEqual(next(walk), "a")
        seq.clear()
        self.assertEqual([next(walk) for _ in range(3)], ["b", "c", "d"])
        with self.assertRaises(quillon.HostError) as cm:
            next(walk)
        self.assertIn("sequence index out of bounds", cm.exception.message)

    def test_lookups_of_values_it_cannot_hold_answer_as_a_list(self):
        _, seq = self.filled("x", "y", "")
        self.assertNotIn(3, seq)
        self.assertEqual(seq.count(3), 0)
        self.assertEqual(seq.index(""), 2)
        # A value list searched for nothing, or for a value of no host form.
        T = self.types()
        sizes = T.SequenceOfDataSize.makeUnique(self.model())
        sizes.extend(T.DataSize(n, T.DataSizeUnitKind.Bit()) for n in range(3))
        # None: as every comparison of a DataSize with nothing.
        with self.assertRaises(quillon.HostError) as cm:
            None in sizes
        self.assertEqual(cm.exception.message, "Cannot compare a DataSize with an empty value")
        for absent in (object(), "x", 1.5):
            self.assertNotIn(absent, sizes)
            self.assertEqual(sizes.count(absent), 0)
            with self.assertRaises(ValueError):
                sizes.index(absent)
        self.assertEqual(sizes.index(T.DataSize(2, T.DataSizeUnitKind.Bit())), 2)
        with self.assertRaises(ValueError):
            seq.index(object())
        with self.assertRaises(TypeError):
            seq["0"]

    def elements(self, n):
        m = self.model()
        ax = self.types().Axis(m, 1, "a")
        made = [self.types().SwGenericAxisParamType(m) for _ in range(n)]
        ax.SwGenericAxisParamType.extend(made)
        return ax, ax.SwGenericAxisParamType, made

    def test_modifiable_and_read_only_views(self):
        ax, seq = self.filled("a")
        view = self.types().ImmutableAxis.cast(ax).SymbolicDimensions
        self.assertIsInstance(seq, abc.MutableSequence)
        self.assertIsInstance(view, abc.Sequence)
        self.assertNotIsInstance(view, abc.MutableSequence)
        with self.assertRaises(TypeError):
            view[0] = "b"
        with self.assertRaises(TypeError):
            del view[0]
        self.assertFalse(hasattr(view, "append"))
        seq.append("b")
        self.assertEqual(view, ["a", "b"])  # a live view of the same collection

    def test_equality_is_content_and_eq_the_collection(self):
        ax, seq = self.filled("a", "b")
        _, twin = self.filled("a", "b")
        self.assertTrue(seq == twin)
        self.assertFalse(seq.eq(twin))  # the host's: the same collection or not
        self.assertTrue(seq.eq(ax.SymbolicDimensions))
        self.assertNotEqual(seq, "ab")  # text is not a sequence of items here
        self.assertNotEqual(seq, None)
        _, params, made = self.elements(2)
        self.assertEqual(params, made)
        self.assertEqual(params, [self.types().ImmutableSwGenericAxisParamType.cast(p) for p in made])

    def test_edits_read_their_argument_once(self):
        _, seq = self.filled("a", "b")
        seq.extend(seq)
        self.assertEqual(seq, ["a", "b", "a", "b"])
        seq[1:3] = seq
        self.assertEqual(seq, ["a", "a", "b", "a", "b", "b"])

    def test_failed_edit_puts_moved_elements_back(self):
        # A collection of owned elements holds each one once: putting one in
        # again moves it. Undoing step by step would lose it; the sequence must
        # come back exactly, element for element.
        ax, params, made = self.elements(3)
        stranger = self.types().Axis(self.model(), 1, "x")
        for edit in (lambda: params.extend([made[0], stranger]),
                     lambda: params.__setitem__(slice(0, 0), [made[2], None]),
                     lambda: params.__setitem__(slice(None, None, -1), [made[1], made[0], stranger])):
            with self.assertRaises(quillon.HostError):
                edit()
            self.assertEqual([p for p in params], made)
            self.assertTrue(all(a is b for a, b in zip(params, made)))
        params[::2] = [made[0], made[2]]
        self.assertEqual(params, [made[0], made[1], made[2]])

    def test_read_only_model_refuses_every_edit_first(self):
        m = self.model()
        seq = self.types().Axis(m, 1, "n").SymbolicDimensions
        seq.extend(["a", "b", "c"])
        m.setReadOnly(True)
        try:
            for edit in (lambda: seq.append("x"), lambda: seq.extend(["x", "y"]), lambda: seq.insert(0, "x"),
                         lambda: seq.__setitem__(0, "x"), lambda: seq.__setitem__(slice(0, 2), ["x"]),
                         lambda: seq.__delitem__(0), lambda: seq.__delitem__(slice(None)), seq.pop,
                         lambda: seq.remove("b"), seq.reverse, seq.clear):
                with self.assertRaises(quillon.HostError):
                    edit()
                self.assertEqual(seq, ["a", "b", "c"])
        finally:
            m.setReadOnly(False)


if __name__ == "__main__":
    unittest.main()
