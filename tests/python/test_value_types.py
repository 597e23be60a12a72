"""Enumerations, DataSize and Time as Python values."""

import copy
import unittest

import quillon
from helpers import HostTestCase


class Enumerations(HostTestCase):
    def test_comparisons_and_text(self):
        C = self.types().CompuMethodCategory
        a, b, i = C.Linear(), C.Linear(), C.Identical()
        self.assertTrue(a == b)
        self.assertFalse(a != b)
        self.assertTrue(i < a and i <= a and a > i and a >= i)
        self.assertFalse(a < i or a <= i or i > a or i >= a)
        self.assertEqual(str(a), "Linear")
        self.assertEqual(str(C.fromString("RatFunc")), "RatFunc")

    def test_unknown_literal_text(self):
        C = self.types().FloatingPointKind
        with self.assertRaises(quillon.HostError) as e:
            C.fromString("IEEE_Half")
        self.assertIn('"IEEE_Half" names no literal of FloatingPointKind', str(e.exception))


class StructuredValues(HostTestCase):
    def test_value_and_unit(self):
        t = self.types()
        d = t.DataSize(8, t.DataSizeUnitKind.Byte())
        self.assertEqual(d.value, 8)
        self.assertTrue(d.unit == t.DataSizeUnitKind.Byte())
        self.assertEqual(str(d), "8 Byte")
        self.assertTrue(d == t.DataSize(64, t.DataSizeUnitKind.Bit()))
        d.unit = t.DataSizeUnitKind.KB()
        self.assertEqual(str(d), "8 KB")
        tm = t.Time(1.5, t.TimeUnitKind.Ms())
        self.assertEqual(tm.value, 1.5)
        self.assertEqual(str(tm), "1.5 Ms")

    def test_copies_are_independent(self):
        t = self.types()
        d = t.DataSize(8, t.DataSizeUnitKind.Byte())
        for c in (copy.copy(d), copy.deepcopy(d), t.DataSize(d)):
            self.assertIsNot(c, d)
            c.value = 3
            self.assertEqual(d.value, 8)
        i = t.Integer(self.model())
        i.Length = d
        d.value = 1
        length = i.Length
        self.assertEqual(str(length), "8 Byte")
        length.value = 2
        self.assertEqual(str(i.Length), "8 Byte")
        # Element (host reference) objects still copy as themselves.
        self.assertIs(copy.copy(i), i)


if __name__ == "__main__":
    unittest.main()
