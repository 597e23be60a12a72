"""The C++ session every wrapper calls through, and the host's error type."""

from . import _quillon


class HostError(RuntimeError):
    """An error the host reports; ``message`` is exactly the text a host user sees."""

    def __init__(self, message):
        super().__init__(message)
        self.message = message


class ArgumentError(HostError, TypeError):
    """Arguments that fit no signature of a host method, or a value that does
    not convert to what the host expects (or to any host value at all)."""


# Public as quillon.HostError and quillon.ArgumentError; tracebacks name them so.
HostError.__module__ = ArgumentError.__module__ = "quillon"

_session = None


def session():
    """The compiled session on the process-wide host runtime (made on first use)."""
    global _session
    if _session is None:
        _session = _quillon.Host()
    return _session
