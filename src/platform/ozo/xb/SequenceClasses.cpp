// The builder of every sequence and cursor host class (xb/Sequences.hpp), and
// the runtime's own: sequences of model objects and of primitives over live
// many-valued properties.
//
// Host positions are 1-based; the collections below are 0-based, and every
// position is checked here before anything is changed, so a refused call
// leaves the model as it was.
#include <xb/ClassInfo.hpp>
#include <xb/Marshal.hpp>
#include <xb/Property.hpp>
#include <xb/SequenceMethods.hpp>
#include <xb/Sequences.hpp>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <span>
#include <string>

namespace Ozo::xb {
namespace {

using kovo::COSValue;
using NSInterface::CollectionIntf;

// The checks report themselves under the runtime's list source.
constexpr SequenceChecks kChecks{
    "ozo/kernel/containers/sequence/list/ListQImplForPrimitives",
    {131, 132}, {200, 201}, {243, 244}, {309, 310},  // at, insert, erase, replace
    141, 150, 254, 262,                              // front, back, pop_back, pop_front on empty
    441, 452, {461, 462},                            // item, getNext, getPrev
};

using Facts = SequenceFacts;

// "a.b.C" splits into "a.b" and "C"; a name without a package has an empty one.
std::string_view packageOf(std::string_view fullName) {
  auto const dot = fullName.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : fullName.substr(0, dot);
}

std::string_view shortOf(std::string_view fullName) {
  auto const dot = fullName.rfind('.');
  return dot == std::string_view::npos ? fullName : fullName.substr(dot + 1);
}

Handle<CollectionIntf> collectionOf(VariantInfo const* info) {
  return handleOf<Handle<CollectionIntf>, CollectionIntf>(info);
}

// ---------------------------------------------------------------------------
// A cursor: a position in a collection that it keeps alive.
//
// It stands at an index, not on an element: when the collection changes under
// it, it keeps its index and sees whatever element is there now. Every use
// checks the index against the current size, so a cursor left beyond the end
// by a removal reports "sequence index out of bounds" instead of reading.
// Stepping past the end is "out of bounds", stepping before the first
// element "must be positive"; a failed step leaves the cursor where it was.
class Cursor final : public Counted<NSInterface::ObjectIntf> {
 public:
  Cursor(Handle<CollectionIntf> collection, std::size_t position, kovo::Interned cls)
      : fCollection(std::move(collection)), fPosition(position), fClass(cls) {}

  ImmutableType getMetaType(Deviant const&) const override { return {}; }
  char const* getKovoName(bool) const override { return fClass.c_str(); }

