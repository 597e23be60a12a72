// Packages, lazy population, class initialisation and module loading.
#include <gtest/gtest.h>

#include "support/ErrorOf.hpp"

#include "platform/kovo/Support.hpp"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>

namespace kovo {
namespace {

using test::TestClass;

struct CountedInfo : COSPackageInfo {
  static int& populated() {
    static int n = 0;
    return n;
  }
  static int& deleted() {
    static int n = 0;
    return n;
  }
  ~CountedInfo() override { ++deleted(); }
  char const* getName() const override { return "lazy"; }
  void populate(COSPackage* pkg) override {
    ++populated();
    EXPECT_EQ(pkg->getName().view(), "KC.parent.lazy");
    pkg->addClass(new TestClass("First", nullptr), 2);
    pkg->addClass(new TestClass("Second", [](COSClass* c) { c->addSuperclass(intern("KC.parent.lazy.First"), 1, 0, 1); }), 2);
    pkg->addClass(new TestClass("Third", nullptr), 2);
  }
};

// Package descriptions come from calloc and go back through zkFree.
CountedInfo* newInfo() { return new (zkCalloc(1, sizeof(CountedInfo))) CountedInfo; }

TEST(Packages, ParentsAreCreatedAndSubPackagesPopulateOnceOnFirstLookup) {
  COSPackage* parent = factory::registerKovoPackage("KC.parent", nullptr);
  ASSERT_NE(parent, nullptr);
  EXPECT_NE(COSPackage::getPackage(intern("KC")), nullptr);
  EXPECT_EQ(COSPackage::getPackage(intern("KC.missing")), nullptr);
  // Registering again hands back the same package.
  EXPECT_EQ(factory::registerKovoPackage("KC.parent", nullptr), parent);

  parent->addPackageInfo(newInfo());
  auto const names = COSPackage::packageNames();
  EXPECT_NE(std::find(names.begin(), names.end(), "KC.parent.lazy"), names.end());
  EXPECT_EQ(CountedInfo::populated(), 0);

  // A class lookup populates the package; the description is then freed.
  COSClass* second = COSClass::find("KC.parent.lazy.Second");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(CountedInfo::populated(), 1);
  EXPECT_EQ(CountedInfo::deleted(), 1);
  COSPackage* lazy = COSPackage::getPackage(intern("KC.parent.lazy"));
  ASSERT_NE(lazy, nullptr);
  EXPECT_EQ(CountedInfo::populated(), 1);

  std::vector<std::string> order;
  for (COSClass* c : lazy->classes()) order.emplace_back(c->getName().view());
  EXPECT_EQ(order, (std::vector<std::string>{"KC.parent.lazy.First", "KC.parent.lazy.Second", "KC.parent.lazy.Third"}));

  // Names are unique within a package; the rejected description is freed.
  EXPECT_EQ(testsupport::errorOf<HostError>([&] { lazy->addClass(new TestClass("First", nullptr), 2); }),
            "Class \"KC.parent.lazy.First\" already exists.");
  EXPECT_THROW(parent->addPackageInfo(newInfo()), HostError);
  EXPECT_EQ(CountedInfo::deleted(), 2);
}

TEST(Classes, InitialiseOnFirstNeedAndRetryAfterFailure) {
  static bool failNext = true;
  factory::registerKovoPackage("KC.init", [](COSPackage* pkg) {
    pkg->addClass(new TestClass("Flaky", [](COSClass* c) {
      c->addSuperclass(intern("KC.init.Root"), 1, 0, 1);
      test::addMethod(c, {.name = "m"});
      if (failNext) {
        failNext = false;
        throw std::runtime_error("cannot initialise");
      }
    }), 2);
    pkg->addClass(new TestClass("Root", nullptr), 2);
    pkg->addClass(new TestClass("Orphan", [](COSClass* c) { c->addSuperclass(intern("KC.nowhere.Gone"), 1, 0, 1); }), 2);
  });
  COSPackage* pkg = COSPackage::getPackage(intern("KC.init"));
  COSClass* flaky = pkg->findClass("Flaky");
  COSClass* root = pkg->findClass("Root");
  EXPECT_FALSE(flaky->isInitialized());
  EXPECT_EQ(TestClass::initCalls()["Root"], 0);

  EXPECT_EQ(testsupport::errorOf<std::runtime_error>([&] { COSClass::find("KC.init.Flaky"); }), "cannot initialise");
  EXPECT_FALSE(flaky->isInitialized());
  EXPECT_TRUE(flaky->ownMethods().empty());

  EXPECT_EQ(COSClass::find("KC.init.Flaky"), flaky);
  EXPECT_TRUE(flaky->isInitialized());
  EXPECT_EQ(flaky->ownMethods().size(), 1u);  // nothing left over from the failed attempt
  EXPECT_EQ(TestClass::initCalls()["Flaky"], 2);

  // Superclasses are resolved (and initialised) only when asked for.
  EXPECT_FALSE(root->isInitialized());
  EXPECT_EQ(flaky->distanceTo(root), 1);
  EXPECT_TRUE(root->isInitialized());
  EXPECT_EQ(root->distanceTo(flaky), -1);
  EXPECT_EQ(TestClass::initCalls()["Flaky"], 2);

  COSClass* orphan = pkg->findClass("Orphan");
  EXPECT_EQ(testsupport::errorOf<HostError>([&] { orphan->superclasses(); }), "Unknown class \"KC.nowhere.Gone\".");
}

TEST(Classes, MembersAreFoundNearestFirstAndLookupsKeptOnlyForFoundNames) {
  static COSValue a = 1, b = 2, c = 3;
  static COSPropInfo* seenDuringInit = nullptr;
  factory::registerKovoPackage("KC.kept", [](COSPackage* pkg) {
    pkg->addClass(new TestClass("Top", [](COSClass* cls) {
      cls->addProperty(new test::TestProperty("P", "int32 scalar", &a));
      cls->addProperty(new test::TestProperty("Q", "int32 scalar", &b));
      test::addMethod(cls, {.name = "m"});
    }), 2);
    pkg->addClass(new TestClass("Bottom", [](COSClass* cls) {
      cls->addSuperclass(intern("KC.kept.Top"), 1, 0, 1);
      test::addMethod(cls, {.name = "m", .args = {"double scalar"}});
      // Looked up before the class declares its own P: the answer must not
      // outlive the initialisation.
      seenDuringInit = cls->findProperty("P");
      cls->addProperty(new test::TestProperty("P", "int32 scalar", &c));
    }), 2);
  });
  COSClass* bottom = COSClass::find("KC.kept.Bottom");
  COSClass* top = COSClass::find("KC.kept.Top");
  ASSERT_NE(bottom, nullptr);
  EXPECT_EQ(seenDuringInit, top->ownProperties()[0].get());
  EXPECT_EQ(bottom->propertyCache().size(), 0u);

  // The buffer the name comes in is reused: the kept key must not be it.
  std::string name = "P";
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(bottom->findProperty(name), bottom->ownProperties()[0].get());
    EXPECT_EQ(bottom->findProperty("Q"), top->ownProperties()[1].get());
  }
  EXPECT_EQ(bottom->propertyCache().size(), 2u);
  name = "Q";
  EXPECT_EQ(bottom->findProperty(name), top->ownProperties()[1].get());
  EXPECT_EQ(bottom->findProperty("P"), bottom->ownProperties()[0].get());

