"""Each marked line is a type error the generated stubs must catch (the test
asserts these line numbers)."""

import quillon

host = quillon.Host()
host.load("mm_types_xb")
T = host.package("Zorvan.metamodel.types")
model = T.Factory.createNewModel()
km = T.Unit(model, "km")

km.ConvFactr = 2.0             # line 12: no such property
km.convert("2.5", km)          # line 13: a text for a double
T.ImmutableUnit.cast(km).ConvFactor = 1.0  # line 14: read-only through the view
T.LookupTableType(model).Dimensions = 3    # line 15: derived, read-only
ratio: str = T.Unit(model, "km").ConvFactor  # line 16: a float, not Any
T.Unit(model, "km", 3)         # line 17: no constructor takes three arguments
