"""Python values to host values and back; enumerations, DataSize and Time as
Python values."""

import copy
import math
import unittest

import quillon
from quillon import _quillon
from helpers import HostTestCase

roundtrip = _quillon._roundtrip

# Byte-order marks at the start (either order) are text, not marks. Python
# keeps a str in one, two or four bytes a character: each width is here, with
# characters past 0x7F in one byte ("Größe ÿ").
TRICKY_TEXTS = ("speed", "", "Größe ÿ", "Größe ∑", "emoji \U0001F600", "\U0001F600", "lone \ud800 surrogate",
                "\udc00", "end \ud83d", "nul\0inside", "\0", "\ufeffx", "\ufeff", "\ufffespeed",
                "\ufffe", "\ufeff\ufeffx", "x\ufeff", "\ufeff\U0001F600\0\udfff")


class Mapping(HostTestCase):
    def test_numbers_logicals_and_none_keep_their_python_type(self):
        # Past int32 an int travels as a double; None is the empty array.
        for value, kind in ((0, int), (-7, int), (2**31 - 1, int), (-2**31, int), (2**31, float),
                            (-2**31 - 1, float), (2**53, float), (2.5, float), (-math.inf, float),
                            (True, bool), (False, bool), (None, type(None))):
            with self.subTest(value=value):
                result = roundtrip(value)
                self.assertIs(type(result), kind)
                self.assertEqual(result, value)
        self.assertTrue(math.isnan(roundtrip(float("nan"))))

    def test_text_round_trips_exactly(self):
        for text in TRICKY_TEXTS:
            with self.subTest(text=text):
                self.assertEqual(roundtrip(text), text)
                # As one-character strings, too.
                if len(text) > 1:
                    self.assertEqual(roundtrip(list(text)), text)

    def test_rows_one_element_and_empty_sequences(self):
        self.assertEqual(roundtrip([1, 2, 3]), [1, 2, 3])
        self.assertEqual(roundtrip((1, 2.5)), [1.0, 2.5])
        self.assertEqual(roundtrip([1, 2**40]), [1.0, 2.0**40])
        self.assertEqual(roundtrip([True, False, True]), [True, False, True])
        self.assertEqual(roundtrip([True, 2]), [1, 2])
        self.assertEqual(roundtrip(["a", "b", "\u00e9"]), "ab\u00e9")
        self.assertEqual(roundtrip([7]), 7)
        self.assertIsNone(roundtrip([]))
        self.assertIsNone(roundtrip(()))


class Refusals(HostTestCase):
    def test_values_without_a_host_form_are_argument_errors(self):
        with self.assertRaises(quillon.ArgumentError) as cm:
            roundtrip({"a": 1})
        self.assertEqual(cm.exception.message, "cannot convert dict to a host value")
        for value in ({1}, object(), b"bytes", 1j, 10**400, [1, "a"], [[1, 2]],
                      ["ab"], [None], [1, object()], [10**400], ["a", 1], [True, "a"]):
            with self.subTest(value=value), self.assertRaises(quillon.ArgumentError) as cm:
                roundtrip(value)
            self.assertIsInstance(cm.exception, TypeError)
            self.assertIsInstance(cm.exception, quillon.HostError)

    def test_oversized_sequences_are_refused_before_they_are_copied(self):
        iterated = []

        class Huge(list):
            def __len__(self):
                return 2**28 + 1

            def __iter__(self):
                iterated.append(True)
                return iter(())

        with self.assertRaises(quillon.HostError) as cm:
            roundtrip(Huge())
        self.assertEqual(cm.exception.message, "Requested array exceeds the maximum array size.")
        self.assertEqual(iterated, [], "the sequence was read before its size was checked")


