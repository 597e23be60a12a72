// SharedAxisType's constructor that takes elements (a SwRecordLayout and an
// Axis), and the minimal SwRecordLayout it needs, as a host user sees them.
// The refusal test's candidate list states both constructors' signatures.
#include "support/HostFixture.hpp"


namespace quillon::testing {
namespace {

std::string T(std::string const& shortName) { return kTypes + shortName; }

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

TEST_F(SharedAxisTypeHost, ElementArgumentsOfAnotherClassAreRefusedBeforeCreation) {
  Value const m = model();
  Value const l = layout(m);
  Value const a = axis(m);
  std::size_t const before = host.counter("model objects");
  EXPECT_EQ(errorOf([&] { host.construct(T("SharedAxisType"), {m, a, l, "s"}); }),
            "No signature of \"SharedAxisType\" in class \"" + T("SharedAxisType") + "\" accepts (Ozo.Model, " +
                T("Axis") + ", " + T("SwRecordLayout") + ", char); candidates: SharedAxisType(Ozo.Model), " +
                "SharedAxisType(Ozo.Model, " + T("SwRecordLayout") + ", " + T("Axis") + ", char vector).");
  EXPECT_NE(errorOf([&] { host.construct(T("SharedAxisType"), {m, m, a, "s"}); }), "");
  EXPECT_NE(errorOf([&] { host.construct(T("SharedAxisType"), {m, l, l, "s"}); }), "");
  // The immutable view is not the modifiable class the constructor takes.
  EXPECT_NE(errorOf([&] { host.construct(T("SharedAxisType"), {m, immutable("SwRecordLayout", l), a, "s"}); }), "");
  EXPECT_NE(errorOf([&] { host.construct(T("SharedAxisType"), {m, l, a, 7}); }), "");
  EXPECT_EQ(host.counter("model objects"), before) << "a refused call created an element";
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
  // The one-argument form leaves both elements unset.
  Value const bare = host.construct(T("SharedAxisType"), {m});
  EXPECT_TRUE(host.get(bare, "SwRecordLayout").isEmpty());
  EXPECT_TRUE(host.get(bare, "Axis").isEmpty());
}

TEST_F(SharedAxisTypeHost, LayoutListsItsSharedAxisTypes) {
  Value const m = model();
  Value const l = layout(m);
  Value const s = host.construct(T("SharedAxisType"), {m, l, axis(m), "s"});
  Value const seq = host.get(l, "SharedAxisType");
  EXPECT_EQ(host.classOf(seq), T("SequenceOfSharedAxisType"));
  EXPECT_EQ(host.invoke(seq, "size", {}).toInt32(), 0) << "the constructor's link is one-way";
  host.invoke(seq, "push_back", {s});
  EXPECT_TRUE(host.invoke(host.get(l, "SharedAxisType"), "at", {1}).sameObject(s));
  EXPECT_NE(errorOf([&] { host.invoke(seq, "push_back", {l}); }), "");
  EXPECT_EQ(host.invoke(seq, "size", {}).toInt32(), 1);
}

}  // namespace
}  // namespace quillon::testing
