"""Validation of a whole model: what is wrong with it, all at once."""

from dataclasses import dataclass
from typing import Any, Optional

from ._classes import Object
from ._runtime import session

_MODEL_CLASSES = ("Ozo.Model", "Ozo.ImmutableModel")


@dataclass(frozen=True)
class Diagnostic:
    """One problem of a model: how bad it is ("error" or "warning"), the
    element at fault, the host name of its property at fault (None when the
    element as a whole is), the rule's short id and a message."""

    severity: str
    element: Any
    property: Optional[str]
    rule: str
    message: str

    def __str__(self):
        where = f"{self.property}: " if self.property else ""
        return f"{self.severity} [{self.rule}] {where}{self.message}"


def validate(model):
    """Every problem of ``model`` (an ``Ozo.Model`` or ``Ozo.ImmutableModel``),
    a list of :class:`Diagnostic` in the order of ``model.allContents()``; an
    empty list for a model without problems. Changes nothing."""
    if not isinstance(model, Object) or type(model)._host_name not in _MODEL_CLASSES:
        raise TypeError(f"expected an Ozo.Model, got {type(model).__name__}")
    found = session().invoke(model._ref, "validate", ())
    # A host array of objects comes back as None when empty and as the
    # object itself when it holds one.
    if found is None:
        found = ()
    elif isinstance(found, Object):
        found = (found,)
    return [Diagnostic(d.Severity, d.Element, d.Property or None, d.Rule, d.Message) for d in found]
