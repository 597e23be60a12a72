"""Python front end of the quillon host runtime.

    import quillon
    host = quillon.Host()
    host.load("mm_types_xb")
    T = host.package("Zorvan.metamodel.types")
    ax = T.Axis(host.package("Ozo").Model(), 3, "speed")
    ax.Dimensions = 4
"""

from . import _quillon
from ._classes import HostClass, Object, wrap as _wrap
from ._host import Host, Package, class_of, counters
from ._runtime import HostError

_quillon._set_hooks(_wrap, Object, HostError)

__all__ = ["Host", "HostError", "HostClass", "Object", "Package", "class_of", "counters"]
