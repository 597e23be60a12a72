"""Python classes for host classes, built from what the host describes.

Nothing here knows any particular host class: members, signatures and the
protocols a class supports (comparison, text, sequence) are read from the host
the first time a class is needed, and one Python class per host class is kept.
"""

import operator
import os
import threading
import types

from . import _docs, _quillon, _sequences
from ._runtime import session

# Host method -> Python operator it serves.
_COMPARISONS = {"eq": "__eq__", "ne": "__ne__", "lt": "__lt__",
                "le": "__le__", "gt": "__gt__", "ge": "__ge__"}


class HostClass(_quillon.HostType):
    """Type of every Python class that stands for a host class.

    Calling the class constructs a host object (the compiled base's call:
    the class's ``_host_name`` and the arguments go straight to the host);
    ``dir()`` lists host members.
    """

    def __repr__(cls):
        name = cls.__dict__.get("_host_name")
        return f"<host class '{name}'>" if name else super().__repr__()

    def __dir__(cls):
        return list(cls.__dict__.get("_host_members", ()))


class Object(_quillon.Wrapper, metaclass=HostClass):
    """A host object. One Python object per live host object: ``a is b`` holds
    exactly when both stand for the same host object."""

    # The host reference is held by the compiled base, which also makes and
    # finds the one wrapper of each host object; ``_ref`` is what the session
    # takes for it.
    __slots__ = ()
    _repr_kind = None

    def __repr__(self):
        return _repr(self)

    def __dir__(self):
        return list(type(self)._host_members)

    # Host objects are references: a copy is the same object, and they cannot
    # outlive the process.
    def __copy__(self):
        return self

    def __deepcopy__(self, memo):
        return self

    def __reduce__(self):
        raise TypeError(f"cannot pickle host object {self!r}")


Object.__module__ = HostClass.__module__ = "quillon"


_classes = {}
# Building classes runs Python code between the lookup and the insert, where
# another thread may run: one lock makes it atomic. Reentrant: a collection
# inside may drop wrappers or wrap again.
_lock = threading.RLock()


def class_for(name):
    """The Python class of the host class ``name`` (built on first use, after
    the classes of its host superclasses)."""
    cls = _classes.get(name)
    if cls is not None:
        return cls
    with _lock:
        # Ancestors first, walked without recursion: a class is built once
        # every one of its superclasses is.
        s = session()
        pending, expanded = [name], set()
        while pending:
            top = pending[-1]
            if top in _classes:
                pending.pop()
                continue
            supers = s.describe_class(top).superclasses
            missing = [c for c in supers if c not in _classes]
            if not missing:
                _classes[top] = _build(top, [_classes[c] for c in supers])
                pending.pop()
                continue
            if top in expanded or any(c in expanded for c in missing):
                raise TypeError(f"host class {top} derives from itself")
            expanded.add(top)
            pending.extend(reversed(missing))
        return _classes[name]


def _consistent_bases(supers):
    """Bases Python can order when the host's order has no consistent MRO: a
    superclass another one derives from is dropped (it stays an ancestor), then
    each remaining one in host order is kept if it still fits (the first
    always does)."""
    supers = [b for b in supers if not any(o is not b and issubclass(o, b) for o in supers)]
    chosen = []
    for base in supers:
        try:
            HostClass("_probe", tuple(chosen + [base]), {"__slots__": ()})
        except TypeError:
            continue
        chosen.append(base)
    return tuple(chosen)


def short_name(name):
    return name.rpartition(".")[2]


