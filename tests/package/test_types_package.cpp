// Loading the module, attaching and populating the package, MetaPackage.
#include "elements/Registration.hpp"
#include "package/TypesPackage.hpp"
#include "support/HostFixture.hpp"

#include <kovo/Class.hpp>
#include <kovo/HostArray.hpp>

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

TEST(TypesModule, PackageIsPopulatedOnFirstLookupAndOnlyOnce) {
  Host host;
  host.load("mm_types_xb");
  EXPECT_TRUE(moduleState().packageInfoAttached);
  EXPECT_EQ(gettypesCOSPackage(), nullptr) << "populated before anyone looked";
  std::size_t const classes = host.describePackage("Zorvan.metamodel.types").classes.size();
  ASSERT_NE(gettypesCOSPackage(), nullptr);
  EXPECT_EQ(gettypesCOSPackage()->getName().view(), "Zorvan.metamodel.types");

  QnInitialize_mm_types_xb();
  inittypesPackageWrapper(nullptr);
  inittypesPackageWrapper(gettypesCOSPackage());
  EXPECT_EQ(host.describePackage("Zorvan.metamodel.types").classes.size(), classes);
}

TEST(TypesModule, NullPackageRegistersNothing) {
  EXPECT_NO_THROW(staticInitializeAxis(nullptr));
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
