// Host identities per view, the binding's one reference, empty handles, and
// the runtime's own host package "Ozo" as a host user meets it.
#include "test_xb_ozo_fixture.hpp"

namespace xbtest {
namespace {

using quillon::Value;
using XbMarshal = XbHostTest;
using XbOzoPackage = XbHostTest;

TEST_F(XbMarshal, OneHostObjectPerViewAndOneReferencePerBinding) {
  Ozo::Model const m = Ozo::Model::create();
  int const before = m.get()->numRef();
  {
    Value const a = bind(m, false), b = bind(m, false), i = bind(m, true);
    EXPECT_TRUE(a.sameObject(b));
    EXPECT_FALSE(i.sameObject(a));
    EXPECT_EQ(host.classOf(a), "Ozo.Model");
    EXPECT_EQ(host.classOf(i), "Ozo.ImmutableModel");
    EXPECT_EQ(m.get()->numRef(), before + 2);
    // Both views convert back to the same handle.
    EXPECT_TRUE(handleOf(a) == m && handleOf(i) == m);
  }
  EXPECT_EQ(m.get()->numRef(), before);
  host.destroy(bind(m, false));
  EXPECT_EQ(m.get()->numRef(), before);
}

TEST_F(XbMarshal, EmptyHandlesBothWays) {
  Value const none =
      Value::adopt(kovo::toArray(Ozo::xb::returnObject(Ozo::ImmutableObject(), true, "Ozo.ImmutableType")));
  EXPECT_TRUE(none.isObject() && none.isEmpty());
  EXPECT_EQ(none.className(), "Ozo.ImmutableType");
  bool given = true;
  EXPECT_FALSE(Ozo::xb::toHandle(static_cast<kovo::HostArray const*>(none.raw()), kovo::intern("Ozo.Object"), &given)
                   .isValid());
  EXPECT_FALSE(given);
}

TEST_F(XbOzoPackage, ModelIsMadeNamedAndReleasedThroughTheHost) {
  std::size_t const models = host.counter("model objects");
  Value const a = host.construct("Ozo.Model", {}), b = host.construct("Ozo.Model", {});
  std::string const name = host.get(a, "Name").toString();
  EXPECT_EQ(name.rfind("untitled", 0), 0u) << name;
  EXPECT_NE(host.get(b, "Name").toString(), name);
  EXPECT_TRUE(Ozo::ModelCache::find(name) == handleOf(a));
  EXPECT_FALSE(host.get(a, "ReadOnly").toBool());
  EXPECT_EQ(errorOf([&] { host.set(a, "Name", "renamed"); }),
            "Assertion failed: You cannot set a read-only property at ozo_xb/OzoPackage:61: ");
  host.destroy(a);
  host.destroy(b);
  EXPECT_EQ(host.counter("model objects"), models);
  EXPECT_FALSE(Ozo::ModelCache::find(name).isValid());
}

TEST_F(XbOzoPackage, EveryObjectComparesPrintsAndKnowsItsMetaType) {
  Value const m = host.construct("Ozo.Model", {}), other = host.construct("Ozo.Model", {});
  Value const immutable = bind(handleOf(m), true);
  // Same object and deviant: equal whichever view.
  EXPECT_TRUE(host.invoke(m, "eq", {immutable}).toBool());
  EXPECT_FALSE(host.invoke(immutable, "ne", {m}).toBool());
  EXPECT_FALSE(host.invoke(m, "eq", {other}).toBool());
  EXPECT_FALSE(host.invoke(m, "toString", {}).toString().empty());
  EXPECT_EQ(host.invoke(m, "getMetaType", {}).numel(), 1u);
  // An empty self reaches the invoker: the runtime's NULL-ref error.
  EXPECT_EQ(errorOf([&] { host.call("Ozo.ImmutableObject", "toString", {Value()}); }), kNullRef);
}

}  // namespace
}  // namespace xbtest
