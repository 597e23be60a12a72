// Loading the module, attaching and populating the package, MetaPackage.
#include "elements/Registration.hpp"
#include "package/TypesPackage.hpp"
#include "support/HostFixture.hpp"

#include <kovo/Class.hpp>
#include <kovo/HostArray.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace quillon::testing {
namespace {

using namespace Zorvan::metamodel::types::xb;

TEST(TypesModule, StaticInitialisationFillsTheRegistryWithTypesOnly) {
  auto const& registry = packageInitializers();
  ASSERT_EQ(registry.size(), 1u);
  EXPECT_EQ(registry.begin()->first, "types");
  EXPECT_EQ(registry.begin()->second, &inittypesPackageWrapper);
}

TEST(TypesModule, TerminateBeforeInitialiseSetsOnlyItsFlag) {
  QnTerminate_mm_types_xb();
  EXPECT_TRUE(moduleState().terminated);
  Host host;
  host.load("mm_types_xb");
  EXPECT_TRUE(moduleState().initialized);
  EXPECT_TRUE(host.hasClass("Zorvan.metamodel.types.Axis"));
}

// Needs a process in which nobody has looked the package up yet: the check
// runs in a freshly started copy of this test program.
TEST(TypesModule, PackageIsPopulatedOnFirstLookupAndOnlyOnce) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto check = [] {
    auto fail = [](char const* why) {
      std::fprintf(stderr, "%s\n", why);
      std::_Exit(1);
    };
    Host host;
    host.load("mm_types_xb");
    if (!moduleState().packageInfoAttached) fail("package description not attached on load");
    if (gettypesCOSPackage() != nullptr) fail("populated before anyone looked");
    std::size_t const classes = host.describePackage("Zorvan.metamodel.types").classes.size();
    if (gettypesCOSPackage() == nullptr) fail("not populated by the first lookup");
    if (gettypesCOSPackage()->getName().view() != "Zorvan.metamodel.types") fail("wrong package populated");
    QnInitialize_mm_types_xb();
    inittypesPackageWrapper(nullptr);
    inittypesPackageWrapper(gettypesCOSPackage());
    if (host.describePackage("Zorvan.metamodel.types").classes.size() != classes) fail("populated twice");
    std::fprintf(stderr, "populated once\n");
    std::_Exit(0);
  };
  EXPECT_EXIT(check(), ::testing::ExitedWithCode(0), "populated once");
}

// With no package, registration is a no-op: no class appears anywhere, and
// the real package (populated afterwards) has the class exactly once.
TEST(TypesModule, NullPackageRegistersNothing) {
  std::vector<std::string> const packages = kovo::COSPackage::packageNames();
  std::size_t const names = kovo::internal::internedCount();
  registerElement<Zorvan::metamodel::types::Axis>(nullptr);
  EXPECT_EQ(kovo::COSPackage::packageNames(), packages);
  EXPECT_EQ(kovo::internal::internedCount(), names);
  EXPECT_EQ(kovo::COSClass::find(std::string_view("Axis")), nullptr);

  Host host;
  host.load("mm_types_xb");
  auto const classes = host.describePackage("Zorvan.metamodel.types").classes;
  EXPECT_EQ(std::count(classes.begin(), classes.end(), "Zorvan.metamodel.types.Axis"), 1);
}

class MetaPackageFunction : public HostFixture {};

TEST_F(MetaPackageFunction, ReturnsTheTypesPackageObject) {
  Value const p = host.callFunction("Zorvan.metamodel.types", "MetaPackage", {});
  EXPECT_EQ(host.classOf(p), "Ozo.ImmutablePackage");
  EXPECT_EQ(host.get(p, "Name").toString(), "types");
  EXPECT_EQ(host.get(p, "QualifiedName").toString(), "Zorvan.metamodel.types");
  EXPECT_TRUE(host.callFunction("Zorvan.metamodel.types", "MetaPackage", {}).sameObject(p));
}

TEST_F(MetaPackageFunction, YieldsOneOutputWhenNoneIsAsked) {
  host.describePackage("Zorvan.metamodel.types");
  kovo::factory::FunctionInfo* const fn = gettypesCOSPackage()->findFunction("MetaPackage");
  ASSERT_NE(fn, nullptr);
  EXPECT_EQ(fn->flags() & kovo::factory::kFlagStatic, kovo::factory::kFlagStatic);
  EXPECT_EQ(fn->signature().result.view(), "Ozo.ImmutablePackage");
  EXPECT_TRUE(fn->signature().self.empty());
  int nlhs = 0;
  kovo::COSValue out[1] = {0};
  fn->invoke(nullptr, nlhs, out, 0, nullptr);
  EXPECT_EQ(nlhs, 1);
  ASSERT_NE(out[0], 0u);
  kovo::destroyArray(kovo::toArray(out[0]));
}

}  // namespace
}  // namespace quillon::testing
