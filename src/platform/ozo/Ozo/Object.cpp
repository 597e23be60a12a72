// Handles, boxed primitive values and text conversions.
#include <Ozo/Internal.hpp>

#include <bit>
#include <cstdio>
#include <new>

namespace Ozo {

ImmutableModel NSInterface::ObjectIntf::getModel(Deviant const&) const { return {}; }

std::string NSInterface::ObjectIntf::toString(Deviant const&) const { return getKovoName(true); }

ImmutableType ImmutableObject::getMetaType() const { return checked()->getMetaType(fDeviant); }

std::string ImmutableObject::toString() const { return checked()->toString(fDeviant); }

// ---------------------------------------------------------------------------
// Integer, Real and Boolean travel in the deviant word of a handle to one
// immortal box per type, so boxing them never allocates.
namespace {

enum class BoxKind { Integer, Real, Boolean };

class PrimitiveBox final : public detail::ImmortalObject<NSInterface::ObjectIntf> {
 public:
  explicit PrimitiveBox(BoxKind kind) : ReferenceCountingIntf(ReferenceCountingIntf::Immortal{}), fKind(kind) {}
  ImmutableType getMetaType(Deviant const&) const override { return detail::dataType(typeName()); }
  char const* getKovoName(bool immutable) const override {
    return immutable ? "Ozo.ImmutableObject" : "Ozo.Object";
  }
  std::string toString(Deviant const& d) const override {
    switch (fKind) {
      case BoxKind::Integer:
        return std::to_string(static_cast<std::int32_t>(d.word));
      case BoxKind::Boolean:
        return d.word ? "true" : "false";
      case BoxKind::Real:
        break;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", std::bit_cast<double>(d.word));
    return text;
  }
  char const* typeName() const {
    switch (fKind) {
      case BoxKind::Integer:
        return "Integer";
      case BoxKind::Real:
        return "Real";
      case BoxKind::Boolean:
        break;
    }
    return "Boolean";
  }

 private:
  BoxKind fKind;
};

// Boxed text: a counted object per value.
class StringBox final : public CountedObject, public NSInterface::ObjectIntf {
 public:
  explicit StringBox(std::u16string text) : fText(std::move(text)) {}
  ImmutableType getMetaType(Deviant const&) const override { return detail::dataType("String"); }
  char const* getKovoName(bool immutable) const override {
    return immutable ? "Ozo.ImmutableObject" : "Ozo.Object";
  }
  std::string toString(Deviant const&) const override { return String(fText).utf8(); }
  std::u16string const& text() const { return fText; }

 private:
  std::u16string fText;
};

// The boxed word, after checking that `o` is a box of the expected type.
std::uint64_t unboxWord(ImmutableObject const& o, NSInterface::ObjectIntf* box, char const* type, int line) {
  if (o.checked() != box) {
    std::string const got = detail::describeValue(o);
    OZO_FAIL_AT(detail::kObjectHeader, line, "Expected a value of type %s, got %s", type, got.c_str());
  }
  return o.deviant().word;
}

Deviant word(std::uint64_t w) { return Deviant{w}; }

}  // namespace

namespace detail {

// The boxes live in static storage and are never destroyed: handles to them
// may outlive other statics, and making one must not touch the heap.
template <BoxKind Kind>
NSInterface::ObjectIntf* box() {
  alignas(PrimitiveBox) static unsigned char storage[sizeof(PrimitiveBox)];
  static PrimitiveBox* const instance = ::new (static_cast<void*>(storage)) PrimitiveBox(Kind);
  return instance;
}

NSInterface::ObjectIntf* integerBox() { return box<BoxKind::Integer>(); }
NSInterface::ObjectIntf* realBox() { return box<BoxKind::Real>(); }
NSInterface::ObjectIntf* booleanBox() { return box<BoxKind::Boolean>(); }
bool isString(NSInterface::ObjectIntf* o) { return dynamic_cast<StringBox*>(o) != nullptr; }

std::string describeValue(ImmutableObject const& o) {
  if (!o.isValid()) return "an empty handle";
  ImmutableType const t = o.get()->getMetaType(o.deviant());
  NSInterface::TypeIntf* const type = t.type();
  return type ? type->qualifiedName() : std::string(o.get()->getKovoName(true));
}

}  // namespace detail

Integer::Integer(ImmutableObject const& o)
    : fValue(static_cast<std::int32_t>(unboxWord(o, detail::integerBox(), "Integer", 141))) {}
Integer::operator Object() const {
  return Object(detail::integerBox(), word(static_cast<std::uint64_t>(static_cast<std::int64_t>(fValue))));
}

Real::Real(ImmutableObject const& o)
    : fValue(std::bit_cast<double>(unboxWord(o, detail::realBox(), "Real", 152))) {}
Real::operator Object() const { return Object(detail::realBox(), word(std::bit_cast<std::uint64_t>(fValue))); }

Boolean::Boolean(ImmutableObject const& o)
    : fValue(unboxWord(o, detail::booleanBox(), "Boolean", 163) != 0) {}
Boolean::operator Object() const { return Object(detail::booleanBox(), word(fValue ? 1 : 0)); }

// ---------------------------------------------------------------------------
// Text. Invalid input never fails: bad UTF-8 sequences and lone surrogates
// become U+FFFD.
namespace {

void appendUtf16(std::u16string& out, char32_t c) {
  if (c >= 0x10000) {
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(c));
  }
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

constexpr char32_t kReplacement = 0xFFFD;

}  // namespace

std::u16string toUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    auto const b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out.push_back(b);
      ++i;
      continue;
    }
    unsigned len = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b < 0xE0 ? 2 : 0;
    char32_t c = len == 4 ? b & 0x07 : len == 3 ? b & 0x0F : b & 0x1F;
    bool ok = len != 0 && i + len <= utf8.size();
    for (unsigned k = 1; ok && k < len; ++k) {
      auto const cb = static_cast<unsigned char>(utf8[i + k]);
      ok = (cb & 0xC0) == 0x80;
      c = (c << 6) | (cb & 0x3F);
    }
    // Overlong forms, surrogates and values beyond U+10FFFF are invalid.
    ok = ok && !(len == 3 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))) && !(len == 4 && (c < 0x10000 || c > 0x10FFFF));
    if (!ok) {
      out.push_back(static_cast<char16_t>(kReplacement));
      ++i;
      continue;
    }
    appendUtf16(out, c);
    i += len;
  }
  return out;
}

std::string toUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
    }
    appendUtf8(out, c);
  }
  return out;
}

String::String(std::string_view utf8) : fText(toUtf16(utf8)) {}

String::String(ImmutableObject const& o) {
  auto* const box = dynamic_cast<StringBox*>(o.checked());
  if (!box) {
    std::string const got = detail::describeValue(o);
    OZO_FAIL_AT(detail::kObjectHeader, 174, "Expected a value of type String, got %s", got.c_str());
  }
  fText = box->text();
}

String::operator Object() const { return Object(new StringBox(fText), Deviant{}); }

std::string String::utf8() const { return toUtf8(fText); }

}  // namespace Ozo
