"""Python front end of the quillon host runtime.

    import quillon
    host = quillon.Host()
    host.load("mm_types_xb")
    T = host.package("Zorvan.metamodel.types")
    ax = T.Axis(host.package("Ozo").Model(), 3, "speed")
    ax.Dimensions = 4
"""

import sys

from . import _version

__version__ = _version.version

# The compiled module serves only the Python it was built for; any other
# fails to find it or to load it, with an error that names neither.
if sys.version_info[:2] != _version.python:
    raise ImportError(
        "quillon {} was built for Python {}.{}; this is Python {}.{} ({})".format(
            __version__, *_version.python, *sys.version_info[:2], sys.executable),
        name=__name__)

from . import _quillon  # noqa: E402

_first = _quillon._package()
if _first is not None:
    # Imported again after leaving sys.modules: the first package, with its
    # classes and its one wrapper per host object, stays the one in use.
    sys.modules[__name__] = _first
    for _sub in ("_version", "_quillon", "_runtime", "_docs", "_sequences", "_classes", "_host", "_validation"):
        sys.modules[f"{__name__}.{_sub}"] = getattr(_first, _sub)
else:
    from ._classes import HostClass, Object, class_for as _class_for
    from ._host import Host, Package, class_of, counters, invoke
    from ._runtime import ArgumentError, HostError
    from ._quillon import ChangeEvent, Subscription, Transaction, observe, transaction
    from ._validation import Diagnostic, validate

    _quillon._set_hooks(sys.modules[__name__], _class_for, HostError, ArgumentError)

    __all__ = ["ArgumentError", "ChangeEvent", "Diagnostic", "Host", "HostError", "HostClass", "Object", "Package",
               "Subscription", "Transaction", "class_of", "counters", "invoke", "observe", "transaction",
               "validate"]
