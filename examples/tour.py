"""A first hour with Zorvan.metamodel.types, from Python.

Builds a small model through the package's factory: units with conversions,
a computation method, a fixed-point and an enumeration data type, a record
layout and a lookup-table type with two axes. Reads back what the model
derives, converts values between units, keeps a list of data sizes, prints a
summary, and ends with every live object gone.

Run it with scripts/main.sh, or: PYTHONPATH=build/python python3 examples/tour.py
"""

import gc
import os
import tempfile

import quillon


def tour(out=print):
    host = quillon.Host()
    host.load("mm_types_xb")
    T = host.package("Zorvan.metamodel.types")

    # A model and a factory that creates elements in it.
    model = T.Factory.createNewModel()
    f = T.Factory.createNewFactory(model)
    out(f"model {model.Uri}")

    # Units. A unit converts to its ConvUnit by value * ConvFactor + ConvOffset;
    # a unit without a ConvUnit is a base unit.
    length = f.createmetamodeltypesDimension("Length")
    length.BaseExponent.extend([1, 0, 0])
    temperature = f.createmetamodeltypesDimension("Temperature")
    temperature.BaseExponent.extend([0, 0, 1])
    metre = f.createmetamodeltypesUnit("m")
    metre.Dimension = length
    km = f.createmetamodeltypesUnit("km")
    km.ConvUnit, km.ConvFactor, km.Dimension = metre, 1000.0, length
    kelvin = f.createmetamodeltypesUnit("K")
    celsius = f.createmetamodeltypesUnit("degC")
    celsius.ConvUnit, celsius.ConvOffset = kelvin, 273.15
    fahrenheit = f.createmetamodeltypesUnit("degF")
    fahrenheit.ConvUnit, fahrenheit.ConvFactor, fahrenheit.ConvOffset = kelvin, 5 / 9, 459.67 * 5 / 9
    for u in (kelvin, celsius, fahrenheit):
        u.Dimension = temperature
    out(f"2.5 km = {km.convert(2.5, metre):g} m")
    out(f"100 degC = {celsius.convert(100.0, fahrenheit):.2f} degF")
    out(f"degF to base: factor, offset = {[round(x, 6) for x in fahrenheit.getFactorAndOffsetToBase()]}")
    out(f"km and degC have the same dimensions: {km.hasSameDimensions(celsius)}")
    try:
        km.convert(1.0, celsius)
    except quillon.HostError as e:
        out(f"km to degC is refused: {e}")

    # A linear computation method in km/h with its display format.
    speed = f.createmetamodeltypesCompuMethod("%6.2f", "speed_linear")
    speed.Category = T.CompuMethodCategory.Linear()
    speed.Unit = km
    speed.CalToInternalCompuNumerator.extend([0.0, 16.0])
    speed.CalToInternalCompuDenominator.append(1.0)

    # A 16-bit fixed-point type with 4 fraction bits: its slope is derived.
    fixed = f.createmetamodeltypesFixedPoint("speed_t")
    fixed.Length = T.DataSize(16, T.DataSizeUnitKind.Bit())
    fixed.FractionLength = T.DataSize(4, T.DataSizeUnitKind.Bit())
    fixed.CompuMethod, fixed.Unit = speed, km
    out(f"{fixed.Name}: {fixed.Length} with {fixed.FractionLength} of fraction, slope {fixed.slope}")

    # An enumeration with its literals; each literal joins its enumeration.
    gear = f.createmetamodeltypesEnumeration("Gear")
    for code, name in enumerate(["Park", "Reverse", "Neutral", "Drive"]):
        f.createmetamodeltypesEnumerationLiteral(code, code, gear, name)
    literals = [(lit.Name, lit.Value, lit.hasValidValue) for lit in gear.OwnedLiteral]
    out(f"{gear.Name}: {literals}")

    # A record layout and a lookup-table type over two axes.
    layout = f.createmetamodeltypesSwRecordLayout(f.createmetamodeltypesSwRecordLayoutGroup(),
                                                  f.createmetamodeltypesString(32, "layout_name"), "map_layout")
    torque = f.createmetamodeltypesLookupTableType(layout, fixed, "torque_map")
    out(f"{torque.Name} before its axes: {torque.Dimensions} axes, {torque.Category}")
    for points, name in ((8, "engine_speed"), (6, "load")):
        torque.Axes.append(f.createmetamodeltypesAxis(points, name))
    out(f"{torque.Name}: {torque.Dimensions} axes {[a.Name for a in torque.Axes]}, {torque.Category}, "
        f"application type: {torque.IsApplication}")

    # A list of values, kept unique by the values' own equality.
    sizes = T.SequenceOfDataSize.makeUnique(model)
    for value, unit in ((8, "Bit"), (1, "Byte"), (2, "Byte")):
        sizes.push_back(T.DataSize(value, getattr(T.DataSizeUnitKind, unit)()))
    out(f"unique data sizes: {[str(s) for s in sizes]}")

    # The model as a document: saved to a file, loaded back, compared.
    Ozo = host.package("Ozo")
    out(f"the model holds {model.size()} elements, {len(model)} of them owned by no other")
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "engine.json")
        model.save(path)
        out(f"saved {os.path.getsize(path)} bytes")
        again = Ozo.Model.load(path, "engine-again")
        out(f"loaded {again.size()} elements under {again.Uri}; differences: {list(Ozo.Model.compare(model, again))}")
        again.find("Gear/Drive").Value = 7
        out(f"after an edit: {list(Ozo.Model.compare(model, again))}")

    del again, sizes, torque, layout, gear, fixed, speed, length, temperature, metre, km, kelvin, celsius, fahrenheit
    del f, model


def main():
    tour()
    gc.collect()
    live = {name: n for name, n in quillon.counters().items() if name in ("host objects", "bindings", "model objects")}
    print(f"live objects at the end: {live}")
    if any(live.values()):
        raise SystemExit("objects are still alive")


if __name__ == "__main__":
    main()
