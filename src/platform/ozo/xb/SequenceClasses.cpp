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
constexpr char kListSource[] = "ozo/kernel/containers/sequence/list/ListQImplForPrimitives";
constexpr char kPositive[] = "sequence index must be positive";
constexpr char kOutOfBounds[] = "sequence index out of bounds";
constexpr char kEmpty[] = "sequence is empty";

// Line of each check in messages.
struct IndexChecks {
  int positive;
  int bounds;
};
constexpr IndexChecks kAtChecks{131, 132};
constexpr IndexChecks kInsertChecks{200, 201};
constexpr IndexChecks kEraseChecks{243, 244};
constexpr IndexChecks kReplaceChecks{309, 310};
constexpr int kFrontEmptyLine = 141;
constexpr int kBackEmptyLine = 150;
constexpr int kPopBackEmptyLine = 254;
constexpr int kPopFrontEmptyLine = 262;
constexpr int kItemBoundsLine = 441;
constexpr int kNextBoundsLine = 452;
constexpr IndexChecks kPrevChecks{461, 462};

// ---------------------------------------------------------------------------
// Per-class facts.
enum class Role : std::uint8_t { Sequence, Iterator };
enum class ElementKind : std::uint8_t { Ref, Integer, Real, String };

struct Facts {
  Role role;
  ElementKind kind;
  bool modifiable;         // sequence: edit methods present; iterator: the modifiable cursor class
  bool immutableElements;  // view in which elements are handed out
  std::string fullName;
  std::string elementClass;   // Ref elements: host class of the elements
  std::string iteratorClass;  // sequences: class of the cursors of "begin" and "end"
  BaseClassList bases;        // sequences: modifiable element superclasses
  kovo::Interned self;
  kovo::Interned element;
  kovo::Interned iterator;
};

std::string text(char const* s) { return s ? std::string(s) : std::string(); }

std::string packageOf(std::string const& fullName) {
  auto const dot = fullName.rfind('.');
  return dot == std::string::npos ? std::string() : fullName.substr(0, dot);
}

std::string shortOf(std::string const& fullName) {
  auto const dot = fullName.rfind('.');
  return dot == std::string::npos ? fullName : fullName.substr(dot + 1);
}

std::string qualified(std::string const& package, std::string const& shortName) {
  return package.empty() ? shortName : package + "." + shortName;
}

// The host object of a class of `cls` is found under any name (handle-bound),
// so asking under the class's own name is enough.
void* boundId(COSValue word, kovo::Interned cls) {
  kovo::HostArray const* array = kovo::toArray(word);
  if (array == nullptr || array->numel() == 0 || array->classID() != kovo::ClassID::Object) return nullptr;
  kovo::COSInterfacePtr const element = kovo::omGetArrayElement(array, 0);
  return element ? element->lookup(cls) : nullptr;
}

