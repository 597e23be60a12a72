"""The C++ session every wrapper calls through, and the host's error type."""

import re

from . import _quillon


class HostError(RuntimeError):
    """An error the host reports; ``message`` is exactly the text a host user sees."""

    def __init__(self, message):
        super().__init__(message)
        self.message = message


class ArgumentError(HostError, TypeError):
    """Arguments that fit no signature of a host method, or a value that does
    not convert to what the host expects (or to any host value at all).
    ``str()`` names the Python types beside the host's; ``message`` is the
    host's text."""

    def __init__(self, message):
        super().__init__(message)
        self.args = (_python_types(message),)


# Host array types and the Python type that gives each.
_PYTHON_TYPES = {"double": "float", "int32": "int", "logical": "bool", "char": "str"}
_SHAPES = {"scalar": "{}", "vector": "list of {}", "matrix": "list of lists of {}"}
_HOST_TYPE = re.compile(r"\b(double|int32|logical|char)(?: (scalar|vector|matrix))?\b")


def _python_type(match):
    base, shape = match.group(1), match.group(2)
    if base == "char" and shape != "matrix":
        return "str"
    return _SHAPES.get(shape, "{}").format(_PYTHON_TYPES[base])


def _python_types(message):
    """The host's text with each expected host type followed by its Python
    type, and a given one ("got char") named as Python names it."""
    def expected(m):
        return f"{m.group(0)} ({_python_type(m)})"
    head, sep, given = message.rpartition(", got ")
    if sep and _HOST_TYPE.fullmatch(given.rstrip(".")):
        return _HOST_TYPE.sub(expected, head) + sep + _HOST_TYPE.sub(_python_type, given)
    return _HOST_TYPE.sub(expected, message)


# Public as quillon.HostError and quillon.ArgumentError; tracebacks name them so.
HostError.__module__ = ArgumentError.__module__ = "quillon"

_session = None


def session():
    """The compiled session on the process-wide host runtime (made on first use)."""
    global _session
    if _session is None:
        _session = _quillon.Host()
    return _session
