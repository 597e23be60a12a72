"""Change events and transactions from Python: quillon.observe and
quillon.transaction."""

import sys
import unittest

import quillon
from helpers import HostTestCase, host

T = host.package("Zorvan.metamodel.types")
Ozo = host.package("Ozo")


def copy_of(model, n=[0]):
    """The model under another Uri, from its own document."""
    n[0] += 1
    text = model.toJson().replace(f'"uri":"{model.Uri}"', f'"uri":"{model.Uri}-copy{n[0]}"', 1)
    return Ozo.Model.fromJson(text)


class Events(HostTestCase):
    def test_every_kind_with_old_and_new_values(self):
        m = Ozo.Model()
        ax = T.Axis(m)
        e = T.Enumeration(m, "Colour")
        red = T.EnumerationLiteral(m, 1, 0, e, "RED")
        other = T.Enumeration(m, "Other")
        seen = []
        with quillon.observe(m, seen.append) as s:
            ax.Dimensions = 4
            ax.Name = "speed"
            e.DefaultValue = 2.5
            e.DefaultValue = None
            ax.SymbolicDimensions.append("n")
            ax.SymbolicDimensions.insert(0, "m")
            ax.SymbolicDimensions[1] = "k"
            del ax.SymbolicDimensions[0]
            ax.SymbolicDimensions.clear()
            blue = T.EnumerationLiteral(m, 2, 0, e, "BLUE")
            e.OwnedLiteral.insert(0, blue)
            red.enumeration = other
            i = T.Integer(m)
            ax.BaseType = i
            ax.BaseType = None
        self.assertFalse(s.active)
        rows = [(v.kind, v.property, v.old, v.new, v.position) for v in seen]
        create_blue = [r for r in rows if r[0] == "create"][0]
        self.assertEqual(rows[:9], [
            ("set", "Dimensions", 0, 4, None),
            ("set", "Name", "", "speed", None),
            ("set", "DefaultValue", None, 2.5, None),
            ("unset", "DefaultValue", 2.5, None, None),
            ("add", "SymbolicDimensions", None, "n", 0),
            ("add", "SymbolicDimensions", None, "m", 0),
            ("set", "SymbolicDimensions", "n", "k", 1),
            ("remove", "SymbolicDimensions", "m", None, 0),
            ("clear", "SymbolicDimensions", ["k"], [], None),
        ])
        self.assertEqual(create_blue, ("create", None, None, None, None))
        self.assertIs(seen[9].element, blue)
        tail = rows[rows.index(("move", "OwnedLiteral", 1, 0, 0)):]
        self.assertEqual(tail, [
            ("move", "OwnedLiteral", 1, 0, 0),
            ("remove", "OwnedLiteral", red, None, 1),
            ("add", "OwnedLiteral", None, red, 0),
            ("set", "enumeration", e, other, None),
            ("create", None, None, None, None),
            ("set", "BaseType", None, i, None),
            ("unset", "BaseType", i, None, None),
        ])
        self.assertIs(seen[-1].element, ax)
        self.assertEqual(len(seen), len(rows))

    def test_element_target_refused_calls_and_bad_targets(self):
        m = Ozo.Model()
        a, b = T.Axis(m), T.Axis(m)
        seen = []
        s = quillon.observe(a, seen.append)
        b.Dimensions = 2
        with self.assertRaises(quillon.HostError):
            a.Dimensions = "x"
        a.Dimensions = 3
        s.close()
        s.close()
        a.Dimensions = 5
        self.assertEqual([(v.kind, v.new) for v in seen], [("set", 3)])
        for bad in (3, None, "x"):
            with self.assertRaisesRegex(quillon.HostError, "^Only an element or a model can be observed$"):
                quillon.observe(bad, print)
        with self.assertRaises(TypeError):
            quillon.observe(m, 3)

    def test_nested_events_follow_the_one_delivered(self):
        m = Ozo.Model()
        ax = T.Axis(m)
        order = []

        def first(event):
            order.append(("first", event.property))
            if event.property == "Dimensions":
                ax.Name = "a"

        with quillon.observe(m, first), quillon.observe(m, lambda v: order.append(("second", v.property))):
            ax.Dimensions = 1
        self.assertEqual(order, [("first", "Dimensions"), ("second", "Dimensions"),
                                 ("first", "Name"), ("second", "Name")])

    def test_raising_callback_goes_to_unraisablehook(self):
        m = Ozo.Model()
        ax = T.Axis(m)
        caught, seen = [], []

        def bad(event):
            raise ValueError("boom")

        old = sys.unraisablehook
        sys.unraisablehook = lambda u: caught.append(u.exc_value)
        try:
            with quillon.observe(m, bad), quillon.observe(m, seen.append):
                ax.Dimensions = 7
        finally:
            sys.unraisablehook = old
        self.assertEqual(ax.Dimensions, 7)
        self.assertEqual([str(c) for c in caught], ["boom"])
        self.assertEqual([v.new for v in seen], [7])


