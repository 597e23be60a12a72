"""Writes the type stubs of the quillon package from the host's own descriptions.

Usage: write_stubs.py PACKAGE_DIR MODULE[,MODULE...] HOST_PACKAGE...

Run with the built package on the path (PYTHONPATH=<build>/python). Loads the
modules, walks the host packages named, their parent packages and every class
they reach, and writes into PACKAGE_DIR:

- __init__.pyi: the package's Python API, with Host.package overloaded on
  each package's name (a Literal) to give that package's stub class;
- _hostpackages.pyi: one stub class per host class (superclasses, properties
  with their Python types, methods with their overloads, constructors) and
  one per host package (its classes and sub-packages as attributes);
- py.typed.

The Python classes themselves decide what a class shows: each is built by the
package (quillon._classes) and its namespace read, so the stubs name exactly
the members, static methods and sequence protocols Python users get; the
host's descriptions give the types.
"""

import collections.abc as abc
import keyword
import os
import sys
import types

import quillon
from quillon import _classes, _quillon
from quillon._runtime import session

MODULE = "_hostpackages"
# Host data types with one Python type; arrays of numbers and logicals are
# scalars when they hold one value and None when they hold none (an optional
# property), lists otherwise.
SCALARS = {
    "int32 scalar": "int", "double scalar": "float", "logical scalar": "bool",
    "char vector": "str", "char": "str", "int32": "int", "double": "float", "logical": "bool",
}
ARRAYS = {"ozoint32": "int", "ozodouble": "float", "ozological": "bool"}
MANY = 2  # a property's multiplicity: many-valued (a sequence object)
ZERO_OR_ONE = 0


def stub_name(host_name):
    """The stub module's name of a host class or package: dots as underscores
    (host names are identifiers joined by dots)."""
    return host_name.replace(".", "_")


