// The converter family: one converter per kind of C++ value that a method
// row can name, used by every row.
//
//   template <> struct Convert<T> {
//     static char const* type(Context);            // host data type name
//     static T in(kovo::COSValue, Context);         // input word -> value
//     static kovo::COSValue out(T const&, Context); // result -> output word
//   };
//
// A converter that only travels one way leaves the other out. The context
// carries the per-class data a row was registered with, for converters whose
// host type depends on the class (the elements of a sequence class). A
// converter may also name its type interned, and one whose type depends on
// the class does, so that describing a class interns nothing for it:
//     static kovo::Interned name(Context);
// The text `type` answers lives as long as the process.
#pragma once

#include <xb/Marshal.hpp>

#include <Ozo/Element.hpp>
#include <kovo/HostArray.hpp>
#include <kovo/Text.hpp>

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace ozo {
// The runtime's text for a value with more than one element where at most one fits.
char const* getTooManyElementsMessage();
}  // namespace ozo

namespace Ozo::xb {

struct Context {
  void const* classData = nullptr;
};

template <class T>
struct Convert;

// ---------------------------------------------------------------------------
// Scalars travel in the value word itself.
template <class T, class Word, kovo::COSValue (*ToWord)(Word), Word (*FromWord)(kovo::COSValue),
          char const* Name>
struct WordConvert {
  static char const* type(Context) { return Name; }
  static T in(kovo::COSValue w, Context) { return T(FromWord(w)); }
  static kovo::COSValue out(T const& v, Context) {
    if constexpr (std::is_arithmetic_v<T>)
      return ToWord(static_cast<Word>(v));
    else
      return ToWord(v.value());
  }
};

namespace names {
inline constexpr char kInt32[] = "int32 scalar";
inline constexpr char kDouble[] = "double scalar";
inline constexpr char kLogical[] = "logical scalar";
inline constexpr char kText[] = "char vector";
}  // namespace names

// A logical is any nonzero word.
inline bool logicalOf(kovo::COSValue w) { return w != 0; }

template <>
struct Convert<std::int32_t> : WordConvert<std::int32_t, std::int32_t, &kovo::fromInt32, &kovo::toInt32, names::kInt32> {};
template <>
struct Convert<Integer> : WordConvert<Integer, std::int32_t, &kovo::fromInt32, &kovo::toInt32, names::kInt32> {};
template <>
struct Convert<double> : WordConvert<double, double, &kovo::fromDouble, &kovo::toDouble, names::kDouble> {};
template <>
struct Convert<Real> : WordConvert<Real, double, &kovo::fromDouble, &kovo::toDouble, names::kDouble> {};
template <>
struct Convert<bool> : WordConvert<bool, bool, &kovo::fromLogical, &logicalOf, names::kLogical> {};
template <>
struct Convert<Boolean> : WordConvert<Boolean, bool, &kovo::fromLogical, &logicalOf, names::kLogical> {};

// ---------------------------------------------------------------------------
// Optional numbers and logicals: an empty array is absent, a 1-by-1 array a
// value; more than one element does not fit.
void requireAtMostOne(kovo::HostArray const& a);
kovo::COSValue absent(char const* type);

template <class T, char const* Name, kovo::ClassID Class, class Element, kovo::HostArray* (*Make)(Element)>
struct OptionalConvert {
  static char const* type(Context) { return Name; }
  static std::optional<T> in(kovo::COSValue w, Context) {
    kovo::HostArray const& a = *kovo::toArray(w);
    requireAtMostOne(a);
    if (a.numel() == 0) return std::nullopt;
    if constexpr (Class == kovo::ClassID::Int32)
      return T(a.int32s()[0]);
    else if constexpr (Class == kovo::ClassID::Double)
      return T(a.doubles()[0]);
    else
      return T(a.logicals()[0] != 0);
  }
  static kovo::COSValue out(std::optional<T> const& v, Context) {
    return v ? kovo::fromArray(Make(v->value())) : absent(Name);
  }
};

namespace names {
inline constexpr char kOptionalInt32[] = "ozoint32";
inline constexpr char kOptionalDouble[] = "ozodouble";
inline constexpr char kOptionalLogical[] = "ozological";
}  // namespace names

template <>
struct Convert<std::optional<Integer>>
    : OptionalConvert<Integer, names::kOptionalInt32, kovo::ClassID::Int32, std::int32_t,
                      &kovo::HostArray::createInt32> {};
template <>
struct Convert<std::optional<Real>>
    : OptionalConvert<Real, names::kOptionalDouble, kovo::ClassID::Double, double, &kovo::HostArray::createDouble> {};
template <>
struct Convert<std::optional<Boolean>>
    : OptionalConvert<Boolean, names::kOptionalLogical, kovo::ClassID::Logical, bool,
                      &kovo::HostArray::createLogical> {};

// ---------------------------------------------------------------------------
// Text: a character array, read as UTF-16. Anything that is not text (the
// host passes an empty numeric array for empty text) reads as empty.
std::u16string textOf(kovo::COSValue w);
kovo::COSValue textResult(std::u16string_view text);
kovo::COSValue textResult(std::string_view utf8);

template <>
struct Convert<String> {
  static char const* type(Context) { return names::kText; }
  static String in(kovo::COSValue w, Context) { return String(textOf(w)); }
  static kovo::COSValue out(String const& s, Context) { return textResult(std::u16string_view(s.text())); }
};
template <>
struct Convert<std::string> {
  static char const* type(Context) { return names::kText; }
  static kovo::COSValue out(std::string const& s, Context) { return textResult(std::string_view(s)); }
};
// Text typed "char" (any character array), read as UTF-8.
struct Chars {
  std::string utf8;
};
namespace names {
inline constexpr char kChars[] = "char";
}  // namespace names
template <>
struct Convert<Chars> {
  static char const* type(Context) { return names::kChars; }
  static Chars in(kovo::COSValue w, Context) { return {kovo::utf16ToUtf8(textOf(w))}; }
};

// ---------------------------------------------------------------------------
// Model objects. An input is looked up under the host class of the
// parameter (the bound pointer of a live host object, or an empty handle for
// an empty array); a result goes back through the object-return routine in
// the view of the result type, named by the object's own host class.

// Checks that an object input is a live bound host object and gives its
// identity (null for an empty handle), or converts it to a handle.
VariantInfo const* identityInput(kovo::COSValue w, kovo::Interned cls);
ImmutableObject objectInput(kovo::COSValue w, kovo::Interned cls);

// The interned host name of a converter's fixed type name, found once.
template <char const* Name>
kovo::Interned internedConstant() {
  static kovo::Interned const id = internedName(Name);
  return id;
}

template <class H, bool Immutable, char const* Name>
struct HandleConvert {
  static char const* type(Context) { return Name; }
  static H in(kovo::COSValue w, Context) {
    ImmutableObject const o = objectInput(w, internedConstant<Name>());
    return H(o.get(), o.deviant());
  }
  static kovo::COSValue out(H const& h, Context) { return returnObject(ImmutableObject(h), Immutable, Name); }
};

namespace names {
inline constexpr char kImmutableObject[] = "Ozo.ImmutableObject";
inline constexpr char kObject[] = "Ozo.Object";
inline constexpr char kImmutableType[] = "Ozo.ImmutableType";
inline constexpr char kImmutableDataType[] = "Ozo.ImmutableDataType";
inline constexpr char kImmutableClass[] = "Ozo.ImmutableClass";
inline constexpr char kImmutablePackage[] = "Ozo.ImmutablePackage";
inline constexpr char kImmutableProperty[] = "Ozo.ImmutableProperty";
inline constexpr char kImmutableModel[] = "Ozo.ImmutableModel";
inline constexpr char kModel[] = "Ozo.Model";
}  // namespace names

template <>
struct Convert<ImmutableObject> : HandleConvert<ImmutableObject, true, names::kImmutableObject> {};
template <>
struct Convert<Object> : HandleConvert<Object, false, names::kObject> {};
template <>
struct Convert<ImmutableType> : HandleConvert<ImmutableType, true, names::kImmutableType> {};
template <>
struct Convert<ImmutableDataType> : HandleConvert<ImmutableDataType, true, names::kImmutableDataType> {};
template <>
struct Convert<ImmutableClass> : HandleConvert<ImmutableClass, true, names::kImmutableClass> {};
template <>
struct Convert<ImmutablePackage> : HandleConvert<ImmutablePackage, true, names::kImmutablePackage> {};
template <>
struct Convert<ImmutableProperty> : HandleConvert<ImmutableProperty, true, names::kImmutableProperty> {};

// Models: an object that is not a model converts to an empty model handle.
template <class M, bool Immutable, char const* Name>
struct ModelConvert {
  static char const* type(Context) { return Name; }
  static M in(kovo::COSValue w, Context) {
    return handleOf<M, NSInterface::ModelIntf>(identityInput(w, internedConstant<Name>()));
  }
  static kovo::COSValue out(M const& m, Context) {
    return returnObject(ImmutableObject(m.get(), m.deviant()), Immutable, Name);
  }
};
template <>
struct Convert<ImmutableModel> : ModelConvert<ImmutableModel, true, names::kImmutableModel> {};
template <>
struct Convert<Model> : ModelConvert<Model, false, names::kModel> {};

// Typed element handles of any model class: the host class is the class's
// full host name in the handle's view ("Zorvan.metamodel.types.ImmutableAxis"
// for ImmutableAxis, "Zorvan.metamodel.types.Axis" for Axis); an input is
// looked up under that name and cast to the class's interface.
template <class H>
concept ElementHandle = TypedHandle<H> && requires { H::Intf::sClassDef; };

// A modifiable handle converts to a modifiable object by its own operator.
template <class H>
concept ModifiableHandle = requires(H const& h) { h.operator Object(); };

kovo::Interned elementHostName(meta::ClassDef const& def, bool immutable);

template <ElementHandle H>
struct OZO_LIBRARY_LOCAL Convert<H> {
  static constexpr bool kImmutable = !ModifiableHandle<H>;
  static kovo::Interned name(Context = {}) {
    static kovo::Interned const n = elementHostName(H::Intf::sClassDef, kImmutable);
    return n;
  }
  static char const* type(Context) { return name().c_str(); }
  static H in(kovo::COSValue w, Context) {
    VariantInfo const* const info = identityInput(w, name());
    if (info == nullptr) return H();
    using Intf = typename H::Intf;
    Intf* const p = info->object->template castTo<typename Intf::Domain, Intf>();
    return p ? H(p, info->deviant) : H();
  }
  static kovo::COSValue out(H const& h, Context ctx) {
    return returnObject(ImmutableObject(h.get(), h.deviant()), kImmutable, type(ctx));
  }
};

// Lists of primitive values, as results: the immutable sequence class of
// their element type.
template <class T>
struct ListName;
template <>
struct ListName<Integer> {
  static constexpr char name[] = "Ozo.ImmutableSequenceOfInteger";
};
template <>
struct ListName<Real> {
  static constexpr char name[] = "Ozo.ImmutableSequenceOfReal";
};
template <>
struct ListName<String> {
  static constexpr char name[] = "Ozo.ImmutableSequenceOfString";
};
template <class T>
  requires requires { ListName<T>::name; }
struct Convert<Collection<T>> {
  static char const* type(Context) { return ListName<T>::name; }
  static kovo::COSValue out(Collection<T> const& list, Context) {
    return returnObject(ImmutableObject(list.get(), list.deviant()), true, ListName<T>::name);
  }
};

// An object that the call will change: refused through an immutable view
// before anything else happens.
template <class H>
struct Writable {
  H handle;
};
void refuseImmutableView(kovo::COSValue w, kovo::Interned cls);

template <class H>
struct Convert<Writable<H>> {
  static char const* type(Context ctx) { return Convert<H>::type(ctx); }
  static Writable<H> in(kovo::COSValue w, Context ctx) {
    H h = Convert<H>::in(w, ctx);
    refuseImmutableView(w, internedName(type(ctx)));
    return {std::move(h)};
  }
};

}  // namespace Ozo::xb
