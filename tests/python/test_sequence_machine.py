"""Random edit programs on live sequences, checked step by step against a
plain Python list: through the host's methods (1-based, refused with the
bounds messages) and through Python's list protocol (0-based, IndexError and
ValueError as a list raises them); a refused edit changes nothing."""

import operator
import unittest

from hypothesis import settings, strategies as st
from hypothesis.stateful import RuleBasedStateMachine, initialize, invariant, rule

import helpers
import quillon
from helpers import BOUNDS, EMPTY, POSITIVE, HostTestCase, host

SOURCE = "ozo/kernel/containers/sequence/list/ListQImplForPrimitives"

words = st.sampled_from(["a", "b", "", "\ufeffx", "\U0001F600"])
positions = st.integers(min_value=-2, max_value=8)


def refused(call, message):
    helpers.refused(call, message, SOURCE)


class StringSequenceMachine(RuleBasedStateMachine):
    """`Axis.SymbolicDimensions` against a list of str; 1-based host positions."""

    @initialize()
    def start(self):
        types = host.package("Zorvan.metamodel.types")
        self.model = host.package("Ozo").Model()
        self.axis = types.Axis(self.model, 1, "n")
        self.seq = self.axis.SymbolicDimensions
        self.expected = []

    @rule(v=words)
    def push_back(self, v):
        self.seq.push_back(v)
        self.expected.append(v)

    @rule(v=words)
    def push_front(self, v):
        self.seq.push_front(v)
        self.expected.insert(0, v)

    @rule(i=positions, v=words)
    def insert(self, i, v):
        # The host's 1-based insert; the Python name is list.insert's.
        def host_insert():
            quillon.invoke(self.seq, "insert", i, v)
        if i < 1:
            refused(host_insert, POSITIVE)
        elif i > len(self.expected) + 1:
            refused(host_insert, BOUNDS)
        else:
            host_insert()
            self.expected.insert(i - 1, v)

    @rule(i=positions)
    def erase(self, i):
        if i < 1:
            refused(lambda: self.seq.erase(i), POSITIVE)
        elif i > len(self.expected):
            refused(lambda: self.seq.erase(i), BOUNDS)
        else:
            self.seq.erase(i)
            del self.expected[i - 1]

    @rule(i=positions, v=words)
    def replace(self, i, v):
        if i < 1:
            refused(lambda: self.seq.replace(i, v), POSITIVE)
        elif i > len(self.expected):
            refused(lambda: self.seq.replace(i, v), BOUNDS)
        else:
            self.seq.replace(i, v)
            self.expected[i - 1] = v

    @rule()
    def pop_back(self):
        if not self.expected:
            refused(self.seq.pop_back, EMPTY)
        else:
            self.seq.pop_back()
            self.expected.pop()

    @rule()
    def pop_front(self):
        if not self.expected:
            refused(self.seq.pop_front, EMPTY)
        else:
            self.seq.pop_front()
            self.expected.pop(0)

    @rule(v=words)
    def remove_all(self, v):
        count = self.expected.count(v)
        assert self.seq.removeAll(v) == count
        self.expected = [x for x in self.expected if x != v]

    @rule()
    def clear(self):
        self.seq.clear()
        self.expected = []

    @rule(i=positions)
    def at(self, i):
        if 1 <= i <= len(self.expected):
            assert self.seq.at(i) == self.expected[i - 1]
        else:
            refused(lambda: self.seq.at(i), POSITIVE if i < 1 else BOUNDS)

    @rule()
    def walk_with_a_cursor(self):
        cursor, end, seen = self.seq.begin(), self.seq.end(), []
        while not cursor.eq(end):
            seen.append(cursor.item())
            cursor.getNext()
        assert seen == self.expected
        refused(cursor.getNext, BOUNDS)

    @invariant()
    def same_content(self):
        if hasattr(self, "seq"):
            assert self.seq.size() == len(self.expected)
            assert list(self.seq) == self.expected
            # A second view of the same collection sees the same content.
            assert list(self.axis.SymbolicDimensions) == self.expected

    def teardown(self):
        self.__dict__.clear()


