// Model classes made only for the runtime's tests: one property of every
// kind the reflective core stores.
#pragma once

#include <Ozo/Element.hpp>

#include <gtest/gtest.h>

#include "support/AssertionText.hpp"
#include "support/ErrorOf.hpp"

#include <iterator>
#include <string>
#include <utility>

namespace ozotest {

using K = Ozo::meta::ValueKind;
using M = Ozo::meta::Multiplicity;
using D = Ozo::meta::Derivation;

inline constexpr char kThingType[] = "Test.Thing";

//                                     name     kind         multiplicity type        composite readOnly derivation
inline constexpr Ozo::meta::PropertyDef kThingProperties[] = {
    {"Count",   K::Integer, M::One},
    {"Limit",   K::Real,    M::ZeroOne},
    {"Flag",    K::Boolean, M::One},
    {"Label",   K::String,  M::ZeroOne},
    {"Peer",    K::Element, M::ZeroOne, kThingType},
    {"Parts",   K::Element, M::Many,    kThingType, true},
    {"Tags",    K::String,  M::Many},
    {"Part",    K::Element, M::ZeroOne, kThingType, true},
    {"Holder",  K::Element, M::ZeroOne, kThingType, false, true, D::Container},
    {"Model",   K::Value,   M::One,     "Ozo.Model", false, true, D::Model},
    {"Amounts", K::Integer, M::Many},
    {"Peers",   K::Element, M::Many,    kThingType},
};
enum ThingProperty : unsigned {
  Count = 1, Limit, Flag, Label, Peer, Parts, Tags, Part, Holder, ModelOf, Amounts, Peers
};

inline constexpr Ozo::meta::ClassDef kThing{"Thing", "Test", &Ozo::NSInterface::ClassObjectIntf::sClassDef,
                                            kThingProperties, std::size(kThingProperties)};
inline constexpr Ozo::IntrospectiveMethods kThingMethods{&kThing, &Ozo::kElementAccessors<kThing>};

// A class without properties, unrelated to Thing.
inline constexpr Ozo::meta::ClassDef kOther{"Other", "Test", &Ozo::NSInterface::ClassObjectIntf::sClassDef, nullptr,
                                            0};
inline constexpr Ozo::IntrospectiveMethods kOtherMethods{&kOther, &Ozo::kElementAccessors<kOther>};

inline constexpr Ozo::meta::ClassDef kAbstract{"Abstract", "Test", &Ozo::NSInterface::ClassObjectIntf::sClassDef,
                                               nullptr, 0, true};
inline constexpr Ozo::IntrospectiveMethods kAbstractMethods{&kAbstract, &Ozo::kElementAccessors<kAbstract>};

inline Ozo::ClassObject thing(Ozo::Model const& m) { return Ozo::createObject(m, kThingMethods); }

inline Ozo::Object get(Ozo::ClassObject const& o, unsigned i) { return kThingMethods.accessors->get(o, i); }
inline bool isSet(Ozo::ClassObject const& o, unsigned i) { return kThingMethods.accessors->isSet(o, i); }
inline void set(Ozo::ClassObject const& o, unsigned i, Ozo::Object const& v) { kThingMethods.accessors->set(o, i, v); }
inline void unset(Ozo::ClassObject const& o, unsigned i) { kThingMethods.accessors->unset(o, i); }
inline Ozo::Object asObject(Ozo::ClassObject const& o) { return Ozo::Object(o.get(), o.deviant()); }
inline Ozo::Collection<Ozo::ImmutableObject> collection(Ozo::ClassObject const& o, unsigned i) {
  return Ozo::Collection<Ozo::ImmutableObject>(get(o, i));
}

// The exact text of the Ozo::Exception that `f` throws.
template <class F>
std::string failure(F&& f) {
  return testsupport::errorOf<Ozo::Exception>(std::forward<F>(f));
}

// Every test starts and must end with no live counted objects of its own.
// The count is taken before a fixture's members are made and compared once
// they are gone.
class LiveCountTest : public ::testing::Test {
 protected:
  ~LiveCountTest() override { EXPECT_EQ(Ozo::ReferenceCountingIntf::live(), fBaseline) << "objects leaked"; }
  std::size_t const fBaseline = Ozo::ReferenceCountingIntf::live();
};

// A model with one Thing in it, new for each test.
class ThingTest : public LiveCountTest {
 protected:
  Ozo::Model const m = Ozo::Model::create();
  Ozo::ClassObject const a = thing(m);
};

}  // namespace ozotest
