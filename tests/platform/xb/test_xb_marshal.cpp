// Host identities per view, the binding's one reference, empty handles.
#include "test_xb_ozo_fixture.hpp"

namespace xbtest {
namespace {

using quillon::Value;
using XbMarshal = XbHostTest;

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

}  // namespace
}  // namespace xbtest
