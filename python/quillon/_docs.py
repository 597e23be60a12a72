"""Docstrings of host classes and members, in Python terms.

What a member takes and gives comes from the host's descriptions: each host
type is shown with the Python type that gives or receives it. The rules the
model applies (derived properties, unit conversion, ownership) are texts of
one table, keyed by class and member; nothing else here knows a host class.
"""

from ._runtime import _HOST_TYPE, _python_type

# Rules of the model, one or two sentences each, keyed "Class.member" by the
# class that declares the member (an immutable view's class shares its
# entry). Derived properties compute on every read and refuse every write.
_DERIVED = "Derived, read-only: computed from the element's other properties on each read. "
_OWNING = ("Owning: an element added here leaves its previous owner; removing it ends the link "
           "and the element stays alive without an owner. ")
RULES = {
    "LookupTableType.Dimensions": _DERIVED + "The number of Axes.",
    "LookupTableType.Category": _DERIVED + "The shape for the number of Axes: 0 VALUE, 1 CURVE, 2 MAP, "
                                           "3 CUBOID, n >= 4 CUBE_n.",
    "LookupTableType.IsApplication": _DERIVED + "True while no SwRecordLayout is set.",
    "SharedAxisType.IsApplication": _DERIVED + "True while no SwRecordLayout is set.",
    "VoidPointer.IsApplication": _DERIVED + "True while no SwBaseType is set.",
    "FixedPoint.slope": _DERIVED + "FractionalSlope (1 when unset) x 2^-(FractionLength in bits, 0 when "
                                   "unset): 3 with 2 Bit gives 0.75.",
    "StructElement.ReferencedType": _DERIVED + "InlineType when set, else Type.",
    "PrimitiveType.GroundValue": _DERIVED + "The value a fresh datum of the type stands for (an enumeration's "
                                            "DefaultValue or smallest literal, a fixed point's Bias, else 0), "
                                            "brought into minValue..maxValue where those are set.",
    "Enumeration.GroundValue": _DERIVED + "DefaultValue, else the smallest literal value, else 0, brought into "
                                          "minValue..maxValue where those are set.",
    "EnumerationLiteral.hasValidValue": _DERIVED + "True when the literal belongs to an enumeration, its Value "
                                                   "lies within the enumeration's range and no other literal "
                                                   "has the same Value.",
    "EnumerationLiteral.isSecure": _DERIVED + "hasValidValue and not user-defined (PisUserDefined false).",
    "String.Category": _DERIVED + "VARIABLE_LENGTH when IsVariableSize, else FIXED_LENGTH.",
    "Unit.ConvUnit": "The unit this one converts to, by value x ConvFactor + ConvOffset; the end of the "
                     "chain is the base unit.",
    "Unit.convert": "Converts through the common base unit: (factor x value + offset - target's offset) / "
                    "target's factor. Units of different bases, or of differing dimensions, are refused.",
    "Unit.convertToBase": "factor x value + offset, with [factor, offset] of getFactorAndOffsetToBase.",
    "Unit.getFactorAndOffsetToBase": "[factor, offset] of the ConvUnit chain composed: base value = "
                                     "factor x value + offset. A chain that forms a cycle is refused.",
    "Unit.getBaseDimensionExponents": "The Dimension's BaseExponent list (empty without a Dimension).",
    "Unit.hasSameDimensions": "Compares the two units' base dimension exponents, ignoring trailing zeros.",
    "EnumerationLiteralReference.isComputable": "True exactly when Value refers to a literal.",
    "EnumerationLiteralReference.stringValue": "LiteralText when it is non-empty, else the literal's name, "
                                               "else \"\".",
    "Enumeration.OwnedLiteral": _OWNING + "The literal's enumeration is this enumeration.",
    "EnumerationLiteral.enumeration": "The owner of the literal: setting it moves the literal into that "
                                      "enumeration's OwnedLiteral; None ends the link.",
    "Structure.Elements": _OWNING + "The element's Structure is this structure.",
    "StructElement.Structure": "The owner of the element: setting it moves the element into that "
                               "structure's Elements; None ends the link.",
    "LookupTableType.Axes": _OWNING + "Dimensions and Category follow the number of axes.",
    "ValueElement.owningComposite": "The owner of the value element: setting it moves the element into the "
                                    "owner's most specific collection that takes it; None ends the link.",
}
_CLASS_RULES = {
    "Unit": "A unit converts to its ConvUnit by value x ConvFactor + ConvOffset; a new unit has factor 1 "
            "and offset 0 and is its own base.",
    "Model": "A model owns its elements; an element with references keeps its model alive.",
}


def _rule_key(declared_in, member):
    short = declared_in.rpartition(".")[2]
    if short.startswith("Immutable") and len(short) > len("Immutable"):
        short = short[len("Immutable"):]
    return f"{short}.{member}" if member else short


def rule(declared_in, member):
    """The model's rule for a member (or, without one, a class), or None."""
    if not member:
        return _CLASS_RULES.get(_rule_key(declared_in, None))
    return RULES.get(_rule_key(declared_in, member))


def python_type(host_type, optional=False):
    """The Python type that gives or receives a host type, beside it:
    "float (double scalar)", "Unit (Zorvan.metamodel.types.Unit)"."""
    if not host_type or host_type == "void":
        return "None"
    m = _HOST_TYPE.fullmatch(host_type)
    if m is not None:
        py = _python_type(m)
    elif "." in host_type:
        py = host_type.rpartition(".")[2]
    else:
        return host_type
    if optional:
        py += " or None"
    return f"{py} ({host_type})"


def method_line(d):
    """One overload as Python calls it: arguments by the host's names, each
    with its Python type beside the host's."""
    names = list(d.argument_names)
    if len(names) != len(d.arguments):
        names = [f"arg{i}" for i in range(1, len(d.arguments) + 1)]
    args = ", ".join(f"{n}: {python_type(t)}" for n, t in zip(names, d.arguments))
    kind = "" if d.kind == "instance" else f"  [{d.kind}]"
    return f"{d.name}({args}) -> {python_type(d.result)}{kind}"


def method_doc(overloads):
    lines = list(dict.fromkeys(method_line(d) for d in overloads))
    if len(lines) > 1:
        lines.insert(0, f"{len(lines)} overloads; the first whose parameters fit the arguments is called.")
    for d in overloads:
        if d.description:
            lines += ["", d.description]
            break
    text = next((r for r in (rule(d.declared_in, d.name) for d in overloads) if r), None)
    if text:
        lines += ["", text]
    return "\n".join(lines)


def property_line(p):
    optional = p.multiplicity == 0
    text = f"{p.name}: {python_type(p.type, optional)}"
    if p.multiplicity == 2:
        text += ", a live sequence"
    return text + (", read-only" if p.read_only else "")


def property_doc(p):
    text = rule(p.declared_in, p.name)
    return property_line(p) + (f"\n\n{text}" if text else "")


def class_doc(desc, methods, props):
    lines = [f"Host class {desc.name}."]
    if desc.description:
        lines += ["", desc.description]
    text = rule(desc.name, None)
    if text:
        lines += ["", text]
    if desc.superclasses:
        lines += ["", "Superclasses: " + ", ".join(desc.superclasses)]
    if methods:
        lines += ["", "Methods:"]
        for name in sorted(methods):
            lines += [f"    {line}" for line in dict.fromkeys(method_line(d) for d in methods[name])]
    if props:
        lines += ["", "Properties:"]
        lines += [f"    {property_line(props[name])}" for name in sorted(props)]
    return "\n".join(lines)
