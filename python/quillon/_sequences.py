"""Host sequences as Python sequences.

A host class with "size" and "at" is a ``collections.abc.Sequence``; one that
also edits in place ("insert", "erase" and "replace") is a
``MutableSequence``. Python's index i is host position i + 1. An index out of
range raises IndexError; anything else the host refuses (an element of the
wrong type, a read-only model) keeps the host's error. A failed edit leaves
the sequence as it was: an operation made of several host edits reads the
content first and puts it back if one of them fails.

A walk, a search (in, count, index) and pop(i) or del seq[i] are one host
call each, or a batch of items per call (_quillon._sequence_*): the host
compares and keeps its own order. Only a value the host cannot compare (of
another type than the items) is looked for by a walk comparing items, as a
list compares (an object equal to everything matches).
"""

import collections.abc as abc
import operator

from . import _quillon
from ._runtime import ArgumentError, session

# Host methods a role may be served by, first found wins (value sequences and
# element sequences share these names).
_ROLES = {
    "size": ("size",), "at": ("at",), "contains": ("contains",),
    "insert": ("insert",), "erase": ("erase",), "replace": ("replace", "set"),
    "push_back": ("push_back", "append"), "clear": ("clear",),
}
_READS = ("size", "at")
_EDITS = ("insert", "erase", "replace")
# Texts are sequences to Python, but never the content of a host sequence.
_NOT_SEQUENCES = (str, bytes, bytearray)


def _roles(methods):
    found = {}
    for role, names in _ROLES.items():
        name = next((n for n in names if n in methods), None)
        if name is not None:
            found[role] = name
    return found


def protocol(methods, class_for):
    """(namespace entries, ABC) that make a host class with these methods a
    Python sequence; ({}, None) for a class that is not one. `class_for`
    gives the Python class of a host class name."""
    roles = _roles(methods)
    if not all(r in roles for r in _READS):
        return {}, None
    ns = _read_protocol(roles)
    if all(r in roles for r in _EDITS):
        ns.update(_edit_protocol(roles, _item_classes(methods, roles, class_for)))
        return ns, abc.MutableSequence
    return ns, abc.Sequence


def _position(index, n):
    """Host position of the 0-based (possibly negative) index, or IndexError."""
    i = operator.index(index)
    if i < 0:
        i += n
    if not 0 <= i < n:
        raise IndexError("sequence index out of range")
    return i + 1


def _read_protocol(roles):
    invoke = session().invoke
    size, at = roles["size"], roles["at"]

    def length(self):
        return invoke(self._ref, size, ())

    def getitem(self, index):
        ref = self._ref
        n = length(self)
        if isinstance(index, slice):
            return [invoke(ref, at, (i + 1,)) for i in range(*index.indices(n))]
        return invoke(ref, at, (_position(index, n),))

    def iterate(self):
        # Batches of items from the host; the size is read when the walk
        # starts and again when it reaches that end, to take in what was
        # appended meanwhile; a sequence that shrinks under the walk stops it
        # with the host's bounds error.
        return _quillon._sequence_walk(self._ref)

    def backwards(self):
        ref = self._ref
        for i in range(length(self), 0, -1):
            yield invoke(ref, at, (i,))

    def walk_finds(self, value, start=0, stop=None):
        for i in range(*slice(start, stop).indices(length(self))):
            item = invoke(self._ref, at, (i + 1,))
            if item is value or item == value:
                return i
        return None

    def contains(self, value):
        found = _quillon._sequence_find(self._ref, value)
        if found is None:
            return walk_finds(self, value) is not None
        return found >= 0

    def find(self, value, start, stop):
        found = _quillon._sequence_find(self._ref, value, start, stop)
        if found is None:
            return walk_finds(self, value, start, stop)
        return found if found >= 0 else None

    def index(self, value, start=0, stop=None):
        start = operator.index(start)
        stop = None if stop is None else operator.index(stop)
        i = find(self, value, start, stop)
        if i is None:
            raise ValueError(f"{value!r} is not in the sequence")
        return i

    def count(self, value):
        n = _quillon._sequence_count(self._ref, value)
        if n is None:
            return sum(1 for item in iterate(self) if item is value or item == value)
        return n

    # == compares content with any Python sequence (a list, a tuple, another
    # host sequence); the host's "eq" (same collection) stays a method.
    def equal(self, other):
        if isinstance(other, _NOT_SEQUENCES) or not isinstance(other, abc.Sequence):
            return NotImplemented
        if other is self:
            return True
        if length(self) != len(other):
            return False
        return all(a is b or a == b for a, b in zip(iterate(self), other))

    def not_equal(self, other):
        result = equal(self, other)
        return result if result is NotImplemented else not result

    # + and * give lists, as a view's content taken out of the model.
    def add(self, other):
        if isinstance(other, _NOT_SEQUENCES) or not isinstance(other, abc.Sequence):
            return NotImplemented
        return list(self) + list(other)

    def radd(self, other):
        if isinstance(other, _NOT_SEQUENCES) or not isinstance(other, abc.Sequence):
            return NotImplemented
        return list(other) + list(self)

    def mul(self, times):
        try:
            times = operator.index(times)
        except TypeError:
            return NotImplemented
        return list(self) * times

    ns = {"__len__": length, "__getitem__": getitem, "__iter__": iterate,
          "__reversed__": backwards, "index": index, "count": count,
          "__eq__": equal, "__ne__": not_equal, "__hash__": None, "__contains__": contains,
          "__add__": add, "__radd__": radd, "__mul__": mul, "__rmul__": mul}
    return ns


