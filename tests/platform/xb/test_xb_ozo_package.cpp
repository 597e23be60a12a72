// The runtime's own host package "Ozo" as a host user meets it.
#include "test_xb_ozo_fixture.hpp"

#include <Ozo/Meta.hpp>
#include <xb/Marshal.hpp>

#include <algorithm>

namespace xbtest {
namespace {

using quillon::Value;
using XbOzoPackage = XbHostTest;

Ozo::ImmutableObject handleOf(Value const& v) {
  return Ozo::xb::toHandle(static_cast<kovo::HostArray const*>(v.raw()),
                           Ozo::xb::internedName("Ozo.ImmutableObject"));
}

TEST_F(XbOzoPackage, ModelConstructorMakesAFreshRegisteredModel) {
  Value const a = model();
  Value const b = model();
  EXPECT_EQ(host.classOf(a), "Ozo.Model");
  std::string const name = host.get(a, "Name").toString();
  EXPECT_EQ(name.rfind("untitled", 0), 0u) << name;
  EXPECT_NE(host.get(b, "Name").toString(), name);
  EXPECT_FALSE(host.get(a, "ReadOnly").toBool());
  EXPECT_TRUE(Ozo::ModelCache::find(name) == handleOf(a));
}

TEST_F(XbOzoPackage, ModelHasOneHostObjectPerView) {
  Value const m = model();
  Ozo::ImmutableObject const h = handleOf(m);
  EXPECT_TRUE(Value::adopt(kovo::toArray(Ozo::xb::returnObject(h, false, "Ozo.Model"))).sameObject(m));
  Value const i = Value::adopt(kovo::toArray(Ozo::xb::returnObject(h, true, "Ozo.ImmutableModel")));
  EXPECT_FALSE(i.sameObject(m));
  EXPECT_EQ(host.classOf(i), "Ozo.ImmutableModel");

  // Same object and deviant: equal whichever view; another model is not.
  Value const other = model();
  EXPECT_TRUE(host.invoke(m, "eq", {i}).toBool());
  EXPECT_FALSE(host.invoke(m, "ne", {i}).toBool());
  EXPECT_FALSE(host.invoke(m, "eq", {other}).toBool());
  EXPECT_TRUE(host.invoke(i, "ne", {other}).toBool());
}

TEST_F(XbOzoPackage, ConstructedModelDiesWithItsLastHostReference) {
  std::size_t const models = host.counter("model objects");
  Value m = model();
  std::string const name = host.get(m, "Name").toString();
  EXPECT_GT(host.counter("model objects"), models);
  host.destroy(m);
  EXPECT_EQ(host.counter("model objects"), models);
  EXPECT_FALSE(Ozo::ModelCache::find(name).isValid());
  EXPECT_EQ(errorOf([&] { host.get(m, "Name"); }), "Invalid or deleted object.");
}

TEST_F(XbOzoPackage, EveryObjectPrintsComparesAndKnowsItsMetaType) {
  Value const m = model();
  EXPECT_FALSE(host.invoke(m, "toString", {}).toString().empty());
  Value const type = host.invoke(m, "getMetaType", {});
  ASSERT_EQ(type.numel(), 1u);
  EXPECT_TRUE(std::ranges::any_of(std::vector<std::string>{"Ozo.ImmutableType", "Ozo.ImmutableClass",
                                                           "Ozo.ImmutableDataType"},
                                  [&](std::string const& c) { return c == host.classOf(type); }))
      << host.classOf(type);
  EXPECT_FALSE(host.get(type, "Name").toString().empty());

  // The self of an instance method may arrive empty: the runtime's NULL-ref error.
  EXPECT_EQ(errorOf([&] { host.call("Ozo.ImmutableObject", "toString", {Value()}); }), kNullRef);
  EXPECT_EQ(errorOf([&] { host.call("Ozo.ImmutableObject", "getMetaType", {Value()}); }), kNullRef);
}

TEST_F(XbOzoPackage, PropertiesOfRuntimeObjectsAreReadOnly) {
  Value const m = model();
  EXPECT_EQ(errorOf([&] { host.set(m, "Name", "renamed"); }),
            "Assertion failed: You cannot set a read-only property at ozo_xb/OzoPackage:61: ");
  EXPECT_EQ(host.get(m, "Name").toString().rfind("untitled", 0), 0u);
}

TEST_F(XbOzoPackage, ClassesAndTheirMembers) {
  EXPECT_FALSE(host.hasClass("Ozo.ClassObject"));
  for (char const* name : {"Ozo.ImmutableObject", "Ozo.Object", "Ozo.ImmutableModel", "Ozo.Model",
                           "Ozo.ImmutableType", "Ozo.ImmutableClass", "Ozo.ImmutableDataType", "Ozo.ImmutablePackage",
                           "Ozo.ImmutableProperty", "Ozo.ImmutableFactoryObject", "Ozo.FactoryObject"})
    EXPECT_TRUE(host.hasClass(name)) << name;

  quillon::ClassDesc const modelClass = host.describeClass("Ozo.Model");
  EXPECT_EQ(modelClass.superclasses, (std::vector<std::string>{"Ozo.ImmutableModel", "Ozo.Object"}));
  ASSERT_EQ(modelClass.methods.size(), 1u);
  EXPECT_EQ(modelClass.methods[0].kind, "constructor");
  EXPECT_TRUE(modelClass.methods[0].arguments.empty());
  EXPECT_EQ(host.describeClass("Ozo.FactoryObject").superclasses,
            (std::vector<std::string>{"Ozo.ImmutableFactoryObject", "Ozo.Object"}));
  EXPECT_EQ(host.describeClass("Ozo.ImmutableClass").superclasses, (std::vector<std::string>{"Ozo.ImmutableType"}));

  quillon::ClassDesc const object = host.describeClass("Ozo.ImmutableObject");
  ASSERT_EQ(object.methods.size(), 4u);
  for (quillon::MethodDesc const& md : object.methods) {
    EXPECT_EQ(md.kind, "instance") << md.name;
    EXPECT_EQ(md.self, "Ozo.ImmutableObject") << md.name;
  }
  EXPECT_EQ(object.methods[1].name, "eq");
  EXPECT_EQ(object.methods[1].result, "logical scalar");
  EXPECT_EQ(object.methods[1].arguments, (std::vector<std::string>{"Ozo.ImmutableObject"}));
  EXPECT_EQ(object.methods[3].result, "Ozo.ImmutableType");

  quillon::ClassDesc const property = host.describeClass("Ozo.ImmutableProperty");
  std::vector<std::string> names;
  for (quillon::PropertyDesc const& p : property.properties) {
    names.push_back(p.name);
    EXPECT_TRUE(p.readOnly) << p.name;
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Name", "Class", "Multiplicity"}));
}

}  // namespace
}  // namespace xbtest
