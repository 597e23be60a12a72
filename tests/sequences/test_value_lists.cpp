// Value lists through their typed handles: creation, checks with their exact
// texts, unique refusals, removeAll, cursors and what they refuse, counting
// and lifetime. Both list kinds run the shared cases.
#include "sequences/Lists.hpp"

#include <types/Types.hpp>

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "support/AssertionText.hpp"
#include "support/ErrorOf.hpp"

namespace {

using testsupport::assertionText;
using testsupport::errorOf;
using testsupport::nullRefText;
using Zorvan::metamodel::types::CompuMethodCategory;
using Zorvan::metamodel::types::DataSize;
using Zorvan::metamodel::types::TimeUnitKind;
using E = TimeUnitKind;
using Seq = Ozo::Sequence<E>;

std::string const kMulti = "ozo/export/include/ozo/kernel/containers/sequence/multi_index/MultiIndexImplForPrimitives";
std::string const kVector = "ozo/export/include/ozo/kernel/containers/sequence/list/ListQImplForPrimitives";

E e(std::int32_t code) { return E(static_cast<E::Value>(code)); }

std::vector<std::int32_t> codes(Seq const& s) {
  std::vector<std::int32_t> out;
  for (std::int32_t i = 0; i < s.size(); ++i) out.push_back(s.at(i).code());
  return out;
}

Seq filled(Seq s, std::vector<std::int32_t> const& values) {
  for (std::int32_t v : values) s.push_back(e(v));
  return s;
}

// A cursor at position `n`.
Ozo::Iterator<E> cursorAt(Seq const& s, int n) {
  auto it = s.begin();
  for (int i = 0; i < n; ++i) it.next();
  return it;
}

// Every test proves that each list, proxy and cursor it made is gone.
class LiveCount : public ::testing::Test {
 protected:
  void SetUp() override { fBaseline = Ozo::ReferenceCountingIntf::live(); }
  void TearDown() override { EXPECT_EQ(Ozo::ReferenceCountingIntf::live(), fBaseline) << "list objects leaked"; }

 private:
  std::size_t fBaseline = 0;
};

// ---------------------------------------------------------------------------
// Creation.
struct Unmade {};

}  // namespace

// A value type no binding stores: no list implementation is offered.
template <>
Ozo::Generic::SequenceIntf* Ozo::newSequenceImplementation<Unmade>(SequenceImplementation, bool) {
  return nullptr;
}

