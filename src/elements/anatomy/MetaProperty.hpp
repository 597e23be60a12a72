// Meta-property classes and meta-property creators.
//
// A meta-property class (XMetaProperty) lists one entry per property of X and
// of its model ancestors; reading an entry gives the Ozo.ImmutableProperty
// that the declaring class's creator returns for the entry's id.
#pragma once

#include <Ozo/Meta.hpp>
#include <kovo/Class.hpp>
#include <xb/ClassInfo.hpp>
#include <xb/Property.hpp>

#include <span>
#include <string>

namespace Zorvan::xb {

// Entries of one declaring class: ids 1..n of its own property table.
struct MetaGroup {
  Ozo::xb::MetaPropertyCreator creator;
  Ozo::IntrospectiveMethods const* methods;
};

// The creator of a model class M (a traits struct naming the interface, the
// immutable handle, and where the id check is written):
//   struct AxisMeta { using Intf = ...; using Immutable = ...;
//                     static constexpr char const* header = "..."; static constexpr int line = 1044; };
template <class M>
Ozo::ImmutableProperty metaPropertyCreator(unsigned int id) {
  Ozo::IntrospectiveMethods const& methods = M::Intf::sIntrospectiveMethods;
  OZO_ASSERT_AT(M::header, M::line, id >= 1 && id <= methods.count(), "invalid meta property id");
  Ozo::NSInterface::PropertyIntf* const property = methods.table()[id - 1].property;
  Ozo::ImmutableClass const metaClass = M::Immutable::MetaClass();
  return Ozo::ImmutableProperty(property, metaClass.deviant());
}

// The traits of a model class's creator, stated in one line per class.
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

// Adds the entries of every group, in order.
void addMetaPropertyEntries(kovo::COSClass* cls, char const* className, std::span<MetaGroup const> groups);

template <class T>
class MetaPropertyClassInfo : public Ozo::xb::MetaPropertyMetaData<T> {
 public:
  MetaPropertyClassInfo(std::string const& shortName, std::span<MetaGroup const> groups, std::string const& fullName)
      : Ozo::xb::MetaPropertyMetaData<T>(shortName, "This class has static methods to access meta properties"),
        fGroups(groups),
        fFullName(fullName) {}
  void initializeClass(kovo::COSClass* cls, kovo::COSClient*) override {
    addMetaPropertyEntries(cls, fFullName.c_str(), fGroups);
  }

 private:
  std::span<MetaGroup const> fGroups;
  std::string fFullName;
};

}  // namespace Zorvan::xb
