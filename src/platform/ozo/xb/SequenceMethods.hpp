// The methods every host sequence and cursor class has, as method-table rows
// over a list type L, and the 1-based position checks they share.
//
// L names the converted forms a call works with:
//   L::Self      the list behind a sequence's self (size, at, insert, erase, replace, clear)
//   L::Editable  the same for an edit (refused on a read-only view before anything else)
//   L::Arg       an element argument (a value or an empty handle; checked() refuses empty)
//   L::Item      an element result, made from a value read from the list
//   L::Cursor    a cursor: made from a list and a 0-based position, or a cursor's self
//                (position(), move(step), copy(), -> the list)
//   L::Other     another sequence, for eq / ne (same list or not)
//   L::OtherCursor another cursor, for eq / ne
//   L::same(self, value, arg), L::text(self, value), L::sameList, L::sameCursor.
// A list type whose storage does better may supply its own L::begin(self),
// L::end(self) (cursors made by the list), L::removeAll(self, arg),
// L::find(self, arg, from, to) and L::count(self, arg) (0-based positions;
// find answers kovo::SequenceAccess::npos for none).
//
// `access` and `readAccess` (without take) are the same operations as the
// class's bulk access (kovo::SequenceAccess): many items, a search, a take,
// each in one host call, with the checks, conversions and errors of the
// rows "at", "contains" and "erase".
// Converters for these types (xb/Convert.hpp) decide their host types.
#pragma once

#include <xb/Methods.hpp>

#include <kovo/Class.hpp>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace Ozo::xb {

// Where each check reports itself (a source and its line).
struct IndexChecks {
  int positive;
  int bounds;
};
struct SequenceChecks {
  char const* source;
  IndexChecks at, insert, erase, replace;
  int frontEmpty, backEmpty, popBackEmpty, popFrontEmpty;
  int itemBounds, nextBounds;
  IndexChecks prev;
};

inline constexpr char kPositiveMessage[] = "sequence index must be positive";
inline constexpr char kOutOfBoundsMessage[] = "sequence index out of bounds";
inline constexpr char kEmptyMessage[] = "sequence is empty";

// A 1-based host index as a 0-based position; `allowEnd` admits size + 1
// (insert). Checked before anything changes.
std::size_t position(char const* source, std::int32_t index, std::size_t size, IndexChecks lines,
                     bool allowEnd = false);
void requireNonEmpty(char const* source, std::size_t size, int line);
void requireInBounds(char const* source, bool inBounds, int line);
void requirePositive(char const* source, bool positive, int line);

template <class L>
struct SequenceMethods {
  using Self = typename L::Self;
  using Editable = typename L::Editable;
  using Arg = typename L::Arg;
  using Item = typename L::Item;
  using Cursor = typename L::Cursor;
  static constexpr SequenceChecks const& checks = L::checks;

  static std::size_t at(std::int32_t index, std::size_t size, IndexChecks lines, bool allowEnd = false) {
    return position(checks.source, index, size, lines, allowEnd);
  }

  // --- sequences ---
  static std::int32_t size(Self const& s) { return static_cast<std::int32_t>(s->size()); }
  static bool isEmpty(Self const& s) { return s->size() == 0; }
  static Item item(Self const& s, std::int32_t index) { return Item{s->at(at(index, s->size(), checks.at))}; }
  static Item front(Self const& s) {
    requireNonEmpty(checks.source, s->size(), checks.frontEmpty);
    return Item{s->at(0)};
  }
  static Item back(Self const& s) {
    requireNonEmpty(checks.source, s->size(), checks.backEmpty);
    return Item{s->at(s->size() - 1)};
  }
  // A modifiable sequence hands out modifiable cursors, a read-only one read-only cursors.
  static Cursor begin(Self const& s) {
    if constexpr (requires { L::begin(s); })
      return L::begin(s);
    else
      return Cursor(s, 0);
  }
  static Cursor end(Self const& s) {
    if constexpr (requires { L::end(s); })
      return L::end(s);
    else
      return Cursor(s, s->size());
  }
  static bool contains(Self const& s, Arg const& v) {
    for (std::size_t i = 0, n = s->size(); i < n; ++i)
      if (L::same(s, s->at(i), v)) return true;
    return false;
  }
  static bool eq(Self const& s, typename L::Other const& o) { return L::sameList(s, o); }
  static bool ne(Self const& s, typename L::Other const& o) { return !L::sameList(s, o); }
  static std::string toString(Self const& s) {
    std::string t = "[";
    for (std::size_t i = 0, n = s->size(); i < n; ++i) {
      if (i != 0) t += ", ";
      t += L::text(s, s->at(i));
    }
    t += ']';
    return t;
  }

