"""Sessions and packages."""

from ._classes import Object, class_for
from ._runtime import session

_packages = {}


class Package:
    """A host package: its classes, functions and sub-packages are attributes
    (``host.package("Zorvan").metamodel.types.Axis``)."""

    # A member found once is kept in the instance's __dict__, where Python
    # finds it before __getattr__ is asked: host packages only ever gain
    # members, and a class or function found stays what that name means.
    __slots__ = ("_name", "_classes", "_functions", "__weakref__", "__dict__")

    def __init__(self, name):
        self._name = name
        self._describe()

    def _describe(self):
        desc = session().describe_package(self._name)
        prefix = self._name + "."
        self._classes = {c[len(prefix):] if c.startswith(prefix) else c: c for c in desc.classes}
        self._functions = set(desc.functions)

    def _member(self, attr):
        if attr in self._classes:
            return class_for(self._classes[attr])
        if attr in self._functions:
            return _function(self._name, attr)
        sub = f"{self._name}.{attr}"
        if session().has_package(sub):
            return package(sub)
        return None

    def __getattr__(self, attr):
        if attr.startswith("_"):
            raise AttributeError(attr)
        member = self._member(attr)
        if member is None:
            # Loading a module may have added to the package since.
            self._describe()
            member = self._member(attr)
        if member is None:
            raise AttributeError(f"host package '{self._name}' has no member '{attr}'")
        self.__dict__[attr] = member
        return member

    def __setattr__(self, attr, value):
        # Members come from the host only; the instance dict is their cache.
        if attr not in ("_name", "_classes", "_functions"):
            raise AttributeError(f"cannot set '{attr}' on host package '{self._name}'")
        object.__setattr__(self, attr, value)

    def __dir__(self):
        return sorted(set(self._classes) | self._functions)

    def __repr__(self):
        return f"<host package '{self._name}'>"


def _function(package_name, name):
    call_function = session().call_function

    def fn(*args):
        return call_function(package_name, name, args)
    fn.__name__ = name
    fn.__qualname__ = f"{package_name}.{name}"
    fn.__doc__ = f"Function {name} of host package {package_name}."
    return fn


def package(name):
    pkg = _packages.get(name)
    if pkg is None:
        pkg = _packages[name] = Package(name)
    return pkg


class Host:
    """A session on the host runtime. There is one runtime per process: every
    session sees the same modules, classes and objects."""

    __slots__ = ("_session",)

    def __init__(self):
        self._session = session()

    def load(self, module):
        """Load a module by name from the module path (once; later loads do nothing)."""
        self._session.load(module)

    def add_module_directory(self, directory):
        self._session.add_module_directory(str(directory))

    def package(self, name):
        return package(name)

    def has_package(self, name):
        return self._session.has_package(name)

    def has_class(self, name):
        return self._session.has_class(name)

    def describe_class(self, name):
        return self._session.describe_class(name)

    def counters(self):
        return counters()

    def class_of(self, obj):
        return class_of(obj)


def class_of(obj):
    """Full host class name of a host object."""
    if not isinstance(obj, Object):
        raise TypeError(f"expected a host object, got {type(obj).__name__}")
    return type(obj)._host_name


def invoke(obj, method, *args):
    """Call the host method ``method`` on a host object, also one whose name a
    Python protocol of the object's class took (a sequence's 1-based insert)."""
    if not isinstance(obj, Object):
        raise TypeError(f"expected a host object, got {type(obj).__name__}")
    return session().invoke(obj._ref, method, args)


def counters():
    """The host's live counters by name ("host objects", "bindings", "arrays", ...)."""
    return session().counters()
