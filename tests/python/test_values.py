"""Python values to host values and back."""

import math
import unittest

import quillon
from quillon import _quillon
from helpers import HostTestCase, requires_types

roundtrip = _quillon._roundtrip


class ScalarMapping(HostTestCase):
    def test_numbers_keep_their_python_type(self):
        for value in (0, -7, 2**31 - 1, -2**31):
            with self.subTest(value=value):
                result = roundtrip(value)
                self.assertIs(type(result), int)
                self.assertEqual(result, value)
        # Past int32 an int travels as a double.
        for value in (2**31, -2**31 - 1, 2**53):
            with self.subTest(value=value):
                result = roundtrip(value)
                self.assertIs(type(result), float)
                self.assertEqual(result, float(value))
        self.assertEqual(roundtrip(2.5), 2.5)
        self.assertTrue(math.isnan(roundtrip(float("nan"))))
        self.assertEqual(roundtrip(-math.inf), -math.inf)

    def test_bool_is_logical_not_int(self):
        self.assertIs(roundtrip(True), True)
        self.assertIs(roundtrip(False), False)

    def test_text_round_trips_exactly(self):
        for text in ("speed", "", "Größe ∑", "emoji \U0001F600", "lone \ud800 surrogate", "nul\0inside"):
            with self.subTest(text=text):
                self.assertEqual(roundtrip(text), text)

    def test_none_is_the_empty_array(self):
        self.assertIsNone(roundtrip(None))


class SequenceMapping(HostTestCase):
    def test_row_arrays(self):
        self.assertEqual(roundtrip([1, 2, 3]), [1, 2, 3])
        self.assertEqual(roundtrip((1, 2.5)), [1.0, 2.5])
        self.assertEqual(roundtrip([1, 2**40]), [1.0, 2.0**40])
        self.assertEqual(roundtrip([True, False, True]), [True, False, True])
        self.assertEqual(roundtrip([True, 2]), [1, 2])
        self.assertEqual(roundtrip(["a", "b", "\u00e9"]), "ab\u00e9")

    def test_one_element_and_empty_sequences(self):
        self.assertEqual(roundtrip([7]), 7)
        self.assertIsNone(roundtrip([]))
        self.assertIsNone(roundtrip(()))


class Refusals(HostTestCase):
    def test_values_without_a_host_form_are_type_errors(self):
        with self.assertRaisesRegex(TypeError, "cannot convert dict to a host value"):
            roundtrip({"a": 1})
        for value in ({1}, object(), b"bytes", 1j, 10**400, [1, "a"], [[1, 2]],
                      ["ab"], [None], [1, object()]):
            with self.subTest(value=value), self.assertRaises(TypeError):
                roundtrip(value)


@requires_types
class ThroughTheHost(HostTestCase):
    """Arguments are converted to what the signature asks for by the host."""

    def test_integer_property_takes_integral_numbers(self):
        ax = self.axis()
        for value, expected in ((4, 4), (5.0, 5), (True, 1), (-2**31, -2**31)):
            with self.subTest(value=value):
                ax.Dimensions = value
                self.assertEqual(ax.Dimensions, expected)
                self.assertIs(type(ax.Dimensions), int)

    def test_refused_value_is_a_host_error_and_changes_nothing(self):
        ax = self.axis(dimensions=3)
        for value, given in ((4.5, "double"), ("x", "char"), (2**31, "double")):
            with self.subTest(value=value):
                with self.assertRaises(quillon.HostError) as cm:
                    ax.Dimensions = value
                self.assertEqual(
                    cm.exception.message,
                    'Cannot set property "Dimensions" of class "Zorvan.metamodel.types.Axis": '
                    f'expected int32 scalar, got {given}.')
                self.assertEqual(ax.Dimensions, 3)
        with self.assertRaises(TypeError):
            ax.Dimensions = {}
        self.assertEqual(ax.Dimensions, 3)

    def test_text_property(self):
        ax = self.axis(name="speed")
        self.assertEqual(ax.Name, "speed")
        ax.Name = "Drehzahl \u2211 \U0001F600"
        self.assertEqual(ax.Name, "Drehzahl \u2211 \U0001F600")

    def test_objects_travel_in_lists(self):
        ax = self.axis()
        other = self.types().Axis(self.model(), 1, "other")
        self.assertEqual(roundtrip([ax, other]), [ax, other])
        self.assertIs(roundtrip([ax, other])[1], other)
        self.assertIs(roundtrip(ax), ax)
        with self.assertRaises(TypeError):
            roundtrip([ax, 1])


if __name__ == "__main__":
    unittest.main()
