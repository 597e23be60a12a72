"""Validation of whole models from Python: each rule of the types package with
a model that breaks it and one that does not."""

import gc
import time
import unittest

import quillon
from helpers import HostTestCase, host

T = host.package("Zorvan.metamodel.types")
Ozo = host.package("Ozo")


def bits(n):
    return T.DataSize(n, T.DataSizeUnitKind.Bit())


def findings(model, rule=None):
    """(rule, element, property, message) of each diagnostic, of one rule if given."""
    return [(d.rule, d.element, d.property, d.message) for d in quillon.validate(model)
            if rule is None or d.rule == rule]


class Diagnostics(HostTestCase):
    def test_attributes_and_the_views_of_elements(self):
        m = Ozo.Model()
        ax = T.Axis(m, -1, "speed")
        [d] = quillon.validate(m)
        self.assertIsInstance(d, quillon.Diagnostic)
        self.assertEqual((d.severity, d.property, d.rule), ("error", "Dimensions", "axis-dimensions"))
        self.assertEqual(d.message, "Dimensions is -1: an axis cannot have fewer than 0 points")
        self.assertIs(d.element, ax)  # the same wrapper: the modifiable view
        self.assertEqual(str(d), "error [axis-dimensions] Dimensions: " + d.message)
        # Through the host method of either view; an immutable view gives immutable elements.
        [raw] = m.validate()
        self.assertEqual(quillon.class_of(raw), "Ozo.ImmutableDiagnostic")
        self.assertEqual((raw.Severity, raw.Rule, raw.Property), ("error", "axis-dimensions", "Dimensions"))
        self.assertEqual(quillon.class_of(raw.Element), "Zorvan.metamodel.types.Axis")
        ax.Dimensions = 0
        self.assertEqual(quillon.validate(m), [])

    def test_what_is_not_a_model_is_refused(self):
        for bad in (None, 3, "m", T.Axis(Ozo.Model(), 1, "a")):
            with self.assertRaisesRegex(TypeError, "expected an Ozo.Model"):
                quillon.validate(bad)

    def test_validation_changes_nothing_and_works_on_read_only_models(self):
        m = Ozo.Model()
        T.Axis(m, -2, "a")
        before = m.toJson()
        m.setReadOnly(True)
        self.assertEqual([r for r, *_ in findings(m)], ["axis-dimensions"])
        self.assertEqual(m.toJson(), before)


