// The sequence-class builder on a package of its own: what a class gets from
// its shape (rows in order, each call reaching that class's facts) and from
// its names (superclasses, only those the host knows).
#include <gtest/gtest.h>

#include <quillon/host.hpp>
#include <xb/Sequences.hpp>

#include <string>
#include <vector>

namespace xbtest {
namespace {

using Ozo::xb::ElementKind;
using Ozo::xb::MethodRow;
using Ozo::xb::SequenceRole;
using Ozo::xb::SequenceShape;

std::string selfOf(Ozo::xb::Context ctx) { return std::string(Ozo::xb::sequenceFactsOf(ctx).self.view()); }
std::string partnerOf(Ozo::xb::Context ctx) { return std::string(Ozo::xb::sequenceFactsOf(ctx).partner.view()); }

constexpr MethodRow kReads[] = {Ozo::xb::sharedStaticMethod<&selfOf>("self")};
constexpr MethodRow kEdits[] = {Ozo::xb::sharedStaticMethod<&partnerOf>("partner")};

constexpr SequenceShape kSequence{SequenceRole::Sequence, true, false, ElementKind::Value, kReads, kEdits};
constexpr SequenceShape kImmutableSequence{SequenceRole::Sequence, false, false, ElementKind::Value, kReads, {}};
constexpr SequenceShape kIterator{SequenceRole::Iterator, true, false, ElementKind::Value, kReads, {}};
constexpr SequenceShape kImmutableIterator{SequenceRole::Iterator, false, false, ElementKind::Value, kReads, {}};

kovo::Interned name(char const* shortName) { return kovo::intern({"XbSequenceBuilder.", shortName}); }

// "Thing" has all four classes, "Other" no read-only sequence and no
// read-only cursor class.
void populate(kovo::COSPackage* package) {
  kovo::Interned const description = kovo::intern("A class of the test");
  auto const add = [&](SequenceShape const& shape, char const* self, char const* partner) {
    Ozo::xb::addSequenceClass(package, description, {&shape, name(self), partner ? name(partner) : kovo::Interned{}, {}, {}});
  };
  add(kSequence, "SequenceOfThing", "ThingIterator");
  add(kImmutableSequence, "ImmutableSequenceOfThing", "ThingImmutableIterator");
  add(kIterator, "ThingIterator", nullptr);
  add(kImmutableIterator, "ThingImmutableIterator", nullptr);
  add(kSequence, "SequenceOfOther", "OtherIterator");
  add(kIterator, "OtherIterator", nullptr);
}

class SequenceBuilder : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { kovo::factory::registerKovoPackage("XbSequenceBuilder", populate); }

  static std::vector<std::string> methodNames(quillon::ClassDesc const& c) {
    std::vector<std::string> names;
    for (auto const& m : c.methods) names.emplace_back(m.name);
    return names;
  }
  using Names = std::vector<std::string_view>;

  quillon::Host host;
};

TEST_F(SequenceBuilder, RowsComeInShapeOrderAndEachCallReadsItsOwnClassFacts) {
  quillon::ClassDesc const seq = host.describeClass("XbSequenceBuilder.SequenceOfThing");
  EXPECT_EQ(methodNames(seq), (std::vector<std::string>{"self", "partner"}));
  EXPECT_EQ(seq.description, "A class of the test");
  EXPECT_EQ(seq.shortName, "SequenceOfThing");
  EXPECT_EQ(methodNames(host.describeClass("XbSequenceBuilder.ImmutableSequenceOfThing")),
            (std::vector<std::string>{"self"}));

  // One row for every class: the class data is the facts of the class called.
  EXPECT_EQ(host.call("XbSequenceBuilder.SequenceOfThing", "self", {}).toString(), "XbSequenceBuilder.SequenceOfThing");
  EXPECT_EQ(host.call("XbSequenceBuilder.SequenceOfOther", "self", {}).toString(), "XbSequenceBuilder.SequenceOfOther");
  EXPECT_EQ(host.call("XbSequenceBuilder.SequenceOfOther", "partner", {}).toString(), "XbSequenceBuilder.OtherIterator");
}

TEST_F(SequenceBuilder, SuperclassesFollowFromNamesAndOnlyKnownOnesAreDeclared) {
  EXPECT_EQ(host.describeClass("XbSequenceBuilder.SequenceOfThing").superclasses,
            (Names{"XbSequenceBuilder.ImmutableSequenceOfThing"}));
  EXPECT_EQ(host.describeClass("XbSequenceBuilder.ThingIterator").superclasses,
            (Names{"XbSequenceBuilder.ThingImmutableIterator"}));
  // Read-only classes have no read-only counterpart.
  EXPECT_TRUE(host.describeClass("XbSequenceBuilder.ImmutableSequenceOfThing").superclasses.empty());
  EXPECT_TRUE(host.describeClass("XbSequenceBuilder.ThingImmutableIterator").superclasses.empty());
  // Counterparts the package does not have are left out.
  EXPECT_TRUE(host.describeClass("XbSequenceBuilder.SequenceOfOther").superclasses.empty());
  EXPECT_TRUE(host.describeClass("XbSequenceBuilder.OtherIterator").superclasses.empty());
}

}  // namespace
}  // namespace xbtest
