// Models as documents. Writing walks the model once (allContentsOf, each
// class's stored properties) into one buffer; reading is one streaming pass
// over the text that makes elements and sets values as they come, keeping
// only element references for a second pass once every element exists. A
// document that fails anywhere leaves nothing behind: the new model is not
// in the model cache until the end, and dropping it takes every element made
// so far with it.
#include <Ozo/Contents.hpp>
#include <Ozo/Document.hpp>
#include <Ozo/Internal.hpp>
#include <Ozo/Library.hpp>
#include <kovo/Text.hpp>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <map>
#include <optional>
#include <stdexcept>
#include <unordered_map>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The JSON library reports a broken internal expectation by throwing, never
// by ending the process.
#define RAPIDJSON_ASSERT(x) \
  do {                      \
    if (!(x)) throw std::logic_error("JSON library check failed: " #x); \
  } while (0)
#include <rapidjson/error/en.h>
#include <rapidjson/reader.h>
#include <rapidjson/internal/dtoa.h>

namespace Ozo {

namespace {

using detail::ClassImpl;
using detail::ElementAccess;
using detail::PropertyImpl;
using meta::ValueKind;

constexpr char kFormat[] = "quillon-model";
constexpr std::int64_t kVersion = 1;

// ---------------------------------------------------------------------------
// Text.

// `text` as a JSON string: UTF-8, with the characters JSON requires escaped
// and every unpaired surrogate as its \u escape, so the text reads back
// exactly as it was.
void appendJsonString(std::string& out, std::u16string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  auto const escape = [&out](char16_t c) {
    char const e[6] = {'\\', 'u', kHex[(c >> 12) & 15], kHex[(c >> 8) & 15], kHex[(c >> 4) & 15], kHex[c & 15]};
    out.append(e, 6);
  };
  out.push_back('"');
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t const c = text[i];
    if (c == u'"' || c == u'\\') {
      out.push_back('\\');
      out.push_back(static_cast<char>(c));
    } else if (c == u'\n') {
      out += "\\n";
    } else if (c == u'\t') {
      out += "\\t";
    } else if (c == u'\r') {
      out += "\\r";
    } else if (c < 0x20) {
      escape(c);
    } else if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      char32_t const cp = 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
      ++i;
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      escape(c);  // unpaired
    } else {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  out.push_back('"');
}

// The JSON library decodes surrogate escapes only in pairs. Before it reads
// a text, each \u escape of an unpaired surrogate is rewritten in place as
// \u0000 (the same length, so every offset stays), and the list says, for
// each \u0000 escape of the text in order, what it stands for (0 for a real
// U+0000). Strings reach the reader in text order, so the n-th U+0000 it
// decodes is the n-th entry.
std::vector<char16_t> maskUnpairedSurrogates(std::string& text) {
  std::vector<char16_t> meanings;
  if (text.find('\\') == std::string::npos) return meanings;
  auto const hex4 = [&text](std::size_t at, unsigned& value) {
    if (at + 4 > text.size()) return false;
    auto const [end, ec] = std::from_chars(text.data() + at, text.data() + at + 4, value, 16);
    return ec == std::errc() && end == text.data() + at + 4;
  };
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char const c = text[i];
    if (!inString) {
      inString = c == '"';
      continue;
    }
    if (c == '"') {
      inString = false;
      continue;
    }
    if (c != '\\' || i + 1 >= text.size()) continue;
    if (text[i + 1] != 'u') {
      ++i;  // a two-character escape
      continue;
    }
    unsigned code = 0;
    if (!hex4(i + 2, code)) continue;  // the reader reports it
    if (code >= 0xD800 && code <= 0xDBFF) {
      unsigned low = 0;
      if (i + 7 < text.size() && text[i + 6] == '\\' && text[i + 7] == 'u' && hex4(i + 8, low) && low >= 0xDC00 &&
          low <= 0xDFFF) {
        i += 11;  // a pair
        continue;
      }
    }
    if (code == 0 || (code >= 0xD800 && code <= 0xDFFF)) {
      meanings.push_back(static_cast<char16_t>(code));
      std::memcpy(&text[i + 2], "0000", 4);
    }
    i += 5;
  }
  return meanings;
}

// ---------------------------------------------------------------------------
// Writing.

// A class's document names: made once per class, and again when a binding
// registers more host spellings. Meta classes are immortal, and so is this.
struct DocumentNames {
  std::uint64_t version = ~std::uint64_t{0};
  std::unordered_map<std::string_view, PropertyImpl const*> byName;
  std::vector<char const*> stored;
  std::vector<std::string> storedKeys;  // "\"Name\":", ready to write
  std::vector<int> storedIndex;         // by slot: the index in stored(), or -1
  std::string className;                // quoted
};

DocumentNames const& documentNames(ClassImpl const& cls);

// Writes the document straight into one text: every key is known ahead
// (the property names of each class, quoted once), so the writing is
// appending. Numbers as the JSON library formats them (shortest text that
// reads back exactly; reals always with a point or an exponent).
class DocumentWriter {
 public:
  explicit DocumentWriter(NSInterface::ModelIntf* model) : fModel(model) {}

  std::string write() {
    std::vector<ElementBase*> const all = allContentsOf(fModel);
    fOut.reserve(64 + 160 * all.size());
    fOut += "{\"format\":\"";
    fOut += kFormat;
    fOut += "\",\"version\":" + std::to_string(kVersion) + ",\"name\":";
    std::u16string const uri = kovo::utf8ToUtf16(fModel->name());
    appendJsonString(fOut, uri);
    fOut += ",\"uri\":";
    appendJsonString(fOut, uri);
    fOut += ",\"elements\":[";
    for (std::size_t i = 0; i < all.size(); ++i) {
      fOut += i == 0 ? "\n" : ",\n";
      element(*all[i]);
    }
    fOut += "\n]}\n";
    return std::move(fOut);
  }

 private:
  void whole(std::int64_t v) {
    char buffer[24];
    auto const r = std::to_chars(buffer, buffer + sizeof buffer, v);
    fOut.append(buffer, static_cast<std::size_t>(r.ptr - buffer));
  }

  void real(double d) {
    if (!std::isfinite(d)) {
      fOut += std::isnan(d) ? "\"NaN\"" : d > 0 ? "\"Infinity\"" : "\"-Infinity\"";
      return;
    }
    char buffer[32];
    char const* const end = rapidjson::internal::dtoa(d, buffer);
    fOut.append(buffer, static_cast<std::size_t>(end - buffer));
  }

  void text(std::string_view utf8) { appendJsonString(fOut, kovo::utf8ToUtf16(utf8)); }

  void element(ElementBase& e) {
    auto const& cls = static_cast<ClassImpl const&>(*e.classIntf());
    DocumentNames const& names = documentNames(cls);
    fOut += "{\"id\":";
    whole(e.id());
    fOut += ",\"class\":";
    fOut += names.className;
    fOut += ",\"properties\":{";
    // Stored values straight from the slots the element has used, in slot
    // order (the order of stored()): a property is written when it is set
    // (a list when it has items); a reference into a model that is gone
    // reads unset and is left out.
    bool first = true;
    for (detail::Slot const& used : ElementAccess::slots(e)) {
      int const k = names.storedIndex[used.number];
      if (k < 0) continue;
      PropertyImpl const& p = *cls.stored()[static_cast<std::size_t>(k)];
      if (p.isMany() ? !used.many() || used.many()->entries().empty() : !(used.set && used.value)) continue;
      if (!first) fOut += ',';
      first = false;
      fOut += names.storedKeys[static_cast<std::size_t>(k)];
      if (!p.isMany()) {
        value(p, used.value.get(), used.value.deviant());
        continue;
      }
      fOut += '[';
      bool firstItem = true;
      for (detail::Link const& item : used.many()->entries()) {
        if (!item) continue;
        if (!firstItem) fOut += ',';
        firstItem = false;
        value(p, item.get(), item.deviant());
      }
      fOut += ']';
    }
    fOut += "}}";
  }

  void value(PropertyImpl const& p, NSInterface::ObjectIntf* object, Deviant const& deviant) {
    ImmutableObject const v(object, deviant);
    switch (p.def().kind) {
      case ValueKind::Integer:
        return whole(Integer(v).value());
      case ValueKind::Real:
        return real(Real(v).value());
      case ValueKind::Boolean:
        fOut += Boolean(v).value() ? "true" : "false";
        return;
      case ValueKind::String:
        appendJsonString(fOut, String(v).text());
        return;
      case ValueKind::Element: {
        ElementBase* const target = ElementAccess::coreOf(object);
        if (!target) throw Exception("A model element was not made by this runtime: it cannot be saved");
        if (target->modelIntf() == fModel) return whole(target->id());
        fOut += "{\"model\":";
        text(target->modelIntf()->name());
        fOut += ",\"id\":";
        whole(target->id());
        fOut += '}';
        return;
      }
      case ValueKind::Value: {
        ValueCodec const* const codec = valueCodec(p.def().typeName ? p.def().typeName : "");
        if (!codec)
          throw Exception(std::string("No value type \"") + (p.def().typeName ? p.def().typeName : "") +
                          "\" is registered to save " + p.qualifiedName());
        ValueParts const parts = codec->split(v);
        if (parts.shape == ValueParts::Shape::Literal) return text(parts.literal);
        fOut += "{\"value\":";
        if (parts.shape == ValueParts::Shape::WholeAmount)
          whole(parts.whole);
        else
          real(parts.real);
        fOut += ",\"unit\":";
        text(parts.literal);
        fOut += '}';
        return;
      }
    }
  }

  NSInterface::ModelIntf* fModel;
  std::string fOut;
};

// ---------------------------------------------------------------------------
// Reading.

// A failure at a place in the text; the reader adds the source, line and column.
struct DocumentError {
  std::size_t offset;
  std::string message;
};

[[noreturn]] void fail(std::size_t offset, std::string message) { throw DocumentError{offset, std::move(message)}; }

std::string quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

// The stable name of the property a document calls `name`, and the property.
std::pair<char const*, PropertyImpl const*> namedProperty(ClassImpl const& cls, std::string_view name);

// One scalar of the text, as the reader gave it.
struct Scalar {
  enum class Type : std::uint8_t { Bool, Integer, Number, Text } type = Type::Bool;
  bool logical = false;
  std::int64_t integer = 0;  // Integer (and Number when it is whole and in range)
  bool integral = false;     // `integer` holds the number exactly
  double number = 0;
  std::u16string text;
  // The text as the document has it (UTF-8), while the reader's callback
  // runs; set for a class name, which is looked up as it stands.
  std::string_view raw;
  std::size_t offset = 0;

  char const* what() const {
    switch (type) {
      case Type::Bool: return "a boolean";
      case Type::Integer:
      case Type::Number: return "a number";
      case Type::Text: return "a string";
    }
    return "a value";
  }
};

// A two-key object inside a property: a reference into another model
// ("model", "id") or an amount ("value", "unit").
struct Pair {
  std::size_t offset = 0;
  std::optional<Scalar> model, id, value, unit;
};

// The elements of a document by id. Ids are mostly dense (a model numbers
// its elements from 1), so a table indexed by id serves them; an id far
// beyond the number of elements goes to a hashed table instead, so a file
// with a huge id costs no memory.
class ElementsById {
 public:
  ElementBase* find(std::uint32_t id) const {
    if (id < fDense.size()) return fDense[id];
    auto const it = fSparse.find(id);
    return it == fSparse.end() ? nullptr : it->second;
  }
  void add(std::uint32_t id, ElementBase* e) {
    ++fCount;
    if (id < fDense.size() || id <= 4 * fCount + 1024) {
      if (id >= fDense.size()) fDense.resize(std::max<std::size_t>(id + 1, 2 * fDense.size()), nullptr);
      fDense[id] = e;
    } else {
      fSparse.emplace(id, e);
    }
  }

 private:
  std::size_t fCount = 0;
  std::vector<ElementBase*> fDense;
  std::unordered_map<std::uint32_t, ElementBase*> fSparse;
};

struct PendingReference {
  ElementBase* owner;
  PropertyImpl const* property;
  char const* name;  // as the document gives it
  std::uint32_t ownerId;
  std::uint32_t id;
  std::string model;  // empty: the document's own model
  std::size_t offset;
};

// The streaming reader's handler: a small state machine over where in the
// document it is. Each container it enters is one frame; the document's
// shape allows six levels, so no text can nest the reader deeper than seven.
class DocumentReader {
 public:
  DocumentReader(std::vector<char16_t> nulMeanings, rapidjson::StringStream const& stream, std::string const& uri)
      : fNulMeanings(std::move(nulMeanings)), fStream(stream), fGivenUri(kovo::utf8ToUtf16(uri)) {}

  // --- the handler interface of the JSON library
  bool Null() { fail(at(), "null is not a value of a model document"); }
  bool Bool(bool b) {
    Scalar s = scalar(Scalar::Type::Bool);
    s.logical = b;
    return take(std::move(s));
  }
  bool Int(int i) { return Int64(i); }
  bool Uint(unsigned u) { return Int64(u); }
  bool Int64(std::int64_t i) {
    Scalar s = scalar(Scalar::Type::Integer);
    s.integer = i;
    s.integral = true;
    s.number = static_cast<double>(i);
    return take(std::move(s));
  }
  bool Uint64(std::uint64_t u) {
    Scalar s = scalar(Scalar::Type::Number);  // beyond every integer a model holds
    s.number = static_cast<double>(u);
    return take(std::move(s));
  }
  bool Double(double d) {
    Scalar s = scalar(Scalar::Type::Number);
    s.number = d;
    return take(std::move(s));
  }
  // Numbers come as their text and are read here, exactly: whole numbers as
  // such, the others as the nearest double (what the writer's shortest
  // form reads back as).
  bool RawNumber(char const* str, rapidjson::SizeType length, bool) {
    std::string_view const text(str, length);
    char const* const end = str + length;
    if (text.find_first_of(".eE") == std::string_view::npos) {
      std::int64_t whole = 0;
      auto const [ptr, ec] = std::from_chars(str, end, whole);
      if (ec == std::errc() && ptr == end) return Int64(whole);
    }
    double d = 0;
    auto const [ptr, ec] = std::from_chars(str, end, d);
    if (ec == std::errc::result_out_of_range) fail(at(), "the number " + std::string(text) + " is out of range");
    if (ec != std::errc() || ptr != end) fail(at(), "not valid JSON: a bad number");
    return Double(d);
  }
  bool String(char const* str, rapidjson::SizeType length, bool) {
    Scalar s = scalar(Scalar::Type::Text);
    if (frame() == Frame::Element && fKey == "class") {
      s.raw = std::string_view(str, length);
      fNulCursor += static_cast<std::size_t>(std::count(s.raw.begin(), s.raw.end(), '\0'));
    } else
      s.text = decode(std::string_view(str, length));
    return take(std::move(s));
  }
  bool Key(char const* str, rapidjson::SizeType length, bool) {
    std::string_view const key(str, length);
    fNulCursor += static_cast<std::size_t>(std::count(key.begin(), key.end(), '\0'));
    switch (frame()) {
      case Frame::Document: return documentKey(key);
      case Frame::Element: return elementKey(key);
      case Frame::Properties: return propertyKey(key);
      case Frame::Pair: return pairKey(key);
      default: fail(at(), "unexpected key");
    }
  }
  bool StartObject() {
    std::size_t const offset = at();
    switch (frame()) {
      case Frame::None:
        fFrames.push_back(Frame::Document);
        return true;
      case Frame::Elements:
        startElement(offset);
        fFrames.push_back(Frame::Element);
        return true;
      case Frame::Element:
        if (fKey != "properties") break;
        if (!fElement.core) fail(offset, "element " + std::to_string(fElement.id) + " has no class");
        fFrames.push_back(Frame::Properties);
        return true;
      case Frame::Properties:
      case Frame::List:
        if (!fProperty) break;
        fPair = Pair{offset, {}, {}, {}, {}};
        fFrames.push_back(Frame::Pair);
        return true;
      default:
        break;
    }
    fail(offset, "unexpected object" + where());
  }
  bool EndObject(rapidjson::SizeType) {
    Frame const f = frame();
    fFrames.pop_back();
    switch (f) {
      case Frame::Document:
        if (fDocumentKey != kDocumentKeys.size())
          fail(at(), "the document ends before its key " + quoted(kDocumentKeys[fDocumentKey]));
        return true;
      case Frame::Element:
        if (fElementKey != kElementKeys.size())
          fail(fElement.offset, "element " + std::to_string(fElement.id) + " has no key " +
                                    quoted(kElementKeys[fElementKey]));
        return true;
      case Frame::Properties:
        fKey.clear();
        return true;
      case Frame::Pair: {
        Pair pair = std::move(fPair);
        deliverPair(pair);
        if (frame() == Frame::Properties) fProperty = nullptr;
        return true;
      }
      default:
        return true;
    }
  }
  bool StartArray() {
    std::size_t const offset = at();
    if (frame() == Frame::Document && fKey == "elements") {
      fModel = NSInterface::FactoryIntf::createNewModel();
      fFrames.push_back(Frame::Elements);
      return true;
    }
    if (frame() == Frame::None) fail(offset, "this is not a model document: it is not a JSON object");
    if (frame() == Frame::Properties && fProperty) {
      if (!fProperty->isMany()) fail(offset, propertyText() + " takes a single value, not an array");
      if (fProperty->def().kind != ValueKind::Element) {
        Object const list = fElement.core->get(fProperty->declaring(), fProperty->id());
        fList = Collection<Object>(list);
      }
      fFrames.push_back(Frame::List);
      return true;
    }
    if (frame() == Frame::None) fail(offset, "this is not a model document: it is not a JSON object");
    fail(offset, "unexpected array" + where());
  }
  bool EndArray(rapidjson::SizeType) {
    Frame const f = frame();
    fFrames.pop_back();
    if (f == Frame::List) {
      fList = Collection<Object>();
      fProperty = nullptr;
    }
    return true;
  }

  // --- after the text is read
  // Sets every element reference, then gives the model its Uri.
  Model finish() {
    if (!fModel.isValid()) fail(0, "the document has no elements");
    std::map<std::string, std::unordered_map<std::uint32_t, ElementBase*>> otherModels;
    for (PendingReference const& r : fReferences) {
      ElementBase* const target = r.model.empty() ? resolveOwn(r) : resolveOther(r, otherModels);
      checkClass(r, target);
      if (r.property->def().composite) checkOwnership(r, target);
      ImmutableObject const value(target->self(), Deviant{});
      try {
        if (r.property->isMany()) {
          Collection<Object> const list(r.owner->get(r.property->declaring(), r.property->id()));
          list.insert(list.size(), Object::fromImmutable(value));
        } else {
          r.owner->set(r.property->declaring(), r.property->id(), value);
        }
      } catch (std::exception const& e) {
        fail(r.offset, "element " + std::to_string(r.ownerId) + ": " + e.what());
      }
      if (r.property->def().composite) fOwners[target] = r.ownerId;
    }
    std::string const uri = kovo::utf16ToUtf8(fUri);
    if (ModelCache::find(uri).isValid()) fail(fUriOffset, "a live model already has the Uri " + quoted(uri));
    ModelCache::instance().bindModel(Ozo::String(fUri), fModel);
    return std::move(fModel);
  }

 private:
  enum class Frame : std::uint8_t { None, Document, Elements, Element, Properties, List, Pair };
  static constexpr std::array<char const*, 5> kDocumentKeys{"format", "version", "name", "uri", "elements"};
  static constexpr std::array<char const*, 3> kElementKeys{"id", "class", "properties"};

  struct CurrentElement {
    ElementBase* core = nullptr;
    ClassImpl const* cls = nullptr;
    std::uint32_t id = 0;
    std::size_t offset = 0;
    std::vector<bool> given;  // by slot: a property the element already has from the text
  };

  Frame frame() const { return fFrames.empty() ? Frame::None : fFrames.back(); }
  std::size_t at() const { return fStream.Tell(); }

  Scalar scalar(Scalar::Type type) const {
    Scalar s;
    s.type = type;
    s.offset = at();
    return s;
  }

  std::string where() const {
    if (fProperty) return " in " + propertyText();
    if (fElement.core) return " in element " + std::to_string(fElement.id);
    return "";
  }
  std::string elementText() const { return "element " + std::to_string(fElement.id); }
  std::string propertyText() const {
    return elementText() + ": property " + quoted(fPropertyName) + " of " + fElement.cls->qualified();
  }

  // UTF-8 from the reader to the model's UTF-16, each U+0000 as the list says.
  std::u16string decode(std::string_view utf8) {
    std::u16string out(utf8.size(), u'\0');
    std::size_t n = 0;
    // ASCII without U+0000, the common case, a unit per byte.
    while (n < utf8.size() && static_cast<unsigned char>(utf8[n]) - 1u < 0x7Fu) {
      out[n] = static_cast<char16_t>(utf8[n]);
      ++n;
    }
    out.resize(n);
    utf8.remove_prefix(n);
    while (!utf8.empty()) {
      kovo::Utf8Char const c = kovo::decodeUtf8Char(utf8);
      if (c.length == 0) fail(at(), "the text is not valid UTF-8");
      utf8.remove_prefix(c.length);
      if (c.code == 0) {
        out.push_back(fNulCursor < fNulMeanings.size() ? fNulMeanings[fNulCursor] : u'\0');
        ++fNulCursor;
      } else if (c.code < 0x10000) {
        out.push_back(static_cast<char16_t>(c.code));
      } else {
        char32_t const v = c.code - 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
      }
    }
    return out;
  }

  // --- the document's own keys, in their one order
  bool documentKey(std::string_view key) {
    if (fDocumentKey >= kDocumentKeys.size()) fail(at(), "unknown key " + quoted(key) + " after \"elements\"");
    if (key != kDocumentKeys[fDocumentKey]) {
      if (fDocumentKey == 0) fail(at(), "this is not a model document: its first key is " + quoted(key) + ", not \"format\"");
      fail(at(), "expected the key " + quoted(kDocumentKeys[fDocumentKey]) + " here, found " + quoted(key));
    }
    ++fDocumentKey;
    fKey = key;
    return true;
  }

  void documentValue(Scalar const& s) {
    if (fKey == "format") {
      if (s.type != Scalar::Type::Text || s.text != u"quillon-model")
        fail(s.offset, "this is not a model document: its format is not \"quillon-model\"");
    } else if (fKey == "version") {
      if (s.type != Scalar::Type::Integer || s.integer < 1) fail(s.offset, "the version must be a whole number from 1");
      if (s.integer > kVersion)
        fail(s.offset, "the document has version " + std::to_string(s.integer) +
                           ", newer than this program reads (" + std::to_string(kVersion) + ")");
    } else if (fKey == "name") {
      if (s.type != Scalar::Type::Text) fail(s.offset, "the model's name must be a string");
    } else if (fKey == "uri") {
      if (s.type != Scalar::Type::Text || s.text.empty()) fail(s.offset, "the model's Uri must be a non-empty string");
      fDocumentUri = s.text;
      fUri = fGivenUri.empty() ? s.text : fGivenUri;
      fUriOffset = s.offset;
      std::string const uri = kovo::utf16ToUtf8(fUri);
      if (ModelCache::find(uri).isValid()) fail(s.offset, "a live model already has the Uri " + quoted(uri));
    } else {
      fail(s.offset, "\"elements\" must be an array");
    }
  }

  // --- elements
  void startElement(std::size_t offset) {
    fElement = CurrentElement{};
    fElement.offset = offset;
    fElementKey = 0;
    fProperty = nullptr;
  }

  bool elementKey(std::string_view key) {
    if (fElementKey >= kElementKeys.size() || key != kElementKeys[fElementKey]) {
      std::string const what = fElementKey == 0 ? "an element" : elementText();
      if (fElementKey >= kElementKeys.size()) fail(at(), what + " has an unknown key " + quoted(key));
      fail(at(), what + ": expected the key " + quoted(kElementKeys[fElementKey]) + " here, found " + quoted(key));
    }
    ++fElementKey;
    fKey = key;
    return true;
  }

  void elementValue(Scalar const& s) {
    if (fKey == "id") {
      if (s.type != Scalar::Type::Integer || s.integer < 1 || s.integer > std::numeric_limits<std::uint32_t>::max())
        fail(s.offset, "an element's id must be a whole number from 1 to 4294967295");
      fElement.id = static_cast<std::uint32_t>(s.integer);
      if (fById.find(fElement.id)) fail(s.offset, "the id " + std::to_string(fElement.id) + " is given twice");
    } else if (fKey == "class") {
      if (s.type != Scalar::Type::Text) fail(s.offset, elementText() + ": the class must be a string");
      std::string_view const name = s.raw;
      RegisteredClass const* const reg = registeredClass(name);
      if (!reg) fail(s.offset, elementText() + ": unknown class " + quoted(name));
      Object const made = [&] {
        try {
          return reg->create(fModel);
        } catch (std::exception const& e) {
          fail(s.offset, elementText() + ": " + e.what());
        }
      }();
      fElement.core = ElementAccess::coreOf(made.get());
      fElement.cls = static_cast<ClassImpl const*>(fElement.core->classIntf());
      fElement.given.assign(fElement.cls->slotCount(), false);
      detail::restoreId(fModel.get(), fElement.core, fElement.id);
      fById.add(fElement.id, fElement.core);
    } else {
      fail(s.offset, elementText() + ": \"properties\" must be an object");
    }
  }

  // --- properties
  bool propertyKey(std::string_view key) {
    std::size_t const offset = at();
    auto const [name, p] = namedProperty(*fElement.cls, key);
    if (!p) fail(offset, elementText() + ": " + fElement.cls->qualified() + " has no property " + quoted(key));
    fProperty = p;
    fPropertyName = name;
    if (p->isDerived() || p->isOwnerLink())
      fail(offset, propertyText() + (p->isOwnerLink() ? " is set by its owner's property and is not saved"
                                                       : " is derived and is not saved"));
    if (fElement.given[p->slot()]) fail(offset, propertyText() + " is given twice");
    fElement.given[p->slot()] = true;
    return true;
  }

  [[noreturn]] void wrongKind(std::size_t offset, std::string const& got) const {
    fail(offset, propertyText() + " takes " + expectedText() + ", got " + got);
  }

  std::string expectedText() const {
    switch (fProperty->def().kind) {
      case ValueKind::Integer: return "a whole number";
      case ValueKind::Real: return "a number";
      case ValueKind::Boolean: return "a boolean";
      case ValueKind::String: return "a string";
      case ValueKind::Element: return "an element id";
      case ValueKind::Value: break;
    }
    ValueCodec const* const codec = codecOf(0);
    return codec->shape == ValueParts::Shape::Literal ? "the name of a literal of " + std::string(codec->typeName)
                                                      : "an amount {\"value\": ..., \"unit\": ...}";
  }

  ValueCodec const* codecOf(std::size_t offset) const {
    char const* const type = fProperty->def().typeName ? fProperty->def().typeName : "";
    ValueCodec const* const codec = valueCodec(type);
    if (!codec) fail(offset, propertyText() + ": the value type " + quoted(type) + " is not registered");
    return codec;
  }

  static bool realOf(Scalar const& s, double& d) {
    if (s.type == Scalar::Type::Integer || s.type == Scalar::Type::Number) {
      d = s.number;
      return true;
    }
    if (s.type != Scalar::Type::Text) return false;
    if (s.text == u"NaN") d = std::numeric_limits<double>::quiet_NaN();
    else if (s.text == u"Infinity") d = std::numeric_limits<double>::infinity();
    else if (s.text == u"-Infinity") d = -std::numeric_limits<double>::infinity();
    else return false;
    return true;
  }

  static bool int32Of(Scalar const& s, std::int32_t& v) {
    if (s.type != Scalar::Type::Integer || s.integer < std::numeric_limits<std::int32_t>::min() ||
        s.integer > std::numeric_limits<std::int32_t>::max())
      return false;
    v = static_cast<std::int32_t>(s.integer);
    return true;
  }

  // A scalar where a value of the current property goes.
  void propertyValue(Scalar const& s) {
    if (fProperty->isMany() && frame() != Frame::List) fail(s.offset, propertyText() + " takes an array");
    switch (fProperty->def().kind) {
      case ValueKind::Integer: {
        std::int32_t v = 0;
        bool const whole = s.type == Scalar::Type::Integer ||
                           (s.type == Scalar::Type::Number && std::isfinite(s.number) && std::trunc(s.number) == s.number);
        if (!int32Of(s, v)) wrongKind(s.offset, whole ? "a number out of its range" : s.what());
        return store(Integer(v), s.offset);
      }
      case ValueKind::Real: {
        double d = 0;
        if (!realOf(s, d)) wrongKind(s.offset, s.what());
        return store(Real(d), s.offset);
      }
      case ValueKind::Boolean:
        if (s.type != Scalar::Type::Bool) wrongKind(s.offset, s.what());
        return store(Boolean(s.logical), s.offset);
      case ValueKind::String:
        if (s.type != Scalar::Type::Text) wrongKind(s.offset, s.what());
        return store(Ozo::String(s.text), s.offset);
      case ValueKind::Element:
        if (s.type != Scalar::Type::Integer || s.integer < 1 || s.integer > std::numeric_limits<std::uint32_t>::max())
          wrongKind(s.offset, s.what());
        fReferences.push_back(
            {fElement.core, fProperty, fPropertyName, fElement.id, static_cast<std::uint32_t>(s.integer), {}, s.offset});
        return;
      case ValueKind::Value: {
        ValueCodec const* const codec = codecOf(s.offset);
        if (codec->shape != ValueParts::Shape::Literal || s.type != Scalar::Type::Text) wrongKind(s.offset, s.what());
        ValueParts parts;
        parts.literal = kovo::utf16ToUtf8(s.text);
        return store(join(*codec, parts, s.offset), s.offset);
      }
    }
  }

  Object join(ValueCodec const& codec, ValueParts const& parts, std::size_t offset) const {
    try {
      return codec.join(parts);
    } catch (std::exception const& e) {
      fail(offset, propertyText() + ": " + e.what());
    }
  }

  // A value of the current property: the value of a single one, the next
  // item of a list.
  void store(Object const& v, std::size_t offset) {
    try {
      if (frame() == Frame::List)
        fList.insert(fList.size(), v);
      else
        fElement.core->set(fProperty->declaring(), fProperty->id(), v);
    } catch (std::exception const& e) {
      fail(offset, elementText() + ": " + e.what());
    }
  }

  // --- pairs
  bool pairKey(std::string_view key) {
    std::optional<Scalar>* field = key == "model" ? &fPair.model
                                   : key == "id"  ? &fPair.id
                                   : key == "value" ? &fPair.value
                                   : key == "unit"  ? &fPair.unit
                                                    : nullptr;
    if (!field) fail(at(), propertyText() + ": unknown key " + quoted(key));
    if (field->has_value()) fail(at(), propertyText() + ": the key " + quoted(key) + " is given twice");
    fPairField = field;
    return true;
  }

  void deliverPair(Pair& pair) {
    std::size_t const offset = pair.offset;
    if (fProperty->isMany() && frame() != Frame::List) fail(offset, propertyText() + " takes an array");
    ValueKind const kind = fProperty->def().kind;
    if (kind == ValueKind::Element) {
      if (!pair.model || !pair.id || pair.value || pair.unit)
        fail(offset, propertyText() + ": a reference into another model has the keys \"model\" and \"id\"");
      if (pair.model->type != Scalar::Type::Text || pair.model->text.empty())
        fail(pair.model->offset, propertyText() + ": the model must be a non-empty Uri");
      Scalar const& id = *pair.id;
      if (id.type != Scalar::Type::Integer || id.integer < 1 || id.integer > std::numeric_limits<std::uint32_t>::max())
        fail(id.offset, propertyText() + ": an element id must be a whole number from 1 to 4294967295");
      std::string model = pair.model->text == fDocumentUri ? std::string() : kovo::utf16ToUtf8(pair.model->text);
      fReferences.push_back({fElement.core, fProperty, fPropertyName, fElement.id,
                             static_cast<std::uint32_t>(id.integer), std::move(model), offset});
      return;
    }
    if (kind != ValueKind::Value) wrongKind(offset, "an object");
    ValueCodec const* const codec = codecOf(offset);
    if (codec->shape == ValueParts::Shape::Literal) wrongKind(offset, "an object");
    if (!pair.value || !pair.unit || pair.model || pair.id)
      fail(offset, propertyText() + ": an amount has the keys \"value\" and \"unit\"");
    ValueParts parts;
    parts.shape = codec->shape;
    if (pair.unit->type != Scalar::Type::Text) fail(pair.unit->offset, propertyText() + ": the unit must be a string");
    parts.literal = kovo::utf16ToUtf8(pair.unit->text);
    if (codec->shape == ValueParts::Shape::WholeAmount) {
      if (!int32Of(*pair.value, parts.whole))
        fail(pair.value->offset, propertyText() + ": the amount must be a whole number of 32 bits");
    } else if (!realOf(*pair.value, parts.real)) {
      fail(pair.value->offset, propertyText() + ": the amount must be a number");
    }
    store(join(*codec, parts, offset), offset);
  }

  // --- every scalar goes here
  bool take(Scalar s) {
    switch (frame()) {
      case Frame::Document:
        documentValue(s);
        return true;
      case Frame::Element:
        elementValue(s);
        return true;
      case Frame::Properties:
        if (!fProperty) break;
        propertyValue(s);
        fProperty = nullptr;
        return true;
      case Frame::List:
        propertyValue(s);
        return true;
      case Frame::Pair:
        if (!fPairField) break;
        *fPairField = std::move(s);
        fPairField = nullptr;
        return true;
      case Frame::None:
        fail(s.offset, "this is not a model document: it is not a JSON object");
      case Frame::Elements:
        fail(s.offset, "an element must be an object");
    }
    fail(s.offset, std::string("unexpected ") + s.what() + where());
  }

  // --- the second pass
  ElementBase* resolveOwn(PendingReference const& r) const {
    ElementBase* const found = fById.find(r.id);
    if (!found)
      fail(r.offset, "element " + std::to_string(r.ownerId) + ": property " + quoted(r.name) +
                         " refers to element " + std::to_string(r.id) + ", which is not in the document");
    return found;
  }

  static ElementBase* resolveOther(PendingReference const& r,
                                   std::map<std::string, std::unordered_map<std::uint32_t, ElementBase*>>& models) {
    std::string const prefix =
        "element " + std::to_string(r.ownerId) + ": property " + quoted(r.name) + " refers to ";
    auto it = models.find(r.model);
    if (it == models.end()) {
      ImmutableModel const other = ModelCache::find(r.model);
      if (!other.isValid())
        fail(r.offset, prefix + "model " + quoted(r.model) + ", which is not loaded (load that model first)");
      std::unordered_map<std::uint32_t, ElementBase*> index;
      for (ElementBase* e : detail::elementsOf(other.get())) index.emplace(e->id(), e);
      it = models.emplace(r.model, std::move(index)).first;
    }
    auto const found = it->second.find(r.id);
    if (found == it->second.end())
      fail(r.offset, prefix + "element " + std::to_string(r.id) + " of model " + quoted(r.model) +
                         ", which has no such element");
    return found->second;
  }

  static void checkClass(PendingReference const& r, ElementBase* target) {
    char const* const wanted = r.property->def().typeName;
    auto const& cls = static_cast<ClassImpl const&>(*target->classIntf());
    if (!wanted || cls.conformsToName(wanted)) return;
    fail(r.offset, "element " + std::to_string(r.ownerId) + ": property " + quoted(r.name) + " takes a " + wanted +
                       ", but element " + std::to_string(r.id) + " is a " + cls.qualified());
  }

  void checkOwnership(PendingReference const& r, ElementBase* target) const {
    std::string const owned = "element " + std::to_string(r.id);
    if (auto const it = fOwners.find(target); it != fOwners.end())
      fail(r.offset, owned + " is owned twice: by elements " + std::to_string(it->second) + " and " +
                         std::to_string(r.ownerId));
    for (ElementBase const* e = r.owner; e; e = e->containerCore())
      if (e == target)
        fail(r.offset, "ownership cycle: element " + std::to_string(r.ownerId) + " would own " + owned +
                           ", which owns it");
  }

  std::vector<char16_t> fNulMeanings;
  std::size_t fNulCursor = 0;
  rapidjson::StringStream const& fStream;

  std::vector<Frame> fFrames;
  std::size_t fDocumentKey = 0, fElementKey = 0;
  std::string fKey;
  std::u16string fGivenUri, fDocumentUri, fUri;
  std::size_t fUriOffset = 0;
  Model fModel;
  ElementsById fById;
  CurrentElement fElement;
  PropertyImpl const* fProperty = nullptr;
  char const* fPropertyName = "";
  Collection<Object> fList;
  Pair fPair;
  std::optional<Scalar>* fPairField = nullptr;
  std::vector<PendingReference> fReferences;
  std::unordered_map<ElementBase const*, std::uint32_t> fOwners;
};

// "file:3:14: message", line and column counted from 1 (columns in bytes).
std::string placed(std::string const& source, std::string_view text, std::size_t offset, std::string const& message) {
  offset = std::min(offset, text.size());
  std::size_t line = 1, lineStart = 0;
  for (std::size_t i = 0; i < offset; ++i)
    if (text[i] == '\n') {
      ++line;
      lineStart = i + 1;
    }
  return source + ":" + std::to_string(line) + ":" + std::to_string(offset - lineStart + 1) + ": " + message;
}

Model readDocument(std::string text, std::string const& source, std::string const& uri) {
  if (text.empty()) throw Exception(source + ": the file is empty");
  if (std::size_t const nul = text.find('\0'); nul != std::string::npos)
    throw Exception(placed(source, text, nul, "the text holds a NUL byte"));
  std::vector<char16_t> meanings = maskUnpairedSurrogates(text);
  rapidjson::StringStream stream(text.c_str());
  DocumentReader reader(std::move(meanings), stream, uri);
  rapidjson::Reader json;
  try {
    // Numbers as text: the library's own conversion is left out.
    constexpr unsigned kFlags = rapidjson::kParseIterativeFlag | rapidjson::kParseNumbersAsStringsFlag;
    rapidjson::ParseResult const result = json.Parse<kFlags>(stream, reader);
    if (result.IsError()) {
      std::string message = rapidjson::GetParseError_En(result.Code());
      if (!message.empty() && message.back() == '.') message.pop_back();
      message[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(message[0])));
      throw DocumentError{result.Offset(), "not valid JSON: " + message};
    }
    return reader.finish();
  } catch (DocumentError const& e) {
    throw Exception(placed(source, text, e.offset, e.message));
  }
}

// ---------------------------------------------------------------------------
// Files.

std::string systemError(int error) { return std::strerror(error); }

// Closes a descriptor on every path.
struct FileDescriptor {
  int fd = -1;
  ~FileDescriptor() {
    if (fd >= 0) ::close(fd);
  }
};

DocumentNames const& documentNames(ClassImpl const& cls) {
  static auto* const cache = new std::unordered_map<ClassImpl const*, DocumentNames>;
  DocumentNames& names = (*cache)[&cls];
  if (names.version == hostNamesVersion()) return names;
  names = DocumentNames{};
  // Statements of one slot share its value; the host spelling of any of
  // them names it (the most specific one that has one), else the most
  // specific statement's own name.
  unsigned const n = cls.slotCount();
  std::vector<char const*> spelled(n, nullptr), bySlot(n, nullptr);
  for (unsigned k = 0; k < n; ++k) {
    PropertyImpl const& p = cls.bySlot(k);
    char const* const host = hostNameOf(p.def());
    if (host != p.def().name) spelled[p.slot()] = host;
    bySlot[p.slot()] = p.def().name;
  }
  for (unsigned k = 0; k < n; ++k)
    if (spelled[k]) bySlot[k] = spelled[k];
  for (unsigned k = 0; k < n; ++k) names.byName[bySlot[cls.bySlot(k).slot()]] = &cls.bySlot(k);
  names.storedIndex.assign(n, -1);
  for (PropertyImpl const* p : cls.stored()) {
    names.storedIndex[p->slot()] = static_cast<int>(names.stored.size());
    names.stored.push_back(bySlot[p->slot()]);
    names.storedKeys.push_back(jsonString(kovo::utf8ToUtf16(bySlot[p->slot()])) + ":");
  }
  names.className = jsonString(kovo::utf8ToUtf16(cls.qualified()));
  names.version = hostNamesVersion();
  return names;
}

}  // namespace

