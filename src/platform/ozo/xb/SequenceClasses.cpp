// Sequence and iterator host classes over live many-valued properties.
//
// One class description serves all of them: what differs between "SequenceOfAxis",
// "ImmutableSequenceOfImmutableAxis", "Ozo.SequenceOfString" or "AxisIterator"
// is data (role, element kind, views, names), and the methods come from two
// tables of rows, one per role. Host positions are 1-based; the collections
// below are 0-based, and every position is checked here before anything is
// changed, so a refused call leaves the model as it was.
#include <xb/ClassInfo.hpp>
#include <xb/Marshal.hpp>
#include <xb/Property.hpp>
#include <xb/SequenceMethods.hpp>
#include <xb/Sequences.hpp>

#include <charconv>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

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

// ---------------------------------------------------------------------------
// Per-class facts.
enum class Role : std::uint8_t { Sequence, Iterator };
enum class ElementKind : std::uint8_t { Ref, Integer, Real, String };

struct Facts {
  Role role;
  ElementKind kind;
  bool modifiable;         // sequence: edit methods present; iterator: the modifiable cursor class
  bool immutableElements;  // view in which elements are handed out
  kovo::Interned self;       // the class's full name (the class's own, once initialised)
  kovo::Interned element;    // Ref elements: host class of the elements
  kovo::Interned iterator;   // sequences: class of the cursors of "begin" and "end"
  kovo::InternedList bases;  // sequences: modifiable element superclasses
};

kovo::Interned interned(char const* s) { return kovo::intern(s ? s : ""); }

// "a.b.C" splits into "a.b" and "C"; a name without a package has an empty one.
std::string_view packageOf(std::string_view fullName) {
  auto const dot = fullName.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : fullName.substr(0, dot);
}

std::string_view shortOf(std::string_view fullName) {
  auto const dot = fullName.rfind('.');
  return dot == std::string_view::npos ? fullName : fullName.substr(dot + 1);
}

std::string qualified(std::string_view package, std::string_view shortName) {
  std::string name(package);
  if (!name.empty()) name += '.';
  return name.append(shortName);
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
  switch (f.kind) {
    case ElementKind::Integer: return "int32 scalar";
    case ElementKind::Real: return "double scalar";
    case ElementKind::String: return "char vector";
    case ElementKind::Ref: break;
  }
  return f.element.c_str();
}

kovo::Interned elementHostName(Facts const& f) {
  return f.kind == ElementKind::Ref ? f.element : kovo::intern(elementHostType(f));
}

ImmutableObject elementArg(Facts const& f, COSValue word) {
  switch (f.kind) {
    case ElementKind::Integer: return Object(Integer(kovo::toInt32(word)));
    case ElementKind::Real: return Object(Real(kovo::toDouble(word)));
    case ElementKind::String: {
      kovo::HostArray const* array = kovo::toArray(word);
      bool const isText = array != nullptr && array->classID() == kovo::ClassID::Char;
      return Object(String(isText ? matrix::get_ustring(array) : std::u16string()));
    }
    case ElementKind::Ref: break;
  }
  return toHandle(word, f.element);
}

COSValue elementResult(Facts const& f, Object const& value) {
  switch (f.kind) {
    case ElementKind::Integer: return kovo::fromInt32(Integer(value).value());
    case ElementKind::Real: return kovo::fromDouble(Real(value).value());
    case ElementKind::String: return kovo::fromArray(kovo::HostArray::createString(String(value).text()));
    case ElementKind::Ref: break;
  }
  return returnObject(value, f.immutableElements, f.element.c_str());
}

// Model objects are the same element when they are the same object; values
// when their values are equal.
bool sameElement(Facts const& f, ImmutableObject const& a, ImmutableObject const& b) {
  switch (f.kind) {
    case ElementKind::Integer: return Integer(a) == Integer(b);
    case ElementKind::Real: return Real(a) == Real(b);
    case ElementKind::String: return String(a) == String(b);
    case ElementKind::Ref: break;
  }
  return a.get() == b.get();
}

