// The public host API over classes defined in this process.
#include <gtest/gtest.h>

#include <quillon/host.hpp>

#include "platform/kovo/Support.hpp"

#include <memory>
#include <stdexcept>
#include "support/ErrorOf.hpp"

namespace quillon {
namespace {

using testsupport::errorOf;

using namespace kovo;
using namespace kovo::test;

// A meta-property entry, read through the class.
COSValue gOwner = fromInt32(2);

void defineThing(COSClass* c) {
  addMethod(c, {.name = "", .result = "QH.Thing", .args = {"int32 scalar"}, .constructor = true,
                .body = constructNative("QH.Thing")});
  addMethod(c, {.name = "twice", .result = "int32 scalar", .self = "QH.Thing",
                .body = [](int&, COSValue* out, int, COSValue const* in) { out[0] = fromInt32(2 * nativeOf(in[0])->value); },
                .attributes = factory::kAttrInstanceOnly});
  // How many objects arrived for one class-typed parameter.
  addMethod(c, {.name = "count", .result = "int32 scalar", .args = {"QH.Thing"}, .flags = factory::kFlagStatic,
                .body = [](int&, COSValue* out, int, COSValue const* in) {
                  out[0] = fromInt32(static_cast<std::int32_t>(toArray(in[0])->numel()));
                }});
  addMethod(c, {.name = "print", .self = "QH.Thing", .body = [](int&, COSValue*, int, COSValue const* in) {
                  zkPrintf("thing %d\n", nativeOf(in[0])->value);
                }});
  addMethod(c, {.name = "fail", .body = [](int&, COSValue*, int, COSValue const*) { throw std::out_of_range("out of range"); }});
  c->addProperty(new NativeValue("QH.Thing", 0x800, {.multiplicity = 1, .index = 3, .metaId = -1, .declaredBy = {}}));
}

void defineSpecial(COSClass* c) {
  c->addSuperclass(intern("QH.Thing"), 1, 0, 1);
  addMethod(c, {.name = "same", .result = "logical scalar", .args = {"QH.Thing", "QH.Thing"},
                .flags = factory::kFlagExplicit | 0x20,
                .body = [](int&, COSValue* out, int, COSValue const* in) {
                  out[0] = fromLogical(nativeOf(in[0]) == nativeOf(in[1]));
                }});
  // Redefines Thing's twice with the same signature.
  addMethod(c, {.name = "twice", .result = "int32 scalar", .self = "QH.Thing",
                .body = [](int&, COSValue* out, int, COSValue const* in) { out[0] = fromInt32(2 * nativeOf(in[0])->value); },
                .attributes = factory::kAttrRedefined});
  c->addProperty(new TestProperty("Owner", "int32 scalar", &gOwner, true, {.metaId = 2, .declaredBy = intern("Element")}));
}

class HostApi : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    factory::registerKovoPackage("QH", [](COSPackage* pkg) {
      pkg->addClass(new TestClass("Thing", defineThing), 2);
      pkg->addClass(new TestClass("Special", defineSpecial), 2);
    });
  }
  void SetUp() override { before = host.counters(); }
  void TearDown() override { EXPECT_EQ(host.counters(), before); }
  Host host;
  std::vector<std::pair<std::string, std::size_t>> before;
};

// The generated classes show most of a description; these classes add what
// they lack: an instance-only method, flags beyond the kind, a meta entry on a
// class that also inherits a property, a redefined method.
TEST_F(HostApi, DescribesPackagesAndClasses) {
  EXPECT_EQ(host.describePackage("QH").classes, (std::vector<std::string>{"QH.Thing", "QH.Special"}));
  ClassDesc const thing = host.describeClass("QH.Thing");
  ASSERT_EQ(thing.methods.size(), 5u);
  EXPECT_EQ(thing.methods[1].signatureText(), "twice(self: QH.Thing) -> int32 scalar");
  EXPECT_EQ(thing.methods[1].kind, "instance");
  ASSERT_EQ(thing.properties.size(), 1u);
  EXPECT_EQ(thing.properties[0].attributes, 0x800u);

  ClassDesc const special = host.describeClass("QH.Special");
  EXPECT_EQ(special.methods[0].kind, "explicit");
  EXPECT_EQ(special.methods[0].flags, factory::kFlagExplicit | 0x20);
  EXPECT_TRUE(special.properties.empty());  // meta entries are listed apart
  ASSERT_EQ(special.metaProperties.size(), 1u);

  auto const twice = host.methods("QH.Special", "twice");
  ASSERT_EQ(twice.size(), 2u);
  EXPECT_EQ(twice[0].declaredIn, "QH.Special");
  EXPECT_EQ(twice[1].declaredIn, "QH.Thing");
  auto const props = host.allProperties("QH.Special");
  ASSERT_EQ(props.size(), 2u);
  EXPECT_EQ(props[0].name, "Owner");
  EXPECT_TRUE(props[0].isStatic);
  EXPECT_EQ(props[1].declaredIn, "QH.Thing");
}

