// Value sequences and cursors as host classes, made by the sequence-class
// builder (xb/Sequences.hpp). The methods are the shared sequence rows
// (xb/SequenceMethods.hpp) over a value list: host positions are 1-based and
// checked there before the list is called; the list checks again under its
// own source. Every value list is made by "make" or "makeUnique" and reaches
// the host in the modifiable view.
#include "sequences/ValueSequences.hpp"

#include "marshal/ValueConvert.hpp"
#include "sequences/Lists.hpp"

#include <Ozo/Sequence.hpp>
#include <xb/Methods.hpp>
#include <xb/SequenceMethods.hpp>
#include <xb/Sequences.hpp>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace Zorvan::metamodel::types::xb {

namespace {

using Ozo::xb::Context;
using Ozo::xb::MethodRow;
using Ozo::xb::SequenceFacts;
using Ozo::xb::SequenceRole;
using Ozo::xb::SequenceShape;

SequenceFacts const& factsOf(Context ctx) { return Ozo::xb::sequenceFactsOf(ctx); }
bool isSequence(SequenceFacts const& f) { return f.shape->role == SequenceRole::Sequence; }
bool modifiable(SequenceFacts const& f) { return f.shape->modifiable; }

// What the shared rows work with, for a list of T.

// A sequence's self; reads and edits by 0-based position.
template <class T>
struct ListSelf {
  Ozo::Sequence<T> list;
  ListSelf const* operator->() const { return this; }
  std::size_t size() const { return static_cast<std::size_t>(list.size()); }
  T at(std::size_t i) const { return list.at(index(i)); }
  void insert(std::size_t i, T const& v) const { list.insert(index(i), v); }
  void erase(std::size_t i) const { list.erase(index(i)); }
  void replace(std::size_t i, T const& v) const { list.replace(index(i), v); }
  void clear() const { list.clear(); }
  static std::int32_t index(std::size_t i) { return static_cast<std::int32_t>(i); }
};

template <class T>
struct ListArg {
  T value;
  T const& checked() const { return value; }
};

template <class T>
struct ListItem {
  T value;
};

// A cursor reads its list by position, through the list it was made from;
// the concrete cursor refuses use after its list changed or went.
template <class T>
struct ListView {
  Ozo::Generic::SequenceIntf const* list;
  Ozo::Deviant deviant;
  ListView const* operator->() const { return this; }
  std::size_t size() const { return static_cast<std::size_t>(list->generic_size(deviant)); }
  T at(std::size_t i) const {
    Ozo::Generic::Ref const r = list->generic_at(deviant, static_cast<std::int32_t>(i));
    return Ozo::Generic::valueOf<T>(r);
  }
};

template <class T>
struct ListCursor {
  Ozo::Iterator<T> it;
  Ozo::Lists::PositionCursor const* positioned() const {
    auto const* c = dynamic_cast<Ozo::Lists::PositionCursor const*>(it.ref());
    if (c == nullptr) throw Ozo::Exception(Ozo::Lists::kOtherListMessage);
    return c;
  }
  std::size_t position() const { return positioned()->position(); }
  ListView<T> operator->() const { return ListView<T>{positioned()->list(), it.deviant()}; }
  void move(int step) const {
    if (step > 0)
      it.next();
    else
      it.previous();
  }
  ListCursor copy() const { return ListCursor{it.clone()}; }
};

template <class T>
struct NoOtherList {};

template <class T>
struct OtherListCursor {
  Ozo::ImmutableIterator<T> it;
};

// A new list for the host.
template <class T>
struct NewList {
  Ozo::Sequence<T> list;
};

template <class T>
struct ValueList {
  using Self = ListSelf<T>;
  using Editable = Self;
  using Arg = ListArg<T>;
  using Item = ListItem<T>;
  using Cursor = ListCursor<T>;
  using Other = NoOtherList<T>;
  using OtherCursor = OtherListCursor<T>;

  static constexpr Ozo::xb::SequenceChecks const& checks = Ozo::Lists::MultiIndexKind::checks.positions;