class Generator:

    def __init__(self):
        self.s = session()
        self.classes = {}     # host name -> Python class
        self.packages = {}    # package name -> (classes by attribute, sub-packages)

    # ---- what there is -------------------------------------------------------

    def collect(self, roots):
        """Every package with classes, its parents, and every class reachable
        from them (superclasses, and the classes properties and methods name)."""
        pending = list(roots)
        seen_packages = set()
        while pending:
            pkg = pending.pop()
            if pkg in seen_packages or not self.s.has_package(pkg):
                continue
            seen_packages.add(pkg)
            desc = self.s.describe_package(pkg)
            prefix = pkg + "."
            for c in desc.classes:
                self._add_class(c, pending)
            self.packages[pkg] = ({c[len(prefix):] if c.startswith(prefix) else c: c for c in desc.classes}, [])
            parent = pkg.rpartition(".")[0]
            if parent:
                pending.append(parent)
        # Classes reached from the packages' classes, and their packages.
        work = list(self.classes)
        while work:
            name = work.pop()
            for ref in self._references(name):
                if ref not in self.classes and self.s.has_class(ref):
                    self._add_class(ref, pending)
                    work.append(ref)
        for c in list(self.classes):
            pkg = c.rpartition(".")[0]
            while pkg and pkg not in self.packages and self.s.has_package(pkg):
                desc = self.s.describe_package(pkg)
                prefix = pkg + "."
                for sub in desc.classes:
                    self._add_class(sub, [])
                self.packages[pkg] = ({x[len(prefix):] if x.startswith(prefix) else x: x for x in desc.classes}, [])
                pkg = pkg.rpartition(".")[0]
        for pkg in self.packages:
            parent, _, leaf = pkg.rpartition(".")
            if parent in self.packages:
                self.packages[parent][1].append(leaf)

    def _add_class(self, name, pending):
        if name in self.classes:
            return
        # Builds the classes of its superclasses too.
        cls = _classes.class_for(name)
        for c in type(cls).mro(cls):
            host = c.__dict__.get("_host_name")
            if host and host not in self.classes:
                self.classes[host] = c

    def _references(self, name):
        for p in self.s.all_properties(name):
            yield self.view(p.type, name)
        for member in self.s.member_names(name):
            for d in self.s.methods(name, member):
                yield d.result
                yield from d.arguments

    # ---- types ---------------------------------------------------------------

    def mutable(self, class_name):
        return not _classes.short_name(class_name).startswith("Immutable")

    def view(self, type_name, owner):
        """The class an object of the host type comes back as from an object
        of the class owner: through a modifiable object, elements come back
        modifiable (ImmutableSequenceOfImmutableAxis -> SequenceOfAxis)."""
        if "." not in type_name or not self.mutable(owner):
            return type_name
        package, _, short = type_name.rpartition(".")
        modifiable = f"{package}.{short.replace('Immutable', '')}"
        return modifiable if modifiable != type_name and self.s.has_class(modifiable) else type_name

    def name_classes(self):
        """Stub class names: the Python class's own name (its short name),
        the whole name with underscores where two share one."""
        count = {}
        for cls in self.classes.values():
            count[cls.__name__] = count.get(cls.__name__, 0) + 1
        taken = {stub_name(p) for p in self.packages} | {"quillon"}
        self.names = {name: cls.__name__ if count[cls.__name__] == 1 and cls.__name__ not in taken
                      and cls.__name__.isidentifier() else stub_name(name)
                      for name, cls in self.classes.items()}

    def ref(self, class_name):
        # Through the module itself: a member may have a class's name.
        if class_name in self.classes:
            return f"_t.{self.names[class_name]}"
        return "quillon.Object"

    def python_type(self, type_name, optional=False):
        if type_name in SCALARS:
            t = SCALARS[type_name]
        elif type_name in ARRAYS:
            t = ARRAYS[type_name]
            return f"Optional[{t}]" if optional else f"Union[{t}, List[{t}], None]"
        elif type_name in ("", "void"):
            return "None"
        elif type_name.endswith(" vector") and "." in type_name:
            return f"List[{self.ref(type_name[:-len(' vector')])}]"
        elif "." in type_name:
            t = self.ref(type_name)
        else:
            t = "Any"
        return f"Optional[{t}]" if optional and t != "Any" else t

    def argument_type(self, type_name):
        if type_name in ARRAYS:
            t = ARRAYS[type_name]
            return f"Union[{t}, Sequence[{t}], None]"
        if "." in type_name:
            # The empty handle (None) passes for any class.
            return self.python_type(type_name, optional=True)
        if type_name == "double scalar":
            return "float"
        return self.python_type(type_name)

    # ---- stubs ---------------------------------------------------------------

    def signature(self, d, owner, first):
        params = [first] if first else []
        names = list(d.argument_names) if len(d.argument_names) == len(d.arguments) else []
        used = set(params)
        for i, t in enumerate(d.arguments):
            n = names[i].strip() if names else ""
            if not n.isidentifier() or keyword.iskeyword(n) or n in used:
                n = f"arg{i}"
            used.add(n)
            params.append(f"{n}: {self.argument_type(t)}")
        if params:
            params.append("/")  # the host takes no keyword arguments
        return ", ".join(params)

    def result(self, d, owner, member):
        if member == "cast" and d.kind == "static":
            # cast gives an object of its own class (empty when the object is
            # of another one).
            return self.ref(owner)
        if d.result in ("", "void"):
            return "None"
        # An object, not None: a method that may give the empty handle says so
        # in its description, not its type.
        t = self.view(d.result, owner) if d.kind != "static" else d.result
        return self.python_type(t)

    def overloads(self, descs):
        """One overload per distinct argument list, the first registered (the
        host's choice on a tie)."""
        seen, out = set(), []
        for d in descs:
            key = (d.kind == "static", tuple(d.arguments))
            if key not in seen:
                seen.add(key)
                out.append(d)
        return out

    def method(self, owner, member, descs, lines):
        descs = self.overloads(descs)
        static = all(d.kind == "static" for d in descs)
        many = len(descs) > 1
        for d in descs:
            if many:
                lines.append("    @overload")
            if static:
                lines.append("    @staticmethod")
                first = ""
            elif d.kind == "static":
                # Mixed with instance overloads: called on an object, the
                # object comes first.
                first = "self"
            else:
                first = "self"
            lines.append(f"    def {member}({self.signature(d, owner, first)}) -> {self.result(d, owner, member)}: ...")

    def element_type(self, name):
        at = [d for d in self.s.methods(name, "at") if d.kind != "constructor"]
        if not at:
            return "Any"
        t = at[0].result
        return self.python_type(t)

    def sequence_members(self, name, mutable, lines):
        t = self.element_type(name)
        lines += [
            "    def __len__(self) -> int: ...",
            "    @overload",
            f"    def __getitem__(self, index: int) -> {t}: ...",
            "    @overload",
            f"    def __getitem__(self, index: slice) -> List[{t}]: ...",
            f"    def __iter__(self) -> Iterator[{t}]: ...",
            f"    def __reversed__(self) -> Iterator[{t}]: ...",
            "    def __contains__(self, value: object) -> bool: ...",
            "    def index(self, value: Any, start: int = 0, stop: int = ...) -> int: ...",
            "    def count(self, value: Any) -> int: ...",
        ]
        if mutable:
            lines += [
                "    @overload",
                f"    def __setitem__(self, index: int, value: {t}) -> None: ...",
                "    @overload",
                f"    def __setitem__(self, index: slice, value: Iterable[{t}]) -> None: ...",
                "    def __delitem__(self, index: Union[int, slice]) -> None: ...",
                f"    def insert(self, index: int, value: {t}) -> None: ...",
                f"    def append(self, value: {t}) -> None: ...",
                f"    def extend(self, values: Iterable[{t}]) -> None: ...",
                f"    def pop(self, index: int = -1) -> {t}: ...",
                f"    def remove(self, value: {t}) -> None: ...",
                "    def reverse(self) -> None: ...",
                "    def clear(self) -> None: ...",
                f"    def __iadd__(self, values: Iterable[{t}]) -> Self: ...",
            ]
        return t

    def class_stub(self, name):
        cls = self.classes[name]
        short = cls.__name__
        bases = []
        for b in cls.__bases__:
            host = b.__dict__.get("_host_name")
            bases.append(self.ref(host) if host else "quillon.Object")
        lines = []
        body = [f'    """Host class {name}."""']
        props = {p.name: p for p in self.s.all_properties(name)}
        members = sorted(k for k in cls.__dict__ if not k.startswith("_"))
        # Constructors: calling the class constructs (only its own ones).
        ctors = self.overloads([d for d in self.s.methods(name, _classes.short_name(name))
                                if d.kind == "constructor"])
        if ctors:
            for d in ctors:
                if len(ctors) > 1:
                    body.append("    @overload")
                body.append(f"    def __init__({self.signature(d, name, 'self')}) -> None: ...")
        else:
            body.append("    def __init__(self, no_constructor: NoReturn, /) -> None: ...")
        sequence = None
        if issubclass(cls, abc.Sequence):
            mutable = issubclass(cls, abc.MutableSequence)
            element = self.sequence_members(name, mutable, body)
            sequence = f"{'MutableSequence' if mutable else 'Sequence'}[{element}]"
        for member in members:
            value = cls.__dict__[member]
            if isinstance(value, _quillon.HostProperty) or isinstance(value, _classes._StaticProperty):
                p = props[member]
                if p.multiplicity == MANY:
                    t = self.ref(self.view(p.type, name))
                elif p.type in ARRAYS:
                    t = self.python_type(p.type, optional=p.multiplicity == ZERO_OR_ONE or p.multiplicity is None)
                elif "." in p.type:
                    t = self.python_type(self.view(p.type, name), optional=p.multiplicity != 1)
                else:
                    t = self.python_type(p.type)
                if isinstance(value, _classes._StaticProperty):
                    body.append(f"    {member}: ClassVar[{t}]")
                elif p.read_only or not self.mutable(name):
                    body += ["    @property", f"    def {member}(self) -> {t}: ..."]
                else:
                    body.append(f"    {member}: {t}")
            elif isinstance(value, _quillon.HostMethod):
                descs = [d for d in self.s.methods(name, member) if d.kind != "constructor"]
                self.method(name, member, descs, body)
            # Functions are the sequence protocol's, written above.
        for host_method, dunder in _classes._COMPARISONS.items():
            if dunder in ("__eq__", "__ne__"):
                continue
            if cls.__dict__.get(dunder) is not getattr(object, dunder, None) and dunder in cls.__dict__:
                body.append(f"    def {dunder}(self, other: Optional[quillon.Object]) -> bool: ...")
        if cls.__dict__.get("__hash__", 0) is None:
            body.append("    __hash__: ClassVar[None]  # type: ignore[assignment]")
        if sequence:
            # First: the element type is this class's own, not a superclass's.
            bases.insert(0, sequence)
        lines.append(f"class {self.names[name]}({', '.join(bases)}):")
        lines += body
        # Error messages and reveal_type name the host class's own name.
        return lines

    def package_stub(self, pkg):
        classes, subs = self.packages[pkg]
        lines = [f"class {stub_name(pkg)}(quillon.Package):", f'    """Host package {pkg}."""']
        for attr, cls in sorted(classes.items()):
            if cls in self.classes and attr.isidentifier():
                lines.append(f"    {attr}: Type[{self.ref(cls)}]")
        for sub in sorted(subs):
            lines.append(f"    {sub}: {stub_name(pkg + '.' + sub)}")
        functions = self.s.describe_package(pkg).functions
        for fn in functions:
            lines.append(f"    def {fn}(self, *args: Any) -> Any: ...")
        if len(lines) == 2:
            lines.append("    pass")
        return lines

    def module(self):
        self.name_classes()
        out = ["# Written by tools/write_stubs.py from the host's descriptions: do not edit.",
               "from typing import Any, ClassVar, Iterable, Iterator, List, MutableSequence, NoReturn, Optional,"
               " Sequence, Type, Union, overload",
               "from typing_extensions import Self",
               "",
               "import quillon",
               f"import quillon.{MODULE} as _t",
               ""]
        # Superclasses before subclasses, as Python built them.
        order, placed = [], set()
        for name in sorted(self.classes):
            chain = [c.__dict__["_host_name"] for c in reversed(type(self.classes[name]).mro(self.classes[name]))
                     if "_host_name" in c.__dict__]
            for c in chain:
                if c not in placed and c in self.classes:
                    placed.add(c)
                    order.append(c)
        for name in order:
            out += [""] + self.class_stub(name)
        for pkg in sorted(self.packages):
            out += [""] + self.package_stub(pkg)
        return "\n".join(out) + "\n"

    def package_overloads(self):
        lines = []
        for pkg in sorted(self.packages):
            lines += ["    @overload",
                      f"    def package(self, name: Literal[{pkg!r}]) -> {MODULE}.{stub_name(pkg)}: ..."]
        lines += ["    @overload", "    def package(self, name: str) -> Package: ..."]
        return lines


