"""Refused edits put every collection back, reprs name models, and help()
speaks Python and states the model's rules."""

import unittest

import quillon
from helpers import HostTestCase, host


class RefusedEditsAcrossOwners(HostTestCase):
    """An edit that takes elements from another owner and is then refused
    leaves both owners' sequences exactly as they were, order included."""

    def tables(self):
        T, m = self.types(), self.model()
        mine, theirs = T.LookupTableType(m), T.LookupTableType(m)
        for name in ("x", "y"):
            mine.Axes.append(T.Axis(m, 1, name))
        for name in ("a", "b", "c", "d"):
            theirs.Axes.append(T.Axis(m, 1, name))
        stranger = T.Axis(self.model(), 1, "stranger")  # of another model: refused late
        return mine, theirs, stranger

    def names(self, table):
        return [ax.Name for ax in table.Axes]

    def check_refused(self, edit, error=quillon.HostError):
        mine, theirs, stranger = self.tables()
        b, c = theirs.Axes[1], theirs.Axes[2]
        with self.assertRaises(error):
            edit(mine.Axes, [c, b, stranger])
        self.assertEqual(self.names(mine), ["x", "y"])
        self.assertEqual(self.names(theirs), ["a", "b", "c", "d"])
        self.assertIs(b.Owner, theirs)
        # Refused before anything moved: an item of no class the sequence takes.
        with self.assertRaises(quillon.ArgumentError):
            edit(mine.Axes, [b, 5])
        self.assertEqual(self.names(mine), ["x", "y"])
        self.assertEqual(self.names(theirs), ["a", "b", "c", "d"])

    def test_extend(self):
        self.check_refused(lambda seq, items: seq.extend(items))

    def test_slice_assignment(self):
        def assign(seq, items):
            seq[0:1] = items
        self.check_refused(assign)

    def test_in_place_add(self):
        def add(seq, items):
            seq += items
        self.check_refused(add)

    def test_an_accepted_edit_moves_the_elements(self):
        mine, theirs, _ = self.tables()
        mine.Axes.extend([theirs.Axes[3], theirs.Axes[1]])
        self.assertEqual(self.names(mine), ["x", "y", "d", "b"])
        self.assertEqual(self.names(theirs), ["a", "c"])


class RefusedEditsTakingFromAProperty(HostTestCase):
    """An element that a single-valued property of another element owns,
    taken by an edit that is then refused, goes back into that property; the
    runtime names the owner and its property for it."""

    def check_refused(self, edit):
        T, m = self.types(), self.model()
        layout, taken = T.SwRecordLayout(m), T.SwRecordLayoutGroup(m)
        layout.SwRecordLayoutGroup = taken
        parent, kept = T.SwRecordLayoutGroup(m), T.SwRecordLayoutGroup(m)
        parent.SwRecordLayoutGroup.append(kept)
        stranger = T.SwRecordLayoutGroup(self.model())  # of another model: refused late
        with self.assertRaises(quillon.HostError):
            edit(parent.SwRecordLayoutGroup, [taken, stranger])
        self.assertIs(layout.SwRecordLayoutGroup, taken)
        self.assertIs(taken.getOwner(), layout)
        self.assertEqual(len(parent.SwRecordLayoutGroup), 1)
        self.assertIs(parent.SwRecordLayoutGroup[0], kept)

    def test_extend(self):
        self.check_refused(lambda seq, items: seq.extend(items))

    def test_slice_assignment(self):
        def assign(seq, items):
            seq[0:0] = items
        self.check_refused(assign)

    def test_in_place_add(self):
        def add(seq, items):
            seq += items
        self.check_refused(add)

    def test_the_owner_and_its_most_specific_property(self):
        T, m = self.types(), self.model()
        value = T.LiteralReal(m)
        self.assertIsNone(value.getOwner())
        self.assertEqual(value.getOwningPropertyName(), "")
        constant = T.ConstantSpecification(m, value, "pi")
        self.assertIs(value.getOwner(), constant)
        # Not the foundation's OwnedElement, whose slot ConstantValue takes.
        self.assertEqual(value.getOwningPropertyName(), "ConstantValue")
        table, axis = T.LookupTableType(m), T.Axis(m, 1, "x")
        table.Axes.append(axis)
        self.assertIs(axis.getOwner(), table)
        self.assertEqual(axis.getOwningPropertyName(), "Axes")


class Reprs(HostTestCase):

    def test_elements_name_their_model_and_models_count_elements(self):
        T, m = self.types(), self.model()
        self.assertEqual(repr(m), f"<Model {m.Name!r} of 0 elements>")
        ax = T.Axis(m, 1, "speed")
        self.assertEqual(m.size(), 1)
        self.assertEqual(repr(m), f"<Model {m.Name!r} of 1 element>")
        self.assertEqual(repr(ax), f"<Axis 'speed' in {m.Name}>")
        self.assertEqual(repr(T.ImmutableAxis.cast(ax)), f"<ImmutableAxis 'speed' in {m.Name}>")
        T.LookupTableType(m)
        self.assertEqual(repr(ax.getModel()), f"<ImmutableModel {m.Name!r} of 2 elements>")
        self.assertEqual(ax.getModel(), m)


class Docstrings(HostTestCase):

    def test_a_derived_property_states_its_rule(self):
        T = self.types()
        doc = T.LookupTableType.Dimensions.__doc__
        self.assertTrue(doc.startswith("Dimensions: int (int32 scalar), read-only"), doc)
        self.assertIn("The number of Axes.", doc)
        # The immutable view's class declares it: the same rule.
        self.assertEqual(T.ImmutableLookupTableType.Dimensions.__doc__, doc)
        self.assertIn("a live sequence", T.LookupTableType.Axes.__doc__)
        self.assertIn("leaves its previous owner", T.LookupTableType.Axes.__doc__)

    def test_a_method_lists_its_overloads_in_python_terms(self):
        T = self.types()
        doc = T.Unit.convert.__doc__
        self.assertIn("convert(aValue: float (double scalar), aTargetUnit: Unit (Zorvan.metamodel.types.Unit))"
                      " -> float (double scalar)", doc)
        self.assertIn("through the common base unit", doc)
        cast = T.ImmutableUnit.cast.__doc__
        self.assertTrue(cast.startswith("2 overloads"), cast)
        self.assertIn("cast(other: ImmutableObject (Ozo.ImmutableObject)) -> ImmutableObject "
                      "(Ozo.ImmutableObject)  [static]", cast)
        self.assertIn("cast(other: Object (Ozo.Object))", cast)

    def test_a_class_states_its_rule_and_members(self):
        T = self.types()
        doc = T.Unit.__doc__
        self.assertTrue(doc.startswith("Host class Zorvan.metamodel.types.Unit."), doc)
        self.assertIn("value x ConvFactor + ConvOffset", doc)
        self.assertIn("    ConvFactor: float (double scalar)", doc)
        self.assertIn("    Symbol: str or None (char)", doc)
        self.assertIn("size() -> int (int32 scalar)", host.package("Ozo").Model.__doc__)


if __name__ == "__main__":
    unittest.main()