def _build(name, supers):
    s = session()
    desc = s.describe_class(name)
    props = {p.name: p for p in s.all_properties(name)}
    ns = {"__slots__": (), "__module__": "quillon", "_host_name": name}
    methods = {}
    for member in s.member_names(name):
        if member.startswith("_"):  # would shadow Python's own attributes
            continue
        if member in props:
            ns[member] = _property(name, props[member])
            continue
        overloads = [d for d in s.methods(name, member) if d.kind != "constructor"]
        if overloads:
            methods[member] = overloads
            ns[member] = _Method(name, member, overloads)
            paths = any("path" in d.argument_names for d in overloads)
            lists = all(_is_object_vector(d.result) for d in overloads)
            if paths or lists:
                ns[member] = _AdaptedMethod(ns[member], paths, lists)
    sequence_abc = _add_protocols(ns, methods)
    # A model is a container of its elements (those no other element owns).
    if {"contents", "size"} <= methods.keys():
        ns["__len__"] = lambda self: len(self.contents())
        ns["__iter__"] = lambda self: iter(self.contents())

    # A value class (its constructor copies an object of its own class): a
    # copy is a new host object holding its own value.
    if any(d.kind == "constructor" and list(d.arguments) == [name] for d in s.methods(name, short_name(name))):
        construct = s.construct
        ns["__copy__"] = lambda self: construct(name, (self,))
        ns["__deepcopy__"] = lambda self, memo: construct(name, (self,))
    if name in _AMOUNTS:
        ns.update(_ordering(name, _AMOUNTS[name]))
    if sequence_abc is not None:
        ns["_repr_kind"] = "sequence"
    elif _VALUE_METHODS & methods.keys():
        ns["_repr_kind"] = "value" if "toString" in methods else None
    elif "size" in methods and "Name" in props:
        ns["_repr_kind"] = "model"
    else:
        named = "Name" in props and not props["Name"].is_static
        ns["_repr_kind"] = ("element" if named else "in model") if "getModel" in methods else (
            "named" if named else None)
    # An element's deep copy is its model's copy of it and of what it owns.
    if ns["_repr_kind"] in ("element", "in model"):
        ns["__deepcopy__"] = _deep_copy if "getOwningModel" in methods else _no_deep_copy
    ns["_host_members"] = tuple(sorted(m for m in ns if not m.startswith("_")))
    ns["__doc__"] = _docs.class_doc(desc, methods, props)
    if sequence_abc is not None:
        python = sorted(m for m, v in ns.items() if not m.startswith("_") and isinstance(v, types.FunctionType))
        ns["__doc__"] += (f"\n\nA Python {sequence_abc.__name__}, 0-based: {', '.join(python)}. "
                          "quillon.invoke(obj, name, ...) calls the host method of a name Python took.")
    short = desc.short_name or name.rpartition(".")[2]
    # The host superclasses, in host order, so isinstance follows the host.
    try:
        cls = HostClass(short, tuple(supers) or (Object,), ns)
    except TypeError:
        cls = HostClass(short, _consistent_bases(supers), ns)
    cls.__qualname__ = name
    if sequence_abc is not None:
        sequence_abc.register(cls)
    return cls


# A host method: on an object it calls the method on that object (straight
# through the compiled HostMethod); through the class it calls the class's
# method, the object (or None for the empty array) then being the first
# argument of an instance method.
def _Method(class_name, name, overloads):
    call = session().call
    doc = _docs.method_doc(overloads)

    def on_class(*args):
        return call(class_name, name, args)

    on_class.__name__ = name
    on_class.__qualname__ = f"{class_name}.{name}"
    on_class.__doc__ = doc
    return _quillon.HostMethod(name, doc, on_class)


def _is_object_vector(host_type):
    """A result typed "<class> vector": a row of objects."""
    base, _, shape = host_type.rpartition(" ")
    return shape == "vector" and "." in base


def _as_list(result):
    # The host gives one object as a 1-by-1 array, which reads as the object,
    # and none as the empty array (None).
    if result is None:
        return []
    return result if isinstance(result, list) else [result]


class _AdaptedMethod:
    """A host method whose arguments or result Python takes its own way:
    an os.PathLike given for a "path" argument is passed as its file system
    path; a row of objects always comes back as a list."""

    def __init__(self, method, paths, lists):
        self._method, self._paths, self._lists = method, paths, lists
        self.__doc__ = method.__doc__

    def __get__(self, obj, cls=None):
        method, paths, lists = self._method.__get__(obj, cls), self._paths, self._lists

        def call(*args):
            if paths:
                args = tuple(os.fspath(a) if isinstance(a, os.PathLike) else a for a in args)
            result = method(*args)
            return _as_list(result) if lists else result
        call.__doc__ = self.__doc__
        return call


def _deep_copy(self, memo):
    return self.getOwningModel().copy(self)


def _no_deep_copy(self, memo):
    raise TypeError(f"cannot deep-copy {self!r}: its immutable view cannot create the copy")


# A static host property: read through the class, or through an object.
class _StaticProperty:

    __slots__ = ("_class_name", "_name", "__doc__")

    def __init__(self, class_name, name, doc):
        self._class_name, self._name, self.__doc__ = class_name, name, doc

    def __get__(self, obj, cls=None):
        return session().get_static(self._class_name, self._name)


_property_doc = _docs.property_doc