  // Unknown names: nothing kept, nothing interned.
  std::size_t const interned = internal::internedCount();
  for (char const* unknown : {"R", "p", "", "KC.kept.NeverAName"}) EXPECT_EQ(bottom->findProperty(unknown), nullptr);
  EXPECT_EQ(bottom->propertyCache().size(), 2u);
  EXPECT_EQ(internal::internedCount(), interned);
  EXPECT_EQ(top->propertyCache().size(), 0u);

  auto const ms = bottom->findMethods("m");
  ASSERT_EQ(ms.size(), 2u);
  EXPECT_EQ(ms[0], bottom->ownMethods()[0].get());
  EXPECT_EQ(bottom->memberNames(), (std::vector<std::string>{"P", "Q", "m"}));

  COSClass::addGlobalClass(new TestClass("KCGlobal", nullptr));
  COSClass* g = COSClass::find("KCGlobal");
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->getName().view(), "KCGlobal");
  EXPECT_EQ(g->getPackage(), nullptr);
}

TEST(Methods, SignaturesAndKinds) {
  auto* m = new factory::impl::MethodImpl("f", {0x200}, "");
  std::unique_ptr<COSMethodInfo, HostDelete> owned(m);
  factory::impl::Invoker::createSignature(*m, "a, b", "double scalar", nullptr, {"int32 scalar", "char vector"});
  auto const& names = m->signature().argNames;
  EXPECT_EQ(std::vector<Interned>(names.begin(), names.end()), (std::vector<Interned>{intern("a"), intern("b")}));
  EXPECT_EQ(m->kind(), COSMethodInfo::Kind::Static);
  EXPECT_EQ(m->inputCount(), 2u);
  EXPECT_EQ(m->attributes().value, 0x200);
  factory::impl::Invoker::createSignature(*m, "", "void", "Some.Self", {});
  EXPECT_TRUE(m->signature().argNames.empty());
  EXPECT_EQ(m->kind(), COSMethodInfo::Kind::Instance);
  EXPECT_EQ(m->inputCount(), 1u);
  m->flags() |= factory::kFlagExplicit;
  EXPECT_EQ(m->kind(), COSMethodInfo::Kind::Explicit);

  factory::FunctionInfo* f = ::new (zkCalloc(1, sizeof(factory::FunctionInfo))) factory::FunctionInfo("F", {});
  std::unique_ptr<COSMethodInfo, HostDelete> ownedF(f);
  EXPECT_EQ(f->kind(), COSMethodInfo::Kind::Function);
  int nlhs = 0;
  COSValue out[1] = {};
  EXPECT_THROW(f->invoke(nullptr, nlhs, out, 0, nullptr), HostError);  // no invoker bound
}

