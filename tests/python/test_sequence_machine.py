"""Random edit programs on live sequences, checked step by step against a
plain Python list: through the host's methods (1-based, refused with the
position messages) and through Python's list protocol (0-based, IndexError
and ValueError as a list raises them)."""

import operator
import unittest

from hypothesis import strategies as st
from hypothesis.stateful import RuleBasedStateMachine, initialize, invariant, rule

import helpers
import quillon
from helpers import BOUNDS, EMPTY, POSITIVE, host, leak_checked

positions = st.integers(min_value=-1, max_value=8)
item_tokens = st.integers(min_value=0, max_value=11)


class LiveSequence(RuleBasedStateMachine):
    """A live host sequence against a plain Python list of the items put in;
    `make` gives the sequence and its owner, kept alive with it."""

    @initialize()
    def start(self):
        self.owner, self.seq = self.make()
        self.expected = []

    @invariant()
    def same_content(self):
        if hasattr(self, "seq"):
            assert self.seq.size() == len(self.seq) == len(self.expected)
            assert list(self.seq) == self.expected

    def teardown(self):
        self.__dict__.clear()


class HostSequenceRules(LiveSequence):
    """Edits through the host's methods, 1-based. Subclasses list the items
    the sequence may hold and the source the host's refusals name."""

    ITEMS = ()
    SOURCE = ""

    def item(self, token):
        return self.ITEMS[token % len(self.ITEMS)]

    def refuses(self, call, message):
        helpers.refused(call, message, self.SOURCE)

    def at_position(self, i, extra, call):
        """Calls the host at position i, valid from 1 to the size plus `extra`;
        False when the host refused it as it must."""
        if i < 1:
            self.refuses(call, POSITIVE)
        elif i > len(self.expected) + extra:
            self.refuses(call, BOUNDS)
        else:
            call()
            return True
        return False

    @rule(t=item_tokens, back=st.booleans())
    def push_an_end(self, t, back):
        (self.seq.push_back if back else self.seq.push_front)(self.item(t))
        self.expected.insert(len(self.expected) if back else 0, self.item(t))

    @rule(i=positions, t=item_tokens)
    def host_insert(self, i, t):
        # The Python name is list.insert's.
        item = self.item(t)
        if self.at_position(i, 1, lambda: quillon.invoke(self.seq, "insert", i, item)):
            self.expected.insert(i - 1, item)

    @rule(i=positions)
    def erase(self, i):
        if self.at_position(i, 0, lambda: self.seq.erase(i)):
            del self.expected[i - 1]

    @rule(i=positions, t=item_tokens)
    def replace(self, i, t):
        item = self.item(t)
        if self.at_position(i, 0, lambda: self.seq.replace(i, item)):
            self.expected[i - 1] = item

    @rule(back=st.booleans())
    def pop_an_end(self, back):
        call = self.seq.pop_back if back else self.seq.pop_front
        if not self.expected:
            self.refuses(call, EMPTY)
        else:
            call()
            self.expected.pop(-1 if back else 0)

    @rule(t=item_tokens)
    def remove_all(self, t):
        item = self.item(t)
        kept = [x for x in self.expected if x != item]
        assert self.seq.removeAll(item) == len(self.expected) - len(kept)
        self.expected = kept

    @rule(i=positions)
    def at(self, i):
        def read():
            assert self.seq.at(i) == self.expected[i - 1]
        self.at_position(i, 0, read)

    @rule()
    def walk_with_a_cursor(self):
        cursor, end, seen = self.seq.begin(), self.seq.end(), []
        while not cursor.eq(end):
            seen.append(cursor.item())
            cursor.getNext()
        assert seen == self.expected
        self.refuses(cursor.getNext, BOUNDS)
        self.refuses(cursor.item, BOUNDS)


# ---- Python's list protocol -------------------------------------------------

indices = st.integers(min_value=-6, max_value=6)
bounds = st.one_of(st.none(), indices)
slices = st.builds(slice, bounds, bounds, st.sampled_from([None, 1, 2, 3, -1, -2]))
keys = st.one_of(indices, slices)
tokens = st.integers(min_value=0, max_value=3)
token_lists = st.lists(tokens, max_size=4)


class PythonProtocolRules(LiveSequence):
    """The sequence used as a Python list. Each operation is applied to a copy
    of the list first: when the list raises IndexError or ValueError, the
    sequence must raise the same and stay as it was; otherwise both must give
    the same result. Subclasses give `new_value`, a value to put in, and
    `bad_values`, values the host refuses as items with the error each
    raises; a refused value leaves the sequence unchanged in any edit."""

    def probe(self, token):
        # Present items as often as absent ones.
        if token < len(self.expected) and token % 2 == 0:
            return self.expected[token]
        return self.new_value(token)

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

    @rule(k=keys)
    def get(self, k):
        self.both(lambda s: s[k])

    @rule(i=indices, t=tokens)
    def set(self, i, t):
        v = self.new_value(t)
        self.both(lambda s: operator.setitem(s, i, v))

    @rule(k=slices, ts=token_lists)
    def set_slice(self, k, ts):
        values = [self.new_value(t) for t in ts]
        self.both(lambda s: operator.setitem(s, k, values))

    @rule(k=keys)
    def delete(self, k):
        self.both(lambda s: operator.delitem(s, k))

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
        if edit == "set" and not self.expected:
            return
        for bad, error in self.bad_values():
            values = [self.new_value(t) for t in range(3)]
            values.insert(k % 4, bad)
            op = {"extend": lambda s: s.extend(values),
                  "slice": lambda s: operator.setitem(s, slice(1, None), values),
                  "insert": lambda s: s.insert(k, bad),
                  "set": lambda s: operator.setitem(s, k % len(self.expected), bad)}[edit]
            try:
                op(self.seq)
            except error:
                continue
            raise AssertionError(f"{bad!r} not refused")

    @invariant()
    def compares_as_a_list(self):
        if hasattr(self, "seq"):
            assert self.seq == self.expected and self.seq == tuple(self.expected)
            assert not self.seq != self.expected
            assert self.seq != self.expected + [self.new_value(0)]


class StringSequenceMachine(HostSequenceRules, PythonProtocolRules):
    """`Axis.SymbolicDimensions`, through both the host's methods and Python's
    list protocol."""

    ITEMS = ["a", "b", "", "\U0001F600", "\ufeffx"]
    SOURCE = "ozo/kernel/containers/sequence/list/ListQImplForPrimitives"

    def make(self):
        axis = host.package("Zorvan.metamodel.types").Axis(host.package("Ozo").Model(), 1, "n")
        return axis, axis.SymbolicDimensions

    def new_value(self, token):
        return self.item(token)

    def bad_values(self):
        return [(3, quillon.ArgumentError), (1.5, quillon.ArgumentError)]

    @rule()
    def clear(self):
        self.seq.clear()
        self.expected = []


StringSequenceEdits = leak_checked(StringSequenceMachine, examples=60, steps=30)


class ElementProtocolMachine(PythonProtocolRules):
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


ElementProtocolEdits = leak_checked(ElementProtocolMachine, examples=40, steps=25)


if __name__ == "__main__":
    unittest.main()
