// Host sequences from C++: size, checked 0-based access and range-for.
#include <gtest/gtest.h>

#include <quillon/host.hpp>
#include "support/HostFixture.hpp"

#include <functional>
#include <iterator>
#include <optional>
#include <ranges>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::testing {
namespace {

static_assert(std::ranges::input_range<Sequence const>);
static_assert(std::input_iterator<Sequence::Iterator>);

class HostSequences : public HostFixture {
 protected:
  Value axisOf(Value const& m) const { return host.construct(std::string(kTypes) + "Axis", {m, 1, "n"}); }

  std::vector<std::string> texts(Sequence const& s) const {
    std::vector<std::string> out;
    for (Value item : s) out.push_back(item.toString());
    return out;
  }
};

TEST_F(HostSequences, RangeForWalksThePrimitiveSequenceInOrder) {
  Value const ax = axisOf(model());
  Sequence const dims = host.sequence(host.get(ax, "SymbolicDimensions"));
  EXPECT_TRUE(dims.empty());
  EXPECT_EQ(texts(dims), std::vector<std::string>{});
  for (char const* t : {"a", "b", "c"}) host.invoke(dims.object(), "push_back", {t});
  EXPECT_EQ(dims.size(), 3u);
  EXPECT_EQ(texts(dims), (std::vector<std::string>{"a", "b", "c"}));
  // 0-based: item 0 is the host's position 1.
  EXPECT_EQ(dims.at(0).toString(), "a");
  EXPECT_EQ(dims[2].toString(), "c");
  EXPECT_EQ(errorOf([&] { dims.at(3); }), "Sequence index 3 is out of range for 3 items.");
  EXPECT_EQ(errorOf([&] { dims[static_cast<std::size_t>(-1)]; }),
            "Sequence index " + std::to_string(static_cast<std::size_t>(-1)) + " is out of range for 3 items.");
}

TEST_F(HostSequences, IteratorsGiveTheElementObjectsAndTheirIndexes) {
  Value const m = model();
  Sequence const params = host.sequence(host.get(axisOf(m), "SwGenericAxisParamType"));
  std::vector<Value> made(3);
  for (Value& v : made) {
    v = host.construct(std::string(kTypes) + "SwGenericAxisParamType", {m});
    host.invoke(params.object(), "push_back", {v});
  }
  std::size_t i = 0;
  for (auto it = params.begin(); it != params.end(); ++it, ++i) {
    EXPECT_EQ(it.index(), i);
    EXPECT_TRUE((*it).sameObject(made[i])) << i;
  }
  EXPECT_EQ(i, 3u);
}

TEST_F(HostSequences, AWalkReadsTheSizeAtItsEndsOnly) {
  Value const ax = axisOf(model());
  Sequence const dims = host.sequence(host.get(ax, "SymbolicDimensions"));
  host.invoke(dims.object(), "push_back", {"a"});
  // Appended at the last item: the size is read again there, so it is walked.
  std::vector<std::string> walked;
  for (Value item : dims) {
    walked.push_back(item.toString());
    if (walked.size() == 1) host.invoke(dims.object(), "push_back", {"b"});
  }
  EXPECT_EQ(walked, (std::vector<std::string>{"a", "b"}));
  // Emptied mid-walk: the items of the batch read are walked as they were
  // read; then the walk does not stop quietly, the host refuses the read.
  auto it = dims.begin();
  host.invoke(dims.object(), "clear", {});
  EXPECT_EQ((*it).toString(), "a");
  ++it;
  EXPECT_EQ((*it).toString(), "b");
  EXPECT_NE(errorOf([&] { ++it; }).find("sequence index out of bounds"), std::string::npos);
}

TEST_F(HostSequences, TheSequenceKeepsItsCollectionAlive) {
  std::optional<Sequence> dims;
  {
    Value const ax = axisOf(model());
    dims.emplace(host.sequence(host.get(ax, "SymbolicDimensions")));
    host.invoke(dims->object(), "push_back", {"kept"});
  }
  EXPECT_EQ(texts(*dims), std::vector<std::string>{"kept"});
  dims.reset();  // the fixture proves that everything is gone now
}

TEST_F(HostSequences, OnlySequencesAreSequences) {
  Value const ax = axisOf(model());
  EXPECT_EQ(errorOf([&] { host.sequence(ax); }), "Class \"Zorvan.metamodel.types.Axis\" is not a sequence.");
  EXPECT_EQ(errorOf([&] { host.sequence(Value(1)); }), "Value of class \"int32\" is not an object.");
}

// --- batches, searches and takes: one host call each -------------------------

class BulkSequences : public HostSequences {
 protected:
  // A string sequence holding "s0" ... "s<n-1>".
  Sequence strings(std::size_t n) {
    Sequence s = host.sequence(host.get(axisOf(model()), "SymbolicDimensions"));
    for (std::size_t i = 0; i < n; ++i) host.invoke(s.object(), "push_back", {"s" + std::to_string(i)});
    return s;
  }
  Value size(int amount) const {
    return host.construct(std::string(kTypes) + "DataSize", {amount, host.call(std::string(kTypes) + "DataSizeUnitKind", "Bit", {})});
  }
  // A list of DataSize made by "make" or "makeUnique" with these amounts.
  Sequence sizes(char const* maker, std::vector<int> const& amounts) const {
    Sequence s = host.sequence(host.call(std::string(kTypes) + "SequenceOfDataSize", maker, {model()}));
    for (int a : amounts) host.invoke(s.object(), "push_back", {size(a)});
    return s;
  }
};

TEST_F(BulkSequences, AWalkGivesEveryItemAcrossBatchBoundaries) {
  constexpr std::size_t b = Sequence::kBatch;
  for (std::size_t n : {std::size_t{0}, std::size_t{1}, b - 1, b, b + 1, 2 * b + 1}) {
    Sequence const s = strings(n);
    std::size_t i = 0;
    for (auto it = s.begin(); it != s.end(); ++it, ++i) {
      ASSERT_EQ(it.index(), i);
      ASSERT_EQ((*it).toString(), "s" + std::to_string(i)) << "n=" << n;
    }
    EXPECT_EQ(i, n);
    // read() hands out what is there, no more.
    std::vector<Value> out;
    if (n != 0) {
      EXPECT_EQ(s.read(n - 1, 5, out), 1u);
    }
    EXPECT_EQ(s.read(0, 0, out), 0u);
  }
}

TEST_F(BulkSequences, AppendedItemsAreWalkedAndAShrinkStopsTheWalkAtTheNextBatch) {
  constexpr std::size_t b = Sequence::kBatch;
  Sequence const s = strings(b);
  std::size_t walked = 0;
  for (Value const& item : s) {
    (void)item;
    // At the first item and at the last of the size read at the start.
    if (walked == 0 || walked == b - 1) host.invoke(s.object(), "push_back", {"more"});
    ++walked;
  }
  EXPECT_EQ(walked, b + 2);

  Sequence const t = strings(2 * b);
  walked = 0;
  std::string const error = errorOf([&] {
    for (Value const& item : t) {
      (void)item;
      if (walked++ == 10)
        for (std::size_t k = 0; k < b + 5; ++k) host.invoke(t.object(), "pop_back", {});
    }
  });
  EXPECT_NE(error.find("sequence index out of bounds"), std::string::npos) << error;
  EXPECT_EQ(walked, b) << "the first batch was read whole; the next read is refused";
  std::vector<Value> out;
  EXPECT_NE(errorOf([&] { t.read(t.size(), 1, out); }).find("sequence index out of bounds"), std::string::npos);
  EXPECT_TRUE(out.empty());
}

TEST_F(BulkSequences, SearchesFindFirstAndLastCountDuplicatesAndMissAbsentValues) {
  for (char const* maker : {"make", "makeUnique"}) {
    bool const unique = std::string_view(maker) == "makeUnique";
    Sequence const s = unique ? sizes(maker, {5, 1, 7, 3}) : sizes(maker, {5, 1, 7, 1, 1, 3});
    std::size_t const last = s.size() - 1;
    EXPECT_EQ(s.find(size(5)), std::optional<std::size_t>(0)) << maker;
    EXPECT_EQ(s.find(size(3)), std::optional<std::size_t>(last)) << maker;
    EXPECT_EQ(s.find(size(9)), std::nullopt) << maker;
    EXPECT_TRUE(s.contains(size(7)));
    EXPECT_FALSE(s.contains(size(2)));
    EXPECT_EQ(s.count(size(1)), unique ? 1u : 3u) << maker;
    EXPECT_EQ(s.count(size(9)), 0u);
    // A range: from is in it, to is not.
    EXPECT_EQ(s.find(size(5), 1), std::nullopt) << maker;
    EXPECT_EQ(s.find(size(3), 0, last), std::nullopt) << maker;
    EXPECT_EQ(s.find(size(3), last, last + 1), std::optional<std::size_t>(last)) << maker;
    if (!unique) {
      EXPECT_EQ(s.find(size(1), 2), std::optional<std::size_t>(3));
    }
    // Of another type: found nowhere, and said so.
    bool comparable = true;
    EXPECT_EQ(s.find(Value("text"), 0, Sequence::npos, &comparable), std::nullopt);
    EXPECT_FALSE(comparable);
    EXPECT_EQ(s.count(size(1), &comparable), unique ? 1u : 3u);
    EXPECT_TRUE(comparable);
  }
}

TEST_F(BulkSequences, SearchesOfElementAndStringSequencesCompareAsContainsDoes) {
  Sequence const s = strings(4);
  host.invoke(s.object(), "push_back", {"s1"});
  EXPECT_EQ(s.find(Value("s0")), std::optional<std::size_t>(0));
  EXPECT_EQ(s.find(Value("s1"), 2), std::optional<std::size_t>(4));
  EXPECT_EQ(s.count(Value("s1")), 2u);
  EXPECT_FALSE(s.contains(Value("s9")));
  Value const m = model();
  Sequence const params = host.sequence(host.get(axisOf(m), "SwGenericAxisParamType"));
  Value const a = host.construct(std::string(kTypes) + "SwGenericAxisParamType", {m});
  Value const b = host.construct(std::string(kTypes) + "SwGenericAxisParamType", {m});
  host.invoke(params.object(), "push_back", {a});
  EXPECT_EQ(params.find(a), std::optional<std::size_t>(0));
  EXPECT_EQ(params.find(b), std::nullopt) << "model objects compare by identity";
}

TEST_F(BulkSequences, TakeRemovesAndReturnsTheItemOrRefusesAsAtDoes) {
  Sequence const s = strings(3);
  EXPECT_EQ(s.take(0).toString(), "s0");
  EXPECT_EQ(s.take(1).toString(), "s2");
  EXPECT_EQ(errorOf([&] { s.take(1); }), "Sequence index 1 is out of range for 1 items.");
  EXPECT_EQ(s.size(), 1u);
  EXPECT_EQ(s.at(0).toString(), "s1");
}

TEST_F(BulkSequences, ADestroyedSequenceIsRefusedAsAnyCallOnItIs) {
  Sequence const s = strings(3);
  host.destroy(s.object());
  std::vector<Value> out;
  for (auto const& call : std::vector<std::function<void()>>{
           [&] { s.size(); }, [&] { s.read(0, 2, out); }, [&] { s.find(Value("s0")); },
           [&] { s.count(Value("s0")); }, [&] { s.take(0); }, [&] { s.begin(); }})
    EXPECT_EQ(errorOf(call), "Invalid or deleted object.");
  EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace quillon::testing
