"""Random edit programs on live sequences, checked step by step against a
plain Python list: every host edit either does what the list does or is
refused with the bounds messages and changes nothing."""

import unittest

from hypothesis import settings, strategies as st
from hypothesis.stateful import RuleBasedStateMachine, initialize, invariant, rule

import quillon
from helpers import HostTestCase, host

SOURCE = "ozo/kernel/containers/sequence/list/ListQImplForPrimitives"
POSITIVE = "sequence index must be positive"
BOUNDS = "sequence index out of bounds"
EMPTY = "sequence is empty"

words = st.sampled_from(["a", "b", "", "\ufeffx", "\U0001F600"])
positions = st.integers(min_value=-2, max_value=8)


def refused(call, message):
    try:
        call()
    except quillon.HostError as e:
        assert message in e.message, e.message
        assert SOURCE in e.message, e.message
        return
    raise AssertionError("not refused: expected " + message)


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


if __name__ == "__main__":
    unittest.main()