  Handle<CollectionIntf> fCollection;
  std::size_t fPosition;
  kovo::Interned fClass;
};

Handle<Cursor> cursorOf(VariantInfo const* info) {
  if (info == nullptr) return {};
  return Handle<Cursor>(dynamic_cast<Cursor*>(info->object), info->deviant);
}

// Hands a new cursor to the host; the binding keeps it.
COSValue returnCursor(Handle<CollectionIntf> const& collection, std::size_t position, kovo::Interned cls,
                      bool immutable) {
  ImmutableObject const cursor(new Cursor(collection, position, cls), collection.deviant());
  return returnObject(cursor, cls, immutable);
}

// ---------------------------------------------------------------------------
// Elements: host form to model value and back.
char const* elementHostType(Facts const& f) {
  switch (f.shape->kind) {
    case ElementKind::Integer: return "int32 scalar";
    case ElementKind::Real: return "double scalar";
    case ElementKind::String: return "char vector";
    case ElementKind::Ref:
    case ElementKind::Value: break;
  }
  return f.element.c_str();
}

kovo::Interned elementHostName(Facts const& f) {
  return f.shape->kind == ElementKind::Ref ? f.element : kovo::intern(elementHostType(f));
}

ImmutableObject elementArg(Facts const& f, COSValue word) {
  switch (f.shape->kind) {
    case ElementKind::Integer: return Object(Integer(kovo::toInt32(word)));
    case ElementKind::Real: return Object(Real(kovo::toDouble(word)));
    case ElementKind::String: {
      kovo::HostArray const* array = kovo::toArray(word);
      bool const isText = array != nullptr && array->classID() == kovo::ClassID::Char;
      return Object(String(isText ? matrix::get_ustring(array) : std::u16string()));
    }
    case ElementKind::Ref:
    case ElementKind::Value: break;
  }
  return toHandle(word, f.element);
}

COSValue elementResult(Facts const& f, Object const& value) {
  switch (f.shape->kind) {
    case ElementKind::Integer: return kovo::fromInt32(Integer(value).value());
    case ElementKind::Real: return kovo::fromDouble(Real(value).value());
    case ElementKind::String: return kovo::fromArray(kovo::HostArray::createString(String(value).text()));
    case ElementKind::Ref:
    case ElementKind::Value: break;
  }
  return returnObject(value, f.shape->immutableElements, f.element.c_str());
}

// Model objects are the same element when they are the same object; values
// when their values are equal.
bool sameElement(Facts const& f, ImmutableObject const& a, ImmutableObject const& b) {
  switch (f.shape->kind) {
    case ElementKind::Integer: return Integer(a) == Integer(b);
    case ElementKind::Real: return Real(a) == Real(b);
    case ElementKind::String: return String(a) == String(b);
    case ElementKind::Ref:
    case ElementKind::Value: break;
  }
  return a.get() == b.get();
}

std::string elementText(Facts const& f, ImmutableObject const& value) {
  switch (f.shape->kind) {
    case ElementKind::Integer: return std::to_string(Integer(value).value());
    case ElementKind::Real: {
      char buffer[32];
      auto const result = std::to_chars(buffer, buffer + sizeof buffer, Real(value).value());
      return std::string(buffer, result.ptr);
    }
    case ElementKind::String: return '"' + String(value).utf8() + '"';
    case ElementKind::Ref:
    case ElementKind::Value: break;
  }
  // An entry into a model that is gone.
  return value.isValid() ? value.toString() : "null";
}

// Calls `scan` with a test of an item against `value` that compares as
// sameElement does, `value` converted once (a search's whole cost is its
// loop).
template <class Scan>
auto withMatch(Facts const& f, ImmutableObject const& value, Scan const& scan) {
  switch (f.shape->kind) {
    case ElementKind::Integer: {
      Integer const want(value);
      return scan([want](Object const& item) { return Integer(item) == want; });
    }
    case ElementKind::Real: {
      Real const want(value);
      return scan([want](Object const& item) { return Real(item) == want; });
    }
    case ElementKind::String: {
      String const want(value);
      return scan([&want](Object const& item) { return String(item) == want; });
    }
    case ElementKind::Ref:
    case ElementKind::Value: break;
  }
  return scan([&value](Object const& item) { return item.get() == value.get(); });
}

// ---------------------------------------------------------------------------
// What the calls of a sequence or cursor class work with.
Facts const& factsOf(Context ctx) { return sequenceFactsOf(ctx); }

// The collection behind a sequence's self.
struct ListSelf {
  Handle<CollectionIntf> collection;
  Facts const* facts = nullptr;
  CollectionIntf* operator->() const { return collection.get(); }
};
// Edits go only through the modifiable view of a collection.
struct EditSelf : ListSelf {};

struct ElementArgument {
  ImmutableObject value;
  // An element to store: an empty handle is refused before anything changes.
  ImmutableObject const& checked() const {
    value.checked();
    return value;
  }
};

struct Item {
  Object value;
};

// A cursor's self, or a new cursor to hand out.
struct CursorRef {
  Handle<CollectionIntf> collection;
  std::size_t at = 0;
  Handle<Cursor> existing;

  CursorRef() = default;
  CursorRef(ListSelf const& s, std::size_t position) : collection(s.collection), at(position) {}
  CollectionIntf* operator->() const { return collection.get(); }
  std::size_t position() const { return at; }
  void move(int step) const { existing.get()->fPosition += static_cast<std::size_t>(step); }
  CursorRef copy() const {
    CursorRef c;
    c.collection = collection;
    c.at = at;
    return c;
  }
};

struct OtherList {
  Handle<CollectionIntf> collection;
};
struct OtherCursor {
  Handle<Cursor> cursor;
};

struct ElementList {
  using Self = ListSelf;
  using Editable = EditSelf;
  using Arg = ElementArgument;
  using Item = xb::Item;
  using Cursor = CursorRef;
  using Other = OtherList;
  using OtherCursor = xb::OtherCursor;
  static constexpr SequenceChecks const& checks = kChecks;

