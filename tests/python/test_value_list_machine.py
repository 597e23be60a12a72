"""Random edit programs on DataSize and Time value lists through the host's
own methods (1-based positions), checked step by step against a plain Python
list. Equality is the model's (8 Bit == 1 Byte, 60 S == 1 Min, a NaN time
equals nothing): removeAll takes every equal value and says how many, a
unique list quietly refuses one (and a second NaN); a refused edit changes
nothing; a cursor made before a change refuses to read. The times include
NaN, both infinities, both zeros and amounts too large for microseconds in
units far apart."""

import math
from fractions import Fraction

from hypothesis import strategies as st
from hypothesis.stateful import RuleBasedStateMachine, initialize, invariant, precondition, rule

import quillon
from helpers import host, leak_checked

positions = st.integers(min_value=-1, max_value=8)
tokens = st.integers(min_value=0, max_value=44)
SHIFT = {"Bit": 0, "Byte": 3, "KB": 13}
ITEMS = [(n, unit) for n in range(4) for unit in sorted(SHIFT)]
MICROSECONDS = {"Us": 1, "S": 10**6, "Min": 6 * 10**7, "Wks": 604800 * 10**6, "Yrs": 31556952 * 10**6}
AMOUNTS = [math.nan, math.inf, -math.inf, -0.0, 0.0, 1.0, 60.0, 1e300, -1e300]
TIMES = [(v, unit) for v in AMOUNTS for unit in sorted(MICROSECONDS)]
SOURCE = "ozo/export/include/ozo/kernel/containers/sequence/multi_index/MultiIndexImplForPrimitives"
POSITIVE, BOUNDS, EMPTY = "sequence index must be positive", "sequence index out of bounds", "sequence is empty"
CHANGED = "the sequence was changed after the cursor was made"


def refused(call, message):
    try:
        call()
    except quillon.HostError as e:
        assert message in e.message and SOURCE in e.message, e.message
    else:
        raise AssertionError("not refused: " + message)


def same(a, b):
    return a[0] << SHIFT[a[1]] == b[0] << SHIFT[b[1]]


def time_amount(item):
    """The exact amount in microseconds (infinities stay infinite), None for NaN."""
    v, unit = item
    if math.isnan(v):
        return None
    return v if math.isinf(v) else Fraction(v) * MICROSECONDS[unit]


def same_time(a, b):
    x, y = time_amount(a), time_amount(b)
    return x is not None and y is not None and x == y