  static void pushBack(Editable const& s, Arg const& v) { s->insert(s->size(), v.checked()); }
  static void pushFront(Editable const& s, Arg const& v) { s->insert(0, v.checked()); }
  static void popBack(Editable const& s) {
    requireNonEmpty(checks.source, s->size(), checks.popBackEmpty);
    s->erase(s->size() - 1);
  }
  static void popFront(Editable const& s) {
    requireNonEmpty(checks.source, s->size(), checks.popFrontEmpty);
    s->erase(0);
  }
  static void insert(Editable const& s, std::int32_t index, Arg const& v) {
    std::size_t const i = at(index, s->size(), checks.insert, true);
    s->insert(i, v.checked());
  }
  static void erase(Editable const& s, std::int32_t index) { s->erase(at(index, s->size(), checks.erase)); }
  static void replace(Editable const& s, std::int32_t index, Arg const& v) {
    std::size_t const i = at(index, s->size(), checks.replace);
    s->replace(i, v.checked());
  }
  static std::int32_t removeAll(Editable const& s, Arg const& v) {
    if constexpr (requires { L::removeAll(s, v); }) {
      return L::removeAll(s, v);
    } else {
      std::vector<std::size_t> hits;
      for (std::size_t i = 0, n = s->size(); i < n; ++i)
        if (L::same(s, s->at(i), v)) hits.push_back(i);
      // From the back, so that the positions still to erase stay put.
      for (auto it = hits.rbegin(); it != hits.rend(); ++it) s->erase(*it);
      return static_cast<std::int32_t>(hits.size());
    }
  }
  static void clear(Editable const& s) { s->clear(); }

  static constexpr MethodRow reads[] = {
      instanceMethod<&size>("size"),         instanceMethod<&isEmpty>("isEmpty"),
      instanceMethod<&item>("at"),           instanceMethod<&front>("front"),
      instanceMethod<&back>("back"),         instanceMethod<&begin>("begin"),
      instanceMethod<&end>("end"),           instanceMethod<&contains>("contains"),
      instanceMethod<&eq>("eq"),             instanceMethod<&ne>("ne"),
      instanceMethod<&toString>("toString"),
  };
  static constexpr MethodRow edits[] = {
      instanceMethod<&pushBack>("append"),     instanceMethod<&pushBack>("push_back"),
      instanceMethod<&pushFront>("push_front"), instanceMethod<&popBack>("pop_back"),
      instanceMethod<&popFront>("pop_front"),  instanceMethod<&insert>("insert"),
      instanceMethod<&erase>("erase"),         instanceMethod<&replace>("replace"),
      instanceMethod<&removeAll>("removeAll"), instanceMethod<&clear>("clear"),
  };

  // --- cursors: a position in a list that the cursor keeps alive ---
  static Item cursorItem(Cursor const& c) {
    requireInBounds(checks.source, c.position() < c->size(), checks.itemBounds);
    return Item{c->at(c.position())};
  }
  static void getNext(Cursor const& c) {
    requireInBounds(checks.source, c.position() < c->size(), checks.nextBounds);
    c.move(+1);
  }
  static void getPrev(Cursor const& c) {
    requirePositive(checks.source, c.position() > 0, checks.prev.positive);
    requireInBounds(checks.source, c.position() <= c->size(), checks.prev.bounds);
    c.move(-1);
  }
  static Cursor clone(Cursor const& c) { return c.copy(); }
  static bool sameCursor(Cursor const& c, typename L::OtherCursor const& o) { return L::sameCursor(c, o); }
  static bool otherCursor(Cursor const& c, typename L::OtherCursor const& o) { return !L::sameCursor(c, o); }

