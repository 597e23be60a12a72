// The public host API end to end over the types module, when it is built.
#include <gtest/gtest.h>

#include <quillon/host.hpp>

namespace quillon {
namespace {

class WithModule : public ::testing::Test {
 protected:
  void SetUp() override {
    try {
      host.load("mm_types_xb");
    } catch (Error const& e) {
      GTEST_SKIP() << e.what();
    }
    before = host.counters();
  }
  void TearDown() override {
    if (!before.empty()) {
      EXPECT_EQ(host.counters(), before);
    }
  }
  template <class F>
  static std::string errorOf(F f) {
    try {
      f();
    } catch (Error const& e) {
      return e.what();
    }
    return "no error";
  }
  Host host;
  std::vector<std::pair<std::string, std::size_t>> before;
};

TEST_F(WithModule, ConstructReadWriteAndRelease) {
  Value m = host.construct("Ozo.Model", {});
  Value ax = host.construct("Zorvan.metamodel.types.Axis", {m, 3, "speed"});
  EXPECT_EQ(host.classOf(ax), "Zorvan.metamodel.types.Axis");
  EXPECT_EQ(host.get(ax, "Dimensions").toInt32(), 3);
  host.set(ax, "Dimensions", 4.0);
  EXPECT_EQ(host.get(ax, "Dimensions").toInt32(), 4);
  EXPECT_EQ(host.get(ax, "Name").toString(), "speed");

  // The same model object comes back as the same host object, per view.
  Value im = host.call("Zorvan.metamodel.types.ImmutableAxis", "cast", {ax});
  EXPECT_EQ(host.classOf(im), "Zorvan.metamodel.types.ImmutableAxis");
  EXPECT_TRUE(host.call("Zorvan.metamodel.types.ImmutableAxis", "cast", {ax}).sameObject(im));
  EXPECT_FALSE(im.sameObject(ax));
  EXPECT_EQ(errorOf([&] { host.construct("Zorvan.metamodel.types.Axis", {m, "x"}); }),
            "No signature of \"Axis\" in class \"Zorvan.metamodel.types.Axis\" accepts (Ozo.Model, char); "
            "candidates: Axis(Ozo.Model), Axis(Ozo.Model, int32 scalar, char vector).");
  // An empty self reaches the invoker, which reports it.
  EXPECT_EQ(errorOf([&] { host.call("Zorvan.metamodel.types.ImmutableAxis", "getMetaType", {Value()}); })
                .rfind("Assertion failed: Cannot access NULL ref.", 0),
            0u);
  host.destroy(im);
  EXPECT_EQ(errorOf([&] { host.invoke(im, "getMetaType", {}); }), "Invalid or deleted object.");
}

}  // namespace
}  // namespace quillon
