// Lists of plain values (enumeration codes, DataSize, Time): the checks and
// cursors written once, over a storage that decides how values are kept.
//
// Storage<T> offers size, at, insertAt (false when refused), eraseAt,
// eraseRange, replaceAt (false when refused), clear, contains, removeAll,
// and the static facts `kind` (its cursor class and checks) and `hostNamed`.
//
// Every check comes before the first change, so a refused call leaves the
// list as it was. Cursors stand at a position and keep a share of the list's
// life block: a cursor used after its list changed or went away fails with a
// clear message instead of reading, and one moved past either end or read at
// the end fails with "sequence index out of bounds".
#pragma once

#include <Ozo/Sequence.hpp>

#include <xb/SequenceMethods.hpp>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <typeinfo>
#include <utility>

namespace Ozo::Lists {

// Where each list kind's checks report themselves.
struct ListChecks {
  xb::SequenceChecks positions;
  int stale;  // cursor of a changed or gone list, or of another list
};

inline constexpr char kListGoneMessage[] = "the cursor's sequence no longer exists";
inline constexpr char kListChangedMessage[] = "the sequence was changed after the cursor was made";
inline constexpr char kOtherListMessage[] = "the cursor belongs to another sequence";

// Shared by a list and its cursors: whether the list lives and how often it
// has changed. Used on the host's thread only.
class LifeBlock {
 public:
  static LifeBlock* make(Generic::SequenceIntf const* list) { return new LifeBlock(list); }
  void take() { ++fRefs; }
  void drop() {
    if (--fRefs == 0) delete this;
  }
  void listGone() { fList = nullptr; }
  void changed() { ++fVersion; }
  Generic::SequenceIntf const* list() const { return fList; }
  std::uint64_t version() const { return fVersion; }

 private:
  explicit LifeBlock(Generic::SequenceIntf const* list) : fList(list) {}
  Generic::SequenceIntf const* fList;
  std::uint64_t fVersion = 0;
  int fRefs = 0;
};

class LifeRef {
 public:
  explicit LifeRef(LifeBlock* b) : fBlock(b) { fBlock->take(); }
  LifeRef(LifeRef const& o) : LifeRef(o.fBlock) {}
  LifeRef& operator=(LifeRef const&) = delete;
  ~LifeRef() { fBlock->drop(); }
  LifeBlock* operator->() const { return fBlock; }
  LifeBlock* get() const { return fBlock; }

 private:
  LifeBlock* fBlock;
};

// A cursor of any list of this family: its list and position.
class PositionCursor : public IteratorProxy {
 public:
  PositionCursor(LifeBlock* life, std::size_t position, ListChecks const& checks)
      : fLife(life), fVersion(life->version()), fPosition(position), fChecks(&checks) {}

  std::size_t position() const { return fPosition; }
  LifeBlock* life() const { return fLife.get(); }
  // The list, when this cursor may still be used on it.
  Generic::SequenceIntf const* list() const {
    char const* const source = fChecks->positions.source;
    OZO_ASSERT_AT(source, fChecks->stale, fLife->list() != nullptr, "%s", kListGoneMessage);
    OZO_ASSERT_AT(source, fChecks->stale, fLife->version() == fVersion, "%s", kListChangedMessage);
    return fLife->list();
  }
  std::size_t listSize(Deviant const& d) const { return static_cast<std::size_t>(list()->generic_size(d)); }

  Generic::Ref current(Deviant const& d) const override {
    std::size_t const n = listSize(d);
    xb::requireInBounds(fChecks->positions.source, fPosition < n, fChecks->positions.itemBounds);
    return list()->generic_at(d, static_cast<std::int32_t>(fPosition));
  }
  void next(Deviant const& d) override {
    std::size_t const n = listSize(d);
    xb::requireInBounds(fChecks->positions.source, fPosition < n, fChecks->positions.nextBounds);
    ++fPosition;
  }
  void previous(Deviant const& d) override {
    std::size_t const n = listSize(d);
    auto const& prev = fChecks->positions.prev;
    xb::requirePositive(fChecks->positions.source, fPosition > 0, prev.positive);
    xb::requireInBounds(fChecks->positions.source, fPosition <= n, prev.bounds);
    --fPosition;
  }
  // Moves the cursor to `position` in the list as it is now.
  void restamp(std::size_t position) {
    fPosition = position;
    fVersion = fLife->version();
  }

