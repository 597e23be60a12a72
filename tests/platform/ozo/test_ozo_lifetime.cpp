// Lifetime across models (weak references) and the snapshot behind derived
// collections.
#include "platform/ozo/TestClasses.hpp"

#include <vector>

namespace {

using namespace ozotest;

bool alive(std::string const& name) { return Ozo::ModelCache::find(name).isValid(); }

class CrossModel : public LiveCountTest {};

TEST_F(CrossModel, ReferencesIntoAnotherModelDoNotKeepItAliveAndReadEmptyOnceItIsGone) {
  Ozo::Model const m = Ozo::Model::create();
  Ozo::ClassObject const a = thing(m), same = thing(m);
  std::string other;
  {
    Ozo::Model const n = Ozo::Model::create();
    other = n.get()->name();
    Ozo::ClassObject const b = thing(n), c = thing(n);
    set(a, Peer, asObject(b));
    collection(a, Peers).push_back(asObject(c));
    collection(a, Peers).push_back(asObject(same));
    collection(a, Peers).push_back(asObject(b));
    EXPECT_EQ(get(a, Peer).get(), b.get());
    EXPECT_EQ(collection(a, Peers).at(2).get(), b.get());
  }
  EXPECT_FALSE(alive(other)) << "a reference from another model kept the model alive";
  // A model and elements made now may take the dead ones' addresses.
  Ozo::Model const later = Ozo::Model::create();
  Ozo::ClassObject const reused = thing(later), reused2 = thing(later);
  EXPECT_FALSE(get(a, Peer).isValid());
  EXPECT_FALSE(isSet(a, Peer));
  auto const peers = collection(a, Peers);
  ASSERT_EQ(peers.size(), 3u) << "entries keep their places";
  EXPECT_FALSE(peers.at(0).isValid());
  EXPECT_EQ(peers.at(1).get(), same.get());
  EXPECT_FALSE(peers.at(2).isValid());
  EXPECT_EQ(peers.get()->toString({}), "[null, Test.Thing, null]");
  // The dead entries can be edited away like any other.
  peers.erase(0);
  EXPECT_EQ(peers.size(), 2u);
  set(a, Peer, asObject(same));
  EXPECT_EQ(get(a, Peer).get(), same.get());
}

// A link keeps its kind (counted, weak, plain) in its target word: every
// move of a slot (a value written before it, the table growing) and of a
// collection entry (an insert or erase before it) must carry it along, or a
// weak link reads its record as the target and a counted one leaks or goes twice.
TEST_F(CrossModel, LinksKeepTheirKindWhenTheirSlotsAndEntriesMove) {
  Ozo::Model const m = Ozo::Model::create();
  Ozo::ClassObject const a = thing(m), same = thing(m);
  auto const peers = collection(a, Peers);  // a counted object of its own, made once
  std::size_t const before = Ozo::ReferenceCountingIntf::live();
  {
    Ozo::Model const n = Ozo::Model::create();
    Ozo::ClassObject const b = thing(n), c = thing(n);
    std::size_t const withOther = Ozo::ReferenceCountingIntf::live();
    set(a, Peer, asObject(b));                        // weak, in a's first slot
    set(a, Label, Ozo::String("a counted label"));    // before it
    set(a, Count, Ozo::Integer(4));                   // before both: the table grows
    set(a, Limit, Ozo::Real(0.5));
    set(a, Flag, Ozo::Boolean(true));                 // and grows again
    peers.push_back(asObject(c));
    peers.insert(0, asObject(same));
    peers.insert(0, asObject(b));
    EXPECT_EQ(get(a, Peer).get(), b.get());
    EXPECT_EQ(Ozo::String(get(a, Label)).utf8(), "a counted label");
    EXPECT_EQ(Ozo::Integer(get(a, Count)).value(), 4);
    EXPECT_EQ(peers.values(), (std::vector<Ozo::ImmutableObject>{asObject(b), asObject(same), asObject(c)}));
    EXPECT_EQ(Ozo::ReferenceCountingIntf::live(), withOther + 1) << "only the label's box is new";
    peers.erase(0);
    EXPECT_EQ(peers.at(1).get(), c.get());
    unset(a, Label);
    EXPECT_EQ(Ozo::ReferenceCountingIntf::live(), withOther);
    set(a, Label, Ozo::String("another counted label"));
  }
  EXPECT_FALSE(get(a, Peer).isValid());
  EXPECT_EQ(peers.at(0).get(), same.get());
  EXPECT_FALSE(peers.at(1).isValid());
  EXPECT_EQ(Ozo::String(get(a, Label)).utf8(), "another counted label");
  unset(a, Label);
  EXPECT_EQ(Ozo::ReferenceCountingIntf::live(), before);
}

// ---------------------------------------------------------------------------
class DerivedCollections : public ThingTest {
 protected:
  Ozo::Collection<Ozo::ImmutableObject> children(Ozo::ClassObject const& o) const {
    return Ozo::Collection<Ozo::ImmutableObject>(Ozo::NSInterface::ClassObjectIntf::sIntrospectiveMethods.accessors->get(o, 4));
  }
};

// An element has at most one owner: every move updates its container, the
// property it left and the derived children of both owners.
TEST_F(DerivedCollections, CompositesMoveTheirElementsAndTheChildrenFollow) {
  Ozo::ClassObject const b = thing(m), c = thing(m), d = thing(m);
  auto const aParts = collection(a, Parts), bParts = collection(b, Parts);
  auto const ofA = children(a), ofB = children(b);
  EXPECT_EQ(ofA.size(), 0u);
  aParts.push_back(asObject(b));
  aParts.push_back(asObject(c));
  set(a, Part, asObject(d));
  EXPECT_EQ(ofA.values(), (std::vector<Ozo::ImmutableObject>{asObject(b), asObject(c), asObject(d)}));
  EXPECT_EQ(c.get()->container(), a.get());
  aParts.insert(0, asObject(c));  // a move within the sequence
  EXPECT_EQ(aParts.values(), (std::vector<Ozo::ImmutableObject>{asObject(c), asObject(b)}));
  EXPECT_EQ(ofA.at(0).get(), c.get());
  bParts.push_back(asObject(c));  // a move to another owner
  EXPECT_EQ(c.get()->container(), b.get());
  EXPECT_EQ(ofA.size(), 2u);
  EXPECT_EQ(ofB.size(), 1u);
  aParts.replace(0, asObject(c));  // back, in b's place
  EXPECT_EQ(ofB.size(), 0u);
  EXPECT_EQ(ofA.values(), (std::vector<Ozo::ImmutableObject>{asObject(c), asObject(d)}));
  set(a, Part, asObject(c));  // from the sequence to a single-valued property
  EXPECT_EQ(aParts.size(), 0u);
  EXPECT_EQ(d.get()->container(), nullptr);
  aParts.push_back(asObject(c));  // and back: the single-valued property is cleared
  EXPECT_FALSE(get(a, Part).isValid());
  aParts.erase(0);
  EXPECT_EQ(c.get()->container(), nullptr);
  set(a, Part, asObject(c));
  unset(a, Part);
  EXPECT_EQ(c.get()->container(), nullptr);
  EXPECT_EQ(ofA.size(), 0u);
  EXPECT_EQ(failure([&] { ofA.at(0); }),
            "Assertion failed: sequence index out of bounds at ozo/kernel/containers/sequence/list/ListQImplForElements:97: ");
  EXPECT_EQ(failure([&] { ofA.clear(); }),
            "Assertion failed: Property ClassObject.ContaineeOzo is read-only at ozo/Ozo/ClassObject:231: ");
}

}  // namespace
