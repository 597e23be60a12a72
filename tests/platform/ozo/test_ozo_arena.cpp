// The model's element arena: pieces handed out and given back, and its
// memory coming back when the model goes.
#include "platform/ozo/TestClasses.hpp"

#include <Ozo/Changes.hpp>
#include <Ozo/Internal.hpp>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using namespace ozotest;
using Ozo::detail::ElementArena;

TEST(ElementArena, PiecesComeBackBySizeAndNeverOverlap) {
  std::size_t const before = ElementArena::reservedInProcess();
  {
    ElementArena arena;
    EXPECT_EQ(arena.reserved(), 0u) << "an arena takes nothing until asked";
    // Enough pieces of mixed sizes to need several blocks; each is filled
    // with its own byte and checked after all are made.
    std::vector<std::pair<unsigned char*, std::size_t>> pieces;
    for (std::size_t i = 0; i < 3000; ++i) {
      std::size_t const bytes = 8 + (i % 7) * 40;
      auto* const p = static_cast<unsigned char*>(arena.allocate(bytes));
      ASSERT_EQ(reinterpret_cast<std::uintptr_t>(p) % ElementArena::kGrain, 0u);
      std::memset(p, static_cast<int>(i & 0xFF), bytes);
      pieces.emplace_back(p, bytes);
    }
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      auto const [p, bytes] = pieces[i];
      EXPECT_TRUE(std::all_of(p, p + bytes, [&](unsigned char c) { return c == (i & 0xFF); })) << "piece " << i;
    }
    EXPECT_GT(arena.reserved(), 3000u * 8);
    EXPECT_EQ(ElementArena::reservedInProcess(), before + arena.reserved());

    // A piece given back serves the next request of its size, not another size.
    std::size_t const held = arena.reserved();
    void* const given = pieces[5].first;  // 8 + 5 * 40 bytes
    arena.deallocate(given, pieces[5].second);
    EXPECT_NE(arena.allocate(48), given);
    EXPECT_EQ(arena.allocate(pieces[5].second), given);
    EXPECT_EQ(arena.reserved(), held) << "a reused piece takes no new block";

    // Large pieces come from the heap, not from a block.
    void* const large = arena.allocate(ElementArena::kLargest + 1);
    std::memset(large, 1, ElementArena::kLargest + 1);
    EXPECT_EQ(arena.reserved(), held);
    arena.deallocate(large, ElementArena::kLargest + 1);
  }
  EXPECT_EQ(ElementArena::reservedInProcess(), before) << "the blocks go with the arena";
}

class Arena : public LiveCountTest {};

// Elements never outlive their model: an element still held keeps the model
// (and so the arena) alive; the memory comes back once the last one goes.
TEST_F(Arena, AnElementHeldAfterItsModelIsDroppedKeepsTheArenaUntilItGoes) {
  std::size_t const before = ElementArena::reservedInProcess();
  std::string name;
  Ozo::ClassObject kept;
  {
    Ozo::Model const m = Ozo::Model::create();
    name = m.get()->name();
    for (int i = 0; i < 1000; ++i) set(thing(m), Label, Ozo::String(std::string_view("many")));
    kept = thing(m);
    set(kept, Label, Ozo::String(std::string_view("kept")));
    set(kept, Count, Ozo::Integer(7));
    EXPECT_GT(ElementArena::reservedInProcess(), before);
  }
  ASSERT_TRUE(Ozo::ModelCache::find(name).isValid()) << "the held element keeps its model";
  EXPECT_EQ(Ozo::String(get(kept, Label)).utf8(), "kept");
  EXPECT_EQ(Ozo::Integer(get(kept, Count)).value(), 7);
  kept = {};
  EXPECT_FALSE(Ozo::ModelCache::find(name).isValid());
  EXPECT_EQ(ElementArena::reservedInProcess(), before) << "the model's blocks went with it";
}

// Elements a rolled-back transaction took out give their memory back to the
// arena, where the next elements find it.
TEST_F(Arena, ElementsTakenOutByARollbackAreReusedByTheNextOnes) {
  Ozo::Model const m = Ozo::Model::create();
  ElementArena const& arena = Ozo::detail::arenaOf(m.get());
  auto makeSome = [&] {
    for (int i = 0; i < 500; ++i) {
      Ozo::ClassObject const t = thing(m);
      set(t, Count, Ozo::Integer(i));
      set(t, Label, Ozo::String(std::string_view("x")));
    }
  };
  {
    Ozo::Transaction tx(m);
    makeSome();
    tx.rollback();
  }
  EXPECT_TRUE(Ozo::detail::elementsOf(m.get()).empty());
  std::size_t const held = arena.reserved();
  for (int round = 0; round < 3; ++round) {
    Ozo::Transaction tx(m);
    makeSome();
    tx.rollback();
  }
  EXPECT_EQ(arena.reserved(), held) << "rolled-back elements' memory was not reused";
  makeSome();
  EXPECT_EQ(Ozo::detail::elementsOf(m.get()).size(), 500u);
  EXPECT_EQ(arena.reserved(), held);
}

}  // namespace

namespace {

// A many-valued property's collection lives in its slot's link word. Slots
// made later with lower numbers move it along; it keeps its entries and its
// identity, and goes (once) with its element.
TEST_F(Arena, CollectionsMoveWithTheirSlotsAndGoWithTheirElement) {
  {
    Ozo::Model const m = Ozo::Model::create();
    Ozo::ClassObject const t = thing(m);
    Ozo::Collection<Ozo::String> const tags(get(t, Tags));
    tags.push_back(Ozo::String(std::string_view("a")));
    tags.push_back(Ozo::String(std::string_view("b")));
    set(t, Peer, asObject(thing(m)));  // below Tags: the table grows, Tags moves
    set(t, Count, Ozo::Integer(1));
    set(t, Label, Ozo::String(std::string_view("l")));
    Ozo::Collection<Ozo::Integer>(get(t, Amounts)).push_back(Ozo::Integer(9));  // above Tags
    set(t, Limit, Ozo::Real(2.5));
    set(t, Flag, Ozo::Boolean(true));
    unset(t, Peer);

    Ozo::Collection<Ozo::String> const again(get(t, Tags));
    EXPECT_EQ(again.get(), tags.get()) << "one collection per slot, whatever moved";
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again.at(0).utf8(), "a");
    EXPECT_EQ(again.at(1).utf8(), "b");
    EXPECT_EQ(Ozo::Collection<Ozo::Integer>(get(t, Amounts)).at(0).value(), 9);
    EXPECT_FALSE(isSet(t, Peer));
    EXPECT_EQ(Ozo::Real(get(t, Limit)).value(), 2.5);
  }
  // The fixture checks that every collection and value went with the model.
}

}  // namespace

namespace {

// A closing arena (its model going) keeps no piece given back: the next
// request of the same size is carved anew, and the blocks still all go.
TEST(ElementArena, AClosingArenaKeepsNoPieceGivenBack) {
  std::size_t const before = ElementArena::reservedInProcess();
  {
    ElementArena arena;
    void* const first = arena.allocate(64);
    arena.deallocate(first, 64);
    EXPECT_EQ(arena.allocate(64), first) << "an open arena reuses the piece";
    arena.close();
    arena.deallocate(first, 64);
    void* const next = arena.allocate(64);
    EXPECT_NE(next, first);
    void* const large = arena.allocate(ElementArena::kLargest + 8);  // from the heap: still freed
    arena.deallocate(large, ElementArena::kLargest + 8);
  }
  EXPECT_EQ(ElementArena::reservedInProcess(), before);
}

}  // namespace
