// Handing class descriptions to the host: whatever happens, each description
// is freed exactly once, by the host.
#include <gtest/gtest.h>

#include "support/ErrorOf.hpp"

#include <kovo/Class.hpp>
#include <xb/ClassInfo.hpp>

namespace xbtest {
namespace {

int& freed() {
  static int n = 0;
  return n;
}

class CountedClass final : public kovo::factory::KovoFactoryClassInfo {
 public:
  using KovoFactoryClassInfo::KovoFactoryClassInfo;
  ~CountedClass() override { ++freed(); }
  void initializeClass(kovo::COSClass*, kovo::COSClient*) override {}
};

kovo::COSClassInfo* counted(char const* shortName) { return new CountedClass(shortName, "A class of the test"); }

TEST(AddToPackage, AClassRefusedForItsNameIsFreedOnceAndTheFirstStays) {
  kovo::COSPackage* const package = kovo::factory::registerKovoPackage("XbAddToPackage.refused", nullptr);
  ASSERT_NE(package, nullptr);
  freed() = 0;
  Ozo::xb::addToPackage(package, counted("Twice"));
  kovo::COSClass const* const first = kovo::COSClass::find("XbAddToPackage.refused.Twice");
  ASSERT_NE(first, nullptr);

  EXPECT_EQ(testsupport::errorOf([&] { Ozo::xb::addToPackage(package, counted("Twice")); }),
            "Class \"XbAddToPackage.refused.Twice\" already exists.");
  // Freed by the host, not again by the helper, and not kept: the package
  // still answers with the first description.
  EXPECT_EQ(freed(), 1);
  EXPECT_EQ(kovo::COSClass::find("XbAddToPackage.refused.Twice"), first);
  EXPECT_EQ(package->classes().size(), 1u);
}

TEST(AddToPackage, WithoutAPackageTheClassIsGlobalAndARefusedOneIsFreedOnce) {
  freed() = 0;
  Ozo::xb::addToPackage(nullptr, counted("XbAddToPackageGlobal"));
  EXPECT_NE(kovo::COSClass::find("XbAddToPackageGlobal"), nullptr);
  EXPECT_EQ(freed(), 0);

  EXPECT_EQ(testsupport::errorOf([] { Ozo::xb::addToPackage(nullptr, counted("XbAddToPackageGlobal")); }),
            "Class \"XbAddToPackageGlobal\" already exists.");
  EXPECT_EQ(freed(), 1);
}

}  // namespace
}  // namespace xbtest
