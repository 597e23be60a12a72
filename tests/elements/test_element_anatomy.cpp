// The host classes of an element class, as a host user sees them, with Axis.
#include "support/HostFixture.hpp"
#include "support/MethodShape.hpp"

#include <algorithm>

namespace quillon::testing {
namespace {

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
  EXPECT_EQ(testsupport::shapesOf(c),
            (std::vector<std::string>{"static MetaClass() -> Ozo.ImmutableClass",
                                      "static MetaProperty() -> " + T("AxisMetaProperty"),
                                      "instance getMetaType(self: Ozo.ImmutableObject) -> Ozo.ImmutableType @2",
                                      "static cast(other: Ozo.ImmutableObject) -> Ozo.ImmutableObject",
                                      "static cast(other: Ozo.Object) -> Ozo.ImmutableObject"}));
  std::vector<unsigned> flags;
  for (MethodDesc const& m : c.methods) flags.push_back(m.flags);
  EXPECT_EQ(flags, (std::vector<unsigned>{0x8, 0x8, 0, 0x8, 0x8}));
}

TEST_F(ElementAnatomy, ModifiableClassDeclaresConstructorsAndMetaMethods) {
  ClassDesc const c = host.describeClass(T("Axis"));
  EXPECT_EQ(c.superclasses,
            (std::vector<std::string_view>{T("ImmutableAxis"), "Zorvan.metamodel.foundation.NamedElement"}));
  EXPECT_TRUE(c.properties.empty());
  EXPECT_EQ(testsupport::shapesOf(c),
            (std::vector<std::string>{"constructor Axis(Ozo.Model) -> " + T("Axis"),
                                      "constructor Axis(Ozo.Model, int32 scalar, char vector) -> " + T("Axis"),
                                      "static MetaClass() -> Ozo.ImmutableClass @512",
                                      "static MetaProperty() -> " + T("AxisMetaProperty") + " @512",
                                      "instance getMetaType(self: Ozo.Object) -> Ozo.ImmutableType @2",
                                      "static cast(other: Ozo.Object) -> Ozo.Object"}));
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

// The catalogue walk casts every class both ways; here, what it does not ask.
TEST_F(ElementAnatomy, CastsKeepIdentityPerView) {
  Value const m = model();
  Value const a = axis(m);
  Value const i1 = host.call(T("ImmutableAxis"), "cast", {a});
  EXPECT_TRUE(host.call(T("ImmutableAxis"), "cast", {a}).sameObject(i1));
  EXPECT_FALSE(i1.sameObject(a)) << "the immutable view is another host identity";
  Value const none = host.call(T("ImmutableAxis"), "cast", {m});
  EXPECT_TRUE(none.isEmpty());
  EXPECT_EQ(none.className(), "Ozo.ImmutableObject");
  EXPECT_TRUE(host.call(T("ImmutableAxis"), "cast", {Value()}).isEmpty());
}

TEST_F(ElementAnatomy, EmptySelfFailsWithTheNullRefAssertion) {
  EXPECT_EQ(errorOf([&] { host.call(T("ImmutableAxis"), "getMetaType", {Value()}); }), kNullRef);
  Value const emptyAxis = host.call(T("Axis"), "cast", {model()});
  EXPECT_EQ(errorOf([&] { host.call(T("Axis"), "getMetaType", {emptyAxis}); }), kNullRef);
}

// How the dispatcher words a refusal is the host object system's test; here,
// the candidates this module's rows make, and that nothing is created.
TEST_F(ElementAnatomy, BadInputIsRefusedBeforeAnythingIsCreated) {
  Value const m = model();
  std::size_t const before = host.counter("model objects");
  EXPECT_EQ(errorOf([&] { host.construct(T("Axis"), {m, 3.5, "speed"}); }),
            "No signature of \"Axis\" in class \"Zorvan.metamodel.types.Axis\" accepts (Ozo.Model, double, char); "
            "candidates: Axis(Ozo.Model), Axis(Ozo.Model, int32 scalar, char vector).");
  // Each candidate once, although every class of the lineage defines cast.
  EXPECT_EQ(errorOf([&] { host.call(T("ImmutableAxis"), "cast", {3}); }),
            "No signature of \"cast\" in class \"Zorvan.metamodel.types.ImmutableAxis\" accepts (int32); "
            "candidates: cast(Ozo.ImmutableObject), cast(Ozo.Object).");
  EXPECT_EQ(errorOf([&] { host.construct(T("ImmutableAxis"), {m}); }),
            "Class \"Zorvan.metamodel.types.ImmutableAxis\" has no constructor.");
  EXPECT_EQ(host.counter("model objects"), before);
}

TEST_F(ElementAnatomy, ConstructorArgumentsAreSetAndKeepTheModelAlive) {
  Value a;
  {
    Value const m = model();
    a = host.construct(T("Axis"), {m, 2, "x"});
    EXPECT_EQ(host.get(axis(m), "Dimensions").toInt32(), 0);
  }
  EXPECT_EQ(host.get(a, "Dimensions").toInt32(), 2);
  EXPECT_EQ(host.get(a, "Name").toString(), "x");
  EXPECT_GT(host.counter("model objects"), 0u);
}

}  // namespace
}  // namespace quillon::testing
