"""Random edit programs on value lists of DataSize, checked step by step
against a plain Python list: every host edit does what the list does, or is
refused with the bounds messages and changes nothing. Equality is the
model's (8 Bit == 1 Byte); a unique list quietly refuses equal values."""

import unittest

from hypothesis import settings, strategies as st
from hypothesis.stateful import RuleBasedStateMachine, initialize, invariant, precondition, rule

import helpers
import quillon
from helpers import BOUNDS, EMPTY, POSITIVE, HostTestCase, host

SOURCE = "ozo/export/include/ozo/kernel/containers/sequence/multi_index/MultiIndexImplForPrimitives"
CHANGED = "the sequence was changed after the cursor was made"

SHIFT = {"Bit": 0, "Byte": 3, "KB": 13}
sizes = st.tuples(st.integers(min_value=0, max_value=3), st.sampled_from(sorted(SHIFT)))
positions = st.integers(min_value=-1, max_value=7)


def bits(v):
    return v[0] << SHIFT[v[1]]


def refused(call, message):
    helpers.refused(call, message, SOURCE)


class ValueListMachine(RuleBasedStateMachine):
    unique = False

    @initialize()
    def start(self):
        self.types = host.package("Zorvan.metamodel.types")
        cls = self.types.SequenceOfDataSize
        self.seq = (cls.makeUnique if self.unique else cls.make)(host.package("Ozo").Model())
        self.expected = []
        self.cursor = None  # a cursor taken before the last change, if any

    def value(self, v):
        return self.types.DataSize(v[0], getattr(self.types.DataSizeUnitKind, v[1])())

    def refuses(self, v, skip=None):
        return self.unique and any(bits(x) == bits(v) for i, x in enumerate(self.expected) if i != skip)

    def changed(self):
        if self.cursor is not None:
            refused(self.cursor.item, CHANGED)
            self.cursor = None

    @rule(v=sizes)
    def push_back(self, v):
        self.seq.push_back(self.value(v))
        if not self.refuses(v):
            self.expected.append(v)
            self.changed()

    @rule(v=sizes)
    def push_front(self, v):
        self.seq.push_front(self.value(v))
        if not self.refuses(v):
            self.expected.insert(0, v)
            self.changed()

    @rule(i=positions, v=sizes)
    def insert(self, i, v):
        if i < 1:
            refused(lambda: quillon.invoke(self.seq, "insert", i, self.value(v)), POSITIVE)
        elif i > len(self.expected) + 1:
            refused(lambda: quillon.invoke(self.seq, "insert", i, self.value(v)), BOUNDS)
        else:
            quillon.invoke(self.seq, "insert", i, self.value(v))
            if not self.refuses(v):
                self.expected.insert(i - 1, v)
                self.changed()

    @rule(i=positions)
    def erase(self, i):
        if i < 1:
            refused(lambda: self.seq.erase(i), POSITIVE)
        elif i > len(self.expected):
            refused(lambda: self.seq.erase(i), BOUNDS)
        else:
            self.seq.erase(i)
            del self.expected[i - 1]
            self.changed()

    @rule(i=positions, v=sizes)
    def replace(self, i, v):
        if i < 1:
            refused(lambda: self.seq.replace(i, self.value(v)), POSITIVE)
        elif i > len(self.expected):
            refused(lambda: self.seq.replace(i, self.value(v)), BOUNDS)
        else:
            self.seq.replace(i, self.value(v))
            if not self.refuses(v, skip=i - 1):
                self.expected[i - 1] = v
                self.changed()

    @rule()
    def pop_back(self):
        if not self.expected:
            refused(self.seq.pop_back, EMPTY)
        else:
            self.seq.pop_back()
            self.expected.pop()
            self.changed()

    @rule()
    def pop_front(self):
        if not self.expected:
            refused(self.seq.pop_front, EMPTY)
        else:
            self.seq.pop_front()
            self.expected.pop(0)
            self.changed()

    @rule(v=sizes)
    def remove_all(self, v):
        count = sum(1 for x in self.expected if bits(x) == bits(v))
        assert self.seq.removeAll(self.value(v)) == count
        if count:
            self.expected = [x for x in self.expected if bits(x) != bits(v)]
            self.changed()

    @rule(i=positions)
    def at(self, i):
        if 1 <= i <= len(self.expected):
            assert bits_of(self.seq.at(i)) == bits(self.expected[i - 1])
        else:
            refused(lambda: self.seq.at(i), POSITIVE if i < 1 else BOUNDS)

    @rule(i=positions, n=st.integers(min_value=0, max_value=3))
    def erase_range(self, i, n):
        first = i - 1
        if not 0 <= first <= len(self.expected):
            return
        last = min(first + n, len(self.expected))
        a, b = self.seq.begin(), self.seq.begin()
        for _ in range(first):
            a.getNext()
        for _ in range(last):
            b.getNext()
        after = self.seq.erase(a, b)
        del self.expected[first:last]
        if last > first:
            self.changed()
        if first < len(self.expected):
            assert bits_of(after.item()) == bits(self.expected[first])
        else:
            refused(after.item, BOUNDS)

    @rule()
    def walk_with_a_cursor(self):
        cursor, end, seen = self.seq.begin(), self.seq.end(), []
        while not cursor.eq(end):
            seen.append(bits_of(cursor.item()))
            cursor.getNext()
        assert seen == [bits(x) for x in self.expected]
        refused(cursor.getNext, BOUNDS)
        refused(cursor.item, BOUNDS)

    @precondition(lambda self: self.cursor is None)
    @rule()
    def keep_a_cursor(self):
        self.cursor = self.seq.begin()

    @invariant()
    def same_content(self):
        if hasattr(self, "seq"):
            assert self.seq.size() == len(self.expected)
            assert [str(x) for x in self.seq] == ["%d %s" % x for x in self.expected]

    def teardown(self):
        self.__dict__.clear()


def bits_of(d):
    return d.value << SHIFT[str(d.unit)]


class UniqueValueListMachine(ValueListMachine):
    unique = True


# Reproducible and bounded: the same programs on every run.
for machine in (ValueListMachine, UniqueValueListMachine):
    machine.TestCase.settings = settings(max_examples=25, stateful_step_count=25, deadline=None,
                                         derandomize=True, database=None)


class ValueListEdits(ValueListMachine.TestCase, HostTestCase):
    def setUp(self):
        HostTestCase.setUp(self)

    def tearDown(self):
        HostTestCase.tearDown(self)


class UniqueValueListEdits(UniqueValueListMachine.TestCase, HostTestCase):
    def setUp(self):
        HostTestCase.setUp(self)

    def tearDown(self):
        HostTestCase.tearDown(self)


if __name__ == "__main__":
    unittest.main()