  // --- the bulk access ---
  struct Access {
    // A 0-based position as the 1-based host index the checks take.
    static std::int32_t hostIndex(std::size_t i) {
      return static_cast<std::int32_t>(std::min<std::size_t>(i, INT32_MAX - 1) + 1);
    }
    static kovo::Interned itemType(void const* data) { return detail::typeNameOf<Item>(data); }
    static kovo::Interned valueType(void const* data) { return detail::typeNameOf<Arg>(data); }
    // Words already handed out by a call that then fails.
    static void release(void const* data, kovo::COSValue const* words, std::size_t n) {
      if (kovo::isScalarDataType(itemType(data))) return;
      for (std::size_t i = 0; i < n; ++i)
        if (words[i] != 0) kovo::destroyArray(kovo::toArray(words[i]));
    }
    static std::size_t size(void const* data, kovo::COSValue self) {
      return Convert<Self>::in(self, Context{data})->size();
    }
    static std::size_t items(void const* data, kovo::COSValue self, std::size_t first, std::size_t count,
                             kovo::COSValue* out) {
      Context const ctx{data};
      Self const s = Convert<Self>::in(self, ctx);
      std::size_t const n = s->size();
      if (first >= n) (void)at(hostIndex(first), n, checks.at);  // the error of "at"
      count = std::min(count, n - first);
      std::size_t made = 0;
      try {
        for (; made < count; ++made) out[made] = Convert<Item>::out(Item{s->at(first + made)}, ctx);
      } catch (...) {
        release(data, out, made);
        throw;
      }
      return count;
    }
    static std::size_t find(void const* data, kovo::COSValue self, kovo::COSValue value, std::size_t from,
                            std::size_t to) {
      Context const ctx{data};
      Self const s = Convert<Self>::in(self, ctx);
      Arg const v = Convert<Arg>::in(value, ctx);
      if constexpr (requires { L::find(s, v, from, to); }) {
        return L::find(s, v, from, to);
      } else {
        for (std::size_t i = from, n = std::min(to, s->size()); i < n; ++i)
          if (L::same(s, s->at(i), v)) return i;
        return kovo::SequenceAccess::npos;
      }
    }
    static std::size_t count(void const* data, kovo::COSValue self, kovo::COSValue value) {
      Context const ctx{data};
      Self const s = Convert<Self>::in(self, ctx);
      Arg const v = Convert<Arg>::in(value, ctx);
      if constexpr (requires { L::count(s, v); }) {
        return L::count(s, v);
      } else {
        std::size_t found = 0;
        for (std::size_t i = 0, n = s->size(); i < n; ++i)
          if (L::same(s, s->at(i), v)) ++found;
        return found;
      }
    }
    // The item as "at" gives it, then the erase as "erase" does it.
    static kovo::COSValue take(void const* data, kovo::COSValue self, std::size_t position) {
      Context const ctx{data};
      Editable const s = Convert<Editable>::in(self, ctx);
      std::size_t const i = at(hostIndex(position), s->size(), checks.erase);
      kovo::COSValue const word = Convert<Item>::out(Item{s->at(i)}, ctx);
      try {
        s->erase(i);
      } catch (...) {
        release(data, &word, 1);
        throw;
      }
      return word;
    }
  };
  static constexpr kovo::SequenceAccess access{&Access::itemType, &Access::valueType, &Access::size,
                                               &Access::items,    &Access::find,      &Access::count,
                                               &Access::take};
  static constexpr kovo::SequenceAccess readAccess{&Access::itemType, &Access::valueType, &Access::size,
                                                   &Access::items,    &Access::find,      &Access::count,
                                                   nullptr};

  static constexpr MethodRow cursor[] = {
      instanceMethod<&cursorItem>("item"),  instanceMethod<&getNext>("getNext"),
      instanceMethod<&getPrev>("getPrev"),  instanceMethod<&clone>("clone"),
      instanceMethod<&sameCursor>("eq"),    instanceMethod<&otherCursor>("ne"),
  };
};

}  // namespace Ozo::xb