// ---------------------------------------------------------------------------
std::string loadError(std::string const& name) {
  return testsupport::errorOf<HostError>([&] { Runtime::loadModule(name); });
}

TEST(Modules, SearchPathAndErrors) {
  namespace fs = std::filesystem;
  fs::path const dir = fs::temp_directory_path() / ("kovo-modules-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  {
    std::FILE* f = std::fopen((dir / "libbroken.so").c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("not a library", f);
    std::fclose(f);
  }
  ::setenv("QUILLON_MODULE_PATH", (":/nonexistent:" + dir.string()).c_str(), 1);
  auto const path = Runtime::modulePath();
  ASSERT_GE(path.size(), 3u);
  EXPECT_EQ(path[0], "/nonexistent");
  EXPECT_EQ(path[1], dir.string());

  EXPECT_EQ(loadError("absent"), "Cannot load module \"absent\": libabsent.so not found in the module path");
  EXPECT_EQ(loadError("a/b"), "Cannot load module \"a/b\": invalid module name");
  std::string const broken = loadError("broken");
  EXPECT_EQ(broken.rfind("Cannot load module \"broken\": ", 0), 0u) << broken;
  EXPECT_FALSE(Runtime::isLoaded("broken"));

  // The host library's own directory is searched last: the host finds
  // itself, and refuses it, since it is no module.
  EXPECT_EQ(loadError("kovo"), "Cannot load module \"kovo\": libkovo.so is not a module (it has no QnInitialize_kovo)");
  EXPECT_FALSE(Runtime::isLoaded("kovo"));
  fs::remove_all(dir);
  ::unsetenv("QUILLON_MODULE_PATH");
}

}  // namespace
}  // namespace kovo