TEST_F(HostApi, CallsObjectsAndLifetime) {
  int const destroyed = TestClass::destroyCalls();
  {
    Value t = host.construct("QH.Thing", {5});
    EXPECT_EQ(t.objectRefCount(), 1);
    EXPECT_EQ(host.invoke(t, "twice", {}).toInt32(), 10);
    host.set(t, "Value", 6.0);
    EXPECT_EQ(host.get(t, "Value").toInt32(), 6);
    EXPECT_EQ(host.getStatic("QH.Special", "Owner").toInt32(), 2);

    Host::OutputCapture capture(host);
    host.invoke(t, "print", {});
    EXPECT_EQ(capture.text(), "thing 6\n");
  }
  EXPECT_EQ(TestClass::destroyCalls(), destroyed + 1);
}

// A front end's own buffer of values: exactly the first `count` are the
// arguments, and a refusal reads as it does for a vector.
TEST_F(HostApi, ConstructsFromValuesInPlace) {
  Value const args[] = {Value(7), Value(8)};
  Value const t = host.construct("QH.Thing", args, 1);
  EXPECT_EQ(host.invoke(t, "twice", {}).toInt32(), 14);
  EXPECT_EQ(errorOf<Error>([&] { host.construct("QH.Thing", args, 2); }),
            "No signature of \"Thing\" in class \"QH.Thing\" accepts (int32, int32); candidates: Thing(int32 scalar).");
}

TEST_F(HostApi, ObjectArraysOfAnySizeReachClassTypedParameters) {
  Value t = host.construct("QH.Thing", {1});
  Value u = host.construct("QH.Thing", {2});
  EXPECT_EQ(host.call("QH.Thing", "count", {t}).toInt32(), 1);
  EXPECT_EQ(host.call("QH.Thing", "count", {Value::objects({t, u, t})}).toInt32(), 3);
  // The runtime's refusals and a class's own failures reach the caller as
  // Errors; a redefined method is one candidate.
  EXPECT_EQ(errorOf<Error>([&] { host.call("QH.Special", "twice", {1}); }),
            "No signature of \"twice\" in class \"QH.Special\" accepts (int32); candidates: twice(QH.Thing).");
  EXPECT_EQ(errorOf<Error>([&] { host.call("QH.Thing", "fail", {}); }), "out of range");
}

// Captures end in any order; output goes to the most recent one still alive.
TEST_F(HostApi, OutputCapturesEndInAnyOrder) {
  Value t = host.construct("QH.Thing", {3});
  auto first = std::make_unique<Host::OutputCapture>(host);
  auto second = std::make_unique<Host::OutputCapture>(host);
  host.invoke(t, "print", {});
  EXPECT_EQ(second->text(), "thing 3\n");
  first.reset();  // the older one ends first
  host.invoke(t, "print", {});
  EXPECT_EQ(second->text(), "thing 3\nthing 3\n");
  second.reset();
  {
    Host::OutputCapture third(host);
    host.invoke(t, "print", {});
    EXPECT_EQ(third.text(), "thing 3\n");
    Host::OutputCapture inner(host);
    {
      Host::OutputCapture innermost(host);
    }
    host.invoke(t, "print", {});
    EXPECT_EQ(inner.text(), "thing 3\n");
    EXPECT_EQ(third.text(), "thing 3\n");
  }
}

// Inherited members come through a diamond each once, nearest class first:
// Bottom derives from Left and Right, both from Base.
TEST(HostLineage, InheritedMembersComeOnceNearestFirst) {
  static COSValue slot = fromInt32(1);
  factory::registerKovoPackage("QD", [](COSPackage* pkg) {
    auto define = [](std::vector<char const*> supers, char const* property) {
      return [supers, property](COSClass* c) {
        for (char const* s : supers) c->addSuperclass(intern(s), 1, 0, 1);
        addMethod(c, {.name = "who"});
        c->addProperty(new TestProperty(property, "int32 scalar", &slot, true));
      };
    };
    pkg->addClass(new TestClass("Bottom", define({"QD.Left", "QD.Right"}, "B")), 2);
    pkg->addClass(new TestClass("Left", define({"QD.Base"}, "L")), 2);
    pkg->addClass(new TestClass("Right", define({"QD.Base"}, "R")), 2);
    pkg->addClass(new TestClass("Base", define({}, "A")), 2);
  });
  Host host;
  std::vector<std::string> declaredIn;
  for (MethodDesc const& m : host.methods("QD.Bottom", "who")) declaredIn.emplace_back(m.declaredIn);
  EXPECT_EQ(declaredIn, (std::vector<std::string>{"QD.Bottom", "QD.Left", "QD.Right", "QD.Base"}));
  std::vector<std::string> names;
  for (PropertyDesc const& p : host.allProperties("QD.Bottom")) names.emplace_back(p.name);
  EXPECT_EQ(names, (std::vector<std::string>{"B", "L", "R", "A"}));
}

}  // namespace
}  // namespace quillon
