// Object keys: one per model object, whichever view a host object shows it in.
#include <gtest/gtest.h>

#include <quillon/host.hpp>
#include "support/HostFixture.hpp"

#include <string>

namespace quillon::testing {
namespace {

class ObjectKeys : public HostFixture {
 protected:
  Value immutableView(Value const& axis) const {
    return host.call(std::string(kTypes) + "ImmutableAxis", "cast", {axis});
  }
};

TEST_F(ObjectKeys, ViewsOfOneObjectShareTheKeyOthersDoNot) {
  Value const m = model();
  Value const ax = axis(m);
  Value const iax = immutableView(ax);
  ASSERT_EQ(host.classOf(iax), std::string(kTypes) + "ImmutableAxis");
  // Two host objects, one model object.
  EXPECT_FALSE(ax.sameObject(iax));
  EXPECT_NE(ax.objectKey(), 0u);
  EXPECT_EQ(ax.objectKey(), iax.objectKey());
  EXPECT_NE(ax.objectKey(), axis(m).objectKey());
  // A sequence is one object too, read through either view.
  Value const dims = host.get(ax, "SymbolicDimensions");
  EXPECT_EQ(dims.objectKey(), host.get(iax, "SymbolicDimensions").objectKey());
  EXPECT_NE(dims.objectKey(), ax.objectKey());
  // Models: the model an element answers is the model it was made in.
  EXPECT_EQ(host.invoke(iax, "getModel", {}).objectKey(), m.objectKey());
}

TEST_F(ObjectKeys, ValuesAndNonObjectsHaveTheirOwn) {
  Value const byte = host.call(std::string(kTypes) + "DataSizeUnitKind", "Byte", {});
  Value const a = host.construct(std::string(kTypes) + "DataSize", {2, byte});
  Value const b = host.construct(std::string(kTypes) + "DataSize", {a});
  // Each value object holds its own copy: equal values, different objects.
  EXPECT_TRUE(host.invoke(a, "eq", {b}).toBool());
  EXPECT_NE(a.objectKey(), 0u);
  EXPECT_NE(a.objectKey(), b.objectKey());
  EXPECT_EQ(Value(1).objectKey(), 0u);
  EXPECT_EQ(Value::objects({axis(model()), axis(model())}).objectKey(), 0u);
}

TEST_F(ObjectKeys, ADestroyedObjectKeepsOnlyItsOwnKey) {
  Value const m = model();
  Value const ax = axis(m);
  Value const iax = immutableView(ax);
  host.destroy(iax);
  EXPECT_EQ(iax.objectKey(), iax.identity());
  EXPECT_NE(iax.objectKey(), ax.objectKey());
}

TEST_F(ObjectKeys, AnObjectsClassNameIsOneViewPerClass) {
  Value const m = model();
  Value const ax = axis(m);
  Value const iax = immutableView(ax);
  // The class of the object, not of the array: each view its own class.
  EXPECT_EQ(ax.objectClassName(), host.classOf(ax));
  EXPECT_EQ(iax.objectClassName(), host.classOf(iax));
  EXPECT_NE(ax.objectClassName(), iax.objectClassName());
  // One class, one view: its address can key a table.
  EXPECT_EQ(ax.objectClassName().data(), axis(m).objectClassName().data());
  EXPECT_EQ(Value(1).objectClassName(), "");
  EXPECT_EQ(Value::objects({ax, axis(m)}).objectClassName(), "");
}

}  // namespace
}  // namespace quillon::testing
