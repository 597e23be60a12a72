// The public host API over classes defined in this process. Needs the host
// runtime's own headers for defining the classes; without them on the
// include path there is nothing to build here.
#if __has_include(<kovo/Runtime.hpp>)
#include <gtest/gtest.h>

#include <quillon/host.hpp>

#include "platform/kovo/Support.hpp"

#include <stdexcept>
#include "support/ErrorOf.hpp"

namespace quillon {
namespace {

using testsupport::errorOf;

using namespace kovo;
using namespace kovo::test;
using factory::basic::BindingRegistry;

class ThingValue : public COSPropInfo {
 public:
  ThingValue() : COSPropInfo("Value", "int32 scalar", 0x800) {}
  Facts facts() const override {
    Facts f;
    f.multiplicity = 1;
    f.index = 3;
    return f;
  }
  COSValue getValue(COSInterface* t) override { return fromInt32(native(t)->value); }
  void setValue(COSInterface* t, COSValue v) override { native(t)->value = toInt32(v); }
  static Native* native(COSInterface* t) {
    auto* n = t ? static_cast<Native*>(t->lookup(intern("QH.Thing"))) : nullptr;
    if (!n) throw std::logic_error("no thing");
    return n;
  }
};

// A meta-property entry: read through the class.
class Entry : public COSPropInfo {
 public:
  Entry() : COSPropInfo("Owner", "int32 scalar", 0) {}
  Facts facts() const override {
    Facts f;
    f.metaId = 2;
    f.declaredBy = "Element";
    return f;
  }
  bool isStatic() const override { return true; }
  COSValue getValue(COSInterface*) override { return fromInt32(2); }
  void setValue(COSInterface*, COSValue) override { throw std::logic_error("read-only entry"); }
};

void defineThing(COSClass* c) {
  addMethod(c, {.name = "", .result = "QH.Thing", .args = {"int32 scalar"}, .constructor = true,
                .body = [](int&, COSValue* out, int, COSValue const* in) {
                  BindingRegistry::announceForConstructor(new Native(toInt32(in[0])), intern("QH.Thing"),
                                                          toArray(out[0]), true);
                }});
  addMethod(c, {.name = "twice", .result = "int32 scalar", .self = "QH.Thing",
                .body = [](int&, COSValue* out, int, COSValue const* in) { out[0] = fromInt32(2 * nativeOf(in[0])->value); }});
  addMethod(c, {.name = "Make", .result = "QH.Thing", .args = {"int32 scalar"},
                .body = [](int&, COSValue* out, int, COSValue const* in) {
                  out[0] = fromArray(BindingRegistry::announce(new Native(toInt32(in[0])), intern("QH.Thing")));
                }});
  addMethod(c, {.name = "print", .self = "QH.Thing", .body = [](int&, COSValue*, int, COSValue const* in) {
                  zkPrintf("thing %d\n", nativeOf(in[0])->value);
                }});
  addMethod(c, {.name = "fail", .body = [](int&, COSValue*, int, COSValue const*) { throw std::out_of_range("out of range"); }});
  c->addProperty(new ThingValue);
}

void defineSpecial(COSClass* c) {
  c->addSuperclass(intern("QH.Thing"), 1, 0, 1);
  addMethod(c, {.name = "same", .result = "logical scalar", .args = {"QH.Thing", "QH.Thing"},
                .flags = factory::kFlagExplicit | 0x20,
                .body = [](int&, COSValue* out, int, COSValue const* in) {
                  out[0] = fromLogical(nativeOf(in[0]) == nativeOf(in[1]));
                }});
  c->addProperty(new Entry);
}

class HostApi : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    factory::registerKovoPackage("QH", [](COSPackage* pkg) {
      pkg->addClass(new TestClass("Thing", defineThing), 2);
      pkg->addClass(new TestClass("Special", defineSpecial), 2);
      auto* fn = ::new (zkCalloc(1, sizeof(factory::FunctionInfo))) factory::FunctionInfo("Answer", {});
      factory::impl::Invoker::createSignature(*fn, "", "int32 scalar", nullptr, {});
      bodies().push_back([](int&, COSValue* out, int, COSValue const*) { out[0] = fromInt32(42); });
      fn->binding().invoker = &runBody;
      fn->binding().data = &bodies().back();
      pkg->addFunction(fn);
    });
  }
  void SetUp() override { before = host.counters(); }
  void TearDown() override { EXPECT_EQ(host.counters(), before); }
  Host host;
  std::vector<std::pair<std::string, std::size_t>> before;
};

