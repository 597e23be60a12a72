// Meta-property classes and meta-property creators.
//
// A meta-property class (XMetaProperty) lists one entry per property of X and
// of its model ancestors; reading an entry gives the Ozo.ImmutableProperty
// that the declaring class's creator returns for the entry's id. The groups
// follow from the model's superclass chain: each model class with properties
// registers its creator once, and a class's entries are its own group, then
// its ancestors' nearest first, then the groups listed last (an inherited
// Namespace).
#pragma once

#include <Ozo/Meta.hpp>
#include <kovo/Class.hpp>
#include <xb/ClassInfo.hpp>
#include <xb/Property.hpp>

#include <string>
#include <vector>

namespace Ozo::xb {

// Entries of one declaring class: ids 1..n of its own property table.
struct MetaGroup {
  Ozo::xb::MetaPropertyCreator creator;
  Ozo::IntrospectiveMethods const* methods;
};

// The creator of a model class M (a traits struct naming the interface, the
// immutable handle, and where the id check is written):
//   using AxisMeta = ModelMeta<AxisIntf, ImmutableAxis, headers::kAxis, 1044>;
template <class M>
Ozo::ImmutableProperty metaPropertyCreator(unsigned int id) {
  Ozo::IntrospectiveMethods const& methods = M::Intf::sIntrospectiveMethods;
  OZO_ASSERT_AT(M::header, M::line, id >= 1 && id <= methods.count(), "invalid meta property id");
  Ozo::NSInterface::PropertyIntf* const property = methods.table()[id - 1].property;
  Ozo::ImmutableClass const metaClass = M::Immutable::MetaClass();
  return Ozo::ImmutableProperty(property, metaClass.deviant());
}

template <class IntfT, class ImmutableT, char const* Header, int Line>
struct ModelMeta {
  using Intf = IntfT;
  using Immutable = ImmutableT;
  static constexpr char const* header = Header;
  static constexpr int line = Line;
};

template <class M>
constexpr MetaGroup metaGroup() {
  return {&metaPropertyCreator<M>, &M::Intf::sIntrospectiveMethods};
}

// The creators of every model class, keyed by class definition.
namespace metaGroups {
enum class Place : std::uint8_t { InChain, Last };
// Registers M's creator (again: no change).
void add(MetaGroup const& group, Place place = Place::InChain);
template <class M>
void add(Place place = Place::InChain) {
  add(metaGroup<M>(), place);
}
// The groups of `def` in entry order. Fails with a clear message when a
// class of the chain has properties but no creator.
std::vector<MetaGroup> of(Ozo::meta::ClassDef const& def);
}  // namespace metaGroups

// Adds the entries of every group, in order.
void addMetaPropertyEntries(kovo::COSClass* cls, char const* className, std::vector<MetaGroup> const& groups);

template <class T>
class MetaPropertyClassInfo : public Ozo::xb::MetaPropertyMetaData<T> {
 public:
  MetaPropertyClassInfo(Ozo::meta::ClassDef const& def, kovo::Interned fullName)
      : Ozo::xb::MetaPropertyMetaData<T>(typename Ozo::xb::MetaPropertyMetaData<T>::FullName{fullName},
                                         kovo::intern("This class has static methods to access meta properties")),
        fDef(def),
        fFullName(fullName) {}
  void initializeClass(kovo::COSClass* cls, kovo::COSClient*) override {
    addMetaPropertyEntries(cls, fFullName.c_str(), metaGroups::of(fDef));
  }

 private:
  Ozo::meta::ClassDef const& fDef;
  kovo::Interned fFullName;
};

}  // namespace Ozo::xb
