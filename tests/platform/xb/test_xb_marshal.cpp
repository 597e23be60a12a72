// The seam between host values and model handles: identities per view, the
// binding's one reference, empty handles, input conversion.
#include "test_xb_ozo_fixture.hpp"

#include <Ozo/Meta.hpp>
#include <xb/Marshal.hpp>

#include <cstring>

namespace xbtest {
namespace {

using Ozo::xb::returnObject;
using Ozo::xb::toHandle;
using quillon::Value;

Value adopt(kovo::COSValue word) { return Value::adopt(kovo::toArray(word)); }
kovo::HostArray const* array(Value const& v) { return static_cast<kovo::HostArray const*>(v.raw()); }

using XbMarshal = XbHostTest;

TEST_F(XbMarshal, ReturnedObjectHasOneHostObjectPerViewAndOneReferencePerBinding) {
  Ozo::Model const m = Ozo::Model::create();
  int const before = m.get()->numRef();
  {
    Value const a = adopt(returnObject(m, false, "Ozo.Model"));
    Value const b = adopt(returnObject(m, false, "Ozo.Model"));
    EXPECT_TRUE(a.sameObject(b));
    EXPECT_EQ(host.classOf(a), "Ozo.Model");
    EXPECT_EQ(m.get()->numRef(), before + 1);

    Value const i = adopt(returnObject(m, true, "Ozo.ImmutableModel"));
    EXPECT_FALSE(i.sameObject(a));
    EXPECT_EQ(host.classOf(i), "Ozo.ImmutableModel");
    EXPECT_EQ(m.get()->numRef(), before + 2);
  }
  // The last host reference ends each binding and gives its reference back.
  EXPECT_EQ(m.get()->numRef(), before);

  Value const again = adopt(returnObject(m, false, "Ozo.Model"));
  host.destroy(again);
  EXPECT_EQ(m.get()->numRef(), before);
}

TEST_F(XbMarshal, EmptyHandleIsTheEmptyArrayOfItsClass) {
  Value const v = adopt(returnObject(Ozo::ImmutableObject(), true, "Ozo.ImmutableType"));
  EXPECT_TRUE(v.isObject());
  EXPECT_TRUE(v.isEmpty());
  EXPECT_EQ(v.className(), "Ozo.ImmutableType");
  EXPECT_EQ(Ozo::xb::hostClassName(Ozo::ImmutableObject(), false, "Ozo.Object").view(), "Ozo.Object");
}

TEST_F(XbMarshal, HostClassNameIsTheObjectsOwnForTheView) {
  Ozo::Model const m = Ozo::Model::create();
  EXPECT_EQ(Ozo::xb::hostClassName(m, true, "Ozo.ImmutableObject").view(), "Ozo.ImmutableModel");
  EXPECT_EQ(Ozo::xb::hostClassName(m, false, "Ozo.Object").view(), "Ozo.Model");
}

TEST_F(XbMarshal, InputBecomesTheBoundObjectWhicheverView) {
  Value const m = model();
  kovo::Interned const wanted = Ozo::xb::internedName("Ozo.ImmutableObject");
  bool given = false;
  Ozo::ImmutableObject const h = toHandle(array(m), wanted, &given);
  ASSERT_TRUE(h.isValid());
  EXPECT_TRUE(given);

  // The immutable host object of the same model converts to the same handle.
  Value const i = adopt(returnObject(h, true, "Ozo.ImmutableModel"));
  EXPECT_FALSE(i.sameObject(m));
  EXPECT_TRUE(toHandle(kovo::fromArray(const_cast<kovo::HostArray*>(array(i))), wanted) == h);

  // And the object goes back to the host object it came from.
  EXPECT_TRUE(adopt(returnObject(h, false, "Ozo.Model")).sameObject(m));
}

TEST_F(XbMarshal, EmptyInputIsAnEmptyHandleNotGiven) {
  kovo::Interned const wanted = Ozo::xb::internedName("Ozo.Object");
  bool given = true;
  EXPECT_FALSE(toHandle(array(Value()), wanted, &given).isValid());
  EXPECT_FALSE(given);
  Value const none = adopt(returnObject(Ozo::ImmutableObject(), false, "Ozo.Object"));
  given = true;
  EXPECT_FALSE(toHandle(array(none), wanted, &given).isValid());
  EXPECT_FALSE(given);
  EXPECT_FALSE(toHandle(kovo::COSValue{0}, wanted).isValid());
}

TEST(XbInternedName, FollowsTheTextNotTheAddress) {
  char buffer[32];
  std::strcpy(buffer, "Ozo.Object");
  kovo::Interned const first = Ozo::xb::internedName(buffer);
  EXPECT_EQ(first, kovo::intern("Ozo.Object"));
  std::strcpy(buffer, "Ozo.Model");
  EXPECT_EQ(Ozo::xb::internedName(buffer), kovo::intern("Ozo.Model"));
  EXPECT_TRUE(Ozo::xb::internedName("").empty());
  EXPECT_TRUE(Ozo::xb::internedName(nullptr).empty());
}

}  // namespace
}  // namespace xbtest
