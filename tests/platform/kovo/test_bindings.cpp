// Host objects, the binding registry and object lifetime.
#include <gtest/gtest.h>

#include "support/ErrorOf.hpp"

#include "platform/kovo/Support.hpp"

namespace kovo {
namespace {

using factory::basic::BindingRegistry;
using test::Native;
using test::TestClass;

class Bindings : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    factory::registerKovoPackage("KB", [](COSPackage* pkg) {
      pkg->addClass(new TestClass("Base", nullptr), 2);
      pkg->addClass(new TestClass("Value", [](COSClass* c) { c->addSuperclass(intern("KB.Base"), 1, 0, 1); }), 2);
      // Leaves the binding in place: the host must drop it itself.
      pkg->addClass(new TestClass("Sloppy", nullptr, false), 2);
    });
  }
  test::LiveCounts const before{};
  int const destroyed = TestClass::destroyCalls();
};

TEST_F(Bindings, SameIdSameObjectAndDestroyInstanceOnceWhenTheLastReferenceGoes) {
  auto* native = new Native(7);
  bool isNew = false;
  ArrayPtr a(BindingRegistry::announce(native, intern("KB.Base"), isNew), false);
  EXPECT_TRUE(isNew);
  ArrayPtr b(BindingRegistry::announce(native, intern("KB.Base"), isNew), false);
  EXPECT_FALSE(isNew);
  COSInterfacePtr obj = omGetArrayElement(a.get(), 0);
  EXPECT_EQ(obj, omGetArrayElement(b.get(), 0));
  EXPECT_EQ(BindingRegistry::find(native), obj.get());
  EXPECT_EQ(obj->getClass()->getName().view(), "KB.Base");
  EXPECT_EQ(obj->lookup(intern("Anything.At.All")), native);  // handle-bound
  EXPECT_NO_THROW(factory::impl::validateSelfPointer(native));
  EXPECT_EQ(BindingRegistry::size(), before.bindings + 1);

  a = {};
  b = {};
  EXPECT_EQ(TestClass::destroyCalls(), destroyed);  // `obj` still holds it
  obj = {};
  EXPECT_EQ(TestClass::destroyCalls(), destroyed + 1);
  before.expectUnchanged();
  // The pointer is gone: a stale self pointer is refused.
  EXPECT_EQ(testsupport::errorOf<HostError>([&] { factory::impl::validateSelfPointer(native); }),
            "Invalid or deleted object.");
  EXPECT_NO_THROW(factory::impl::validateSelfPointer(nullptr));
}

TEST_F(Bindings, HostDropsABindingTheClassLeftBehind) {
  {
    ArrayPtr a = test::makeObject("KB.Sloppy", 1);
    EXPECT_EQ(BindingRegistry::size(), before.bindings + 1);
  }
  EXPECT_EQ(TestClass::destroyCalls(), destroyed + 1);
  before.expectUnchanged();
}

TEST_F(Bindings, ValueObjectsAnswerOnlyTheirOwnLineage) {
  auto* native = new Native(3);
  {
    ArrayPtr a(BindingRegistry::announceWithoutStoring(native, intern("KB.Value")), false);
    COSInterfacePtr o = omGetArrayElement(a.get(), 0);
    EXPECT_TRUE(o->isValueObject());
    EXPECT_EQ(BindingRegistry::find(native), nullptr);  // never stored
    EXPECT_EQ(BindingRegistry::size(), before.bindings);
    EXPECT_EQ(o->lookup(intern("KB.Value")), native);
    EXPECT_EQ(o->lookup(intern("KB.Base")), native);
    EXPECT_EQ(o->lookup(intern("KB.Sloppy")), nullptr);
    EXPECT_NO_THROW(factory::impl::validateSelfPointer(native));
  }
  EXPECT_EQ(TestClass::destroyCalls(), destroyed + 1);
  before.expectUnchanged();
}

TEST_F(Bindings, NullIdsAndUnknownClasses) {
  ArrayPtr none(BindingRegistry::announce(nullptr, intern("Not.A.Class")), false);
  EXPECT_TRUE(none->isEmpty());
  EXPECT_EQ(none->className().view(), "Not.A.Class");
  Native n(1);
  EXPECT_EQ(testsupport::errorOf<HostError>([&] { BindingRegistry::announce(&n, intern("KB.Nope")); }),
            "Unknown class \"KB.Nope\".");
  EXPECT_EQ(BindingRegistry::find(&n), nullptr);
  EXPECT_EQ(BindingRegistry::size(), before.bindings);
}

TEST_F(Bindings, ExplicitDestroyRunsNowAndOnlyOnce) {
  ArrayPtr a = test::makeObject("KB.Base", 5);
  void* native = omGetArrayElement(a.get(), 0)->bound();
  Runtime::destroy(a);
  EXPECT_EQ(TestClass::destroyCalls(), destroyed + 1);
  EXPECT_TRUE(omGetArrayElement(a.get(), 0)->isDeleted());
  EXPECT_EQ(omGetArrayElement(a.get(), 0)->lookup(intern("KB.Base")), nullptr);
  EXPECT_THROW(factory::impl::validateSelfPointer(native), HostError);
  EXPECT_EQ(testsupport::errorOf<HostError>([&] { Runtime::destroy(a); }), "Invalid or deleted object.");
  a = {};
  EXPECT_EQ(TestClass::destroyCalls(), destroyed + 1);
  before.expectUnchanged();
}

}  // namespace
}  // namespace kovo