std::string elementText(Facts const& f, ImmutableObject const& value) {
  switch (f.kind) {
    case ElementKind::Integer: return std::to_string(Integer(value).value());
    case ElementKind::Real: {
      char buffer[32];
      auto const result = std::to_chars(buffer, buffer + sizeof buffer, Real(value).value());
      return std::string(buffer, result.ptr);
    }
    case ElementKind::String: return '"' + String(value).utf8() + '"';
    case ElementKind::Ref: break;
  }
  // An entry into a model that is gone.
  return value.isValid() ? value.toString() : "null";
}

// ---------------------------------------------------------------------------
// What the calls of a sequence or cursor class work with.
Facts const& factsOf(Context ctx) { return *static_cast<Facts const*>(ctx.classData); }

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
    return f.role == Role::Sequence ? f.iterator : f.self;
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
    kovo::Interned const cls = f.role == Role::Sequence ? f.iterator : f.self;
    return returnCursor(c.collection, c.at, cls, !f.modifiable);
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

// Declares `name` a superclass when the host knows it.
// Declares the class named `prefix` + `shortName` in `package` a superclass
// of `cls` when the package has it (the sequence of an element superclass
// may live in another package that does not publish it).
void addSuperclassIfKnown(kovo::COSClass* cls, std::string_view package, std::string_view prefix,
                          std::string_view shortName) {
  thread_local std::string name;
  name.assign(package);
  if (!name.empty()) name += '.';
  name.append(prefix).append(shortName);
  if (name == cls->getName().view()) return;
  if (kovo::COSClass const* base = kovo::COSClass::find(name)) cls->addSuperclass(base->getName(), 1, 0, 1);
}

// ---------------------------------------------------------------------------
class CollectionClassInfo final : public ClassMetaData {
 public:
  CollectionClassInfo(std::string_view shortName, std::string_view description, Facts facts)
      : ClassMetaData(shortName, description), fFacts(facts) {}
  CollectionClassInfo(kovo::Interned shortName, kovo::Interned description, Facts facts)
      : ClassMetaData(shortName, description), fFacts(facts) {}
  CollectionClassInfo(FullName fullName, kovo::Interned description, Facts facts)
      : ClassMetaData(fullName, description), fFacts(facts) {}

  void initializeClass(kovo::COSClass* cls, kovo::COSClient*) override {
    if (fFacts.self.empty()) fFacts.self = cls->getName();
    kovo::factory::detail::initStringDataTypes();
    if (fFacts.role == Role::Sequence) {
      declareSequenceSuperclasses(cls);
      addMethods(cls, Methods::reads, &fFacts);
      if (fFacts.modifiable) addMethods(cls, Methods::edits, &fFacts);
    } else {
      declareIteratorSuperclasses(cls);
      addMethods(cls, Methods::cursor, &fFacts);
    }
  }

 private:
  // A sequence over X is a sequence over X's superclasses (same kind). Each
  // kind is also its read-only counterpart: a modifiable sequence is the
  // immutable sequence of the same elements, and an immutable sequence of
  // modifiable elements is the immutable sequence of immutable ones, so any
  // view of a collection fits where "ImmutableSequenceOfImmutableX" is expected.
  void declareSequenceSuperclasses(kovo::COSClass* cls) const {
    std::string_view const prefix = fFacts.modifiable
                                        ? (fFacts.immutableElements ? "SequenceOfImmutable" : "SequenceOf")
                                        : (fFacts.immutableElements ? "ImmutableSequenceOfImmutable"
                                                                    : "ImmutableSequenceOf");
    for (kovo::Interned base : fFacts.bases) addSuperclassIfKnown(cls, packageOf(base.view()), prefix, shortOf(base.view()));
    std::string_view const self = fFacts.self.view();
    if (fFacts.modifiable) {
      addSuperclassIfKnown(cls, packageOf(self), "Immutable", shortOf(self));
    } else if (fFacts.kind == ElementKind::Ref && !fFacts.immutableElements) {
      addSuperclassIfKnown(cls, packageOf(self), "ImmutableSequenceOfImmutable", shortOf(fFacts.element.view()));
    }
  }

