// The host classes of an element class, as a host user sees them, with Axis.
#include "support/HostFixture.hpp"

#include <algorithm>

namespace quillon::testing {
namespace {

std::string T(std::string const& shortName) { return kTypes + shortName; }

class ElementAnatomy : public HostFixture {};

TEST_F(ElementAnatomy, RegistersTheElevenAxisClassesInOrderAndMetaPackage) {
  PackageDesc const p = host.describePackage("Zorvan.metamodel.types");
  std::vector<std::string> const axis = {
      T("ImmutableAxis"),          T("Axis"),
      T("AxisMetaProperty"),       T("SequenceOfAxis"),
      T("SequenceOfImmutableAxis"), T("ImmutableSequenceOfAxis"),
      T("ImmutableSequenceOfImmutableAxis"), T("AxisIterator"),
      T("ImmutableAxisIterator"),  T("AxisImmutableIterator"),
      T("ImmutableAxisImmutableIterator")};
  auto const at = std::search(p.classes.begin(), p.classes.end(), axis.begin(), axis.end());
  EXPECT_NE(at, p.classes.end()) << "the Axis classes are not registered consecutively in order";
  EXPECT_EQ(p.functions, std::vector<std::string>{"MetaPackage"});

  ClassDesc const seq = host.describeClass(T("SequenceOfAxis"));
  EXPECT_EQ(seq.description, "A sequence whose values can be changed");
  EXPECT_EQ(host.describeClass(T("ImmutableAxisImmutableIterator")).description,
            "An iterator for traversing a non-modifiable list");
  EXPECT_EQ(host.describeClass(T("AxisImmutableIterator")).description,
            "An iterator for traversing a modifiable list");
}

TEST_F(ElementAnatomy, ImmutableClassDeclaresMetaMethodsAndCasts) {
  ClassDesc const c = host.describeClass(T("ImmutableAxis"));
  EXPECT_EQ(c.shortName, "ImmutableAxis");
  EXPECT_EQ(c.description, "");
  EXPECT_EQ(c.superclasses, std::vector<std::string_view>{"Zorvan.metamodel.foundation.ImmutableNamedElement"});
  ASSERT_EQ(c.methods.size(), 5u);
  auto const check = [](MethodDesc const& m, std::string const& name, std::string const& kind, int attrs,
                        unsigned flags, std::string const& result, std::optional<std::string> self,
                        std::vector<std::string_view> args) {
    EXPECT_EQ(m.name, name);
    EXPECT_EQ(m.kind, kind) << name;
    EXPECT_EQ(m.attributes, attrs) << name;
    EXPECT_EQ(m.flags, flags) << name;
    EXPECT_EQ(m.result, result) << name;
    EXPECT_EQ(m.self, self) << name;
    EXPECT_EQ(m.arguments, args) << name;
  };
  check(c.methods[0], "MetaClass", "static", 0, 0x8, "Ozo.ImmutableClass", std::nullopt, {});
  check(c.methods[1], "MetaProperty", "static", 0, 0x8, T("AxisMetaProperty"), std::nullopt, {});
  check(c.methods[2], "getMetaType", "instance", 2, 0, "Ozo.ImmutableType", "Ozo.ImmutableObject", {});
  check(c.methods[3], "cast", "static", 0, 0x8, "Ozo.ImmutableObject", std::nullopt, {"Ozo.ImmutableObject"});
  check(c.methods[4], "cast", "static", 0, 0x8, "Ozo.ImmutableObject", std::nullopt, {"Ozo.Object"});
  EXPECT_EQ(c.methods[3].argumentNames, std::vector<std::string_view>{"other"});
}

TEST_F(ElementAnatomy, ModifiableClassDeclaresConstructorsAndInheritsProperties) {
  ClassDesc const c = host.describeClass(T("Axis"));
  EXPECT_EQ(c.superclasses,
            (std::vector<std::string_view>{T("ImmutableAxis"), "Zorvan.metamodel.foundation.NamedElement"}));
  EXPECT_TRUE(c.properties.empty());
  ASSERT_EQ(c.methods.size(), 6u);
  EXPECT_EQ(c.methods[0].kind, "constructor");
  EXPECT_EQ(c.methods[0].name, "Axis");
  EXPECT_EQ(c.methods[0].arguments, std::vector<std::string_view>{"Ozo.Model"});
  EXPECT_EQ(c.methods[1].arguments, (std::vector<std::string_view>{"Ozo.Model", "int32 scalar", "char vector"}));
  EXPECT_EQ(c.methods[1].result, T("Axis"));
  EXPECT_EQ(c.methods[2].name, "MetaClass");
  EXPECT_EQ(c.methods[2].attributes, 0x200);
  EXPECT_EQ(c.methods[3].name, "MetaProperty");
  EXPECT_EQ(c.methods[3].attributes, 0x200);
  EXPECT_EQ(c.methods[4].self, "Ozo.Object");
  EXPECT_EQ(c.methods[5].arguments, std::vector<std::string_view>{"Ozo.Object"});
  EXPECT_EQ(c.methods[5].result, "Ozo.Object");

  auto const all = host.allProperties(T("Axis"));
  auto const has = [&](std::string const& n) {
    return std::any_of(all.begin(), all.end(), [&](PropertyDesc const& p) { return p.name == n; });
  };
  EXPECT_TRUE(has("Dimensions"));
  EXPECT_TRUE(has("Name"));
}

TEST_F(ElementAnatomy, MetaPropertyClassListsOwnThenAncestorEntries) {
  ClassDesc const c = host.describeClass(T("AxisMetaProperty"));
  EXPECT_EQ(c.description, "This class has static methods to access meta properties");
  std::vector<std::string> names;
  std::vector<std::string> declaredBy;
  for (MetaPropertyDesc const& m : c.metaProperties) {
    names.emplace_back(m.name);
    declaredBy.emplace_back(m.declaredBy);
  }
  std::vector<std::string> const expected = {
      "BaseType", "SharedAxis", "Dimensions", "InputVariableType", "SymbolicDimensions", "SwGenericAxisParamType",
      "Vf", "Name", "Visibility", "ClientDependency", "Namespace", "OwnedElement", "Owner", "OwnedComment",
      "AppliedStereotypeInstance", "ModelOzo", "ContainerOzo", "ContaineeOzo", "RootModel", "ExternalId",
      "ExternalToolInfo", "Uri"};
  EXPECT_EQ(names, expected);
  ASSERT_EQ(declaredBy.size(), 22u);
  EXPECT_EQ(declaredBy[0], "Axis");
  EXPECT_EQ(declaredBy[7], "NamedElement");
  EXPECT_EQ(declaredBy[11], "Element");
  EXPECT_EQ(declaredBy[21], "ClassObject");
  EXPECT_EQ(c.metaProperties[10].id, 4);
  EXPECT_EQ(c.metaProperties[21].id, 8);
}

TEST_F(ElementAnatomy, ConstructorsCreateBoundElements) {
  Value const m = model();
  Value const a = axis(m);
  EXPECT_EQ(host.classOf(a), T("Axis"));
  EXPECT_EQ(host.get(a, "Dimensions").toInt32(), 0);

  Value const b = host.construct(T("Axis"), {m, 3, "speed"});
  EXPECT_EQ(host.get(b, "Dimensions").toInt32(), 3);
  EXPECT_EQ(host.get(b, "Name").toString(), "speed");
  EXPECT_FALSE(a.sameObject(b));
}

TEST_F(ElementAnatomy, MetaAccessorsAnswer) {
  Value const a = axis(model());
  Value const type = host.invoke(a, "getMetaType", {});
  EXPECT_EQ(host.classOf(type), "Ozo.ImmutableClass");
  EXPECT_EQ(host.get(type, "Name").toString(), "Axis");
  Value const cls = host.call(T("ImmutableAxis"), "MetaClass", {});
  EXPECT_TRUE(cls.sameObject(type)) << "the meta class is one host object";
  EXPECT_TRUE(host.call(T("Axis"), "MetaClass", {}).sameObject(cls));

  Value const mp1 = host.call(T("ImmutableAxis"), "MetaProperty", {});
  Value const mp2 = host.call(T("Axis"), "MetaProperty", {});
  EXPECT_EQ(host.classOf(mp1), T("AxisMetaProperty"));
  EXPECT_FALSE(mp1.sameObject(mp2)) << "MetaProperty makes a new object every call";
  Value const baseType = host.get(mp1, "BaseType");
  EXPECT_EQ(host.classOf(baseType), "Ozo.ImmutableProperty");
  EXPECT_EQ(host.get(baseType, "Name").toString(), "BaseType");
  EXPECT_EQ(host.get(host.get(mp1, "Uri"), "Name").toString(), "Uri");
}

TEST_F(ElementAnatomy, CastsKeepIdentityPerView) {
  Value const m = model();
  Value const a = axis(m);
  Value const i1 = host.call(T("ImmutableAxis"), "cast", {a});
  Value const i2 = host.call(T("ImmutableAxis"), "cast", {a});
  EXPECT_EQ(host.classOf(i1), T("ImmutableAxis"));
  EXPECT_TRUE(i1.sameObject(i2));
  EXPECT_FALSE(i1.sameObject(a)) << "the immutable view is another host identity";
  EXPECT_TRUE(host.call(T("ImmutableAxis"), "cast", {i1}).sameObject(i1));
  EXPECT_TRUE(host.call(T("Axis"), "cast", {a}).sameObject(a));

  Value const none = host.call(T("ImmutableAxis"), "cast", {m});
  EXPECT_TRUE(none.isEmpty());
  EXPECT_EQ(none.className(), "Ozo.ImmutableObject");
  EXPECT_TRUE(host.call(T("Axis"), "cast", {m}).isEmpty());
  EXPECT_TRUE(host.call(T("ImmutableAxis"), "cast", {Value()}).isEmpty());
}

TEST_F(ElementAnatomy, EmptySelfFailsWithTheNullRefAssertion) {
  std::string const expected =
      "Assertion failed: Cannot access NULL ref. Use isValid() before calling methods at ozo/Ozo/Object_h:83: ";
  EXPECT_EQ(errorOf([&] { host.call(T("ImmutableAxis"), "getMetaType", {Value()}); }), expected);
  Value const emptyAxis = host.call(T("Axis"), "cast", {model()});
  EXPECT_EQ(errorOf([&] { host.call(T("Axis"), "getMetaType", {emptyAxis}); }), expected);
}

TEST_F(ElementAnatomy, BadInputIsRefusedBeforeAnythingIsCreated) {
  Value const m = model();
  std::size_t const before = host.counter("model objects");
  std::string const refused = "No signature of \"Axis\" in class \"Zorvan.metamodel.types.Axis\" accepts (";
  std::string const axisCandidates =
      "); candidates: Axis(Ozo.Model), Axis(Ozo.Model, int32 scalar, char vector).";
  EXPECT_EQ(errorOf([&] { host.construct(T("Axis"), {"speed"}); }), refused + "char" + axisCandidates);
  EXPECT_EQ(errorOf([&] { host.construct(T("Axis"), {m, 3.5, "speed"}); }),
            refused + "Ozo.Model, double, char" + axisCandidates);
  EXPECT_EQ(errorOf([&] { host.construct(T("Axis"), {m, 3}); }), refused + "Ozo.Model, int32" + axisCandidates);
  EXPECT_EQ(errorOf([&] { host.construct(T("Axis"), {m, 3, "a", 4}); }),
            refused + "Ozo.Model, int32, char, int32" + axisCandidates);
  // Each candidate once, although every class of the lineage defines cast.
  EXPECT_EQ(errorOf([&] { host.call(T("ImmutableAxis"), "cast", {3}); }),
            "No signature of \"cast\" in class \"Zorvan.metamodel.types.ImmutableAxis\" accepts (int32); "
            "candidates: cast(Ozo.ImmutableObject), cast(Ozo.Object).");
  EXPECT_EQ(errorOf([&] { host.construct(T("ImmutableAxis"), {m}); }),
            "Class \"Zorvan.metamodel.types.ImmutableAxis\" has no constructor.");
  EXPECT_EQ(host.counter("model objects"), before);

  Value const a = axis(m);
  host.destroy(a);
  EXPECT_EQ(errorOf([&] { host.invoke(a, "getMetaType", {}); }), "Invalid or deleted object.");
  EXPECT_EQ(errorOf([&] { host.call(T("ImmutableAxis"), "cast", {a}); }), "Invalid or deleted object.");
}

TEST_F(ElementAnatomy, ElementsKeepTheirModelAlive) {
  Value a;
  {
    Value const m = model();
    a = host.construct(T("Axis"), {m, 2, "x"});
  }
  EXPECT_EQ(host.get(a, "Name").toString(), "x");
  EXPECT_GT(host.counter("model objects"), 0u);
}

}  // namespace
}  // namespace quillon::testing