class Transactions(HostTestCase):
    def fill(self, m):
        ax = T.Axis(m, 2, "speed")
        ax.SymbolicDimensions.append("n")
        ax.Vf.append(1.5)
        ax.BaseType = T.Integer(m)
        e = T.Enumeration(m, "Colour")
        red = T.EnumerationLiteral(m, 1, 0, e, "RED")
        blue = T.EnumerationLiteral(m, 2, 0, e, "BLUE")
        other = T.Enumeration(m, "Other")
        len(other.OwnedLiteral)
        return ax, e, red, blue, other

    def edit(self, m, ax, e, red, blue, other):
        ax.Name = "rpm"
        ax.Dimensions = 5
        ax.BaseType = None
        ax.SymbolicDimensions.insert(0, "a")
        ax.SymbolicDimensions[1] = "b"
        ax.Vf.clear()
        e.DefaultValue = 1.0
        e.IsSigned = True
        e.OwnedLiteral.insert(0, blue)
        red.enumeration = other
        del other.OwnedLiteral[0]
        green = T.EnumerationLiteral(m, 3, 0, e, "GREEN")
        ax.InputVariableType = T.Integer(m)
        green.Value = 9

    def test_exception_rolls_back_everything(self):
        m = Ozo.Model()
        content = self.fill(m)
        before = copy_of(m)
        with self.assertRaises(KeyError):
            with quillon.transaction(m):
                self.edit(m, *content)
                raise KeyError("stop")
        self.assertEqual(Ozo.Model.compare(m, before), [])
        ax, e, red, blue, other = content
        self.assertIs(e.OwnedLiteral[0], red)
        self.assertIs(red.enumeration, e)
        self.assertEqual(m.size(), 6)

    def test_commit_undo_redo(self):
        m = Ozo.Model()
        content = self.fill(m)
        before = copy_of(m)
        with quillon.transaction(m) as t:
            self.edit(m, *content)
        after = copy_of(m)
        t.undo()
        self.assertEqual(Ozo.Model.compare(m, before), [])
        t.redo()
        self.assertEqual(Ozo.Model.compare(m, after), [])
        with self.assertRaisesRegex(quillon.HostError, "Only an undone transaction can be redone"):
            t.redo()

    def test_nested_read_only_and_held_elements(self):
        m = Ozo.Model()
        with quillon.transaction(m) as t:
            with self.assertRaisesRegex(quillon.HostError, "already has an open transaction"):
                quillon.transaction(m)
            held = T.Axis(m)
            t.rollback()
        with self.assertRaisesRegex(quillon.HostError, "was discarded: the transaction that created it"):
            held.Dimensions = 1
        with self.assertRaisesRegex(quillon.HostError, "The transaction is not open"):
            t.commit()
        r = Ozo.Model()
        r.setReadOnly(True)
        with self.assertRaisesRegex(quillon.HostError, "is read-only: it cannot have a transaction"):
            quillon.transaction(r)

    def test_open_transaction_keeps_a_dropped_model_until_it_ends(self):
        m = Ozo.Model()
        t = quillon.transaction(m)
        T.Axis(m)
        del m
        del t  # rolled back; the model goes with it (tearDown counts)


if __name__ == "__main__":
    unittest.main()
