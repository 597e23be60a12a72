// The types package "Zorvan.metamodel.types": data types, axes and their
// relatives. Same layout as the foundation package: per class X the
// interface NSInterface::XIntf, ImmutableX, XMutators and X, one header per
// class (types/X.hpp); this header declares the package and includes them
// all.
//
// Value-typed properties (DataSize, ...) read as Ozo::ImmutableObject; the
// value classes of Values.hpp convert to and from it.
#pragma once

#include <types/ApplicationValueSpecification.hpp>
#include <types/Axis.hpp>
#include <types/Boolean.hpp>
#include <types/Cell.hpp>
#include <types/Complex.hpp>
#include <types/CompositeSpecification.hpp>
#include <types/CompuMethod.hpp>
#include <types/ConstantReference.hpp>
#include <types/ConstantSpecification.hpp>
#include <types/DataConstr.hpp>
#include <types/Dimension.hpp>
#include <types/Enumeration.hpp>
#include <types/EnumerationLiteral.hpp>
#include <types/EnumerationLiteralReference.hpp>
#include <types/FixedPoint.hpp>
#include <types/FloatingPoint.hpp>
#include <types/Integer.hpp>
#include <types/LiteralReal.hpp>
#include <types/LookupTableSpecification.hpp>
#include <types/LookupTableType.hpp>
#include <types/Matrix.hpp>
#include <types/MatrixValueSpecification.hpp>
#include <types/PrimitiveType.hpp>
#include <types/Real.hpp>
#include <types/SharedAxisType.hpp>
#include <types/Slot.hpp>
#include <types/String.hpp>
#include <types/StructElement.hpp>
#include <types/Structure.hpp>
#include <types/StructureValueSpecification.hpp>
#include <types/SwAxisType.hpp>
#include <types/SwBaseType.hpp>
#include <types/SwGenericAxisParamType.hpp>
#include <types/SwRecordLayout.hpp>
#include <types/SwRecordLayoutGroup.hpp>
#include <types/SwRecordLayoutV.hpp>
#include <types/Unit.hpp>
#include <types/ValueElement.hpp>
#include <types/VoidPointer.hpp>
#include <types/Values.hpp>
#include <types/Factory.hpp>

namespace Zorvan::metamodel::types {

inline constexpr char kPackageName[] = "Zorvan.metamodel.types";

// A list of types, walked in order at compile time.
template <class... T>
struct TypeList {
  static constexpr unsigned size = sizeof...(T);
  // Calls f.template operator()<T>() for each type in order.
  template <class F>
  static constexpr void forEach(F&& f) {
    (f.template operator()<T>(), ...);
  }
};

// The package's classes, in the one order the package registers them (and
// its meta package lists its element classes): element classes, value types
// and the factory. A new class is added here and its header above;
// types/Classes.hpp walks the list.
using PackageClasses =
    TypeList<FloatingPoint, Complex, Dimension, LiteralReal, FixedPoint, Integer, Real, DataSize, Unit, Time,
             FloatingPointKind, Matrix, EnumerationLiteral, Enumeration, DataSizeUnitKind, TimeUnitKind, Factory,
             Boolean, MatrixValueSpecification, Cell, Structure, ValueElement, StructureValueSpecification, Slot,
             EnumerationLiteralReference, ConstantSpecification, ConstantReference, CompositeSpecification,
             PrimitiveType, StructElement, CompuMethod, DataConstr, CompuMethodCategory, SwBaseType, LookupTableType,
             SharedAxisType, SwRecordLayout, Axis, VoidPointer, ApplicationValueSpecification, LookupTableSpecification,
             SwRecordLayoutGroup, SwRecordLayoutV, SwGenericAxisParamType, SwAxisType, SwGenericAxisParamTypeCategory,
             String>;

// Builds the package's meta classes (and the foundation's). Idempotent.
void initialize();
// The meta package "Zorvan.metamodel.types" with the package's classes.
Ozo::ImmutablePackage MetaPackage();

}  // namespace Zorvan::metamodel::types
