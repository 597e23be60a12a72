// Host sequences from C++: size, checked 0-based access and range-for.
#include <gtest/gtest.h>

#include <quillon/host.hpp>
#include "support/HostFixture.hpp"

#include <iterator>
#include <optional>
#include <ranges>
#include <string>
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
  // Emptied mid-walk: the walk does not stop quietly, the host refuses the read.
  auto it = dims.begin();
  host.invoke(dims.object(), "clear", {});
  EXPECT_NE(errorOf([&] { *it; }).find("sequence index out of bounds"), std::string::npos);
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

}  // namespace
}  // namespace quillon::testing