  static Cursor begin(Self const& s) { return Cursor{s.list.begin()}; }
  static Cursor end(Self const& s) { return Cursor{s.list.end()}; }
  static std::int32_t removeAll(Self const& s, Arg const& v) { return s.list.removeAll(v.value); }
  // Searches in the list's own order (a multi-index list: its ordered index).
  static std::size_t find(Self const& s, Arg const& v, std::size_t from, std::size_t to) {
    std::int32_t const at = s.list.find(v.value, Self::index(std::min<std::size_t>(from, INT32_MAX)),
                                        Self::index(std::min<std::size_t>(to, INT32_MAX)));
    return at < 0 ? kovo::SequenceAccess::npos : static_cast<std::size_t>(at);
  }
  static std::size_t count(Self const& s, Arg const& v) { return static_cast<std::size_t>(s.list.count(v.value)); }
  static bool sameCursor(Cursor const& c, OtherCursor const& o) { return c.it.eq(o.it); }

  // Edits at a cursor; the list refuses a cursor of another list, of an
  // earlier state of this one, or the end position where an element is needed.
  static Cursor eraseAt(Self const& s, Cursor const& c) { return Cursor{s.list.erase(c.it)}; }
  static Cursor eraseRange(Self const& s, Cursor const& first, Cursor const& last) {
    return Cursor{s.list.erase(first.it, last.it)};
  }
  static Cursor insertAt(Self const& s, Cursor const& c, Arg const& v) { return Cursor{s.list.insert(c.it, v.value)}; }

  // The model is not consulted: only its deviant goes with the new list.
  static NewList<T> makeList(Ozo::Deviant const& d, bool unique) {
    return {Ozo::MakeSequence<T>({d, Ozo::MULTI_INDEX, unique, true})};
  }
  static NewList<T> makeWithImmutableModel(Ozo::ImmutableModel m) { return makeList(m.deviant(), false); }
  static NewList<T> makeWithModel(Ozo::Model m) { return makeList(m.deviant(), false); }
  static NewList<T> makeUniqueWithImmutableModel(Ozo::ImmutableModel m) { return makeList(m.deviant(), true); }
  static NewList<T> makeUniqueWithModel(Ozo::Model m) { return makeList(m.deviant(), true); }
};

}  // namespace
}  // namespace Zorvan::metamodel::types::xb