  // "XIterator" is also an "XImmutableIterator".
  void declareIteratorSuperclasses(kovo::COSClass* cls) const {
    static constexpr std::string_view kSuffix = "Iterator";
    std::string_view const name = fFacts.self.view();
    if (!fFacts.modifiable || !name.ends_with(kSuffix)) return;
    addSuperclassIfKnown(cls, packageOf(name), shortOf(name.substr(0, name.size() - kSuffix.size())),
                         "ImmutableIterator");
  }

  Facts fFacts;
};

// A sequence of primitive values (the element sequences are made by
// addElementCollections).
kovo::COSClassInfo* createSequence(char const* shortName, char const* description, char const* fullName,
                                   char const* iteratorClass, bool modifiable, ElementKind kind) {
  Facts const facts{Role::Sequence, kind, modifiable, false, interned(fullName), {}, interned(iteratorClass), {}};
  return new CollectionClassInfo(shortName, description, facts);
}

kovo::COSClassInfo* createIterator(char const* shortName, char const* description, char const* fullName,
                                   bool modifiable, ElementKind kind) {
  Facts const facts{Role::Iterator, kind, modifiable, false, interned(fullName), {}, {}, {}};
  return new CollectionClassInfo(shortName, description, facts);
}

}  // namespace

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

  // Each class is named by its full name: the iterators' are the ones just
  // interned, and the class finds its own again when it joins the package.
  auto const add = [package](kovo::Interned fullName, kovo::Interned description, Facts const& facts) {
    addToPackage(package, new CollectionClassInfo(CollectionClassInfo::FullName{fullName}, description, facts));
  };
  constexpr auto kSeq = Role::Sequence;
  constexpr auto kIter = Role::Iterator;
  constexpr auto kRef = ElementKind::Ref;
  add(spelled("SequenceOf", modifiable), d.modifiableList, {kSeq, kRef, true, false, {}, x, xIter, bases});
  add(spelled("SequenceOf", immutable), d.modifiableList, {kSeq, kRef, true, true, {}, ix, ixIter, bases});
  add(spelled("ImmutableSequenceOf", modifiable), d.immutableList,
      {kSeq, kRef, false, false, {}, x, xImmIter, bases});
  add(spelled("ImmutableSequenceOf", immutable), d.immutableList,
      {kSeq, kRef, false, true, {}, ix, ixImmIter, bases});
  add(xIter, d.modifiableIter, {kIter, kRef, true, false, {}, x, {}, {}});
  add(ixIter, d.immutableIter, {kIter, kRef, true, true, {}, ix, {}, {}});
  add(xImmIter, d.modifiableIter, {kIter, kRef, false, false, {}, x, {}, {}});
  add(ixImmIter, d.immutableIter, {kIter, kRef, false, true, {}, ix, {}, {}});
}

void registerPrimitiveSequenceClasses(kovo::COSPackage* ozo) {
  if (ozo == nullptr) return;
  struct Primitive {
    char const* name;
    ElementKind kind;
  };
  static constexpr Primitive kPrimitives[] = {
      {"String", ElementKind::String}, {"Integer", ElementKind::Integer}, {"Real", ElementKind::Real}};
  std::string const package(ozo->getName().view());
  for (Primitive const& p : kPrimitives) {
    std::string const name(p.name);
    std::string const seq = "SequenceOf" + name, iseq = "ImmutableSequenceOf" + name;
    std::string const it = name + "Iterator", iit = name + "ImmutableIterator";
    std::string const seqDescription = "A sequence of " + name + " whose values ";
    std::string const itDescription = "An iterator for traversing a ";
    addToPackage(ozo, createSequence(iseq.c_str(), (seqDescription + "cannot be changed").c_str(),
                                     qualified(package, iseq).c_str(), qualified(package, iit).c_str(), false,
                                     p.kind));
    addToPackage(ozo, createSequence(seq.c_str(), (seqDescription + "can be changed").c_str(),
                                     qualified(package, seq).c_str(), qualified(package, it).c_str(), true, p.kind));
    addToPackage(ozo, createIterator(it.c_str(), (itDescription + "modifiable list of " + name).c_str(),
                                     qualified(package, it).c_str(), true, p.kind));
    addToPackage(ozo, createIterator(iit.c_str(), (itDescription + "non-modifiable list of " + name).c_str(),
                                     qualified(package, iit).c_str(), false, p.kind));
  }
}

}  // namespace Ozo::xb