  // Same class, same list, same position.
  bool equal(Generic::IteratorIntf const* other) const override {
    if (other == nullptr || typeid(*other) != typeid(*this)) return false;
    auto const* o = static_cast<PositionCursor const*>(other);
    return o->fLife.get() == fLife.get() && o->fPosition == fPosition;
  }

 protected:
  LifeRef fLife;
  std::uint64_t fVersion;
  std::size_t fPosition;
  ListChecks const* fChecks;
};

// Each list kind has its own cursor class (cursors of different kinds never
// compare equal).
template <class Kind>
class KindCursor final : public PositionCursor {
 public:
  using PositionCursor::PositionCursor;
  Generic::IteratorIntf* clone() const override {
    auto* const c = new KindCursor(fLife.get(), fPosition, *fChecks);
    c->fVersion = fVersion;
    return c;
  }
};

// Hidden: only this module makes lists, and its tables of virtual functions
// then bind when loaded without a symbol lookup per entry.
template <class T, class Storage>
class __attribute__((visibility("hidden"))) PrimitiveList final : public Generic::SequenceIntf {
  using Kind = typename Storage::Kind;
  using Cursor = KindCursor<Kind>;
  static constexpr ListChecks const& kChecks = Kind::checks;
  static constexpr xb::SequenceChecks const& kPos = kChecks.positions;

 public:
  PrimitiveList() = default;
  ~PrimitiveList() override { fLife->listGone(); }
  PrimitiveList(PrimitiveList const&) = delete;
  PrimitiveList& operator=(PrimitiveList const&) = delete;

  // A bare list belongs to its owner (a proxy): no counting of its own.
  void addRef() override {}
  void release() override {}

  Storage const& storage() const { return fStorage; }

  Generic::Ref generic_at(Deviant const&, std::int32_t i) const override {
    return Generic::makeRef(fStorage.at(index(i, kPos.at)));
  }
  Generic::Ref generic_front(Deviant const&) const override {
    xb::requireNonEmpty(kPos.source, fStorage.size(), kPos.frontEmpty);
    return Generic::makeRef(fStorage.at(0));
  }
  Generic::Ref generic_back(Deviant const&) const override {
    xb::requireNonEmpty(kPos.source, fStorage.size(), kPos.backEmpty);
    return Generic::makeRef(fStorage.at(fStorage.size() - 1));
  }
  Generic::IteratorIntf* generic_begin(Deviant const&) const override { return cursorAt(0); }
  Generic::IteratorIntf* generic_end(Deviant const&) const override { return cursorAt(fStorage.size()); }
  void generic_clear(Deviant const&) override {
    fStorage.clear();
    fLife->changed();
  }
  std::int32_t generic_size(Deviant const&) const override { return static_cast<std::int32_t>(fStorage.size()); }
  bool generic_empty(Deviant const&) const override { return fStorage.size() == 0; }