// ---------------------------------------------------------------------------
// The converters of the list types.
namespace Ozo::xb {

namespace vx = Zorvan::metamodel::types::xb;

template <class T>
struct Convert<vx::ListSelf<T>> {
  static kovo::Interned name(Context ctx) { return vx::factsOf(ctx).self; }
  static char const* type(Context ctx) { return name(ctx).c_str(); }
  // An empty array or an object that is no list gives an empty handle:
  // every operation then fails with the NULL-sequence message.
  static vx::ListSelf<T> in(kovo::COSValue w, Context ctx) {
    return {handleOf<Sequence<T>, Generic::SequenceIntf>(liveIdentity(w, vx::factsOf(ctx).self))};
  }
};

template <class T>
struct Convert<vx::ListArg<T>> {
  static char const* type(Context ctx) { return Convert<T>::type(ctx); }
  static vx::ListArg<T> in(kovo::COSValue w, Context ctx) {
    auto const given = Convert<vx::Given<T>>::in(w, ctx);
    // An empty enumeration is the literal of code 0; an empty DataSize or
    // Time has no value to store or look for.
    if constexpr (vx::StructuredValue<T>) {
      if (!given.present) throw Exception(std::string("Cannot use an empty ") + T::name + " as a sequence element");
    }
    return {given.value};
  }
};

template <class T>
struct Convert<vx::ListItem<T>> {
  static char const* type(Context ctx) { return Convert<T>::type(ctx); }
  static kovo::COSValue out(vx::ListItem<T> const& item, Context ctx) { return Convert<T>::out(item.value, ctx); }
};

// A sequence's cursors are of its cursor class; a cursor's copies of its own.
template <class T>
struct Convert<vx::ListCursor<T>> {
  static kovo::Interned name(Context ctx) {
    SequenceFacts const& f = vx::factsOf(ctx);
    return vx::isSequence(f) ? f.partner : f.self;
  }
  static char const* type(Context ctx) { return name(ctx).c_str(); }
  // A cursor that is needed: an empty one fails with the NULL-ref message.
  static vx::ListCursor<T> in(kovo::COSValue w, Context ctx) {
    SequenceFacts const& f = vx::factsOf(ctx);
    vx::ListCursor<T> c{handleOf<Iterator<T>, Generic::IteratorIntf>(liveIdentity(w, name(ctx)))};
    (void)c.it.ImmutableIterator<T>::ref(vx::modifiable(f) ? 85 : 41);
    return c;
  }
  static kovo::COSValue out(vx::ListCursor<T> const& c, Context ctx) {
    SequenceFacts const& f = vx::factsOf(ctx);
    bool const immutable = !vx::modifiable(f);
    Generic::IteratorIntf* const it = c.it.ImmutableIterator<T>::ref(immutable ? 41 : 85);
    return announce(it, c.it.deviant(), vx::isSequence(f) ? f.partner : f.self, immutable);
  }
};

template <class T>
struct Convert<vx::NoOtherList<T>> {
  static kovo::Interned name(Context ctx) { return vx::factsOf(ctx).self; }
  static char const* type(Context ctx) { return name(ctx).c_str(); }
};

// The other cursor of eq / ne: an empty one is never equal.
template <class T>
struct Convert<vx::OtherListCursor<T>> {
  static kovo::Interned name(Context ctx) { return vx::factsOf(ctx).self; }
  static char const* type(Context ctx) { return name(ctx).c_str(); }
  static vx::OtherListCursor<T> in(kovo::COSValue w, Context ctx) {
    return {handleOf<ImmutableIterator<T>, Generic::IteratorIntf>(liveIdentity(w, vx::factsOf(ctx).self))};
  }
};

template <class T>
struct Convert<vx::NewList<T>> {
  static kovo::Interned name(Context ctx) { return vx::factsOf(ctx).self; }
  static char const* type(Context ctx) { return name(ctx).c_str(); }
  static kovo::COSValue out(vx::NewList<T> const& n, Context ctx) {
    return announce(n.list.ref(), n.list.deviant(), vx::factsOf(ctx).self, false);
  }
};

}  // namespace Ozo::xb

namespace Zorvan::metamodel::types::xb {
namespace {

template <class T>
struct Rows {
  using L = ValueList<T>;
  using M = Ozo::xb::SequenceMethods<L>;
  template <auto F>
  static constexpr MethodRow inst(char const* name, std::int32_t attributes = 0) {
    return Ozo::xb::instanceMethod<F>(name, attributes);
  }
  template <auto F>
  static constexpr MethodRow expl(char const* name) {
    return Ozo::xb::explicitMethod<F>(name, Ozo::xb::kAttrExplicit);
  }
  template <auto F>
  static constexpr MethodRow stat(char const* name) {
    return Ozo::xb::staticMethod<F>(name);
  }