class SequencesAreReadOnce(HostTestCase):
    """A list may change while it is converted (a subclass, or Python code run
    by converting an item): what reaches the host is one reading of it."""

    def test_list_whose_items_change_between_reads(self):
        ax = quillon.Host().package("Zorvan.metamodel.types").Axis(
            quillon.Host().package("Ozo").Model())
        for first, second, expected in (([ax, ax], [1, 2], [ax, ax]), ([1, 2], [ax, ax], [1, 2])):
            reads = []

            class Flip(list):
                def __iter__(self):
                    reads.append(1)
                    return iter(first if len(reads) == 1 else second)

                def __getitem__(self, i):
                    return (first if len(reads) <= 1 else second)[i]

                def __len__(self):
                    return 1000  # a lie: only the items read count

            with self.subTest(first=first):
                self.assertEqual(roundtrip(Flip([0, 0])), expected)
                self.assertEqual(len(reads), 1)

    def test_item_that_empties_the_list(self):
        items = []

        class Clearer:
            @property
            def __class__(self):
                items.clear()
                return Clearer

        items.extend([1, Clearer(), 2, 3])
        with self.assertRaises(quillon.ArgumentError) as cm:
            roundtrip(items)
        self.assertIn("element of type Clearer", cm.exception.message)

    def test_python_errors_while_reading_pass_through(self):
        class Boom(list):
            def __iter__(self):
                raise KeyError("boom")

        class Evil:
            @property
            def __class__(self):
                raise ValueError("no class")

        # Not a SystemError, not swallowed: the error Python code raised.
        with self.assertRaises(KeyError):
            roundtrip(Boom([1]))
        for value in ([Evil()], [1, Evil()], Evil()):
            with self.subTest(value=value), self.assertRaises(ValueError):
                roundtrip(value)

    def test_int_subclasses_convert_by_value(self):
        class Odd(int):
            def __float__(self):
                raise ValueError("__float__ must not be asked")

            def __index__(self):
                raise ValueError("__index__ must not be asked")

        self.assertEqual(roundtrip([Odd(3), 2**40]), [3.0, 2.0**40])
        self.assertEqual(roundtrip([Odd(3), 4]), [3, 4])
        self.assertEqual(roundtrip(Odd(-5)), -5)


class ThroughTheHost(HostTestCase):
    """Arguments are converted to what the signature asks for by the host."""

    def test_refused_value_is_an_argument_error_and_changes_nothing(self):
        # The message itself is the dispatcher's; here, that it arrives whole
        # as an ArgumentError, which is a TypeError.
        ax = self.axis(dimensions=3)
        for value in (4.5, "x", [1, 2]):
            with self.subTest(value=value):
                with self.assertRaises(quillon.ArgumentError) as cm:
                    ax.Dimensions = value
                self.assertIsInstance(cm.exception, TypeError)
                self.assertTrue(cm.exception.message.startswith(
                    'Cannot set property "Dimensions" of class "Zorvan.metamodel.types.Axis": '
                    'expected int32 scalar, got '), cm.exception.message)
                self.assertEqual(ax.Dimensions, 3)

    def test_module_refusals_are_host_errors_only(self):
        iax = self.types().ImmutableAxis.cast(self.axis(dimensions=3))
        with self.assertRaises(quillon.HostError) as cm:
            iax.Dimensions = 5
        self.assertNotIsInstance(cm.exception, TypeError)
        self.assertIn("You cannot modify an immutable object", cm.exception.message)

    def test_objects_travel_in_lists(self):
        ax = self.axis()
        other = self.types().Axis(self.model(), 1, "other")
        self.assertIs(roundtrip([ax, other])[1], other)
        self.assertIs(roundtrip(ax), ax)
        with self.assertRaises(TypeError):
            roundtrip([ax, 1])


class ValueClasses(HostTestCase):
    def test_enumerations_compare_through_the_host(self):
        C = self.types().CompuMethodCategory
        a, b, i = C.Linear(), C.Linear(), C.Identical()
        self.assertTrue(a == b)
        self.assertFalse(a != b)
        self.assertTrue(i < a and i <= a and a > i and a >= i)
        self.assertFalse(a < i or a <= i or i > a or i >= a)
        self.assertEqual(str(a), "Linear")

    def test_copies_are_independent(self):
        t = self.types()
        d = t.DataSize(8, t.DataSizeUnitKind.Byte())
        for c in (copy.copy(d), copy.deepcopy(d), t.DataSize(d)):
            self.assertIsNot(c, d)
            c.value = 3
            self.assertEqual(d.value, 8)
        # Element (host reference) objects still copy as themselves.
        i = t.Integer(self.model())
        self.assertIs(copy.copy(i), i)


if __name__ == "__main__":
    unittest.main()
