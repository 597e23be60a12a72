"""Python protocols served by host methods: comparison, str(), sequences."""

import collections.abc as abc
import unittest

import quillon
from helpers import HostTestCase

TYPES = "Zorvan.metamodel.types"


class Comparisons(HostTestCase):
    def test_eq_ne_call_the_host(self):
        ax = self.axis()
        iax = self.types().ImmutableAxis.cast(ax)
        # Two views of one element: different host objects, equal for the host.
        self.assertIsNot(ax, iax)
        self.assertTrue(ax == iax)
        self.assertFalse(ax != iax)
        other = self.types().Axis(self.model(), 1, "other")
        self.assertFalse(ax == other)
        self.assertTrue(ax != other)

    def test_python_values_compare_by_identity(self):
        ax = self.axis()
        self.assertFalse(ax == 3)
        self.assertTrue(ax != "speed")
        self.assertNotIn(ax, [1, "x"])
        with self.assertRaises(TypeError):
            hash(ax)  # equal objects may be different objects

    def test_without_host_ordering_python_refuses(self):
        ax = self.axis()
        with self.assertRaises(TypeError):
            ax < ax


class Text(HostTestCase):
    def test_str_is_the_host_text_and_repr_the_class(self):
        ax = self.axis()
        text = str(ax)
        self.assertIsInstance(text, str)
        self.assertEqual(text, ax.toString())
        self.assertEqual(repr(ax.SymbolicDimensions), "<Ozo.SequenceOfString object>")


class Sequences(HostTestCase):
    def filled(self, *items):
        ax = self.axis()
        seq = ax.SymbolicDimensions
        for item in items:
            seq.append(item)
        return ax, seq

    def test_live_sequences_keep_identity(self):
        ax, seq = self.filled("a")
        self.assertIs(ax.SymbolicDimensions, seq)
        m = self.model()
        params = self.types().Axis(m, 1, "b").SwGenericAxisParamType
        param = self.types().SwGenericAxisParamType(m)
        params.append(param)
        self.assertEqual(len(params), 1)
        self.assertIs(params[0], param)
        self.assertEqual(list(params), [param])

    def test_indexing(self):
        _, seq = self.filled("a", "b", "c")
        self.assertEqual(len(seq), 3)
        self.assertEqual((seq[0], seq[2], seq[-1], seq[-3]), ("a", "c", "c", "a"))
        self.assertEqual(seq[::-1], ["c", "b", "a"])
        self.assertEqual(seq[1:], ["b", "c"])
        for bad in (3, -4, 100):
            with self.subTest(index=bad), self.assertRaises(IndexError):
                seq[bad]
        with self.assertRaises(TypeError):
            seq["0"]

    def test_iteration(self):
        _, seq = self.filled("x", "y")
        self.assertEqual(list(seq), ["x", "y"])
        empty = self.axis().SymbolicDimensions
        self.assertEqual(list(empty), [])
        self.assertEqual(len(empty), 0)
        self.assertFalse(empty)

    def test_iteration_reads_the_size_at_the_ends_only(self):
        _, seq = self.filled("a", "b", "c")
        walked = []
        for item in seq:
            walked.append(item)
            if item == "c":
                seq.append("d")  # seen: the size is read again at the end
        self.assertEqual(walked, ["a", "b", "c", "d"])
        # Had the size been read at every step, the walk would stop quietly.
        walk = iter(seq)
        self.assertEqual(next(walk), "a")
        seq.clear()
        with self.assertRaises(quillon.HostError) as cm:
            next(walk)
        self.assertIn("sequence index out of bounds", cm.exception.message)

    def test_membership_asks_the_host(self):
        _, seq = self.filled("x", "y")
        self.assertIn("y", seq)
        self.assertNotIn("z", seq)
        # The host's contains, not a walk comparing items: an element of the
        # wrong type is refused, not compared.
        with self.assertRaises(quillon.ArgumentError):
            3 in seq
        m = self.model()
        params = self.types().Axis(m, 1, "b").SwGenericAxisParamType
        param = self.types().SwGenericAxisParamType(m)
        self.assertNotIn(param, params)
        params.append(param)
        self.assertIn(param, params)

    def test_host_positions_are_one_based(self):
        _, seq = self.filled("first")
        self.assertEqual(seq.at(1), "first")
        with self.assertRaises(quillon.HostError) as cm:
            seq.at(0)
        self.assertIn("sequence index must be positive", cm.exception.message)

    def test_refused_element_leaves_sequence_unchanged(self):
        _, seq = self.filled("a")
        with self.assertRaises(quillon.HostError):
            seq.append(self.axis())
        with self.assertRaises(TypeError):
            seq.append({})
        self.assertEqual(list(seq), ["a"])