  static constexpr MethodRow sequence[] = {
      inst<&M::pushBack>("append"),
      inst<&M::clear>("clear"),
      inst<&M::popBack>("pop_back"),
      inst<&M::popFront>("pop_front"),
      inst<&M::pushBack>("push_back"),
      inst<&M::pushFront>("push_front"),
      inst<&M::removeAll>("removeAll"),
      inst<&M::begin>("begin"),
      inst<&M::end>("end"),
      inst<&L::eraseAt>("erase"),
      inst<&L::eraseRange>("erase"),
      expl<&M::erase>("erase"),
      inst<&L::insertAt>("insert", Ozo::xb::kAttrExplicit),
      expl<&M::insert>("insert"),
      expl<&M::replace>("replace"),
      inst<&M::back>("back"),
      inst<&M::isEmpty>("isEmpty"),
      inst<&M::front>("front"),
      inst<&M::size>("size"),
      expl<&M::item>("at"),
      stat<&L::makeWithImmutableModel>("make"),
      stat<&L::makeWithModel>("make"),
      stat<&L::makeUniqueWithImmutableModel>("makeUnique"),
      stat<&L::makeUniqueWithModel>("makeUnique"),
  };
  static constexpr MethodRow immutableSequence[] = {
      inst<&M::begin>("begin"), inst<&M::end>("end"),   inst<&M::back>("back"), inst<&M::isEmpty>("isEmpty"),
      inst<&M::front>("front"), inst<&M::size>("size"), expl<&M::item>("at"),
  };
  static constexpr MethodRow cursor[] = {
      expl<&M::clone>("clone"),     inst<&M::sameCursor>("eq"),      inst<&M::otherCursor>("ne"),
      expl<&M::getNext>("getNext"), expl<&M::getPrev>("getPrev"), inst<&M::cursorItem>("item"),
  };

  static constexpr auto kValue = Ozo::xb::ElementKind::Value;
  static constexpr SequenceShape sequenceShape{SequenceRole::Sequence, true, false, kValue, sequence, {}, &M::access};
  static constexpr SequenceShape immutableSequenceShape{
      SequenceRole::Sequence, false, false, kValue, immutableSequence, {}, &M::readAccess};
  static constexpr SequenceShape iteratorShape{SequenceRole::Iterator, true, false, kValue, cursor, {}};
  static constexpr SequenceShape immutableIteratorShape{SequenceRole::Iterator, false, false, kValue, cursor, {}};
};

// The four classes of the value type T, in the order they join the package.
template <class T>
void addValueLists(kovo::COSPackage* package) {
  std::string_view const n = T::name;
  auto const full = [n](std::string_view before, std::string_view after) {
    return kovo::intern({kPackageName, ".", before, n, after});
  };
  kovo::Interned const sequence = full("SequenceOf", ""), immutableSequence = full("ImmutableSequenceOf", "");
  kovo::Interned const iterator = full("", "Iterator"), immutableIterator = full("", "ImmutableIterator");
  kovo::Interned const iteratorDescription =
      kovo::intern({"A iterator for traversing a modifiable list of ", n, " objects"});
  using R = Rows<T>;
  Ozo::xb::addSequenceClass(package, kovo::intern({"A sequence of ", n, " whose values can be changed"}),
                            {&R::sequenceShape, sequence, iterator, {}, {}});
  Ozo::xb::addSequenceClass(package,
                            kovo::intern({"A non-modifiable sequence of ", n, " whose values can be changed"}),
                            {&R::immutableSequenceShape, immutableSequence, immutableIterator, {}, {}});
  Ozo::xb::addSequenceClass(package, iteratorDescription, {&R::iteratorShape, iterator, {}, {}, {}});
  Ozo::xb::addSequenceClass(package, iteratorDescription, {&R::immutableIteratorShape, immutableIterator, {}, {}, {}});
}

struct ValueType {
  char const* name;
  void (*addLists)(kovo::COSPackage*);
};
constexpr ValueType kValueTypes[] = {
    {CompuMethodCategory::name, &addValueLists<CompuMethodCategory>},
    {DataSizeUnitKind::name, &addValueLists<DataSizeUnitKind>},
    {FloatingPointKind::name, &addValueLists<FloatingPointKind>},
    {SwGenericAxisParamTypeCategory::name, &addValueLists<SwGenericAxisParamTypeCategory>},
    {TimeUnitKind::name, &addValueLists<TimeUnitKind>},
    {DataSize::name, &addValueLists<DataSize>},
    {Time::name, &addValueLists<Time>},
};

}  // namespace

void addValueListClasses(kovo::COSPackage* package, char const* valueName) {
  for (ValueType const& t : kValueTypes) {
    if (std::string_view(t.name) == valueName) {
      t.addLists(package);
      return;
    }
  }
  throw Ozo::Exception(std::string("No value lists for \"") + valueName + "\"");
}

}  // namespace Zorvan::metamodel::types::xb
