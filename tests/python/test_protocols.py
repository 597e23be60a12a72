"""Python protocols served by host methods: comparison, str(), sequences."""

import unittest

import quillon
from helpers import HostTestCase, host, requires_types

TYPES = "Zorvan.metamodel.types"


def requires_class(name):
    return unittest.skipUnless(host.has_class(name), f"host class {name} is not registered")


@requires_types
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

    @requires_class(f"{TYPES}.CompuMethodCategory")
    def test_ordering_of_enumeration_values(self):
        C = self.types().CompuMethodCategory
        identical, linear = C.Identical(), C.Linear()
        self.assertTrue(C.Linear() == linear)
        self.assertTrue(identical < linear)
        self.assertTrue(identical <= identical)
        self.assertFalse(identical > linear)
        self.assertTrue(linear >= identical)
        self.assertEqual(sorted([linear, identical]), [identical, linear])
        self.assertEqual(str(linear), "Linear")
        with self.assertRaises(TypeError):
            linear < 1

    def test_without_host_ordering_python_refuses(self):
        ax = self.axis()
        with self.assertRaises(TypeError):
            ax < ax


@requires_types
class Text(HostTestCase):
    def test_str_is_the_host_text_and_repr_the_class(self):
        ax = self.axis()
        text = str(ax)
        self.assertIsInstance(text, str)
        self.assertEqual(text, ax.toString())
        self.assertEqual(repr(ax.SymbolicDimensions), "<Ozo.SequenceOfString object>")


@requires_types
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
        self.assertIn("y", seq)
        empty = self.axis().SymbolicDimensions
        self.assertEqual(list(empty), [])
        self.assertEqual(len(empty), 0)
        self.assertFalse(empty)

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