std::vector<char const*> const& storedNames(detail::ClassImpl const& cls) { return documentNames(cls).stored; }

namespace {

std::pair<char const*, PropertyImpl const*> namedProperty(ClassImpl const& cls, std::string_view name) {
  auto const& byName = documentNames(cls).byName;
  auto const it = byName.find(name);
  return it == byName.end() ? std::pair<char const*, PropertyImpl const*>{"", nullptr}
                            : std::pair<char const*, PropertyImpl const*>{it->first.data(), it->second};
}

}  // namespace

detail::PropertyImpl const* propertyByName(detail::ClassImpl const& cls, std::string_view name) {
  return namedProperty(cls, name).second;
}

std::string jsonString(std::u16string_view text) {
  std::string out;
  appendJsonString(out, text);
  return out;
}

std::string toJson(ImmutableModel const& model) { return DocumentWriter(model.checkedModel()).write(); }

Model fromJson(std::string_view text, std::string const& source, std::string const& uri) {
  return readDocument(std::string(text), source, uri);
}

void saveModel(ImmutableModel const& model, std::string const& path) {
  std::string const text = toJson(model);
  std::string const what = "Cannot save " + quoted(path) + ": ";
  if (path.empty()) throw Exception("Cannot save: the path is empty");
  std::size_t const slash = path.rfind('/');
  std::string const folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  std::string temporary = path + ".XXXXXX";
  FileDescriptor file;
  file.fd = ::mkstemp(temporary.data());
  if (file.fd < 0) throw Exception(what + systemError(errno));
  auto const failWith = [&](int error) {
    ::unlink(temporary.c_str());
    throw Exception(what + systemError(error));
  };
  struct stat previous {};
  mode_t const mode = ::stat(path.c_str(), &previous) == 0 ? (previous.st_mode & 07777) : 0644;
  if (::fchmod(file.fd, mode) != 0) failWith(errno);
  for (std::size_t done = 0; done < text.size();) {
    ssize_t const n = ::write(file.fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) failWith(n < 0 ? errno : ENOSPC);
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(file.fd) != 0) failWith(errno);
  int const closed = ::close(std::exchange(file.fd, -1));
  if (closed != 0) failWith(errno);
  if (::rename(temporary.c_str(), path.c_str()) != 0) failWith(errno);
  // The rename itself reaches the disk with the folder.
  FileDescriptor dir;
  dir.fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir.fd >= 0) (void)::fsync(dir.fd);
}

Model loadModel(std::string const& path, std::string const& uri) {
  std::string const what = "Cannot load " + quoted(path) + ": ";
  FileDescriptor file;
  file.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file.fd < 0) throw Exception(what + systemError(errno));
  struct stat info {};
  if (::fstat(file.fd, &info) != 0) throw Exception(what + systemError(errno));
  if (S_ISDIR(info.st_mode)) throw Exception(what + "it is a folder");
  if (!S_ISREG(info.st_mode)) throw Exception(what + "it is not a regular file");
  std::string text;
  text.resize(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (done < text.size()) {
    ssize_t const n = ::read(file.fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw Exception(what + systemError(errno));
    if (n == 0) break;  // the file shrank while it was read
    done += static_cast<std::size_t>(n);
  }
  text.resize(done);
  return readDocument(std::move(text), path, uri);
}

}  // namespace Ozo
