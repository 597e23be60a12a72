"""Random edit programs on DataSize value lists through the host's own
methods (1-based positions), checked step by step against a plain Python
list. Equality is the model's (8 Bit == 1 Byte): removeAll takes every equal
value and a unique list quietly refuses one; a refused edit changes nothing;
a cursor made before a change refuses to read."""

from hypothesis import strategies as st
from hypothesis.stateful import RuleBasedStateMachine, initialize, invariant, precondition, rule

import quillon
from helpers import host, leak_checked

positions = st.integers(min_value=-1, max_value=8)
tokens = st.integers(min_value=0, max_value=11)
SHIFT = {"Bit": 0, "Byte": 3, "KB": 13}
ITEMS = [(n, unit) for n in range(4) for unit in sorted(SHIFT)]
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


class ValueListMachine(RuleBasedStateMachine):
    unique = False

    @initialize()
    def start(self):
        self.types = host.package("Zorvan.metamodel.types")
        cls = self.types.SequenceOfDataSize
        self.seq = (cls.makeUnique if self.unique else cls.make)(host.package("Ozo").Model())
        self.expected, self.cursor = [], None

    def value(self, item):
        return self.types.DataSize(item[0], getattr(self.types.DataSizeUnitKind, item[1])())

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
        if self.unique and any(same(x, item) for x in others):
            return
        if replacing:
            self.expected[index] = item
        else:
            self.expected.insert(index, item)
        self.changed()

    @rule(t=tokens, front=st.booleans())
    def push(self, t, front):
        (self.seq.push_front if front else self.seq.push_back)(self.value(ITEMS[t]))
        self.put(0 if front else len(self.expected), ITEMS[t])

    @rule(i=positions, t=tokens)
    def insert(self, i, t):
        if self.at_position(i, 1, lambda: quillon.invoke(self.seq, "insert", i, self.value(ITEMS[t]))):
            self.put(i - 1, ITEMS[t])

    @rule(i=positions, t=tokens)
    def replace(self, i, t):
        if self.at_position(i, 0, lambda: self.seq.replace(i, self.value(ITEMS[t]))):
            self.put(i - 1, ITEMS[t], replacing=True)

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
        kept = [x for x in self.expected if not same(x, ITEMS[t])]
        assert self.seq.removeAll(self.value(ITEMS[t])) == len(self.expected) - len(kept)
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
            assert str(after.item()) == "%d %s" % self.expected[first]
        else:
            refused(after.item, BOUNDS)

    @precondition(lambda self: self.cursor is None)
    @rule()
    def keep_a_cursor(self):
        self.cursor = self.seq.begin()

    @invariant()
    def same_content(self):
        if hasattr(self, "seq"):
            assert self.seq.size() == len(self.expected)
            assert [str(self.seq.at(k)) for k in range(1, len(self.expected) + 1)] == \
                ["%d %s" % x for x in self.expected]

    def teardown(self):
        self.__dict__.clear()


class UniqueValueListMachine(ValueListMachine):
    unique = True


ValueListEdits = leak_checked(ValueListMachine, examples=25, steps=25)
UniqueValueListEdits = leak_checked(UniqueValueListMachine, examples=25, steps=25)

if __name__ == "__main__":
    import unittest
    unittest.main()