class Rules(HostTestCase):
    def test_required_reference(self):
        m = Ozo.Model()
        t = T.LookupTableType(m)
        # No record layout: an application type, not a fault.
        self.assertEqual(findings(m), [("required-reference", t, "BaseType", "BaseType is required but not set")])
        t.BaseType = T.Integer(m, "i")
        self.assertEqual(findings(m), [])
        lit = T.EnumerationLiteral(m)
        self.assertEqual(findings(m), [("required-reference", lit, "enumeration",
                                        "enumeration is required but not set")])
        T.Enumeration(m, "E").OwnedLiteral.append(lit)
        self.assertEqual(findings(m), [])

    def test_axis_dimensions_and_symbolic_dimensions(self):
        m = Ozo.Model()
        ax = T.Axis(m, 2, "speed")
        ax.SymbolicDimensions.extend(["LO", "HI"])
        self.assertEqual(findings(m), [])
        ax.Dimensions = 3
        [d] = quillon.validate(m)
        self.assertEqual((d.severity, d.rule, d.property, d.message),
                         ("warning", "axis-symbolic-dimensions", "SymbolicDimensions",
                          "SymbolicDimensions names 2 points but Dimensions is 3"))
        ax.SymbolicDimensions.clear()
        self.assertEqual(findings(m), [])
        ax.Dimensions = -3
        self.assertEqual([r for r, *_ in findings(m)], ["axis-dimensions"])

    def test_unit_chain_that_loops(self):
        m = Ozo.Model()
        a, b, c, lead = (T.Unit(m, n) for n in ("a", "b", "c", "lead"))
        a.ConvUnit, b.ConvUnit, lead.ConvUnit = b, c, a
        self.assertEqual(findings(m), [])
        c.ConvUnit = a
        self.assertEqual(findings(m, "unit-cycle"),
                         [("unit-cycle", u, "ConvUnit", f'The conversion units of "{u.Name}" form a cycle')
                          for u in (a, b, c, lead)])
        self_loop = T.Unit(Ozo.Model(), "self")
        self_loop.ConvUnit = self_loop
        self.assertEqual(len(findings(self_loop.getOwningModel(), "unit-cycle")), 1)

    def test_unit_chain_that_crosses_dimensions(self):
        m = Ozo.Model()
        length, time_ = T.Dimension(m, "L"), T.Dimension(m, "T")
        length.BaseExponent.extend([1, 0])
        time_.BaseExponent.extend([0, 1])
        km, plain, m_ = T.Unit(m, "km"), T.Unit(m, "plain"), T.Unit(m, "m")
        km.Dimension = m_.Dimension = length
        km.ConvUnit, plain.ConvUnit = plain, m_  # through a unit that states none
        self.assertEqual(findings(m), [])
        m_.Dimension = time_
        self.assertEqual(findings(m), [("unit-dimensions", km, "ConvUnit",
                                        '"km" converts to "plain" but their dimensions differ')])
        # Trailing zeros name no base dimension.
        length2 = T.Dimension(m, "L2")
        length2.BaseExponent.extend([1])
        m_.Dimension = length2
        self.assertEqual(findings(m), [])

    def test_unit_chain_into_a_model_that_is_gone(self):
        m = Ozo.Model()
        rpm, rph = T.Unit(m, "rpm"), T.Unit(m, "rph")
        rph.ConvUnit = rpm
        other = Ozo.Model()
        rps = T.Unit(other, "rps")
        rps.ConvFactor = 60.0
        rpm.ConvUnit = rps
        self.assertEqual(findings(m), [])
        del rps, other
        gc.collect()
        self.assertEqual(findings(m), [
            ("reference-gone", rpm, "ConvUnit", "ConvUnit refers to an element of a model that is gone"),
            ("unit-chain-gone", rph, "ConvUnit",
             'The conversion chain of "rph" reaches into a model that is gone (past "rpm")')])

    def test_enumeration_literals_of_one_value_or_name(self):
        m = Ozo.Model()
        e = T.Enumeration(m, "Gear")
        T.EnumerationLiteral(m, 0, 0, e, "P")
        d = T.EnumerationLiteral(m, 1, 1, e, "D")
        self.assertEqual(findings(m), [])
        d.Value = 0
        self.assertEqual(findings(m), [("enumeration-literal-value", e, "OwnedLiteral",
                                        'Literals "P" and "D" have the same value 0')])
        d.Value, d.Name = 1, "P"
        self.assertEqual(findings(m), [("enumeration-literal-name", e, "OwnedLiteral",
                                        'Two literals are named "P"')])

    def test_fixed_point_fraction_within_length(self):
        m = Ozo.Model()
        f = T.FixedPoint(m, "q")
        f.Length = T.DataSize(1, T.DataSizeUnitKind.Byte())
        f.FractionLength = bits(8)
        self.assertEqual(findings(m), [])
        f.FractionLength = bits(9)
        self.assertEqual(findings(m), [("fixed-point-fraction", f, "FractionLength",
                                        "FractionLength 9 Bit exceeds Length 1 Byte")])

    def test_range_minimum_above_maximum(self):
        m = Ozo.Model()
        i = T.Integer(m, "i")
        i.minValue, i.maxValue = 3.0, 3.0
        self.assertEqual(findings(m), [])  # a closed range of one value
        i.isMinOpen = True
        self.assertEqual(findings(m), [("range-bounds", i, "minValue",
                                        "minValue and maxValue are both 3 and the range is open: it holds no value")])
        i.isMinOpen = False
        i.minValue = 4.5
        self.assertEqual(findings(m), [("range-bounds", i, "minValue", "minValue 4.5 exceeds maxValue 3")])
        i.maxValue = float("nan")
        self.assertEqual(findings(m), [("range-bounds", i, "maxValue", "maxValue is not a number")])
        # Every real type (Enumeration, FixedPoint, ...) has the rule.
        e = T.Enumeration(m, "E")
        e.minValue, e.maxValue = 1.0, 0.0
        self.assertIn(("range-bounds", e, "minValue", "minValue 1 exceeds maxValue 0"), findings(m))

    def test_lookup_table_axes_against_its_record_layout(self):
        m = Ozo.Model()
        group = T.SwRecordLayoutGroup(m)
        inner = T.SwRecordLayoutGroup(m)
        group.SwRecordLayoutGroup.append(inner)
        base = T.SwBaseType(m, "u8")
        group.SwRecordLayoutV.extend([T.SwRecordLayoutV(m, 0, base), T.SwRecordLayoutV(m, 1, base)])
        inner.SwRecordLayoutV.append(T.SwRecordLayoutV(m, 2, base))
        layout = T.SwRecordLayout(m, group, T.String(m, 8, "s"), "MAP_LAYOUT")
        table = T.LookupTableType(m, layout, T.Integer(m, "i"), "map")
        table.Axes.extend([T.Axis(m, 4, "x"), T.Axis(m, 4, "y")])
        self.assertEqual(findings(m), [])
        table.Axes.pop()
        self.assertEqual(findings(m), [("lookup-table-layout", table, "Axes",
                                        'The table has 1 axis but its record layout "MAP_LAYOUT" lays out 2')])
        # A group's own axis number counts too.
        table.Axes.append(T.Axis(m, 4, "y"))
        inner.SwRecordLayoutGroupAxis = 3
        self.assertEqual([r for r, *_ in findings(m)], ["lookup-table-layout"])


class Scale(HostTestCase):
    def test_time_is_linear_in_the_model_size(self):
        """Long unit chains and many literals: four times the model, about
        four times the time (a rule that walks the model or the chain per
        element would take sixteen times as long)."""
        def timed(n):
            m = Ozo.Model()
            prev = T.Unit(m, "u0")
            for k in range(1, n):
                u = T.Unit(m, f"u{k}")
                u.ConvUnit, prev = prev, u
            e = T.Enumeration(m, "E")
            for k in range(n):
                T.EnumerationLiteral(m, k, k, e, f"L{k}")
            best = min(self._time(m) for _ in range(3))
            return best, m

        small, _ = timed(2000)
        large, m = timed(8000)
        self.assertEqual(quillon.validate(m), [])
        self.assertLess(large, 8 * small + 0.05, (small, large))

    @staticmethod
    def _time(m):
        start = time.perf_counter()
        quillon.validate(m)
        return time.perf_counter() - start


if __name__ == "__main__":
    unittest.main()