  void generic_insert(Deviant const&, std::int32_t i, Generic::Ref const& r) override {
    std::size_t const at = index(i, kPos.insert, true);
    T const& v = Generic::valueOf<T>(r);
    if (fStorage.insertAt(at, v).second) fLife->changed();
  }
  Generic::IteratorIntf* generic_insert(Deviant const& d, Generic::IteratorIntf* it, Generic::Ref const& r) override {
    std::size_t const at = ownPosition(d, it, true);
    T const& v = Generic::valueOf<T>(r);
    std::unique_ptr<Cursor> made(cursorAt(0));
    auto const [where, inserted] = fStorage.insertAt(at, v);
    if (inserted) fLife->changed();
    return reposition(made, where);
  }
  Generic::IteratorIntf* generic_erase(Deviant const& d, Generic::IteratorIntf* it) override {
    std::size_t const at = ownPosition(d, it, false);
    std::unique_ptr<Cursor> made(cursorAt(0));
    fStorage.eraseRange(at, at + 1);
    fLife->changed();
    return reposition(made, at);
  }
  Generic::IteratorIntf* generic_erase(Deviant const& d, Generic::IteratorIntf* first,
                                       Generic::IteratorIntf* last) override {
    std::size_t const from = ownPosition(d, first, true);
    std::size_t const to = ownPosition(d, last, true);
    xb::requireInBounds(kPos.source, from <= to, kPos.erase.bounds);
    std::unique_ptr<Cursor> made(cursorAt(0));
    if (from != to) {
      fStorage.eraseRange(from, to);
      fLife->changed();
    }
    return reposition(made, from);
  }
  void generic_erase(Deviant const&, std::int32_t i) override {
    std::size_t const at = index(i, kPos.erase);
    fStorage.eraseRange(at, at + 1);
    fLife->changed();
  }
  void generic_pop_back(Deviant const&) override {
    xb::requireNonEmpty(kPos.source, fStorage.size(), kPos.popBackEmpty);
    fStorage.eraseRange(fStorage.size() - 1, fStorage.size());
    fLife->changed();
  }
  void generic_pop_front(Deviant const&) override {
    xb::requireNonEmpty(kPos.source, fStorage.size(), kPos.popFrontEmpty);
    fStorage.eraseRange(0, 1);
    fLife->changed();
  }
  void generic_push_back(Deviant const&, Generic::Ref const& r) override {
    T const& v = Generic::valueOf<T>(r);
    if (fStorage.insertAt(fStorage.size(), v).second) fLife->changed();
  }
  void generic_push_front(Deviant const&, Generic::Ref const& r) override {
    T const& v = Generic::valueOf<T>(r);
    if (fStorage.insertAt(0, v).second) fLife->changed();
  }
  void generic_replace(Deviant const&, std::int32_t i, Generic::Ref const& r) override {
    std::size_t const at = index(i, kPos.replace);
    T const& v = Generic::valueOf<T>(r);
    if (fStorage.replaceAt(at, v)) fLife->changed();
  }
  bool generic_contains(Deviant const&, Generic::Ref const& r) const override {
    return fStorage.contains(Generic::valueOf<T>(r));
  }
  char const* generic_getKovoName(bool immutable, bool, char const* fallback) const override {
    return Storage::hostName(immutable, fallback);
  }
  std::int32_t generic_find(Deviant const&, Generic::Ref const& r, std::int32_t from, std::int32_t to) const override {
    std::size_t const n = fStorage.size();
    auto const clamp = [n](std::int32_t i) { return std::min(static_cast<std::size_t>(std::max(i, 0)), n); };
    std::size_t const at = fStorage.find(Generic::valueOf<T>(r), clamp(from), clamp(to));
    return at == n ? -1 : static_cast<std::int32_t>(at);
  }
  std::int32_t generic_count(Deviant const&, Generic::Ref const& r) const override {
    return static_cast<std::int32_t>(fStorage.count(Generic::valueOf<T>(r)));
  }
  std::int32_t generic_removeAll(Deviant const&, Generic::Ref const& r) override {
    std::size_t const removed = fStorage.removeAll(Generic::valueOf<T>(r));
    if (removed != 0) fLife->changed();
    return static_cast<std::int32_t>(removed);
  }

 private:
  // A 0-based index, checked: below 0 "must be positive", at or above the
  // size (above it for inserts) "out of bounds".
  std::size_t index(std::int32_t i, xb::IndexChecks lines, bool allowEnd = false) const {
    xb::requirePositive(kPos.source, i >= 0, lines.positive);
    auto const at = static_cast<std::size_t>(i);
    xb::requireInBounds(kPos.source, allowEnd ? at <= fStorage.size() : at < fStorage.size(), lines.bounds);
    return at;
  }

  // The position of a cursor of this very list, still valid; the end
  // position only where `allowEnd`.
  std::size_t ownPosition(Deviant const& d, Generic::IteratorIntf* it, bool allowEnd) const {
    OZO_ASSERT_AT(kPos.source, kChecks.stale, it != nullptr, "%s", kNullRefMessage);
    auto const* c = dynamic_cast<PositionCursor const*>(it);
    OZO_ASSERT_AT(kPos.source, kChecks.stale, c != nullptr && c->life() == fLife.get(), "%s", kOtherListMessage);
    (void)c->list();  // refuses a cursor made before the last change
    std::size_t const at = c->position();
    xb::requireInBounds(kPos.source, allowEnd ? at <= fStorage.size() : at < fStorage.size(), kPos.itemBounds);
    (void)d;
    return at;
  }

  Cursor* cursorAt(std::size_t position) const { return new Cursor(fLife.get(), position, kChecks); }
  // The result cursor is made before the change (nothing can fail after
  // it) and placed once the change is done.
  static Cursor* reposition(std::unique_ptr<Cursor>& made, std::size_t position) {
    made->restamp(position);
    return made.release();
  }

  Storage fStorage;
  LifeRef fLife{LifeBlock::make(this)};
};

}  // namespace Ozo::Lists