# Reproducible and bounded: the same programs on every run.
StringSequenceMachine.TestCase.settings = settings(max_examples=60, stateful_step_count=30, deadline=None,
                                                   derandomize=True, database=None)


class StringSequenceEdits(StringSequenceMachine.TestCase, HostTestCase):
    """The machine's programs, with the leak check of every host test."""

    def setUp(self):
        HostTestCase.setUp(self)

    def tearDown(self):
        HostTestCase.tearDown(self)


# ---- the same sequences through Python's list protocol ----------------------

indices = st.integers(min_value=-6, max_value=6)
bounds = st.one_of(st.none(), indices)
steps = st.sampled_from([None, 1, 2, 3, -1, -2])
tokens = st.integers(min_value=0, max_value=3)
token_lists = st.lists(tokens, max_size=4)


class PythonProtocolMachine(RuleBasedStateMachine):
    """A live host sequence used as a Python list, step by step against one.
    Each operation is applied to a copy of the list first: when the list
    raises IndexError or ValueError, the sequence must raise the same and stay
    as it was; otherwise both must give the same result. Values that the host
    refuses must leave the sequence unchanged, whichever edit they were in.

    Subclasses say where the sequence lives and which values it holds."""

    def make(self):
        """The owner (kept alive) and its live sequence."""
        raise NotImplementedError

    def new_value(self, token):
        """A value to put into the sequence."""
        raise NotImplementedError

    def bad_values(self):
        """Values the host refuses as items, each with the error it raises."""
        raise NotImplementedError

    def probe(self, token):
        # Present items as often as absent ones.
        if token < len(self.expected) and token % 2 == 0:
            return self.expected[token]
        return self.new_value(token)

    @initialize()
    def start(self):
        self.owner, self.seq = self.make()
        self.expected = []

    def both(self, op):
        trial = list(self.expected)
        try:
            want = op(trial)
        except (IndexError, ValueError) as e:
            try:
                op(self.seq)
            except type(e):
                return
            raise AssertionError(f"not refused: expected {type(e).__name__}")
        assert op(self.seq) == want
        self.expected = trial

    @rule(i=indices)
    def get(self, i):
        self.both(lambda s: s[i])

    @rule(a=bounds, b=bounds, step=steps)
    def get_slice(self, a, b, step):
        self.both(lambda s: list(s[a:b:step]))

    @rule(i=indices, t=tokens)
    def set(self, i, t):
        v = self.new_value(t)
        self.both(lambda s: operator.setitem(s, i, v))

    @rule(a=bounds, b=bounds, step=steps, ts=token_lists)
    def set_slice(self, a, b, step, ts):
        values = [self.new_value(t) for t in ts]
        self.both(lambda s: operator.setitem(s, slice(a, b, step), values))

    @rule(i=indices)
    def delete(self, i):
        self.both(lambda s: operator.delitem(s, i))

    @rule(a=bounds, b=bounds, step=steps)
    def delete_slice(self, a, b, step):
        self.both(lambda s: operator.delitem(s, slice(a, b, step)))

    @rule(i=st.integers(min_value=-9, max_value=9), t=tokens)
    def insert(self, i, t):
        v = self.new_value(t)
        self.both(lambda s: s.insert(i, v))

    @rule(t=tokens)
    def append(self, t):
        v = self.new_value(t)
        self.both(lambda s: s.append(v))

    @rule(ts=token_lists, in_place=st.booleans())
    def extend(self, ts, in_place):
        values = [self.new_value(t) for t in ts]
        self.both(lambda s: operator.iadd(s, values) is s if in_place else s.extend(values))

    @rule(i=st.one_of(st.none(), indices))
    def pop(self, i):
        self.both(lambda s: s.pop() if i is None else s.pop(i))

    @rule(t=tokens)
    def remove(self, t):
        v = self.probe(t)
        self.both(lambda s: s.remove(v))

    @rule(t=tokens)
    def lookups(self, t):
        v = self.probe(t)
        self.both(lambda s: (v in s, s.count(v)))
        self.both(lambda s: s.index(v))

    @rule()
    def reverse(self):
        self.both(lambda s: s.reverse())
        assert list(reversed(self.seq)) == self.expected[::-1]

    @rule(k=st.integers(min_value=0, max_value=4), edit=st.sampled_from(["extend", "slice", "insert", "set"]))
    def refused(self, k, edit):
        for bad, error in self.bad_values():
            values = [self.new_value(t) for t in range(3)]
            values.insert(k % 4, bad)
            op = {"extend": lambda s: s.extend(values),
                  "slice": lambda s: operator.setitem(s, slice(1, None), values),
                  "insert": lambda s: s.insert(k, bad),
                  "set": lambda s: operator.setitem(s, k % max(len(self.expected), 1), bad)}[edit]
            if edit == "set" and not self.expected:
                continue
            try:
                op(self.seq)
            except error:
                continue
            raise AssertionError(f"{bad!r} not refused")

    @invariant()
    def same_content(self):
        if hasattr(self, "seq"):
            assert len(self.seq) == len(self.expected)
            assert list(self.seq) == self.expected
            assert self.seq == self.expected and self.seq == tuple(self.expected)
            assert not self.seq != self.expected
            assert self.seq != self.expected + [self.new_value(0)]

    def teardown(self):
        self.__dict__.clear()