class _Edit:
    """Several host edits made as one Python operation, all or nothing.

    Before the first host call, every item to come in is checked against the
    classes the sequence takes: the first that fits none is offered alone to
    the host, which refuses it (with its own error) before anything changes.
    What the host can still refuse later (an element of another model, one
    that would own itself) is undone: the sequence is rebuilt with the
    content it had, and an element the operation took from another owner
    goes back: into that owner's sequence at its old position, or into the
    single-valued property that held it. Rebuilding, rather than
    undoing step by step, is right also where an insert or replace moves an
    element the collection already holds (a collection of owned elements
    holds each one once)."""

    __slots__ = ("_ref", "_roles", "_invoke", "_before", "_homes", "_changed")

    def __init__(self, seq, roles, invoke, steps, items=(), accepts=None):
        self._ref, self._roles, self._invoke = seq._ref, roles, invoke
        self._changed = False
        self._before = self._homes = None
        strangers = [item for item in items if not isinstance(item, accepts)] if accepts else []
        # A single host edit changes everything or nothing: no copy needed.
        if steps > 1 or strangers:
            n = invoke(self._ref, roles["size"], ())
            self._before = [invoke(self._ref, roles["at"], (i,)) for i in range(1, n + 1)]
            self._homes = _homes(seq, items, invoke)
        for item in strangers:
            # Of no class the sequence takes: the host refuses it at dispatch,
            # with its own error, having changed nothing. Should it take the
            # item after all, the sequence is put back and the item comes in
            # in its turn.
            if "push_back" in roles:
                self._call("push_back", item)
            else:
                self._call("insert", 1, item)
            self._changed = True
            self._rollback()

    def _call(self, role, *args):
        self._invoke(self._ref, self._roles[role], args)

    def insert(self, pos, value):
        self._call("insert", pos, value)
        self._changed = True

    def append(self, value):
        if "push_back" in self._roles:
            self._call("push_back", value)
        else:
            self._call("insert", self._invoke(self._ref, self._roles["size"], ()) + 1, value)
        self._changed = True

    def erase(self, pos):
        self._call("erase", pos)
        self._changed = True

    def __enter__(self):
        return self

    def __exit__(self, kind, error, trace):
        if kind is not None:
            # The original error goes on; one from rebuilding is raised from it.
            self._rollback()
        return False

    def _rollback(self):
        if not self._changed or self._before is None:
            return
        if "clear" in self._roles:
            self._call("clear")
        else:
            for pos in range(self._invoke(self._ref, self._roles["size"], ()), 0, -1):
                self._call("erase", pos)
        for pos, item in enumerate(self._before, 1):
            self._call("insert", pos, item)
        _return_home(self._homes, self._invoke)
        self._changed = False


_OWNING_SEQUENCE = "getOwningSequence"
_OWNER = "getOwner"
_OWNING_PROPERTY = "getOwningPropertyName"


def _homes(seq, items, invoke):
    """Where each element among `items` that another owner holds now is held:
    ([(that sequence, [(0-based position, element), ...])], positions
    ascending, one walk of each such sequence; [(owner, property name,
    element)] for an element a single-valued property holds)."""
    key = _quillon._model_key
    mine = key(seq)
    found = {}
    singles = []
    for item in items:
        # Elements (Ozo.Object answers all three) in their modifiable view.
        if not isinstance(item, _quillon.Wrapper) or _OWNING_SEQUENCE not in type(item)._host_members:
            continue
        home = invoke(item._ref, _OWNING_SEQUENCE, ())
        if home is None:
            owner = invoke(item._ref, _OWNER, ())
            if owner is not None:
                singles.append((owner, invoke(item._ref, _OWNING_PROPERTY, ()), item))
            continue
        if key(home) == mine:
            continue
        found.setdefault(key(home), (home, {}))[1][key(item)] = item
    homes = []
    for home, elements in found.values():
        places = [(i, x) for i, x in enumerate(home) if key(x) in elements]
        homes.append((home, places))
    return homes, singles


