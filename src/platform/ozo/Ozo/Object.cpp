// Handles, boxed primitive values and text conversions.
#include <Ozo/Internal.hpp>
#include <kovo/Text.hpp>

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

String::String(std::string_view utf8) : fText(kovo::utf8ToUtf16(utf8)) {}

String::String(ImmutableObject const& o) {
  auto* const box = dynamic_cast<StringBox*>(o.checked());
  if (!box) {
    std::string const got = detail::describeValue(o);
    OZO_FAIL_AT(detail::kObjectHeader, 174, "Expected a value of type String, got %s", got.c_str());
  }
  fText = box->text();
}

String::operator Object() const { return Object(new StringBox(fText), Deviant{}); }

std::string String::utf8() const { return kovo::utf16ToUtf8(fText); }

}  // namespace Ozo
