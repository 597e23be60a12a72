// SharedAxisType's constructor that takes elements (a SwRecordLayout and an
// Axis), as a host user sees it. How the dispatcher refuses arguments of
// another class is the anatomy test's; the sequences of elements are the
// binding layer's.
#include "support/HostFixture.hpp"

namespace quillon::testing {
namespace {

class SharedAxisTypeHost : public HostFixture {
 protected:
  Value layout(Value const& m) const { return host.construct(T("SwRecordLayout"), {m}); }
  // The same object in the immutable view, as property reads answer.
  Value immutable(std::string const& cls, Value const& v) const { return host.call(T("Immutable" + cls), "cast", {v}); }
};

TEST_F(SharedAxisTypeHost, ConstructsFromLayoutAxisAndName) {
  Value const m = model();
  Value const l = layout(m);
  Value const a = axis(m);
  Value const s = host.construct(T("SharedAxisType"), {m, l, a, "shared"});
  EXPECT_EQ(host.get(s, "Name").toString(), "shared");
  // Read in the object's own (modifiable) view: the very host objects passed in.
  EXPECT_TRUE(host.get(s, "SwRecordLayout").sameObject(l));
  EXPECT_TRUE(host.get(s, "Axis").sameObject(a));
  // And in the immutable view, as the immutable forms of the same objects.
  Value const frozen = immutable("SharedAxisType", s);
  EXPECT_TRUE(host.get(frozen, "SwRecordLayout").sameObject(immutable("SwRecordLayout", l)));
  EXPECT_TRUE(host.get(frozen, "Axis").sameObject(immutable("Axis", a)));
}

TEST_F(SharedAxisTypeHost, EmptyElementArgumentsLeaveThePropertyUnset) {
  Value const m = model();
  Value const noLayout = host.call(T("SwRecordLayout"), "cast", {m});
  Value const noAxis = host.call(T("Axis"), "cast", {m});
  ASSERT_TRUE(noLayout.isEmpty());
  Value const s = host.construct(T("SharedAxisType"), {m, noLayout, axis(m), "s"});
  EXPECT_TRUE(host.get(s, "SwRecordLayout").isEmpty());
  EXPECT_FALSE(host.get(s, "Axis").isEmpty());
  Value const t = host.construct(T("SharedAxisType"), {m, layout(m), noAxis, "t"});
  EXPECT_FALSE(host.get(t, "SwRecordLayout").isEmpty());
  EXPECT_TRUE(host.get(t, "Axis").isEmpty());
  EXPECT_EQ(host.get(t, "Name").toString(), "t");
  // An empty numeric array stands for an empty handle of any class, as elsewhere.
  EXPECT_TRUE(host.get(host.construct(T("SharedAxisType"), {m, Value(), Value(), "u"}), "Axis").isEmpty());
}

}  // namespace
}  // namespace quillon::testing