def _return_home(homes, invoke):
    if homes is None:
        return
    key = _quillon._model_key
    sequences, singles = homes
    # Ascending positions: each element goes back where it was among the
    # ones that never left.
    for home, places in sequences:
        for pos, item in places:
            now = invoke(item._ref, _OWNING_SEQUENCE, ())
            if now is None or key(now) != key(home):
                home.insert(pos, item)
    host = session()
    for owner, name, item in singles:
        now = host.get(owner._ref, name)
        if now is None or key(now) != key(item):
            host.set(owner._ref, name, item)


def _item_classes(methods, roles, class_for):
    """A function giving the Python classes the sequence's items may be (the
    last parameter of its insert), or None for a sequence of values: the
    host converts those itself. Read on first use."""
    types = {d.arguments[-1] for d in methods[roles["insert"]] if d.arguments}
    if not types or not all("." in t for t in types):
        return None
    found = []

    def classes():
        if not found:
            found.append(tuple(class_for(t) for t in sorted(types)))
        return found[0]
    return classes


def _edit_protocol(roles, item_classes):
    invoke = session().invoke
    size = roles["size"]

    def edit(self, steps, items=()):
        accepts = item_classes() if item_classes is not None and items else None
        return _Edit(self, roles, invoke, steps, items, accepts)

    def length(self):
        return invoke(self._ref, size, ())

    def setitem(self, index, value):
        n = length(self)
        if not isinstance(index, slice):
            invoke(self._ref, roles["replace"], (_position(index, n), value))
            return
        items = list(value)  # read once: `value` may be this sequence
        start, stop, step = index.indices(n)
        if step == 1:
            doomed = range(start, max(stop, start))
            places = range(start, start + len(items))
        else:
            doomed = places = range(start, stop, step)
            if len(items) != len(doomed):
                raise ValueError(f"attempt to assign sequence of size {len(items)} "
                                 f"to extended slice of size {len(doomed)}")
            if step < 0:
                places, items = places[::-1], items[::-1]
        # The old items go first, then the new ones come in: an element the
        # slice held already is then new to the collection again (replacing
        # in place would move it, where a collection holds each element once).
        with edit(self, len(doomed) + len(items), items) as e:
            for i in (doomed if doomed.step < 0 else doomed[::-1]):
                e.erase(i + 1)
            for i, item in zip(places, items):
                e.insert(i + 1, item)

    def delitem(self, index):
        if not isinstance(index, slice):
            _quillon._sequence_take(self._ref, index, False)
            return
        n = length(self)
        # From the back, so that the positions still to erase stay put.
        doomed = sorted(range(*index.indices(n)), reverse=True)
        with edit(self, len(doomed)) as e:
            for i in doomed:
                e.erase(i + 1)

    def insert(self, index, value):
        # A host cursor reaches the host's insert before it; an integer is
        # Python's 0-based index.
        if isinstance(index, _quillon.Wrapper):
            return invoke(self._ref, roles["insert"], (index, value))
        # As list.insert: an index beyond either end inserts at that end.
        n = length(self)
        i = operator.index(index)
        i = min(max(i + n if i < 0 else i, 0), n)
        invoke(self._ref, roles["insert"], (i + 1, value))

    def append(self, value):
        with edit(self, 1) as e:
            e.append(value)

    def extend(self, values):
        items = list(values)  # read once: `values` may be this sequence
        with edit(self, len(items), items) as e:
            for item in items:
                e.append(item)

    def iadd(self, values):
        extend(self, values)
        return self

    def imul(self, times):
        times = operator.index(times)
        if times <= 0:
            clear(self)
        elif times > 1:
            extend(self, list(self) * (times - 1))
        return self

    def pop(self, index=-1):
        return _quillon._sequence_take(self._ref, index, True)

    def remove(self, value):
        invoke(self._ref, roles["erase"], (self.index(value) + 1,))

    def reverse(self):
        setitem(self, slice(None), list(reversed(self)))

    def clear(self):
        if "clear" in roles:
            invoke(self._ref, roles["clear"], ())
        else:
            delitem(self, slice(None))

    return {"__setitem__": setitem, "__delitem__": delitem, "insert": insert,
            "append": append, "extend": extend, "__iadd__": iadd, "__imul__": imul, "pop": pop,
            "remove": remove, "reverse": reverse, "clear": clear}