  static bool same(ListSelf const& s, Object const& a, ElementArgument const& b) {
    return sameElement(*s.facts, a, b.value);
  }
  static std::string text(ListSelf const& s, Object const& v) { return elementText(*s.facts, v); }
  static std::size_t find(ListSelf const& s, ElementArgument const& v, std::size_t from, std::size_t to) {
    std::size_t const n = std::min(to, s->size());
    return withMatch(*s.facts, v.value, [&](auto const& matches) {
      for (std::size_t i = from; i < n; ++i)
        if (matches(s->at(i))) return i;
      return kovo::SequenceAccess::npos;
    });
  }
  static std::size_t count(ListSelf const& s, ElementArgument const& v) {
    return withMatch(*s.facts, v.value, [&](auto const& matches) {
      std::size_t found = 0;
      for (std::size_t i = 0, n = s->size(); i < n; ++i)
        if (matches(s->at(i))) ++found;
      return found;
    });
  }
  static bool sameList(ListSelf const& s, OtherList const& o) { return o.collection.get() == s.collection.get(); }
  static bool sameCursor(CursorRef const& c, OtherCursor const& o) {
    return o.cursor.isValid() && o.cursor.get()->fCollection.get() == c.collection.get() &&
           o.cursor.get()->fPosition == c.at;
  }
};

using Methods = SequenceMethods<ElementList>;

}  // namespace

// ---------------------------------------------------------------------------
// Their converters.
// The list itself; the NULL-ref failure for an empty one.
ListSelf listSelf(VariantInfo const* info, Facts const& f) {
  ListSelf self{collectionOf(info), &f};
  self.collection.checked();
  return self;
}

template <>
struct Convert<ListSelf> {
  static kovo::Interned name(Context ctx) { return factsOf(ctx).self; }
  static char const* type(Context ctx) { return name(ctx).c_str(); }
  static ListSelf in(kovo::COSValue w, Context ctx) {
    Facts const& f = factsOf(ctx);
    return listSelf(liveIdentity(w, f.self), f);
  }
};

template <>
struct Convert<EditSelf> {
  static kovo::Interned name(Context ctx) { return factsOf(ctx).self; }
  static char const* type(Context ctx) { return name(ctx).c_str(); }
  static EditSelf in(kovo::COSValue w, Context ctx) {
    Facts const& f = factsOf(ctx);
    VariantInfo const* const info = liveIdentity(w, f.self);
    EditSelf self{listSelf(info, f)};
    if (info->immutable) OzoxbProperty::throwSetProhibitedException();  // listSelf refused a null one
    return self;
  }
};

template <>
struct Convert<ElementArgument> {
  static kovo::Interned name(Context ctx) { return elementHostName(factsOf(ctx)); }
  static char const* type(Context ctx) { return elementHostType(factsOf(ctx)); }
  static ElementArgument in(kovo::COSValue w, Context ctx) { return {elementArg(factsOf(ctx), w)}; }
};

template <>
struct Convert<Item> {
  static kovo::Interned name(Context ctx) { return elementHostName(factsOf(ctx)); }
  static char const* type(Context ctx) { return elementHostType(factsOf(ctx)); }
  static kovo::COSValue out(Item const& item, Context ctx) { return elementResult(factsOf(ctx), item.value); }
};

// A sequence's cursors are of its iterator class; a cursor's copies of its own.
template <>
struct Convert<CursorRef> {
  static kovo::Interned name(Context ctx) {
    Facts const& f = factsOf(ctx);
    return f.shape->role == SequenceRole::Sequence ? f.partner : f.self;
  }
  static char const* type(Context ctx) { return name(ctx).c_str(); }
  static CursorRef in(kovo::COSValue w, Context ctx) {
    Facts const& f = factsOf(ctx);
    CursorRef c;
    c.existing = cursorOf(liveIdentity(w, f.self));
    c.existing.checked();
    c.collection = c.existing.get()->fCollection;
    c.at = c.existing.get()->fPosition;
    return c;
  }
  static kovo::COSValue out(CursorRef const& c, Context ctx) {
    Facts const& f = factsOf(ctx);
    kovo::Interned const cls = f.shape->role == SequenceRole::Sequence ? f.partner : f.self;
    return returnCursor(c.collection, c.at, cls, !f.shape->modifiable);
  }
};

template <>
struct Convert<OtherList> {
  static kovo::Interned name(Context ctx) { return factsOf(ctx).self; }
  static char const* type(Context ctx) { return name(ctx).c_str(); }
  static OtherList in(kovo::COSValue w, Context ctx) { return {collectionOf(boundIdentity(w, factsOf(ctx).self))}; }
};

template <>
struct Convert<OtherCursor> {
  static kovo::Interned name(Context ctx) { return factsOf(ctx).self; }
  static char const* type(Context ctx) { return name(ctx).c_str(); }
  static OtherCursor in(kovo::COSValue w, Context ctx) { return {cursorOf(boundIdentity(w, factsOf(ctx).self))}; }
};

namespace {

// ---------------------------------------------------------------------------
// The builder.

// Declares the class named `prefix` + `shortName` in `package` a superclass
// of `cls` when the host has it (the sequence of an element superclass may
// live in another package that does not publish it).
void addSuperclassIfKnown(kovo::COSClass* cls, std::string_view package, std::string_view prefix,
                          std::string_view shortName) {
  thread_local std::string name;
  name.assign(package);
  if (!name.empty()) name += '.';
  name.append(prefix).append(shortName);
  if (name == cls->getName().view()) return;
  if (kovo::COSClass const* base = kovo::COSClass::find(name)) cls->addSuperclass(base->getName(), 1, 0, 1);
}

class SequenceClassInfo final : public ClassMetaData {
 public:
  SequenceClassInfo(kovo::Interned description, Facts const& facts)
      : ClassMetaData(FullName{facts.self}, description), fFacts(facts) {}