class PythonSequences(HostTestCase):
    """The Python sequence protocols over the host's sequence methods."""

    def strings(self, *items):
        ax = self.axis()
        seq = ax.SymbolicDimensions
        seq.extend(items)
        return ax, seq

    def elements(self, n):
        m = self.model()
        ax = self.types().Axis(m, 1, "a")
        made = [self.types().SwGenericAxisParamType(m) for _ in range(n)]
        ax.SwGenericAxisParamType.extend(made)
        return ax, ax.SwGenericAxisParamType, made

    def test_modifiable_and_read_only_views(self):
        ax, seq = self.strings("a")
        view = self.types().ImmutableAxis.cast(ax).SymbolicDimensions
        self.assertIsInstance(seq, abc.MutableSequence)
        self.assertIsInstance(view, abc.Sequence)
        self.assertNotIsInstance(view, abc.MutableSequence)
        self.assertNotIsInstance(ax, abc.Sequence)
        with self.assertRaises(TypeError):
            view[0] = "b"
        with self.assertRaises(TypeError):
            del view[0]
        self.assertFalse(hasattr(view, "append"))
        seq.append("b")
        self.assertEqual(view, ["a", "b"])  # a live view of the same collection
        self.assertEqual(list(reversed(view)), ["b", "a"])
        self.assertEqual((view.index("b"), view.count("a")), (1, 1))

    def test_insert_is_python_s_and_the_host_s_stays_reachable(self):
        _, seq = self.strings("b")
        seq.insert(0, "a")
        seq.insert(100, "z")
        seq.insert(-100, "0")
        self.assertEqual(seq, ["0", "a", "b", "z"])
        quillon.invoke(seq, "insert", 1, "first")  # the host's: 1-based
        self.assertEqual(seq[0], "first")
        with self.assertRaises(quillon.HostError) as cm:
            quillon.invoke(seq, "insert", 0, "x")
        self.assertIn("sequence index must be positive", cm.exception.message)
        with self.assertRaises(TypeError):
            quillon.invoke(["a"], "insert", 1, "x")

    def test_equality_is_content_and_eq_the_collection(self):
        ax, seq = self.strings("a", "b")
        _, twin = self.strings("a", "b")
        self.assertTrue(seq == ["a", "b"] and seq == ("a", "b") and seq == twin)
        self.assertFalse(seq != twin)
        self.assertFalse(seq.eq(twin))  # the host's: the same collection or not
        self.assertTrue(seq.eq(ax.SymbolicDimensions))
        self.assertNotEqual(seq, ["a"])
        self.assertNotEqual(seq, ["a", "c"])
        self.assertNotEqual(seq, "ab")  # text is not a sequence of items here
        self.assertNotEqual(seq, None)
        with self.assertRaises(quillon.ArgumentError):
            seq.count(3)  # lookups ask the host's contains first, as `in` does
        with self.assertRaises(TypeError):
            hash(seq)
        _, params, made = self.elements(2)
        self.assertEqual(params, made)
        self.assertEqual(params, [self.types().ImmutableSwGenericAxisParamType.cast(p) for p in made])

    def test_edits_read_their_argument_once(self):
        _, seq = self.strings("a", "b")
        seq.extend(seq)
        self.assertEqual(seq, ["a", "b", "a", "b"])
        seq[1:3] = seq
        self.assertEqual(seq, ["a", "a", "b", "a", "b", "b"])
        seq += ("c",)
        self.assertEqual(seq[-1], "c")

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
        params.reverse()
        self.assertEqual(params, made[::-1])
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
