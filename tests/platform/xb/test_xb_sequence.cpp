// Sequence and iterator host classes: live edits, position checks, views,
// cursors, and release of everything they hold.
#include "test_xb_ozo_fixture.hpp"

#include "support/TypesNames.hpp"

#include <algorithm>

namespace xbtest {
namespace {

using quillon::Value;

using testsupport::T;

std::string failure(char const* message, int line) {
  return testsupport::assertionText(message, "ozo/kernel/containers/sequence/list/ListQImplForPrimitives", line);
}

class Sequences : public XbHostTest {
 protected:
  void SetUp() override {
    host.load("mm_types_xb");
    XbHostTest::SetUp();
  }

  Value model() const { return host.construct("Ozo.Model", {}); }
  Value axis(Value const& m) const { return host.construct(T("Axis"), {m, 3, "speed"}); }
  Value immutableView(Value const& element, char const* cls = "ImmutableAxis") const {
    return host.call(T(cls), "cast", {element});
  }
  Value call(Value const& o, char const* method, std::vector<Value> const& args = {}) const {
    return host.invoke(o, method, args);
  }
  std::string text(Value const& seq) const { return call(seq, "toString").toString(); }

  static std::vector<std::string> methodNames(quillon::ClassDesc const& c) {
    std::vector<std::string> names;
    for (auto const& m : c.methods) names.emplace_back(m.name);
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(Sequences, PositionsAreCheckedBeforeAnyChange) {
  Value const vf = host.get(axis(model()), "Vf");
  std::string const empty = "sequence is empty";
  EXPECT_EQ(errorOf([&] { call(vf, "front"); }), failure(empty.c_str(), 141));
  EXPECT_EQ(errorOf([&] { call(vf, "back"); }), failure(empty.c_str(), 150));
  EXPECT_EQ(errorOf([&] { call(vf, "pop_back"); }), failure(empty.c_str(), 254));
  EXPECT_EQ(errorOf([&] { call(vf, "pop_front"); }), failure(empty.c_str(), 262));
  EXPECT_EQ(errorOf([&] { call(vf, "at", {1}); }), failure("sequence index out of bounds", 132));

  call(vf, "push_back", {1.5});
  call(vf, "push_back", {-2.0});
  char const* const positive = "sequence index must be positive";
  char const* const bounds = "sequence index out of bounds";
  EXPECT_EQ(errorOf([&] { call(vf, "at", {0}); }), failure(positive, 131));
  EXPECT_EQ(errorOf([&] { call(vf, "at", {3}); }), failure(bounds, 132));
  EXPECT_EQ(errorOf([&] { call(vf, "insert", {-1, 9.0}); }), failure(positive, 200));
  EXPECT_EQ(errorOf([&] { call(vf, "insert", {4, 9.0}); }), failure(bounds, 201));
  EXPECT_EQ(errorOf([&] { call(vf, "erase", {0}); }), failure(positive, 243));
  EXPECT_EQ(errorOf([&] { call(vf, "erase", {3}); }), failure(bounds, 244));
  EXPECT_EQ(errorOf([&] { call(vf, "replace", {0, 9.0}); }), failure(positive, 309));
  EXPECT_EQ(errorOf([&] { call(vf, "replace", {3, 9.0}); }), failure(bounds, 310));
  EXPECT_EQ(text(vf), "[1.5, -2]");
}

TEST_F(Sequences, ImmutableSequencesHaveNoEditMethods) {
  std::vector<std::string> const reads = {"at",      "back", "begin", "contains", "end",
                                          "eq",      "front", "isEmpty", "ne", "size", "toString"};
  std::vector<std::string> all = reads;
  for (char const* m : {"append", "clear", "erase", "insert", "pop_back", "pop_front", "push_back", "push_front",
                        "removeAll", "replace"})
    all.push_back(m);
  std::sort(all.begin(), all.end());
  for (std::string const& c :
       {std::string("Ozo.ImmutableSequenceOfString"), std::string("Ozo.ImmutableSequenceOfInteger"),
        T("ImmutableSequenceOfAxis"), T("ImmutableSequenceOfImmutableAxis")})
    EXPECT_EQ(methodNames(host.describeClass(c)), reads) << c;
  for (std::string const& c : {std::string("Ozo.SequenceOfReal"), T("SequenceOfAxis"), T("SequenceOfImmutableAxis")})
    EXPECT_EQ(methodNames(host.describeClass(c)), all) << c;

  // The read-only view of a property is live: it sees the edits made through the other view.
  Value const a = axis(model());
  Value const frozen = host.get(immutableView(a), "SymbolicDimensions");
  call(host.get(a, "SymbolicDimensions"), "append", {"a"});
  EXPECT_EQ(errorOf([&] { call(frozen, "push_back", {"z"}); }),
            "No method \"push_back\" in class \"Ozo.ImmutableSequenceOfString\".");
  EXPECT_TRUE(call(frozen, "contains", {"a"}).toBool());
  EXPECT_FALSE(call(frozen, "contains", {"z"}).toBool());
  EXPECT_EQ(text(frozen), R"(["a"])");
}

TEST_F(Sequences, SequencesConformToTheirReadOnlyAndSuperclassForms) {
  using Views = std::vector<std::string_view>;
  EXPECT_EQ(host.describeClass(T("SequenceOfAxis")).superclasses,
            (Views{"Zorvan.metamodel.foundation.SequenceOfNamedElement", T("ImmutableSequenceOfAxis")}));
  EXPECT_EQ(host.describeClass(T("SequenceOfImmutableAxis")).superclasses,
            (Views{"Zorvan.metamodel.foundation.SequenceOfImmutableNamedElement", T("ImmutableSequenceOfImmutableAxis")}));
  EXPECT_EQ(host.describeClass(T("ImmutableSequenceOfAxis")).superclasses,
            (Views{"Zorvan.metamodel.foundation.ImmutableSequenceOfNamedElement", T("ImmutableSequenceOfImmutableAxis")}));
  EXPECT_EQ(host.describeClass(T("ImmutableSequenceOfImmutableAxis")).superclasses,
            (Views{"Zorvan.metamodel.foundation.ImmutableSequenceOfImmutableNamedElement"}));
  EXPECT_EQ(host.describeClass(T("AxisIterator")).superclasses, (Views{T("AxisImmutableIterator")}));
  EXPECT_TRUE(host.describeClass(T("AxisImmutableIterator")).superclasses.empty());
  EXPECT_EQ(host.describeClass("Ozo.SequenceOfString").superclasses, (Views{"Ozo.ImmutableSequenceOfString"}));
  EXPECT_EQ(host.describeClass("Ozo.IntegerIterator").superclasses, (Views{"Ozo.IntegerImmutableIterator"}));
}

// The forward walk and its end are the Python sequence machines'; here the
// way back, the read-only iterator and clones.
TEST_F(Sequences, IteratorsWalkBackAndClonesKeepTheirPlace) {
  Value const a = axis(model());
  Value const vf = host.get(a, "Vf");
  for (double v : {1.5, 2.5, 3.5}) call(vf, "append", {v});
  Value const end = call(vf, "end");
  EXPECT_EQ(host.classOf(end), "Ozo.RealIterator");
  EXPECT_EQ(errorOf([&] { call(end, "getNext"); }), failure("sequence index out of bounds", 452));

  Value const frozenBegin = call(host.get(immutableView(a), "Vf"), "begin");
  EXPECT_EQ(host.classOf(frozenBegin), "Ozo.RealImmutableIterator");
  std::vector<double> backward;
  Value const back = call(end, "clone");
  while (call(back, "ne", {call(vf, "begin")}).toBool()) {
    call(back, "getPrev");
    backward.push_back(call(back, "item").toDouble());
  }
  EXPECT_EQ(backward, (std::vector<double>{3.5, 2.5, 1.5}));
  EXPECT_EQ(errorOf([&] { call(back, "getPrev"); }), failure("sequence index must be positive", 461));
  EXPECT_EQ(call(frozenBegin, "item").toDouble(), 1.5);

  Value const kept = call(back, "clone");
  call(back, "getNext");
  EXPECT_TRUE(call(kept, "ne", {back}).toBool());
  EXPECT_EQ(call(kept, "item").toDouble(), 1.5);
  EXPECT_EQ(call(back, "item").toDouble(), 2.5);
  EXPECT_TRUE(call(end, "eq", {call(vf, "end")}).toBool()) << "the end did not move with its clone";
}

TEST_F(Sequences, CursorsKeepTheirIndexWhenTheCollectionChanges) {
  Value const names = host.get(axis(model()), "SymbolicDimensions");
  for (char const* s : {"a", "b", "c"}) call(names, "append", {s});
  Value const it = call(names, "begin");
  call(it, "getNext");
  call(it, "getNext");
  call(names, "erase", {1});
  EXPECT_EQ(errorOf([&] { call(it, "item"); }), failure("sequence index out of bounds", 441));
  call(names, "clear");
  EXPECT_EQ(errorOf([&] { call(it, "getPrev"); }), failure("sequence index out of bounds", 462));
  for (char const* s : {"x", "y", "z"}) call(names, "append", {s});
  EXPECT_EQ(call(it, "item").toString(), "z");
  call(it, "getPrev");
  EXPECT_EQ(call(it, "item").toString(), "y");
}

TEST_F(Sequences, ReadOnlyModelRefusesEditsAndKeepsContent) {
  Value const m = model();
  Value const a = axis(m);
  Value const names = host.get(a, "SymbolicDimensions");
  call(names, "append", {"a"});
  call(names, "append", {"b"});
  Ozo::ModelCache::find(host.get(m, "Name").toString()).checkedModel()->setReadOnly(true);

  std::vector<std::pair<char const*, std::vector<Value>>> const edits = {
      {"append", {"c"}},    {"push_front", {"c"}}, {"insert", {1, "c"}}, {"replace", {1, "c"}},
      {"erase", {1}},       {"pop_back", {}},      {"pop_front", {}},    {"removeAll", {"a"}},
      {"clear", {}}};
  for (auto const& [method, args] : edits) {
    std::string const error = errorOf([&, &edit = method, &given = args] { call(names, edit, given); });
    EXPECT_NE(error.find("is read-only"), std::string::npos) << method;
    EXPECT_EQ(text(names), R"(["a", "b"])") << method;
  }
  // Position checks still come first.
  EXPECT_EQ(errorOf([&] { call(names, "erase", {3}); }), failure("sequence index out of bounds", 244));
}

TEST_F(Sequences, ElementSequencesHandOutElementsInTheirView) {
  Value const m = model();
  Value const a = axis(m);
  Value const first = host.construct(T("SwGenericAxisParamType"), {m});
  Value const second = host.construct(T("SwGenericAxisParamType"), {m});
  Value const seq = host.get(a, "SwGenericAxisParamType");
  EXPECT_EQ(host.classOf(seq), T("SequenceOfSwGenericAxisParamType"));
  call(seq, "append", {first});
  call(seq, "push_front", {second});
  EXPECT_TRUE(call(seq, "at", {2}).sameObject(first));
  EXPECT_TRUE(call(seq, "front").sameObject(second));
  EXPECT_TRUE(call(seq, "contains", {first}).toBool());
  // Through its read-only form the sequence also answers for immutable views.
  EXPECT_TRUE(call(seq, "contains", {immutableView(first, "ImmutableSwGenericAxisParamType")}).toBool());
  EXPECT_NE(errorOf([&] { call(seq, "append", {a}); }), "") << "an Axis is not a SwGenericAxisParamType";
  EXPECT_EQ(call(seq, "size").toInt32(), 2);

  Value const frozen = host.get(immutableView(a), "SwGenericAxisParamType");
  EXPECT_EQ(host.classOf(frozen), T("ImmutableSequenceOfImmutableSwGenericAxisParamType"));
  Value const item = call(call(frozen, "begin"), "item");
  EXPECT_EQ(host.classOf(item), T("ImmutableSwGenericAxisParamType"));
  EXPECT_TRUE(item.sameObject(immutableView(second, "ImmutableSwGenericAxisParamType")));

  EXPECT_EQ(call(seq, "removeAll", {first}).toInt32(), 1);
  call(seq, "pop_back");
  EXPECT_TRUE(call(frozen, "isEmpty").toBool());
}

}  // namespace
}  // namespace xbtest