  void initializeClass(kovo::COSClass* cls, kovo::COSClient*) override {
    kovo::factory::detail::initStringDataTypes();
    if (fFacts.shape->role == SequenceRole::Sequence)
      declareSequenceSuperclasses(cls);
    else
      declareIteratorSuperclasses(cls);
    addMethods(cls, fFacts.shape->methods, &fFacts);
    if (!fFacts.shape->moreMethods.empty()) addMethods(cls, fFacts.shape->moreMethods, &fFacts);
  }

  kovo::SequenceProtocol sequenceProtocol() const override { return {fFacts.shape->access, &fFacts}; }

 private:
  // Any view of a collection fits where "ImmutableSequenceOfImmutableX" is
  // expected (Sequences.hpp, addSequenceClass).
  void declareSequenceSuperclasses(kovo::COSClass* cls) const {
    SequenceShape const& shape = *fFacts.shape;
    std::string_view const prefix = shape.modifiable
                                        ? (shape.immutableElements ? "SequenceOfImmutable" : "SequenceOf")
                                        : (shape.immutableElements ? "ImmutableSequenceOfImmutable"
                                                                   : "ImmutableSequenceOf");
    for (kovo::Interned base : fFacts.bases) addSuperclassIfKnown(cls, packageOf(base.view()), prefix, shortOf(base.view()));
    std::string_view const self = fFacts.self.view();
    if (shape.modifiable) {
      addSuperclassIfKnown(cls, packageOf(self), "Immutable", shortOf(self));
    } else if (shape.kind == ElementKind::Ref && !shape.immutableElements) {
      addSuperclassIfKnown(cls, packageOf(self), "ImmutableSequenceOfImmutable", shortOf(fFacts.element.view()));
    }
  }

  void declareIteratorSuperclasses(kovo::COSClass* cls) const {
    static constexpr std::string_view kSuffix = "Iterator";
    std::string_view const name = fFacts.self.view();
    if (!fFacts.shape->modifiable || !name.ends_with(kSuffix)) return;
    addSuperclassIfKnown(cls, packageOf(name), shortOf(name.substr(0, name.size() - kSuffix.size())),
                         "ImmutableIterator");
  }