class ValueListMachine(RuleBasedStateMachine):
    unique = False
    type_name, unit_kind, items = "DataSize", "DataSizeUnitKind", ITEMS

    @initialize()
    def start(self):
        self.types = host.package("Zorvan.metamodel.types")
        cls = getattr(self.types, "SequenceOf" + self.type_name)
        self.seq = (cls.makeUnique if self.unique else cls.make)(host.package("Ozo").Model())
        self.expected, self.cursor = [], None

    def item(self, t):
        return self.items[t % len(self.items)]

    def value(self, item):
        unit = getattr(getattr(self.types, self.unit_kind), item[1])()
        return getattr(self.types, self.type_name)(item[0], unit)

    def same(self, a, b):
        return same(a, b)

    def duplicate(self, a, b):
        """Whether a unique list holding a refuses b."""
        return self.same(a, b)

    @staticmethod
    def shown(text):
        """A value's text as (number, unit), compared as numbers."""
        number, unit = text.split()
        return repr(float(number)), unit

    def expected_shown(self, item):
        return repr(float(item[0])), item[1]

    def changed(self):
        if self.cursor is not None:
            refused(self.cursor.item, CHANGED)
            self.cursor = None

    def at_position(self, i, extra, call):
        """Calls the host at position i, valid from 1 to the size plus `extra`."""
        if i < 1 or i > len(self.expected) + extra:
            refused(call, POSITIVE if i < 1 else BOUNDS)
            return False
        call()
        return True

    def put(self, index, item, replacing=False):
        others = [x for k, x in enumerate(self.expected) if not (replacing and k == index)]
        if self.unique and any(self.duplicate(x, item) for x in others):
            return
        if replacing:
            self.expected[index] = item
        else:
            self.expected.insert(index, item)
        self.changed()

    @rule(t=tokens, front=st.booleans())
    def push(self, t, front):
        (self.seq.push_front if front else self.seq.push_back)(self.value(self.item(t)))
        self.put(0 if front else len(self.expected), self.item(t))

    @rule(i=positions, t=tokens)
    def insert(self, i, t):
        if self.at_position(i, 1, lambda: quillon.invoke(self.seq, "insert", i, self.value(self.item(t)))):
            self.put(i - 1, self.item(t))

    @rule(i=positions, t=tokens)
    def replace(self, i, t):
        if self.at_position(i, 0, lambda: self.seq.replace(i, self.value(self.item(t)))):
            self.put(i - 1, self.item(t), replacing=True)

    @rule(i=positions)
    def erase(self, i):
        if self.at_position(i, 0, lambda: self.seq.erase(i)):
            del self.expected[i - 1]
            self.changed()

    @rule(front=st.booleans())
    def pop(self, front):
        call = self.seq.pop_front if front else self.seq.pop_back
        if not self.expected:
            refused(call, EMPTY)
            return
        call()
        self.expected.pop(0 if front else -1)
        self.changed()

    @rule(t=tokens)
    def remove_all(self, t):
        kept = [x for x in self.expected if not self.same(x, self.item(t))]
        assert self.seq.removeAll(self.value(self.item(t))) == len(self.expected) - len(kept)
        if len(kept) < len(self.expected):
            self.expected = kept
            self.changed()

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
            assert self.shown(str(after.item())) == self.expected_shown(self.expected[first])
        else:
            refused(after.item, BOUNDS)

    @rule(t=tokens, start=st.integers(min_value=-3, max_value=6))
    def searches(self, t, start):
        """in, count and index are the host's own search (the ordered index
        of a list that keeps one), found where a list of the items finds."""
        item = self.item(t)
        hits = [k for k, x in enumerate(self.expected) if self.same(x, item)]
        v = self.value(item)
        assert (v in self.seq) == bool(hits)
        assert self.seq.count(v) == len(hits)
        first = start + len(self.expected) if start < 0 else start
        after = [k for k in hits if k >= first]
        if after:
            assert self.seq.index(v, start) == after[0]
        else:
            try:
                self.seq.index(v, start)
            except ValueError:
                pass
            else:
                raise AssertionError("index found an absent value")

    @precondition(lambda self: self.cursor is None)
    @rule()
    def keep_a_cursor(self):
        self.cursor = self.seq.begin()

    @invariant()
    def same_content(self):
        if hasattr(self, "seq"):
            assert self.seq.size() == len(self.expected)
            assert [self.shown(str(self.seq.at(k))) for k in range(1, len(self.expected) + 1)] == \
                [self.expected_shown(x) for x in self.expected]

    def teardown(self):
        self.__dict__.clear()


class UniqueValueListMachine(ValueListMachine):
    unique = True


class TimeListMachine(ValueListMachine):
    type_name, unit_kind, items = "Time", "TimeUnitKind", TIMES

    def same(self, a, b):
        return same_time(a, b)

    def duplicate(self, a, b):
        # One NaN at most: the list's order holds every NaN the same.
        return same_time(a, b) or (math.isnan(a[0]) and math.isnan(b[0]))


class UniqueTimeListMachine(TimeListMachine):
    unique = True


ValueListEdits = leak_checked(ValueListMachine, examples=25, steps=25)
UniqueValueListEdits = leak_checked(UniqueValueListMachine, examples=25, steps=25)
TimeListEdits = leak_checked(TimeListMachine, examples=40, steps=30)
UniqueTimeListEdits = leak_checked(UniqueTimeListMachine, examples=40, steps=30)

if __name__ == "__main__":
    import unittest
    unittest.main()
