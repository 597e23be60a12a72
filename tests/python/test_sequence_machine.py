"""Random edit programs on live host sequences used as Python lists, checked
step by step against a plain list: 0-based, IndexError and ValueError as a
list raises them. (The host's own 1-based methods are the model's and are
tested with it.)"""

import operator
import unittest

from hypothesis import strategies as st
from hypothesis.stateful import RuleBasedStateMachine, initialize, invariant, rule

import quillon
from helpers import host, leak_checked

indices = st.integers(min_value=-6, max_value=6)
bounds = st.one_of(st.none(), indices)
slices = st.builds(slice, bounds, bounds, st.sampled_from([None, 1, 2, 3, -1, -2]))
keys = st.one_of(indices, slices)
tokens = st.integers(min_value=0, max_value=3)
token_lists = st.lists(tokens, max_size=4)


class PythonProtocolMachine(RuleBasedStateMachine):
    """Each operation is applied to a copy of the list first: when the list
    raises IndexError or ValueError, the sequence must raise the same and stay
    as it was; otherwise both must give the same result. Subclasses give
    `make` (the owner, kept alive, and its sequence), `new_value`, a value to
    put in, and `bad_values`, values the host refuses as items with the error
    each raises; a refused value leaves the sequence unchanged in any edit."""

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

    @rule(t=tokens, start=indices, stop=bounds)
    def ranged_index(self, t, start, stop):
        v = self.probe(t)
        self.both(lambda s: s.index(v, start) if stop is None else s.index(v, start, stop))

    @rule(steps=st.integers(min_value=0, max_value=6), t=tokens, grow=st.booleans())
    def walk_while_editing(self, steps, t, grow):
        """A walk takes in what is appended; a shrink under it is an error
        from the host at the latest when the walk reaches the end it read."""
        walked, want = [], list(self.expected)
        appended = self.new_value(t)
        try:
            for k, item in enumerate(self.seq):
                walked.append(item)
                if k == steps:
                    if grow:
                        self.seq.append(appended)
                        want.append(appended)
                    elif self.expected:
                        want.pop(-1)
                        self.seq.pop()
        except quillon.HostError as e:
            assert not grow and "sequence index out of bounds" in e.message, e.message
        else:
            assert walked == want or (not grow and walked == self.expected), walked
        self.expected = want

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

    @rule()
    def clear(self):
        self.both(lambda s: s.clear())

    @invariant()
    def same_content(self):
        if hasattr(self, "seq"):
            assert self.seq.size() == len(self.seq) == len(self.expected)
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


StringProtocolEdits = leak_checked(StringProtocolMachine, examples=60, steps=30)


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


ElementProtocolEdits = leak_checked(ElementProtocolMachine, examples=40, steps=25)


if __name__ == "__main__":
    unittest.main()