TEST_F(HostApi, DescribesPackagesAndClasses) {
  PackageDesc const p = host.describePackage("QH");
  EXPECT_EQ(p.classes, (std::vector<std::string>{"QH.Thing", "QH.Special"}));
  EXPECT_EQ(p.functions, std::vector<std::string>{"Answer"});

  ClassDesc const thing = host.describeClass("QH.Thing");
  EXPECT_EQ(thing.shortName, "Thing");
  EXPECT_EQ(thing.description, "a test class");
  ASSERT_EQ(thing.methods.size(), 5u);
  MethodDesc const& ctor = thing.methods[0];
  EXPECT_EQ(ctor.name, "Thing");
  EXPECT_EQ(ctor.kind, "constructor");
  EXPECT_EQ(ctor.arguments, std::vector<std::string>{"int32 scalar"});
  EXPECT_EQ(thing.methods[1].kind, "instance");
  EXPECT_EQ(thing.methods[1].self, "QH.Thing");
  EXPECT_EQ(thing.methods[1].signatureText(), "twice(self: QH.Thing) -> int32 scalar");
  EXPECT_EQ(thing.methods[2].kind, "static");
  EXPECT_FALSE(thing.methods[2].self);
  ASSERT_EQ(thing.properties.size(), 1u);
  EXPECT_EQ(thing.properties[0].multiplicity, 1);
  EXPECT_EQ(thing.properties[0].index, 3u);
  EXPECT_EQ(thing.properties[0].attributes, 0x800u);
  EXPECT_TRUE(thing.metaProperties.empty());

  ClassDesc const special = host.describeClass("QH.Special");
  EXPECT_EQ(special.superclasses, std::vector<std::string>{"QH.Thing"});
  ASSERT_EQ(special.methods.size(), 1u);
  EXPECT_EQ(special.methods[0].kind, "explicit");
  EXPECT_EQ(special.methods[0].flags, factory::kFlagExplicit | 0x20);
  EXPECT_TRUE(special.properties.empty());  // meta entries are listed apart
  ASSERT_EQ(special.metaProperties.size(), 1u);
  EXPECT_EQ(special.metaProperties[0].name, "Owner");
  EXPECT_EQ(special.metaProperties[0].id, 2);
  EXPECT_EQ(special.metaProperties[0].declaredBy, "Element");

  auto const twice = host.methods("QH.Special", "twice");
  ASSERT_EQ(twice.size(), 1u);
  EXPECT_EQ(twice[0].declaredIn, "QH.Thing");
  auto const props = host.allProperties("QH.Special");
  ASSERT_EQ(props.size(), 2u);
  EXPECT_EQ(props[0].name, "Owner");
  EXPECT_TRUE(props[0].isStatic);
  EXPECT_EQ(props[1].declaredIn, "QH.Thing");
  EXPECT_EQ(host.memberNames("QH.Special"),
            (std::vector<std::string>{"Make", "Owner", "Thing", "Value", "fail", "print", "same", "twice"}));
  EXPECT_TRUE(host.hasClass("QH.Special"));
  EXPECT_TRUE(host.hasPackage("QH"));
}

TEST_F(HostApi, CallsObjectsAndLifetime) {
  int const destroyed = TestClass::destroyCalls();
  {
    Value t = host.construct("QH.Thing", {5});
    EXPECT_EQ(host.classOf(t), "QH.Thing");
    EXPECT_TRUE(t.isObject());
    EXPECT_EQ(t.objectRefCount(), 1);
    EXPECT_EQ(host.invoke(t, "twice", {}).toInt32(), 10);
    EXPECT_EQ(host.call("QH.Thing", "twice", {t}).toInt32(), 10);
    host.set(t, "Value", 6.0);
    EXPECT_EQ(host.get(t, "Value").toInt32(), 6);
    EXPECT_EQ(host.getStatic("QH.Special", "Owner").toInt32(), 2);
    EXPECT_EQ(host.callFunction("QH", "Answer", {}).toInt32(), 42);

    Value again = host.invoke(t, "Make", {1});
    EXPECT_EQ(host.classOf(again), "QH.Thing");
    EXPECT_FALSE(again.sameObject(t));
    EXPECT_TRUE(t.element(0).sameObject(t));
    Value both = Value::objects({t, again});
    EXPECT_EQ(both.numel(), 2u);
    EXPECT_TRUE(both.element(1).sameObject(again));
    EXPECT_FALSE(host.call("QH.Special", "same", {t, again}).toBool());
    EXPECT_TRUE(host.call("QH.Special", "same", {t, t}).toBool());

    Host::OutputCapture capture(host);
    host.invoke(t, "print", {});
    EXPECT_EQ(capture.text(), "thing 6\n");

    host.destroy(again);
    EXPECT_EQ(TestClass::destroyCalls(), destroyed + 1);
    EXPECT_EQ(errorOf([&] { host.invoke(again, "twice", {}); }), "Invalid or deleted object.");
  }
  EXPECT_EQ(TestClass::destroyCalls(), destroyed + 2);
}

TEST_F(HostApi, EveryFailureIsAnErrorWithTheSameText) {
  EXPECT_EQ(errorOf([&] { host.call("QH.Thing", "fail", {}); }), "out of range");
  EXPECT_EQ(errorOf([&] { host.get(Value::objects({}), "Value"); }), "No property \"Value\" in class \"double\".");
  EXPECT_EQ(errorOf([&] { host.construct("QH.Thing", {"five"}); }),
            "No signature of \"Thing\" in class \"QH.Thing\" accepts (char); candidates: Thing(int32 scalar).");
  Value t = host.construct("QH.Thing", {1});
  EXPECT_EQ(errorOf([&] { host.set(t, "Value", "x"); }),
            "Cannot set property \"Value\" of class \"QH.Thing\": expected int32 scalar, got char.");
  EXPECT_EQ(errorOf([&] { host.getStatic("QH.Thing", "Value"); }),
            "Property \"Value\" of class \"QH.Thing\" needs an object.");
  EXPECT_EQ(errorOf([&] { host.callFunction("QH", "Question", {}); }), "No function \"Question\" in package \"QH\".");
}

}  // namespace
}  // namespace quillon
#endif
