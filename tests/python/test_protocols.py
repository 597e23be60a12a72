"""Python protocols served by host methods: comparison, str(), sequences."""

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


if __name__ == "__main__":
    unittest.main()
