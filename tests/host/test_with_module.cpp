// The public host API end to end over the types module, when it is built.
#include <gtest/gtest.h>

#include "support/HostFixture.hpp"

namespace quillon {
namespace {

using WithModule = testing::HostFixture;
using testsupport::errorOf;

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
