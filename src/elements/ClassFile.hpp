// What every element class file includes: the anatomy, the vocabulary of its
// rows (property kinds, multiplicities, mutability, method rows) and the
// meta-property creators of the package's classes.
#pragma once

#include "elements/Registration.hpp"
#include "elements/TypesMeta.hpp"
#include "marshal/PrimitiveProperties.hpp"

#include <xb/ElementClass.hpp>

namespace Zorvan::metamodel::types::xb {

using Ozo::xb::creation;
using Ozo::xb::instanceMethod;
// Attribute of methods called on an object.
inline constexpr std::int32_t kInstanceOnly = kovo::factory::kAttrInstanceOnly;
using Ozo::xb::MethodRow;
using Ozo::xb::PropertyRow;
using namespace Ozo::xb::kinds;
using enum Ozo::xb::Multiplicity;
using enum Ozo::xb::Mutability;

using Ozo::xb::kAttrMarked;
using Ozo::xb::kAttrNone;
using Ozo::xb::ShownProperty;

// What every class of the package shares: its property rows are made from
// the model's own property table (PropertyRows.cpp).
struct TypesClass {
  static PropertyRow deriveRow(Ozo::meta::PropertyDef const& def, ShownProperty const& shown);
};

// Registers class C's eleven host classes in `package` (none for a null package).
template <class C>
void registerClass(kovo::COSPackage* package) {
  Ozo::xb::registerElementClass<C>(package);
}

}  // namespace Zorvan::metamodel::types::xb
