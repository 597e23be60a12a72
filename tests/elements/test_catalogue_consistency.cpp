// Every property row of every registered element class agrees with the
// model's own definition of the property at the same index: the foundation's
// rows and the types package's alike, both made from the model's tables.
#include "support/HostFixture.hpp"

#include "elements/ClassFile.hpp"
#include "marshal/PrimitiveProperties.hpp"

#include <xb/ElementClass.hpp>

#include <cctype>
#include <string>

namespace quillon::testing {
namespace {

using Ozo::meta::Multiplicity;
using Ozo::meta::ValueKind;
using Ozo::xb::PropertyRow;

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::string shortOf(char const* qualified) {
  std::string const s(qualified ? qualified : "");
  return s.substr(s.rfind('.') + 1);
}
std::string packageOf(char const* qualified) {
  std::string const s(qualified ? qualified : "");
  return s.substr(0, s.rfind('.'));
}

// The registration and host data type a model property must have.
struct Expected {
  Ozo::xb::PropertyKind kind;
  std::string hostType;
};

Expected expectedFor(Ozo::meta::PropertyDef const& d) {
  bool const many = d.multiplicity == Multiplicity::Many;
  bool const optional = d.multiplicity == Multiplicity::ZeroOne;
  switch (d.kind) {
    case ValueKind::Element:
      return {Ozo::xb::kinds::ClassObject, packageOf(d.typeName) + (many ? ".ImmutableSequenceOfImmutable" : ".Immutable") +
                                           shortOf(d.typeName)};
    case ValueKind::String:
      return many ? Expected{Ozo::xb::kinds::PrimitiveSequence, "Ozo.ImmutableSequenceOfString"}
                  : Expected{Ozo::xb::kinds::Text, "char"};
    case ValueKind::Integer:
      return many ? Expected{Ozo::xb::kinds::PrimitiveSequence, "Ozo.ImmutableSequenceOfInteger"}
                  : Expected{Zorvan::metamodel::types::xb::Primitive, optional ? "ozoint32" : "int32 scalar"};
    case ValueKind::Real:
      return many ? Expected{Ozo::xb::kinds::PrimitiveSequence, "Ozo.ImmutableSequenceOfReal"}
                  : Expected{Zorvan::metamodel::types::xb::Primitive, optional ? "ozodouble" : "double scalar"};
    case ValueKind::Boolean: return {Zorvan::metamodel::types::xb::Primitive, optional ? "ozological" : "logical scalar"};
    case ValueKind::Value: return {nullptr, d.typeName ? d.typeName : ""};
  }
  return {nullptr, ""};
}

class CatalogueConsistency : public HostFixture {};

TEST_F(CatalogueConsistency, EveryPropertyRowMatchesTheModelDefinition) {
  // Populating the packages registers every element class.
  host.describePackage("Zorvan.metamodel.foundation");
  host.describePackage("Zorvan.metamodel.types");
  auto const classes = Ozo::xb::registeredElementClasses();
  ASSERT_GE(classes.size(), 7u + 6u) << "the foundation and types classes are not all registered";

  std::size_t rows = 0;
  for (Ozo::xb::ElementClassData const* c : classes) {
    Ozo::meta::ClassDef const& def = *c->def;
    SCOPED_TRACE(std::string(def.packageName) + "." + def.name);
    std::vector<PropertyRow> all;
    for (Ozo::xb::ShownProperty const& s : c->shown) all.push_back(Ozo::xb::shownRow(*c, s));
    unsigned previous = 0;
    for (PropertyRow const& r : all) {
      SCOPED_TRACE(r.name);
      ++rows;
      ASSERT_GE(r.index, 1u);
      ASSERT_LE(r.index, def.propertyCount) << "index beyond the model's table";
      EXPECT_GT(r.index, previous) << "rows are not in ascending index order";
      previous = r.index;
      Ozo::meta::PropertyDef const& d = def.properties[r.index - 1];
      EXPECT_TRUE(sameIgnoringCase(r.name, d.name)) << "model calls index " << r.index << " " << d.name;
      EXPECT_EQ(static_cast<int>(r.multiplicity), static_cast<int>(d.multiplicity));
      // The owner end of an ownership pair is derived yet writable.
      bool const modelReadOnly =
          d.readOnly || (d.derived != Ozo::meta::Derivation::None && d.derived != Ozo::meta::Derivation::Container);
      EXPECT_EQ(r.mutability == Ozo::xb::Mutability::ReadOnly, modelReadOnly);
      Expected const e = expectedFor(d);
      if (e.kind != nullptr) {
        EXPECT_EQ(r.kind, e.kind) << "registered with the wrong kind";
      }
      EXPECT_EQ(r.hostType, e.hostType);
    }
  }
  EXPECT_GT(rows, 148u);
}

// A shown index outside the model's table (0, or one past its end) is refused
// with the class named, not read out of bounds.
TEST_F(CatalogueConsistency, AShownIndexOutsideTheModelTableIsRefused) {
  host.describePackage("Zorvan.metamodel.types");
  Ozo::xb::ElementClassData const* axis = nullptr;
  for (Ozo::xb::ElementClassData const* c : Ozo::xb::registeredElementClasses())
    if (std::string_view(c->def->name) == "Axis") axis = c;
  ASSERT_NE(axis, nullptr);
  unsigned const count = axis->def->propertyCount;
  EXPECT_EQ(std::string(Ozo::xb::shownRow(*axis, {count}).name), "Vf");
  for (unsigned const bad : {0u, count + 1}) {
    try {
      (void)Ozo::xb::shownRow(*axis, {bad});
      ADD_FAILURE() << "index " << bad << " accepted";
    } catch (Ozo::Exception const& e) {
      EXPECT_NE(std::string(e.what()).find("Zorvan.metamodel.types.Axis has no property " + std::to_string(bad)),
                std::string::npos)
          << e.what();
    }
  }
}

// A binding that adds no kinds of its own (the foundation's) refuses a
// primitive or value-typed property instead of making a row without a kind;
// the module's kinds make both, a value type by its qualified name only.
TEST_F(CatalogueConsistency, ARowNeedingAKindTheBindingLacksIsRefused) {
  using Zorvan::metamodel::types::xb::TypesRows;
  Ozo::meta::PropertyDef const count{"Count", ValueKind::Integer, Multiplicity::ZeroOne};
  Ozo::meta::PropertyDef const size{"Size", ValueKind::Value, Multiplicity::One, "Zorvan.metamodel.types.DataSize"};
  for (Ozo::meta::PropertyDef const* d : {&count, &size}) {
    SCOPED_TRACE(d->name);
    try {
      (void)Ozo::xb::deriveRow(*d, {1}, Ozo::xb::kSharedKindsOnly);
      ADD_FAILURE() << "a row without a kind was made";
    } catch (Ozo::Exception const& e) {
      EXPECT_NE(std::string(e.what()).find(std::string("no property kind for ") + d->name), std::string::npos)
          << e.what();
    }
  }
  PropertyRow const c = Ozo::xb::deriveRow(count, {7, Ozo::xb::kAttrMarked, "count"}, TypesRows::rowKinds);
  EXPECT_EQ(c.kind, Zorvan::metamodel::types::xb::Primitive);
  EXPECT_EQ(std::string(c.hostType), "ozoint32");
  EXPECT_EQ(std::string(c.name), "count");
  EXPECT_EQ(c.index, 7u);
  EXPECT_EQ(c.attributes, Ozo::xb::kAttrMarked);
  EXPECT_NE(Ozo::xb::deriveRow(size, {1}, TypesRows::rowKinds).kind, nullptr);
  Ozo::meta::PropertyDef const foreign{"Size", ValueKind::Value, Multiplicity::One, "Elsewhere.DataSize"};
  EXPECT_THROW((void)Ozo::xb::deriveRow(foreign, {1}, TypesRows::rowKinds), Ozo::Exception);
}

// The meta-property classes list the class's own entries first and end with
// the runtime's, or with an inherited Namespace's after them.
TEST_F(CatalogueConsistency, MetaPropertyGroupsFollowTheModelChain) {
  auto const names = [this](std::string const& cls) {
    std::vector<std::string> r;
    for (MetaPropertyDesc const& m : host.describeClass(cls).metaProperties) r.push_back(std::string(m.declaredBy) + "." + std::string(m.name));
    return r;
  };
  std::vector<std::string> const integer = names(std::string(kTypes) + "IntegerMetaProperty");
  ASSERT_EQ(integer.size(), 2u + 4 + 10 + 3 + 4 + 3 + 8 + 3);
  EXPECT_EQ(integer.front(), "Integer.Length");
  EXPECT_EQ(integer[2], "Real.MinValue");
  EXPECT_EQ(integer[6], "PrimitiveType.GroundValue");
  EXPECT_EQ(integer[16], "ValueType.InvalidValue");
  EXPECT_EQ(integer[integer.size() - 4], "ClassObject.Uri");
  EXPECT_EQ(integer.back(), "Namespace.OwnedMember");

  // Boolean states its four range entries itself: Real's same-named ones are left out.
  std::vector<std::string> const boolean = names(std::string(kTypes) + "BooleanMetaProperty");
  ASSERT_EQ(boolean.size(), 4u + 10 + 3 + 4 + 3 + 8 + 3);
  EXPECT_EQ(std::vector<std::string>(boolean.begin(), boolean.begin() + 5),
            (std::vector<std::string>{"Boolean.MinValue", "Boolean.MaxValue", "Boolean.IsMinOpen", "Boolean.IsMaxOpen",
                                      "PrimitiveType.GroundValue"}));

  std::vector<std::string> const ns = names("Zorvan.metamodel.foundation.NamespaceMetaProperty");
  ASSERT_FALSE(ns.empty());
  EXPECT_EQ(ns.front(), "Namespace.ElementImport") << "a class's own group comes first even when listed last elsewhere";
}

}  // namespace
}  // namespace quillon::testing
