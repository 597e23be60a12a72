// Handles, boxed primitive values and text conversions.
#include <Ozo/Internal.hpp>
#include <kovo/Text.hpp>

#include <algorithm>
#include <cassert>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <string_view>
#include <type_traits>
#include <typeinfo>

namespace Ozo {

ImmutableModel NSInterface::ObjectIntf::getModel(Deviant const&) const { return {}; }

std::string NSInterface::ObjectIntf::toString(Deviant const&) const { return getKovoName(true); }

ImmutableType ImmutableObject::getMetaType() const { return checked()->getMetaType(fDeviant); }

std::string ImmutableObject::toString() const { return checked()->toString(fDeviant); }

// ---------------------------------------------------------------------------
// Integer, Real and Boolean travel in the deviant word of a handle to one
// immortal box per type, so boxing them never allocates.
namespace {

// The word a value travels in, and back.
template <class T>
std::uint64_t toWord(T v) {
  if constexpr (std::is_floating_point_v<T>) return std::bit_cast<std::uint64_t>(v);
  else return static_cast<std::uint64_t>(static_cast<std::int64_t>(v));
}
template <class T>
T fromWord(std::uint64_t w) {
  if constexpr (std::is_floating_point_v<T>) return std::bit_cast<T>(w);
  else if constexpr (std::is_same_v<T, bool>) return w != 0;
  else return static_cast<T>(w);
}

template <class T>
std::string valueText(T v) {
  if constexpr (std::is_same_v<T, bool>) {
    return v ? "true" : "false";
  } else if constexpr (std::is_floating_point_v<T>) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
  } else {
    return std::to_string(v);
  }
}

template <class Tag>
class PrimitiveBox final : public Immortal<NSInterface::ObjectIntf> {
 public:
  ImmutableType getMetaType(Deviant const&) const override { return detail::dataType(Tag::kName); }
  char const* getKovoName(bool immutable) const override {
    return immutable ? "Ozo.ImmutableObject" : "Ozo.Object";
  }
  std::string toString(Deviant const& d) const override {
    return valueText(fromWord<typename Tag::Value>(d.word));
  }
};

// Boxed text: a counted object per value, its UTF-16 units in the same
// block right after its count of units (in what would be the object's tail
// padding: a five-letter name fits a 48 B heap chunk instead of 64 B).
class StringBox final : public NSInterface::ObjectIntf {
 public:
  static StringBox* make(std::u16string_view text) {
    if (text.size() > kMaxUnits) throw std::length_error("text too long to box");
    void* const memory = ::operator new(std::max(sizeof(StringBox), kUnitsAt + text.size() * sizeof(char16_t)));
    auto* const box = ::new (memory) StringBox(static_cast<std::uint32_t>(text.size()));
    std::copy(text.begin(), text.end(), box->units());
    assert(reinterpret_cast<char*>(&box->fSize + 1) == reinterpret_cast<char*>(box->units()));
    return box;
  }
  void operator delete(StringBox* box, std::destroying_delete_t) {
    box->~StringBox();
    ::operator delete(static_cast<void*>(box));
  }

  void addRef() override { ++fUseCount; }
  void release() override {
    if (--fUseCount == 0) delete this;
  }
  ImmutableType getMetaType(Deviant const&) const override { return detail::dataType("String"); }
  char const* getKovoName(bool immutable) const override {
    return immutable ? "Ozo.ImmutableObject" : "Ozo.Object";
  }
  std::string toString(Deviant const&) const override { return kovo::utf16ToUtf8(text()); }
  std::u16string_view text() const { return {const_cast<StringBox*>(this)->units(), fSize}; }

 private:
  static constexpr std::size_t kMaxUnits = 0xFFFFFFFFu;
  explicit StringBox(std::uint32_t size) : fSize(size) {}
  char16_t* units() { return reinterpret_cast<char16_t*>(reinterpret_cast<char*>(this) + kUnitsAt); }

  std::uint32_t fSize;

