"""Type-checks clean against the generated stubs (mypy, in the test suite)."""

from typing import List, MutableSequence, Optional, Sequence

import quillon

host = quillon.Host()
host.load("mm_types_xb")
T = host.package("Zorvan.metamodel.types")
model = T.Factory.createNewModel()
f = T.Factory.createNewFactory(model)

km = T.Unit(model, "km")
factor: float = km.ConvFactor
km.ConvFactor = 1000.0
km.ConvFactor = 3              # an int is a float to the type checker, and to the host
metre = f.createmetamodeltypesUnit("m")
km.ConvUnit = metre
base: Optional[quillon._hostpackages.Unit] = km.ConvUnit
converted: float = km.convert(2.5, metre)
same: bool = km.hasSameDimensions(metre)
name: str = km.Name

# Sequences: modifiable through a modifiable element, read-only through the view.
exponents: MutableSequence[int] = T.Dimension(model).BaseExponent
exponents.extend([1, 0, 0])
table = f.createmetamodeltypesLookupTableType()
table.Axes.append(f.createmetamodeltypesAxis(8, "engine_speed"))
names: List[str] = [a.Name for a in table.Axes]
view = T.ImmutableLookupTableType.cast(table)
axes: Sequence[quillon._hostpackages.ImmutableAxis] = view.Axes
dims: int = view.Dimensions

# Values and the Ozo package.
size = T.DataSize(2, T.DataSizeUnitKind.Byte())
m2 = host.package("Ozo").Model()
text: str = quillon.class_of(m2)