class StringProtocolMachine(PythonProtocolMachine):
    def make(self):
        axis = host.package("Zorvan.metamodel.types").Axis(host.package("Ozo").Model(), 1, "n")
        return axis, axis.SymbolicDimensions

    def new_value(self, token):
        return ["a", "b", "", "\U0001F600"][token]

    def bad_values(self):
        return [(3, quillon.ArgumentError), (1.5, quillon.ArgumentError)]


class RealProtocolMachine(PythonProtocolMachine):
    def make(self):
        axis = host.package("Zorvan.metamodel.types").Axis(host.package("Ozo").Model(), 1, "n")
        return axis, axis.Vf

    def new_value(self, token):
        return [0.5, -2.0, 1e300, 0.0][token]

    def bad_values(self):
        return [("x", quillon.ArgumentError), (None, quillon.ArgumentError)]


class ElementProtocolMachine(PythonProtocolMachine):
    """Owned elements: a collection holds each element once, so every value put
    in is a new element (an element already there would move)."""

    def make(self):
        self.types = host.package("Zorvan.metamodel.types")
        self.model = host.package("Ozo").Model()
        axis = self.types.Axis(self.model, 1, "n")
        return axis, axis.SwGenericAxisParamType

    def new_value(self, token):
        return self.types.SwGenericAxisParamType(self.model)

    def bad_values(self):
        other_model = self.types.SwGenericAxisParamType(host.package("Ozo").Model())
        # The host refuses these itself (not the dispatcher): wrong class,
        # another model's element, the empty handle.
        return [(self.types.Axis(self.model, 1, "x"), quillon.HostError),
                (other_model, quillon.HostError), (None, quillon.HostError)]


def run_with_leak_check(machine):
    machine.TestCase.settings = settings(max_examples=40, stateful_step_count=25, deadline=None,
                                         derandomize=True, database=None)

    class Case(machine.TestCase, HostTestCase):
        def setUp(self):
            HostTestCase.setUp(self)

        def tearDown(self):
            HostTestCase.tearDown(self)
    Case.__name__ = Case.__qualname__ = machine.__name__.replace("Machine", "Edits")
    return Case


StringProtocolEdits = run_with_leak_check(StringProtocolMachine)
RealProtocolEdits = run_with_leak_check(RealProtocolMachine)
ElementProtocolEdits = run_with_leak_check(ElementProtocolMachine)


if __name__ == "__main__":
    unittest.main()