def _property(class_name, p):
    if p.is_static:
        return _StaticProperty(class_name, p.name, _property_doc(p))
    # Reads and writes go straight to the host (read-only properties too: the
    # host refuses the write with its own message).
    return _quillon.HostProperty(p.name, _property_doc(p))


def _host_operand(other):
    return other is None or isinstance(other, Object)


def _comparison(method):
    invoke = session().invoke

    # Only host objects and None (the empty array) reach the host; anything
    # else is not comparable, so == falls back to identity as usual.
    def op(self, other):
        if not _host_operand(other):
            return NotImplemented
        return invoke(self._ref, method, (other,))
    return op


_model_key = _quillon._model_key
# Host methods only value classes (enumerations, DataSize, Time) have.
_VALUE_METHODS = {"getMetaDataType", "MetaDataType"}


def _model_hash(self):
    return hash(_model_key(self))


# Order by amount, where the model has one: (property giving the number,
# property giving the unit, the unit's size in the smallest unit). The
# number times the size is rounded once, as the model compares.
# The model orders these values too, but no host method reaches its order:
# the value classes are the package's own (they have eq and ne only), and
# the host API lies below the model. Until they gain one, the unit sizes
# are stated here.
_DATA_SIZE_UNITS = {"Bit": 1, "Byte": 8, "KB": 8 << 10, "MB": 8 << 20, "GB": 8 << 30}
_DAY_US = 86_400_000_000
_TIME_UNITS = {"Us": 1.0, "Ms": 1e3, "S": 1e6, "Min": 6e7, "Hrs": 3.6e9, "Dys": float(_DAY_US),
               "Wks": 7.0 * _DAY_US, "Mos": 30.436875 * _DAY_US, "Yrs": 365.2425 * _DAY_US}
_AMOUNTS = {"Zorvan.metamodel.types.DataSize": _DATA_SIZE_UNITS,
            "Zorvan.metamodel.types.Time": _TIME_UNITS}


def _ordering(name, units):
    def amount(v):
        return v.value * units[str(v.unit)]

    def make(op):
        # Only another value of the same class has an amount to compare.
        def compare(self, other):
            if not isinstance(other, Object) or type(other)._host_name != name:
                return NotImplemented
            return op(amount(self), amount(other))
        return compare
    return {"__lt__": make(operator.lt), "__le__": make(operator.le),
            "__gt__": make(operator.gt), "__ge__": make(operator.ge)}


def _repr(self):
    """<Class content>: a sequence's first items and length, a value's text,
    an element's name (where it has one) and model, a model's name and
    number of elements."""
    cls = type(self)
    kind = cls._repr_kind
    if kind == "sequence":
        n = len(self)
        head = ", ".join(repr(x) for x in self[:3]) + (", ..." if n > 3 else "")
        return f"<{cls.__name__} [{head}] of {n}>"
    if kind == "value":
        return f"<{cls.__name__} {self}>"
    if kind == "model":
        n = self.size()
        return f"<{cls.__name__} {self.Name!r} of {n} element{'' if n == 1 else 's'}>"
    name = self.Name if kind in ("named", "element") else None
    text = f"{cls.__name__} {name!r}" if name else cls.__name__
    if kind in ("element", "in model"):
        model = self.getModel()
        if model is not None:
            text += f" in {model.Name}"
    return f"<{text}>"


def _add_protocols(ns, methods):
    invoke = session().invoke
    # Each class states every comparison: a Python base (a host superclass)
    # must not lend one the host class does not have.
    for host_name, dunder in _COMPARISONS.items():
        ns[dunder] = _comparison(host_name) if host_name in methods else getattr(object, dunder)
    # Elements, models and factories are equal when they are one model
    # object, seen through any view: they hash by that object. Values (equal
    # by what they mean) are not hashable; without a host eq, objects
    # compare by identity and hash so.
    if "eq" not in methods:
        ns["__hash__"] = object.__hash__
    elif _VALUE_METHODS & methods.keys():
        ns["__hash__"] = None
    else:
        ns["__hash__"] = _model_hash
    if "toString" in methods:
        ns["__str__"] = lambda self: invoke(self._ref, "toString", ())
    # A sequence class: its protocol takes the names it shares with the host
    # ("insert" is 0-based, as Python's; quillon.invoke reaches the host's).
    entries, sequence_abc = _sequences.protocol(methods, class_for)
    ns.update(entries)
    return sequence_abc