Handle<CollectionIntf> collectionOf(void* id) {
  VariantInfo const* info = DeviantRegistry::getVariantInfo(id);
  if (info == nullptr) return {};
  return Handle<CollectionIntf>(info->object->castTo<VisitationDomain, CollectionIntf>(), info->deviant);
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
class Cursor final : public NSInterface::ObjectIntf, public CountedObject {
 public:
  Cursor(Handle<CollectionIntf> collection, std::size_t position, kovo::Interned cls)
      : fCollection(std::move(collection)), fPosition(position), fClass(cls) {}

  ImmutableType getMetaType(Deviant const&) const override { return {}; }
  char const* getKovoName(bool) const override { return fClass.c_str(); }

  Handle<CollectionIntf> fCollection;
  std::size_t fPosition;
  kovo::Interned fClass;
};

Handle<Cursor> cursorOf(void* id) {
  VariantInfo const* info = DeviantRegistry::getVariantInfo(id);
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
  return f.elementClass.c_str();
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

// An element to store: an empty handle is refused before anything changes.
ImmutableObject storableArg(Facts const& f, COSValue word) {
  ImmutableObject value = elementArg(f, word);
  value.checked();
  return value;
}

COSValue elementResult(Facts const& f, Object const& value) {
  switch (f.kind) {
    case ElementKind::Integer: return kovo::fromInt32(Integer(value).value());
    case ElementKind::Real: return kovo::fromDouble(Real(value).value());
    case ElementKind::String: return kovo::fromArray(kovo::HostArray::createString(String(value).text()));
    case ElementKind::Ref: break;
  }
  return returnObject(value, f.immutableElements, f.elementClass.c_str());
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
// Calls.
struct Call {
  Facts const& facts;
  std::span<COSValue const> in;
  COSValue* out;

  COSValue arg(std::size_t i) const { return in[i]; }
  std::int32_t index(std::size_t i) const { return kovo::toInt32(in[i]); }
};

// The collection behind input 0 of a sequence method.
struct SequenceSelf {
  Handle<CollectionIntf> collection;
  void* id = nullptr;

  CollectionIntf& operator*() const { return *collection.get(); }
  CollectionIntf* operator->() const { return collection.get(); }
};

SequenceSelf sequenceSelf(Call const& c) {
  SequenceSelf self;
  self.id = boundId(c.arg(0), c.facts.self);
  kovo::factory::impl::validateSelfPointer(self.id);
  self.collection = collectionOf(self.id);
  self.collection.checked();
  return self;
}

// Edits go only through the modifiable view of a collection.
SequenceSelf editableSelf(Call const& c) {
  SequenceSelf self = sequenceSelf(c);
  if (DeviantRegistry::isImmutable(self.id)) OzoxbProperty::throwSetProhibitedException();
  return self;
}

// 1-based host index to a 0-based position; `allowEnd` admits size + 1 (insert).
std::size_t position(std::int32_t index, std::size_t size, IndexChecks lines, bool allowEnd = false) {
  OZO_ASSERT_AT(kListSource, lines.positive, index >= 1, "%s", kPositive);
  auto const i = static_cast<std::size_t>(index) - 1;
  OZO_ASSERT_AT(kListSource, lines.bounds, allowEnd ? i <= size : i < size, "%s", kOutOfBounds);
  return i;
}

void requireNonEmpty(CollectionIntf const& c, int line) {
  OZO_ASSERT_AT(kListSource, line, c.size() != 0, "%s", kEmpty);
}

// --- sequence methods ---------------------------------------------------------
void seqSize(Call& c) { c.out[0] = kovo::fromInt32(static_cast<std::int32_t>(sequenceSelf(c)->size())); }
void seqIsEmpty(Call& c) { c.out[0] = kovo::fromLogical(sequenceSelf(c)->size() == 0); }

void seqAt(Call& c) {
  auto const s = sequenceSelf(c);
  c.out[0] = elementResult(c.facts, s->at(position(c.index(1), s->size(), kAtChecks)));
}

void seqFront(Call& c) {
  auto const s = sequenceSelf(c);
  requireNonEmpty(*s, kFrontEmptyLine);
  c.out[0] = elementResult(c.facts, s->at(0));
}

void seqBack(Call& c) {
  auto const s = sequenceSelf(c);
  requireNonEmpty(*s, kBackEmptyLine);
  c.out[0] = elementResult(c.facts, s->at(s->size() - 1));
}

// A modifiable sequence hands out modifiable cursors, an immutable one immutable cursors.
void seqBegin(Call& c) {
  auto const s = sequenceSelf(c);
  c.out[0] = returnCursor(s.collection, 0, c.facts.iterator, !c.facts.modifiable);
}

void seqEnd(Call& c) {
  auto const s = sequenceSelf(c);
  c.out[0] = returnCursor(s.collection, s->size(), c.facts.iterator, !c.facts.modifiable);
}

void seqContains(Call& c) {
  auto const s = sequenceSelf(c);
  ImmutableObject const value = elementArg(c.facts, c.arg(1));
  bool found = false;
  for (std::size_t i = 0, n = s->size(); i < n && !found; ++i) found = sameElement(c.facts, s->at(i), value);
  c.out[0] = kovo::fromLogical(found);
}

bool sameCollection(Call const& c) {
  auto const s = sequenceSelf(c);
  Handle<CollectionIntf> const other = collectionOf(boundId(c.arg(1), c.facts.self));
  return other.get() == s.collection.get();
}
void seqEq(Call& c) { c.out[0] = kovo::fromLogical(sameCollection(c)); }
void seqNe(Call& c) { c.out[0] = kovo::fromLogical(!sameCollection(c)); }

void seqToString(Call& c) {
  auto const s = sequenceSelf(c);
  std::string t = "[";
  for (std::size_t i = 0, n = s->size(); i < n; ++i) {
    if (i != 0) t += ", ";
    t += elementText(c.facts, s->at(i));
  }
  t += ']';
  c.out[0] = kovo::fromArray(kovo::HostArray::createString(std::string_view(t)));
}

void seqPushBack(Call& c) {
  auto const s = editableSelf(c);
  ImmutableObject const value = storableArg(c.facts, c.arg(1));
  s->insert(s->size(), value);
}

void seqPushFront(Call& c) {
  auto const s = editableSelf(c);
  ImmutableObject const value = storableArg(c.facts, c.arg(1));
  s->insert(0, value);
}

void seqPopBack(Call& c) {
  auto const s = editableSelf(c);
  requireNonEmpty(*s, kPopBackEmptyLine);
  s->erase(s->size() - 1);
}

void seqPopFront(Call& c) {
  auto const s = editableSelf(c);
  requireNonEmpty(*s, kPopFrontEmptyLine);
  s->erase(0);
}

void seqInsert(Call& c) {
  auto const s = editableSelf(c);
  std::size_t const i = position(c.index(1), s->size(), kInsertChecks, true);
  ImmutableObject const value = storableArg(c.facts, c.arg(2));
  s->insert(i, value);
}

void seqErase(Call& c) {
  auto const s = editableSelf(c);
  s->erase(position(c.index(1), s->size(), kEraseChecks));
}

void seqReplace(Call& c) {
  auto const s = editableSelf(c);
  std::size_t const i = position(c.index(1), s->size(), kReplaceChecks);
  ImmutableObject const value = storableArg(c.facts, c.arg(2));
  s->replace(i, value);
}

void seqRemoveAll(Call& c) {
  auto const s = editableSelf(c);
  ImmutableObject const value = elementArg(c.facts, c.arg(1));
  std::vector<std::size_t> hits;
  for (std::size_t i = 0, n = s->size(); i < n; ++i) {
    if (sameElement(c.facts, s->at(i), value)) hits.push_back(i);
  }
  // From the back, so that the positions still to erase stay put.
  for (auto it = hits.rbegin(); it != hits.rend(); ++it) s->erase(*it);
  c.out[0] = kovo::fromInt32(static_cast<std::int32_t>(hits.size()));
}

void seqClear(Call& c) { editableSelf(c)->clear(); }

// --- iterator methods ---------------------------------------------------------
Handle<Cursor> iteratorSelf(Call const& c) {
  void* const id = boundId(c.arg(0), c.facts.self);
  kovo::factory::impl::validateSelfPointer(id);
  Handle<Cursor> cursor = cursorOf(id);
  cursor.checked();
  return cursor;
}

void itItem(Call& c) {
  auto const self = iteratorSelf(c);
  CollectionIntf const& collection = *self.get()->fCollection.get();
  std::size_t const at = self.get()->fPosition;
  OZO_ASSERT_AT(kListSource, kItemBoundsLine, at < collection.size(), "%s", kOutOfBounds);
  c.out[0] = elementResult(c.facts, collection.at(at));
}

void itGetNext(Call& c) {
  auto const self = iteratorSelf(c);
  Cursor& cursor = *self.get();
  OZO_ASSERT_AT(kListSource, kNextBoundsLine, cursor.fPosition < cursor.fCollection.get()->size(), "%s",
                kOutOfBounds);
  ++cursor.fPosition;
}

void itGetPrev(Call& c) {
  auto const self = iteratorSelf(c);
  Cursor& cursor = *self.get();
  OZO_ASSERT_AT(kListSource, kPrevChecks.positive, cursor.fPosition > 0, "%s", kPositive);
  OZO_ASSERT_AT(kListSource, kPrevChecks.bounds, cursor.fPosition <= cursor.fCollection.get()->size(), "%s",
                kOutOfBounds);
  --cursor.fPosition;
}

void itClone(Call& c) {
  auto const self = iteratorSelf(c);
  c.out[0] = returnCursor(self.get()->fCollection, self.get()->fPosition, c.facts.self, !c.facts.modifiable);
}

bool sameCursor(Call const& c) {
  auto const self = iteratorSelf(c);
  Handle<Cursor> const other = cursorOf(boundId(c.arg(1), c.facts.self));
  return other.isValid() && other.get()->fCollection.get() == self.get()->fCollection.get() &&
         other.get()->fPosition == self.get()->fPosition;
}
void itEq(Call& c) { c.out[0] = kovo::fromLogical(sameCursor(c)); }
void itNe(Call& c) { c.out[0] = kovo::fromLogical(!sameCursor(c)); }

// ---------------------------------------------------------------------------
// Method tables.
using Op = void (*)(Call&);
enum class HostType : std::uint8_t { Void, Int32, Logical, Text, Element, Iterator, Self };

struct MethodRow {
  char const* name;
  HostType result;
  std::vector<HostType> args;  // after self
  Op op;
  bool edits = false;  // only on modifiable sequences
};

std::vector<MethodRow> const& sequenceMethods() {
  using T = HostType;
  static std::vector<MethodRow> const rows = {
      {"size", T::Int32, {}, seqSize},
      {"isEmpty", T::Logical, {}, seqIsEmpty},
      {"at", T::Element, {T::Int32}, seqAt},
      {"front", T::Element, {}, seqFront},
      {"back", T::Element, {}, seqBack},
      {"begin", T::Iterator, {}, seqBegin},
      {"end", T::Iterator, {}, seqEnd},
      {"contains", T::Logical, {T::Element}, seqContains},
      {"eq", T::Logical, {T::Self}, seqEq},
      {"ne", T::Logical, {T::Self}, seqNe},
      {"toString", T::Text, {}, seqToString},
      {"append", T::Void, {T::Element}, seqPushBack, true},
      {"push_back", T::Void, {T::Element}, seqPushBack, true},
      {"push_front", T::Void, {T::Element}, seqPushFront, true},
      {"pop_back", T::Void, {}, seqPopBack, true},
      {"pop_front", T::Void, {}, seqPopFront, true},
      {"insert", T::Void, {T::Int32, T::Element}, seqInsert, true},
      {"erase", T::Void, {T::Int32}, seqErase, true},
      {"replace", T::Void, {T::Int32, T::Element}, seqReplace, true},
      {"removeAll", T::Int32, {T::Element}, seqRemoveAll, true},
      {"clear", T::Void, {}, seqClear, true},
  };
  return rows;
}

std::vector<MethodRow> const& iteratorMethods() {
  using T = HostType;
  static std::vector<MethodRow> const rows = {
      {"item", T::Element, {}, itItem},
      {"getNext", T::Void, {}, itGetNext},
      {"getPrev", T::Void, {}, itGetPrev},
      {"clone", T::Self, {}, itClone},
      {"eq", T::Logical, {T::Self}, itEq},
      {"ne", T::Logical, {T::Self}, itNe},
  };
  return rows;
}

char const* hostTypeName(HostType t, Facts const& f) {
  switch (t) {
    case HostType::Void: return "void";
    case HostType::Int32: return "int32 scalar";
    case HostType::Logical: return "logical scalar";
    case HostType::Text: return "char vector";
    case HostType::Element: return elementHostType(f);
    case HostType::Iterator: return f.iteratorClass.c_str();
    case HostType::Self: break;
  }
  return f.fullName.c_str();
}

// The one invoker: the binding carries the operation and the class facts.
void invoke(kovo::factory::impl::Binding const& binding, kovo::COSClient*, int& nlhs, COSValue* outputs, int nrhs,
            COSValue const* inputs) {
  Call call{*static_cast<Facts const*>(binding.data),
            std::span<COSValue const>(inputs, static_cast<std::size_t>(nrhs < 0 ? 0 : nrhs)), outputs};
  reinterpret_cast<Op>(binding.target)(call);
  fixOutputCount(nlhs);
}

void addMethod(kovo::COSClass* cls, MethodRow const& row, Facts const& facts) {
  std::unique_ptr<kovo::COSMethodInfo, kovo::HostDelete> method(
      new kovo::factory::impl::MethodImpl(row.name, kovo::factory::MethodAttributes{0}, ""));
  std::vector<char const*> argTypes;
  argTypes.reserve(row.args.size());
  for (HostType t : row.args) argTypes.push_back(hostTypeName(t, facts));
  kovo::factory::impl::Invoker::createSignature(*method, "", hostTypeName(row.result, facts),
                                                facts.fullName.c_str(), argTypes);
  method->flags() &= ~kovo::factory::kFlagExplicit;
  auto& binding = method->binding();
  binding.invoker = invoke;
  binding.target = reinterpret_cast<kovo::factory::GenericFn>(row.op);
  binding.adjustment = 0;
  binding.data = &facts;
  cls->addMethod(method.get());
  method.release();
}

// Declares `name` a superclass when the host knows it.
void addSuperclassIfKnown(kovo::COSClass* cls, std::string const& name) {
  if (name.empty() || name == cls->getName().view()) return;
  if (kovo::COSClass::find(std::string_view(name)) != nullptr) cls->addSuperclass(kovo::intern(name), 1, 0, 1);
}

// ---------------------------------------------------------------------------
class CollectionClassInfo final : public ClassMetaData {
 public:
  CollectionClassInfo(char const* shortName, char const* description, Facts facts)
      : ClassMetaData(text(shortName), text(description)), fFacts(std::move(facts)) {
    fFacts.self = kovo::intern(fFacts.fullName);
    fFacts.element = kovo::intern(fFacts.elementClass);
    fFacts.iterator = kovo::intern(fFacts.iteratorClass);
  }

  void initializeClass(kovo::COSClass* cls, kovo::COSClient*) override {
    kovo::factory::detail::initStringDataTypes();
    if (fFacts.role == Role::Sequence) {
      declareSequenceSuperclasses(cls);
      for (MethodRow const& row : sequenceMethods()) {
        if (!row.edits || fFacts.modifiable) addMethod(cls, row, fFacts);
      }
    } else {
      declareIteratorSuperclasses(cls);
      for (MethodRow const& row : iteratorMethods()) addMethod(cls, row, fFacts);
    }
  }

 private:
  // A sequence over X is a sequence over X's superclasses (same kind). Each
  // kind is also its read-only counterpart: a modifiable sequence is the
  // immutable sequence of the same elements, and an immutable sequence of
  // modifiable elements is the immutable sequence of immutable ones, so any
  // view of a collection fits where "ImmutableSequenceOfImmutableX" is expected.
  void declareSequenceSuperclasses(kovo::COSClass* cls) const {
    std::string const prefix = std::string(fFacts.modifiable ? "" : "Immutable") + "SequenceOf" +
                               (fFacts.immutableElements ? "Immutable" : "");
    for (std::string const& base : fFacts.bases) {
      addSuperclassIfKnown(cls, qualified(packageOf(base), prefix + shortOf(base)));
    }
    std::string const package = packageOf(fFacts.fullName);
    if (fFacts.modifiable) {
      addSuperclassIfKnown(cls, qualified(package, "Immutable" + shortOf(fFacts.fullName)));
    } else if (fFacts.kind == ElementKind::Ref && !fFacts.immutableElements) {
      addSuperclassIfKnown(cls, qualified(package, "ImmutableSequenceOfImmutable" + shortOf(fFacts.elementClass)));
    }
  }

  // "XIterator" is also an "XImmutableIterator".
  void declareIteratorSuperclasses(kovo::COSClass* cls) const {
    static constexpr std::string_view kSuffix = "Iterator";
    std::string const& name = fFacts.fullName;
    if (!fFacts.modifiable || !name.ends_with(kSuffix)) return;
    addSuperclassIfKnown(cls, name.substr(0, name.size() - kSuffix.size()) + "ImmutableIterator");
  }

  Facts fFacts;
};

kovo::COSClassInfo* createSequence(char const* shortName, char const* description, char const* fullName,
                                   char const* elementClass, char const* iteratorClass, BaseClassList const& bases,
                                   bool modifiable, bool immutableElements, ElementKind kind = ElementKind::Ref) {
  Facts facts{Role::Sequence, kind, modifiable, immutableElements, text(fullName), text(elementClass),
              text(iteratorClass), bases, {}, {}, {}};
  return new CollectionClassInfo(shortName, description, std::move(facts));
}

kovo::COSClassInfo* createIterator(char const* shortName, char const* description, char const* fullName,
                                   char const* elementClass, bool modifiable, bool immutableElements,
                                   ElementKind kind = ElementKind::Ref) {
  Facts facts{Role::Iterator, kind, modifiable, immutableElements, text(fullName), text(elementClass), {}, {}, {},
              {}, {}};
  return new CollectionClassInfo(shortName, description, std::move(facts));
}

// Hands a description to the package; the package owns it from then on.
void addToPackage(kovo::COSPackage* package, kovo::COSClassInfo* info) {
  std::unique_ptr<kovo::COSClassInfo, kovo::HostDelete> owned(info);
  package->addClass(owned.get(), 2);
  owned.release();
}

}  // namespace

// ---------------------------------------------------------------------------
kovo::COSClassInfo* createSequenceOfRefClassInfo(char const* shortName, char const* description, char const* fullName,
                                                 char const* elementClass, char const* iteratorClass,
                                                 BaseClassList const& bases) {
  return createSequence(shortName, description, fullName, elementClass, iteratorClass, bases, true, false);
}

kovo::COSClassInfo* createSequenceOfImmutableRefClassInfo(char const* shortName, char const* description,
                                                          char const* fullName, char const* elementClass,
                                                          char const* iteratorClass, BaseClassList const& bases) {
  return createSequence(shortName, description, fullName, elementClass, iteratorClass, bases, true, true);
}

kovo::COSClassInfo* createImmutableSequenceOfRefClassInfo(char const* shortName, char const* description,
                                                          char const* fullName, char const* elementClass,
                                                          char const* iteratorClass, BaseClassList const& bases) {
  return createSequence(shortName, description, fullName, elementClass, iteratorClass, bases, false, false);
}

kovo::COSClassInfo* createImmutableSequenceOfImmutableRefClassInfo(char const* shortName, char const* description,
                                                                   char const* fullName, char const* elementClass,
                                                                   char const* iteratorClass,
                                                                   BaseClassList const& bases) {
  return createSequence(shortName, description, fullName, elementClass, iteratorClass, bases, false, true);
}

kovo::COSClassInfo* createIteratorOfRefClassInfo(char const* shortName, char const* description, char const* fullName,
                                                 char const* elementClass) {
  return createIterator(shortName, description, fullName, elementClass, true, false);
}

kovo::COSClassInfo* createIteratorOfImmutableRefClassInfo(char const* shortName, char const* description,
                                                          char const* fullName, char const* elementClass) {
  return createIterator(shortName, description, fullName, elementClass, true, true);
}

kovo::COSClassInfo* createImmutableIteratorOfRefClassInfo(char const* shortName, char const* description,
                                                          char const* fullName, char const* elementClass) {
  return createIterator(shortName, description, fullName, elementClass, false, false);
}

kovo::COSClassInfo* createImmutableIteratorOfImmutableRefClassInfo(char const* shortName, char const* description,
                                                                   char const* fullName, char const* elementClass) {
  return createIterator(shortName, description, fullName, elementClass, false, true);
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
                                     qualified(package, iseq).c_str(), "", qualified(package, iit).c_str(), {},
                                     false, false, p.kind));
    addToPackage(ozo, createSequence(seq.c_str(), (seqDescription + "can be changed").c_str(),
                                     qualified(package, seq).c_str(), "", qualified(package, it).c_str(), {}, true,
                                     false, p.kind));
    addToPackage(ozo, createIterator(it.c_str(), (itDescription + "modifiable list of " + name).c_str(),
                                     qualified(package, it).c_str(), "", true, false, p.kind));
    addToPackage(ozo, createIterator(iit.c_str(), (itDescription + "non-modifiable list of " + name).c_str(),
                                     qualified(package, iit).c_str(), "", false, false, p.kind));
  }
}

}  // namespace Ozo::xb