  Facts fFacts;
};
static_assert(sizeof(SequenceFacts) == 5 * sizeof(void*));

// ---------------------------------------------------------------------------
// The runtime's shapes: sequences of model objects or primitives and their
// cursors, over SequenceMethods<ElementList>.
constexpr SequenceShape sequenceShape(ElementKind kind, bool modifiable, bool immutableElements) {
  return {SequenceRole::Sequence, modifiable, immutableElements, kind, Methods::reads,
          modifiable ? std::span<MethodRow const>(Methods::edits) : std::span<MethodRow const>(),
          modifiable ? &Methods::access : &Methods::readAccess};
}

constexpr SequenceShape iteratorShape(ElementKind kind, bool modifiable, bool immutableElements) {
  return {SequenceRole::Iterator, modifiable, immutableElements, kind, Methods::cursor, {}};
}

// The eight classes over one model class, in the order they are added.
constexpr SequenceShape kElementShapes[] = {
    sequenceShape(ElementKind::Ref, true, false),  sequenceShape(ElementKind::Ref, true, true),
    sequenceShape(ElementKind::Ref, false, false), sequenceShape(ElementKind::Ref, false, true),
    iteratorShape(ElementKind::Ref, true, false),  iteratorShape(ElementKind::Ref, true, true),
    iteratorShape(ElementKind::Ref, false, false), iteratorShape(ElementKind::Ref, false, true),
};

struct PrimitiveShapes {
  char const* name;
  SequenceShape immutableSequence, sequence, iterator, immutableIterator;
};

constexpr PrimitiveShapes primitiveShapes(char const* name, ElementKind kind) {
  return {name, sequenceShape(kind, false, false), sequenceShape(kind, true, false), iteratorShape(kind, true, false),
          iteratorShape(kind, false, false)};
}

constexpr PrimitiveShapes kPrimitiveShapes[] = {
    primitiveShapes("String", ElementKind::String),
    primitiveShapes("Integer", ElementKind::Integer),
    primitiveShapes("Real", ElementKind::Real),
};

}  // namespace

void addSequenceClass(kovo::COSPackage* package, kovo::Interned description, SequenceFacts const& facts) {
  addToPackage(package, new SequenceClassInfo(description, facts));
}

void addElementCollections(kovo::COSPackage* package, std::string_view prefix, std::string_view modifiable,
                           std::string_view immutable, std::string_view base) {
  // Every name is interned once.
  struct Descriptions {
    kovo::Interned modifiableList = kovo::intern("A sequence whose values can be changed");
    kovo::Interned immutableList = kovo::intern("A sequence whose values cannot be changed");
    kovo::Interned modifiableIter = kovo::intern("An iterator for traversing a modifiable list");
    kovo::Interned immutableIter = kovo::intern("An iterator for traversing a non-modifiable list");
  };
  static Descriptions const d;
  auto const spelled = [prefix](std::string_view a, std::string_view b) { return kovo::intern({prefix, ".", a, b}); };
  kovo::Interned const x = spelled(modifiable, ""), ix = spelled(immutable, "");
  kovo::Interned const xIter = spelled(modifiable, "Iterator"), ixIter = spelled(immutable, "Iterator");
  kovo::Interned const xImmIter = spelled(modifiable, "ImmutableIterator");
  kovo::Interned const ixImmIter = spelled(immutable, "ImmutableIterator");
  kovo::Interned const baseId = kovo::intern(base);
  kovo::InternedList const bases = kovo::internList(&baseId, baseId.empty() ? 0 : 1);

  SequenceShape const* shape = kElementShapes;
  auto const add = [&](kovo::Interned self, kovo::Interned description, kovo::Interned partner,
                       kovo::Interned element, kovo::InternedList classBases) {
    addSequenceClass(package, description, {shape++, self, partner, element, classBases});
  };
  add(spelled("SequenceOf", modifiable), d.modifiableList, xIter, x, bases);
  add(spelled("SequenceOf", immutable), d.modifiableList, ixIter, ix, bases);
  add(spelled("ImmutableSequenceOf", modifiable), d.immutableList, xImmIter, x, bases);
  add(spelled("ImmutableSequenceOf", immutable), d.immutableList, ixImmIter, ix, bases);
  add(xIter, d.modifiableIter, {}, x, {});
  add(ixIter, d.immutableIter, {}, ix, {});
  add(xImmIter, d.modifiableIter, {}, x, {});
  add(ixImmIter, d.immutableIter, {}, ix, {});
}

void registerPrimitiveSequenceClasses(kovo::COSPackage* ozo) {
  if (ozo == nullptr) return;
  std::string_view const package = ozo->getName().view();
  for (PrimitiveShapes const& p : kPrimitiveShapes) {
    std::string_view const name = p.name;
    auto const full = [package](std::string_view before, std::string_view n, std::string_view after) {
      return kovo::intern({package, ".", before, n, after});
    };
    kovo::Interned const seq = full("SequenceOf", name, ""), iseq = full("ImmutableSequenceOf", name, "");
    kovo::Interned const it = full("", name, "Iterator"), iit = full("", name, "ImmutableIterator");
    addSequenceClass(ozo, kovo::intern({"A sequence of ", name, " whose values cannot be changed"}),
                     {&p.immutableSequence, iseq, iit, {}, {}});
    addSequenceClass(ozo, kovo::intern({"A sequence of ", name, " whose values can be changed"}),
                     {&p.sequence, seq, it, {}, {}});
    addSequenceClass(ozo, kovo::intern({"An iterator for traversing a modifiable list of ", name}),
                     {&p.iterator, it, {}, {}, {}});
    addSequenceClass(ozo, kovo::intern({"An iterator for traversing a non-modifiable list of ", name}),
                     {&p.immutableIterator, iit, {}, {}, {}});
  }
}

}  // namespace Ozo::xb