 public:
  // Where the units start: right after fSize, the one member after the base.
  static constexpr std::size_t kUnitsAt = sizeof(NSInterface::ObjectIntf) + sizeof(std::uint32_t);
};
static_assert(sizeof(StringBox) == sizeof(NSInterface::ObjectIntf) + 8 && StringBox::kUnitsAt % alignof(char16_t) == 0);

// Short text travels as Integers do, in the deviant word of a handle to one
// immortal box: up to seven units, each at most 0xFF (names such as "speed"
// or "x"), so that boxing it takes no heap. The word holds the count in its
// lowest byte and unit i in byte i + 1, by shifts: the same on any byte order.
struct ShortText {
  static constexpr std::size_t kMaxUnits = 7;
  static bool fits(std::u16string_view text) {
    return text.size() <= kMaxUnits && std::all_of(text.begin(), text.end(), [](char16_t u) { return u <= 0xFF; });
  }
  static std::uint64_t pack(std::u16string_view text) {
    std::uint64_t word = text.size();
    for (std::size_t i = 0; i < text.size(); ++i) word |= std::uint64_t{text[i]} << (8 * (i + 1));
    return word;
  }
  static std::u16string unpack(std::uint64_t word) {
    std::u16string text(static_cast<std::size_t>(word & 0xFF), u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char16_t>((word >> (8 * (i + 1))) & 0xFF);
    return text;
  }
};

class ShortStringBox final : public Immortal<NSInterface::ObjectIntf> {
 public:
  ImmutableType getMetaType(Deviant const&) const override { return detail::dataType("String"); }
  char const* getKovoName(bool immutable) const override {
    return immutable ? "Ozo.ImmutableObject" : "Ozo.Object";
  }
  std::string toString(Deviant const& d) const override { return kovo::utf16ToUtf8(ShortText::unpack(d.word)); }
};

}  // namespace

namespace detail {

// The boxes live in static storage and are never destroyed: handles to them
// may outlive other statics, and making one must not touch the heap.
template <class Tag>
NSInterface::ObjectIntf* box() {
  alignas(PrimitiveBox<Tag>) static unsigned char storage[sizeof(PrimitiveBox<Tag>)];
  static PrimitiveBox<Tag>* const instance = ::new (static_cast<void*>(storage)) PrimitiveBox<Tag>();
  return instance;
}

NSInterface::ObjectIntf* integerBox() { return box<IntegerTag>(); }
NSInterface::ObjectIntf* realBox() { return box<RealTag>(); }
NSInterface::ObjectIntf* booleanBox() { return box<BooleanTag>(); }
NSInterface::ObjectIntf* shortStringBox() {
  alignas(ShortStringBox) static unsigned char storage[sizeof(ShortStringBox)];
  static ShortStringBox* const instance = ::new (static_cast<void*>(storage)) ShortStringBox();
  return instance;
}
// StringBox is final: its exact type is the whole test.
bool isString(NSInterface::ObjectIntf* o) {
  return o && (o == shortStringBox() || typeid(*o) == typeid(StringBox));
}

std::string describeValue(ImmutableObject const& o) {
  if (!o.isValid()) return "an empty handle";
  ImmutableType const t = o.get()->getMetaType(o.deviant());
  NSInterface::TypeIntf* const type = t.type();
  return type ? type->qualifiedName() : std::string(o.get()->getKovoName(true));
}

}  // namespace detail

template <class Tag>
Boxed<Tag>::Boxed(ImmutableObject const& o) {
  if (o.checked() != detail::box<Tag>()) {
    std::string const got = detail::describeValue(o);
    OZO_FAIL_AT(detail::kObjectHeader, Tag::kLine, "Expected a value of type %s, got %s", Tag::kName, got.c_str());
  }
  fValue = fromWord<Value>(o.deviant().word);
}

template <class Tag>
Boxed<Tag>::operator Object() const {
  return Object(detail::box<Tag>(), Deviant{toWord(fValue)});
}

template class Boxed<detail::IntegerTag>;
template class Boxed<detail::RealTag>;
template class Boxed<detail::BooleanTag>;

String::String(std::string_view utf8) : fText(kovo::utf8ToUtf16(utf8)) {}

String::String(ImmutableObject const& o) {
  if (o.checked() == detail::shortStringBox()) {
    fText = ShortText::unpack(o.deviant().word);
    return;
  }
  auto* const box = dynamic_cast<StringBox*>(o.get());
  if (!box) {
    std::string const got = detail::describeValue(o);
    OZO_FAIL_AT(detail::kObjectHeader, 174, "Expected a value of type String, got %s", got.c_str());
  }
  fText = std::u16string(box->text());
}

String::operator Object() const {
  if (ShortText::fits(fText)) return Object(detail::shortStringBox(), Deviant{ShortText::pack(fText)});
  return Object(StringBox::make(fText), Deviant{});
}

std::string String::utf8() const { return kovo::utf16ToUtf8(fText); }

}  // namespace Ozo