INIT = '''\
# Written by tools/write_stubs.py: do not edit.
import os
from typing import Any, Dict, List, Literal, Optional, Union, overload

from . import {module}

__version__: str

class HostError(RuntimeError):
    message: str
    def __init__(self, message: str) -> None: ...

class ArgumentError(HostError, TypeError): ...

class HostClass(type): ...

class Object:
    """A host object."""
    def __copy__(self) -> "Object": ...
    def __deepcopy__(self, memo: Any) -> "Object": ...

class Package:
    """A host package: its classes, functions and sub-packages are attributes."""
    def __dir__(self) -> List[str]: ...

class Host:
    def __init__(self) -> None: ...
    def load(self, module: str) -> None: ...
    def add_module_directory(self, directory: Union[str, "os.PathLike[str]"]) -> None: ...
{overloads}
    def has_package(self, name: str) -> bool: ...
    def has_class(self, name: str) -> bool: ...
    def describe_class(self, name: str) -> Any: ...
    def counters(self) -> Dict[str, int]: ...
    def class_of(self, obj: Object) -> str: ...

def class_of(obj: Object) -> str: ...
def counters() -> Dict[str, int]: ...
def invoke(obj: Object, method: str, *args: Any) -> Any: ...

class Diagnostic:
    severity: str
    element: Any
    property: Optional[str]
    rule: str
    message: str
    def __init__(self, severity: str, element: Any, property: Optional[str], rule: str, message: str) -> None: ...

def validate(model: Object) -> List[Diagnostic]: ...
'''


def main(argv):
    if len(argv) < 4:
        sys.exit("usage: write_stubs.py PACKAGE_DIR MODULE[,MODULE...] HOST_PACKAGE...")
    out_dir = argv[1]
    host = quillon.Host()
    for module in argv[2].split(","):
        host.load(module)
    g = Generator()
    g.collect(argv[3:])
    files = {
        "__init__.pyi": INIT.format(module=MODULE, overloads="\n".join(g.package_overloads())),
        f"{MODULE}.pyi": g.module(),
        "py.typed": "",
    }
    for name, text in files.items():
        path = os.path.join(out_dir, name)
        with open(path + ".tmp", "w", encoding="utf-8") as f:
            f.write(text)
        os.replace(path + ".tmp", path)
    print(f"stubs: {len(g.classes)} classes in {len(g.packages)} packages")


if __name__ == "__main__":
    main(sys.argv)