namespace {

std::string const kCreator = "ozo/export/include/ozo/kernel/containers/sequence/SequenceCreator";

TEST(MakeSequence, RefusesWhatItCannotMakeWithItsThreeFailures) {
  EXPECT_EQ(errorOf([] { Ozo::MakeSequence<E>({{}, Ozo::STD_VECTOR, true, true}); }),
            assertionText("cannot use STD_VECTOR and aIsUnique together", kCreator, 85));
  EXPECT_EQ(errorOf([] { Ozo::MakeSequence<E>({{}, 7, false, true}); }),
            assertionText("unknown sequence implementation requested", kCreator, 102));
  EXPECT_EQ(errorOf([] { Ozo::MakeSequence<Unmade>({{}, Ozo::MULTI_INDEX, false, true}); }),
            assertionText("sequence not created", kCreator, 107));
}

TEST_F(LiveCount, TheHandleKeepsTheDeviantAndTheProxyOwnsTheList) {
  Seq const s = Ozo::MakeSequence<E>({Ozo::Deviant{42}, Ozo::MULTI_INDEX, false, true});
  EXPECT_EQ(s.deviant().word, 42u);
  ASSERT_NE(dynamic_cast<Ozo::GenericReferenceCountingSequenceProxy*>(s.get()), nullptr);
  EXPECT_EQ(s.get()->numRef(), 1);
  {
    Seq const copy = s;
    EXPECT_EQ(copy.get()->numRef(), 2);
  }
  EXPECT_EQ(s.get()->numRef(), 1);
  EXPECT_STREQ(s.get()->generic_getKovoName(true, false, "x"),
               "Zorvan.metamodel.types.ImmutableSequenceOfTimeUnitKind");
  EXPECT_STREQ(s.get()->generic_getKovoName(false, true, "x"), "Zorvan.metamodel.types.SequenceOfTimeUnitKind");
  Seq const v = Ozo::MakeSequence<E>({{}, Ozo::STD_VECTOR, false, true});
  EXPECT_STREQ(v.get()->generic_getKovoName(true, false, "fallback"), "fallback");
}

TEST_F(LiveCount, AnUncountedListBelongsToItsOwner) {
  Ozo::Generic::SequenceIntf* bare = nullptr;
  {
    Seq const s = Ozo::MakeSequence<E>({{}, Ozo::MULTI_INDEX, false, false});
    bare = s.get();
    EXPECT_EQ(dynamic_cast<Ozo::GenericReferenceCountingSequenceProxy*>(bare), nullptr);
    s.push_back(e(1));
    EXPECT_EQ(s.size(), 1);
  }
  EXPECT_EQ(bare->generic_size({}), 1) << "the handle's release destroyed a bare list";
  delete bare;
}

TEST(NullSequence, EveryOperationFailsBeforeAnythingElse) {
  std::string const expected = assertionText(
      "Cannot access NULL sequence. Use MakeSequence to create sequences.See testSequenceCreation in "
      "ozo/kernel/unittest/sequence_tests.",
      "ozo/export/include/ozo/kernel/containers/sequence/SequenceRef", 108);
  Seq const s;
  Ozo::Iterator<E> const none;
  std::vector<std::function<void()>> const calls = {
      [&] { s.size(); },          [&] { s.empty(); },           [&] { s.at(0); },
      [&] { s.front(); },         [&] { s.back(); },            [&] { s.begin(); },
      [&] { s.end(); },           [&] { s.clear(); },           [&] { s.pop_back(); },
      [&] { s.pop_front(); },     [&] { s.push_back(e(1)); },   [&] { s.push_front(e(1)); },
      [&] { s.insert(0, e(1)); }, [&] { s.insert(none, e(1)); }, [&] { s.erase(none); },
      [&] { s.erase(none, none); }, [&] { s.erase(0); },        [&] { s.replace(0, e(1)); },
      [&] { s.contains(e(1)); },  [&] { s.removeAll(e(1)); },
  };
  for (std::size_t i = 0; i < calls.size(); ++i) EXPECT_EQ(errorOf(calls[i]), expected) << "call " << i;
}

// A release below zero is an internal failure, not a second delete.
TEST_F(LiveCount, ReleasesBelowZeroAreInternalFailures) {
  std::string const source = "ozo/export/include/ozo/kernel/containers/sequence/SequenceProxy";
  std::string const message = "Internal assertion without a message detected! Please fix me asap";
  auto* proxy = new Ozo::GenericReferenceCountingSequenceProxy(Ozo::newSequenceImplementation<E>(Ozo::MULTI_INDEX, false));
  EXPECT_EQ(errorOf([&] { proxy->release(); }), assertionText(message, source, 35));
  proxy->addRef();
  proxy->release();  // destroys proxy and list

  Seq const s = Ozo::MakeSequence<E>({{}, Ozo::MULTI_INDEX, false, true});
  Ozo::Generic::IteratorIntf* it = s.get()->generic_begin({});
  EXPECT_EQ(errorOf([&] { it->release(); }), assertionText(message, source, 70));
  it->addRef();
  it->release();
}

// ---------------------------------------------------------------------------
// The shared cases, on both kinds.
struct Kind {
  std::uint32_t kind;
  std::string source;
  int atPositive, atBounds, insertBounds, eraseBounds, replaceBounds, front, back, popBack, popFront;
};

class EitherKind : public LiveCount, public ::testing::WithParamInterface<Kind> {
 protected:
  Seq make() const { return Ozo::MakeSequence<E>({{}, GetParam().kind, false, true}); }
  std::string fails(char const* message, int line) const { return assertionText(message, GetParam().source, line); }
};

INSTANTIATE_TEST_SUITE_P(Lists, EitherKind,
                         ::testing::Values(Kind{Ozo::MULTI_INDEX, kMulti, 251, 252, 315, 352, 413, 261, 270, 362, 371},
                                           Kind{Ozo::STD_VECTOR, kVector, 131, 132, 201, 244, 310, 141, 150, 254,
                                                262}),
                         [](auto const& p) { return p.param.kind == Ozo::MULTI_INDEX ? "MultiIndex" : "Vector"; });

TEST_P(EitherKind, ANewListIsEmptyAndRefusesReadsAndPopsWithTheirLines) {
  Kind const& k = GetParam();
  Seq const s = make();
  EXPECT_EQ(s.size(), 0);
  EXPECT_TRUE(s.empty());
  EXPECT_TRUE(s.begin().eq(s.end()));
  EXPECT_EQ(errorOf([&] { s.front(); }), fails("sequence is empty", k.front));
  EXPECT_EQ(errorOf([&] { s.back(); }), fails("sequence is empty", k.back));
  EXPECT_EQ(errorOf([&] { s.pop_back(); }), fails("sequence is empty", k.popBack));
  EXPECT_EQ(errorOf([&] { s.pop_front(); }), fails("sequence is empty", k.popFront));
  EXPECT_EQ(errorOf([&] { s.at(0); }), fails("sequence index out of bounds", k.atBounds));
  EXPECT_EQ(errorOf([&] { s.at(-1); }), fails("sequence index must be positive", k.atPositive));
}

TEST_P(EitherKind, PositionsAreCheckedBeforeAnythingChanges) {
  Kind const& k = GetParam();
  Seq const s = filled(make(), {3, 1, 4});
  s.insert(3, e(5));  // n appends
  EXPECT_EQ(codes(s), (std::vector<std::int32_t>{3, 1, 4, 5}));
  EXPECT_EQ(errorOf([&] { s.insert(5, e(0)); }), fails("sequence index out of bounds", k.insertBounds));
  EXPECT_EQ(errorOf([&] { s.erase(4); }), fails("sequence index out of bounds", k.eraseBounds));
  EXPECT_EQ(errorOf([&] { s.replace(4, e(0)); }), fails("sequence index out of bounds", k.replaceBounds));
  EXPECT_EQ(errorOf([&] { s.at(4); }), fails("sequence index out of bounds", k.atBounds));
  EXPECT_EQ(codes(s), (std::vector<std::int32_t>{3, 1, 4, 5})) << "a refused call changed the list";
  s.insert(0, e(2));
  s.erase(2);
  s.replace(0, e(8));
  s.push_front(e(7));
  s.pop_back();
  EXPECT_EQ(codes(s), (std::vector<std::int32_t>{7, 8, 3, 4}));
  EXPECT_EQ(s.front().code(), 7);
  EXPECT_EQ(s.back().code(), 4);
  s.pop_front();
  EXPECT_EQ(codes(s), (std::vector<std::int32_t>{8, 3, 4}));

  // removeAll counts; contains follows.
  s.push_back(e(3));
  EXPECT_EQ(s.removeAll(e(5)), 0);
  EXPECT_EQ(s.removeAll(e(3)), 2);
  EXPECT_EQ(codes(s), (std::vector<std::int32_t>{8, 4}));
  EXPECT_FALSE(s.contains(e(3)));
  EXPECT_TRUE(s.contains(e(4)));
  s.clear();
  EXPECT_TRUE(s.empty());
}

TEST_P(EitherKind, CursorsWalkEraseAndInsert) {
  Seq const s = filled(make(), {6, 7, 8, 2});
  auto it = s.begin();
  EXPECT_EQ(it.item().code(), 6);
  it.next();
  auto const kept = it.clone();
  it.next();
  EXPECT_EQ(it.item().code(), 8);
  EXPECT_EQ(kept.item().code(), 7) << "a clone keeps its own position";
  EXPECT_TRUE(it.ne(kept));
  it.previous();
  EXPECT_TRUE(it.eq(kept));
  EXPECT_FALSE(it.eq(Ozo::Iterator<E>()));

  // Range erase [second, fourth): the cursor returned stands where last stood.
  auto const after = s.erase(kept, cursorAt(s, 3));
  EXPECT_EQ(codes(s), (std::vector<std::int32_t>{6, 2}));
  EXPECT_EQ(after.item().code(), 2);
  // An empty range removes nothing.
  auto const same = s.erase(after, after);
  EXPECT_EQ(codes(s), (std::vector<std::int32_t>{6, 2}));
  EXPECT_EQ(same.item().code(), 2);
  auto const inserted = s.insert(same, e(5));
  EXPECT_EQ(inserted.item().code(), 5);
  EXPECT_EQ(codes(s), (std::vector<std::int32_t>{6, 5, 2}));
  auto const next = s.erase(inserted);
  EXPECT_EQ(next.item().code(), 2);
  EXPECT_EQ(codes(s), (std::vector<std::int32_t>{6, 2}));
}

// What a cursor refuses instead of reading outside the list.
TEST_P(EitherKind, CursorsNeverReadOutsideTheirList) {
  std::string const source = GetParam().source;
  Seq const s = filled(make(), {1, 2});
  auto end = s.end();
  EXPECT_EQ(errorOf([&] { end.item(); }), assertionText("sequence index out of bounds", source, 441));
  EXPECT_EQ(errorOf([&] { end.next(); }), assertionText("sequence index out of bounds", source, 452));
  auto begin = s.begin();
  EXPECT_EQ(errorOf([&] { begin.previous(); }), assertionText("sequence index must be positive", source, 461));
  EXPECT_TRUE(begin.eq(s.begin())) << "a refused step moved the cursor";

  // Any change makes earlier cursors unusable; the cursors a change returns are fine.
  s.push_back(e(3));
  std::string const changed = assertionText("the sequence was changed after the cursor was made", source, 470);
  EXPECT_EQ(errorOf([&] { begin.item(); }), changed);
  EXPECT_EQ(errorOf([&] { begin.next(); }), changed);
  EXPECT_EQ(errorOf([&] { s.erase(begin); }), changed);
  EXPECT_EQ(errorOf([&] { s.insert(begin, e(0)); }), changed);
  EXPECT_EQ(codes(s), (std::vector<std::int32_t>{1, 2, 3}));

  // A refused unique insert or a failed call changes nothing and keeps cursors.
  auto const fresh = s.begin();
  EXPECT_ANY_THROW(s.at(9));
  EXPECT_EQ(fresh.item().code(), 1);

  // A cursor of another list, or the end where an element is needed.
  Seq const other = filled(make(), {1, 2, 3});
  EXPECT_EQ(errorOf([&] { s.erase(other.begin()); }),
            assertionText("the cursor belongs to another sequence", source, 470));
  EXPECT_EQ(errorOf([&] { s.erase(s.begin(), other.end()); }),
            assertionText("the cursor belongs to another sequence", source, 470));
  EXPECT_EQ(errorOf([&] { s.erase(s.end()); }), assertionText("sequence index out of bounds", source, 441));
  EXPECT_EQ(errorOf([&] { s.erase(cursorAt(s, 1), s.begin()); }),
            assertionText("sequence index out of bounds", source, GetParam().eraseBounds));
  EXPECT_EQ(errorOf([&] { s.insert(Ozo::Iterator<E>(), e(0)); }),
            nullRefText(source, 470));
  EXPECT_EQ(codes(s), (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ(codes(other), (std::vector<std::int32_t>{1, 2, 3}));
}

TEST_P(EitherKind, ACursorOutlivingItsListFailsInsteadOfReading) {
  Ozo::Iterator<E> it;
  {
    Seq const s = filled(make(), {1});
    it = s.begin();
  }
  EXPECT_EQ(errorOf([&] { it.item(); }),
            assertionText("the cursor's sequence no longer exists", GetParam().source, 470));
  EXPECT_EQ(errorOf([&] { it.next(); }),
            assertionText("the cursor's sequence no longer exists", GetParam().source, 470));
  EXPECT_TRUE(it.eq(it.clone())) << "comparing reads nothing";
}

// ---------------------------------------------------------------------------
// The unique list.
// Which values a unique list refuses, with the model's equality, is the
// random edit programs'; here, what a refusal does to cursors.
TEST_F(LiveCount, TheUniqueListsRefusalsKeepCursors) {
  Seq const s = filled(Ozo::MakeSequence<E>({{}, Ozo::MULTI_INDEX, true, true}), {1, 2});
  auto const before = s.begin();
  s.push_back(e(2));
  s.insert(0, e(2));
  EXPECT_EQ(codes(s), (std::vector<std::int32_t>{1, 2}));
  EXPECT_EQ(before.item().code(), 1) << "a refusal is no change: cursors stay usable";
  auto const blocking = s.insert(s.begin(), e(2));
  EXPECT_EQ(blocking.item().code(), 2) << "the cursor stands at the value that refused the insert";
  EXPECT_TRUE(blocking.eq(cursorAt(s, 1)));
}

// ---------------------------------------------------------------------------
// Times: NaN, infinities, signed zeros and amounts too large for microseconds.
using Zorvan::metamodel::types::Time;
using Times = Ozo::Sequence<Time>;
using TK = TimeUnitKind;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

Time t(double v, TK::Value u = TK::S) { return Time(Ozo::Real(v), u); }

std::vector<std::string> texts(Times const& s) {
  std::vector<std::string> out;
  for (std::int32_t i = 0; i < s.size(); ++i) out.push_back(s.at(i).toString().utf8());
  return out;
}

struct TimeListKind {
  std::uint32_t kind;
  bool unique;
};

class TimeLists : public LiveCount, public ::testing::WithParamInterface<TimeListKind> {
 protected:
  Times make(std::vector<Time> const& values) const {
    Times s = Ozo::MakeSequence<Time>({{}, GetParam().kind, GetParam().unique, true});
    for (Time const& v : values) s.push_back(v);
    return s;
  }
};

INSTANTIATE_TEST_SUITE_P(Lists, TimeLists,
                         ::testing::Values(TimeListKind{Ozo::MULTI_INDEX, false}, TimeListKind{Ozo::MULTI_INDEX, true},
                                           TimeListKind{Ozo::STD_VECTOR, false}),
                         [](auto const& p) {
                           return p.param.kind == Ozo::STD_VECTOR ? "Vector" : p.param.unique ? "Unique" : "MultiIndex";
                         });

// removeAll takes exactly the elements == its argument and says how many;
// a NaN is equal to nothing, so neither found nor removed by value.
TEST_P(TimeLists, NaNIsEqualToNothingAndDisturbsNoOtherValue) {
  Times const s = make({t(kNaN), t(1)});
  EXPECT_EQ(s.removeAll(t(5)), 0);
  EXPECT_EQ(texts(s), (std::vector<std::string>{"nan S", "1 S"}));
  EXPECT_EQ(s.removeAll(t(kNaN)), 0);
  EXPECT_FALSE(s.contains(t(kNaN)));
  EXPECT_TRUE(s.contains(t(1000, TK::Ms)));
  s.push_back(t(2, TK::Min));
  s.push_back(t(-kInf));
  s.push_back(t(-0.0, TK::Yrs));
  EXPECT_TRUE(s.contains(t(120)));
  EXPECT_TRUE(s.contains(t(0, TK::Us))) << "-0 equals 0";
  EXPECT_TRUE(s.contains(t(-kInf, TK::Wks)));
  EXPECT_EQ(s.removeAll(t(1)), 1);
  EXPECT_EQ(s.removeAll(t(0.0)), 1);
  EXPECT_EQ(texts(s), (std::vector<std::string>{"nan S", "2 Min", "-inf S"}));
}

TEST_P(TimeLists, HugeAmountsInDifferentUnitsStayApart) {
  Times const s = make({t(1e300, TK::Yrs), t(1e300, TK::Wks), t(kInf, TK::Us), t(1e300, TK::Yrs)});
  std::vector<std::string> const expected =
      GetParam().unique ? std::vector<std::string>{"1e+300 Yrs", "1e+300 Wks", "inf Us"}
                        : std::vector<std::string>{"1e+300 Yrs", "1e+300 Wks", "inf Us", "1e+300 Yrs"};
  EXPECT_EQ(texts(s), expected);
  EXPECT_FALSE(s.contains(t(1e300, TK::Dys)));
  EXPECT_EQ(s.removeAll(t(1e300, TK::Yrs)), GetParam().unique ? 1 : 2);
  EXPECT_EQ(s.removeAll(t(kInf, TK::Yrs)), 1) << "infinity is the same in every unit";
  EXPECT_EQ(texts(s), (std::vector<std::string>{"1e+300 Wks"}));
}

// A unique list holds one NaN at most, and a NaN refuses nothing else.
TEST_F(LiveCount, AUniqueTimeListHoldsOneNaNAndStillTakesNumbers) {
  Times const s = Ozo::MakeSequence<Time>({{}, Ozo::MULTI_INDEX, true, true});
  s.push_back(t(kNaN));
  s.push_back(t(5));
  s.push_back(t(-kNaN, TK::Min));
  s.push_back(t(1, TK::Min));
  s.push_front(t(60));
  s.push_back(t(0.0));
  s.insert(0, t(-0.0, TK::Wks));
  s.push_back(t(kInf));
  s.push_back(t(kInf, TK::Yrs));
  EXPECT_EQ(texts(s), (std::vector<std::string>{"nan S", "5 S", "1 Min", "0 S", "inf S"}));
  s.replace(1, t(kNaN, TK::Hrs));
  s.replace(0, t(kNaN, TK::Hrs));
  EXPECT_EQ(texts(s), (std::vector<std::string>{"nan Hrs", "5 S", "1 Min", "0 S", "inf S"}))
      << "a NaN may replace the NaN, nothing else";
  EXPECT_EQ(s.removeAll(t(5)), 1);
  EXPECT_EQ(s.size(), 4);
}

TEST(ValueRefs, CarryOneTypeAndCountTheirBoxes) {
  Ozo::Generic::Ref const r = Ozo::Generic::makeRef(e(3));
  {
    Ozo::Generic::Ref const copy = r;
    EXPECT_EQ(static_cast<Ozo::Generic::ValueBox<E>*>(r.object())->count, 2u);
    EXPECT_TRUE(copy == r);
  }
  EXPECT_EQ(static_cast<Ozo::Generic::ValueBox<E>*>(r.object())->count, 1u);
  EXPECT_EQ(Ozo::Generic::valueOf<E>(r).code(), 3);
  EXPECT_FALSE(r == Ozo::Generic::makeRef(CompuMethodCategory(static_cast<CompuMethodCategory::Value>(3))));
  EXPECT_EQ(errorOf([&] { Ozo::Generic::valueOf<CompuMethodCategory>(r); }),
            "the value reference holds no value of the list's element type");
  Seq const s = Ozo::MakeSequence<E>({{}, Ozo::MULTI_INDEX, false, true});
  EXPECT_ANY_THROW(s.get()->generic_push_back({}, Ozo::Generic::makeRef(DataSize())));
  EXPECT_EQ(s.size(), 0);
}

}  // namespace
