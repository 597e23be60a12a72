// The method table: every host method of every binding is one constant row.
//
// A row names the method, its form and attributes and the argument names as
// registered; everything else follows from the C++ target's signature. The
// host data types come from the converters of the target's parameter and
// result types, so a row cannot disagree with the function it calls:
//
//   constexpr MethodRow kRows[] = {
//       staticMethod<&ImmutableAxis::MetaClass>("MetaClass"),
//       instanceMethod<&metaTypeOf<Ozo::ImmutableObject>>("getMetaType", kAttrInstanceOnly),
//       constructor<&Axis::create>(),
//   };
//   addMethods(cls, kRows, classData);
//
// There is one invoker per form and C++ signature: it converts the inputs
// with the converter family (Convert.hpp), calls the target kept in the
// method's binding, converts the result and sets the output count. Failures
// pass through unchanged.
#pragma once

#include <xb/Convert.hpp>

#include <kovo/Class.hpp>

#include <concepts>
#include <cstdint>
#include <span>
#include <tuple>
#include <type_traits>
#include <utility>

namespace Ozo::xb {

enum class Form : std::uint8_t {
  Static,       // no object; flag 0x8
  Instance,     // the object is input 0, typed by the signature's self type
  Explicit,     // the object is an ordinary first argument (flag 0x1000)
  Constructor,  // output 0 holds the host object under construction
  Function,     // a package function
};

// The host data type of a parameter or result, given the class data of the
// class being built (per-class facts such as a sequence's element class).
using TypeNameFn = kovo::Interned (*)(void const* classData);

struct MethodRow {
  char const* name;  // null for constructors: the class's own name is used
  Form form;
  std::int32_t attributes;
  char const* argumentNames;
  TypeNameFn result;
  TypeNameFn self;  // null: no self argument
  std::span<TypeNameFn const> arguments;
  kovo::factory::InvokerFn invoker;
  // Puts the target into the method's binding (function pointers cannot be
  // converted in a constant expression, so the row keeps this instead).
  void (*bindTarget)(kovo::factory::impl::Binding& binding);
};

// Builds each row's descriptor (flag rules of its form, signature, binding
// with `classData`) and hands it to the class being built, in order.
void addMethods(kovo::COSClass* cls, std::span<MethodRow const> rows, void const* classData = nullptr);
// Registers a row as a package function.
void addFunction(kovo::COSPackage* package, MethodRow const& row);

namespace detail {

// The glue a row points at (type names, invokers) is private to the library
// that builds the row: hidden, the module's tables bind to it when loaded,
// with no symbol lookup for each of the thousands of pointers.
#define OZO_XB_ROW_GLUE OZO_LIBRARY_LOCAL

template <class T>
using Bare = std::remove_cvref_t<T>;

// A converter whose type comes from the class data (a sequence's own class)
// names it already interned (`name`). Any other answers a text that lasts
// as long as the process, most often one type whatever the class being
// built: the first answer is kept with its id, another text is interned.
template <class T>
OZO_XB_ROW_GLUE kovo::Interned typeNameOf(void const* classData) {
  if constexpr (std::is_void_v<T>) {
    (void)classData;
    return kovo::Interned();  // "void"
  } else if constexpr (requires(Context c) { { Convert<Bare<T>>::name(c) } -> std::same_as<kovo::Interned>; }) {
    return Convert<Bare<T>>::name(Context{classData});
  } else {
    char const* const text = Convert<Bare<T>>::type(Context{classData});
    struct First {
      char const* text;
      kovo::Interned id;
    };
    static First const first{text, kovo::intern(text)};
    return text == first.text ? first.id : kovo::intern(text);
  }
}

template <class... A>
struct OZO_XB_ROW_GLUE TypeList {
  static constexpr TypeNameFn names[sizeof...(A) + 1] = {&typeNameOf<A>..., nullptr};
  static constexpr std::span<TypeNameFn const> span{names, sizeof...(A)};
};

// Converts the inputs in order, left to right, before anything is called.
template <class... A, std::size_t... I>
std::tuple<Bare<A>...> convertInputs(kovo::COSValue const* in, [[maybe_unused]] Context ctx,
                                     std::index_sequence<I...>) {
  return std::tuple<Bare<A>...>{Convert<Bare<A>>::in(in[I], ctx)...};
}

// Input count the host promised by the signature; a mismatch is the host's
// own error and never reaches a target.
void requireInputs(int given, std::size_t wanted);

// A target that takes the call's Context first (kWithContext) gets it before
// the converted inputs: one row that many classes share reaches the facts of
// its own class through the class data. The Context is not a host argument.
template <bool kWithContext, class R, class... A>
OZO_XB_ROW_GLUE void invokeCall(kovo::factory::impl::Binding const& b, kovo::COSValue* out, int nrhs, kovo::COSValue const* in) {
  requireInputs(nrhs, sizeof...(A));
  Context const ctx{b.data};
  auto args = convertInputs<A...>(in, ctx, std::index_sequence_for<A...>{});
  auto const target = [&](auto&&... a) -> R {
    if constexpr (kWithContext)
      return reinterpret_cast<R (*)(Context, A...)>(b.target)(ctx, std::forward<decltype(a)>(a)...);
    else
      return reinterpret_cast<R (*)(A...)>(b.target)(std::forward<decltype(a)>(a)...);
  };
  if constexpr (std::is_void_v<R>) {
    std::apply(target, std::move(args));
  } else {
    R const result = std::apply(target, std::move(args));
    out[0] = Convert<Bare<R>>::out(result, ctx);
  }
}

template <class R, class... A>
OZO_XB_ROW_GLUE void invoke(kovo::factory::impl::Binding const& b, kovo::COSClient*, int& nlhs, kovo::COSValue* out, int nrhs,
            kovo::COSValue const* in) {
  invokeCall<false, R, A...>(b, out, nrhs, in);
  fixOutputCount(nlhs);
}

// Constructors: the lookup on the object under construction, the creation,
// then the binding of the new object to that host object (one reference).
void touchConstructed(kovo::COSValue out0, kovo::Interned className);
void bindConstructed(ImmutableObject const& created, kovo::Interned className, kovo::COSValue out0);

template <class X, class... A>
OZO_XB_ROW_GLUE void invokeConstructor(kovo::factory::impl::Binding const& b, kovo::COSClient*, int& nlhs, kovo::COSValue* out,
                       int nrhs, kovo::COSValue const* in) {
  requireInputs(nrhs, sizeof...(A));
  Context const ctx{b.data};
  kovo::Interned const cls = typeNameOf<X>(b.data);
  touchConstructed(out[0], cls);
  auto args = convertInputs<A...>(in, ctx, std::index_sequence_for<A...>{});
  X const created = std::apply(reinterpret_cast<X (*)(A...)>(b.target), std::move(args));
  // Value classes bind a copy the host object owns; model objects bind their identity.
  if constexpr (requires { Convert<X>::bindConstructed(created, cls, out[0]); })
    Convert<X>::bindConstructed(created, cls, out[0]);
  else
    bindConstructed(ImmutableObject(created), cls, out[0]);
  fixOutputCount(nlhs);
}

template <class R, class... A>
OZO_XB_ROW_GLUE void invokeWithContext(kovo::factory::impl::Binding const& b, kovo::COSClient*, int& nlhs,
                                       kovo::COSValue* out, int nrhs, kovo::COSValue const* in) {
  invokeCall<true, R, A...>(b, out, nrhs, in);
  fixOutputCount(nlhs);
}

template <auto F>
struct Signature;
template <class R, class... A, R (*F)(A...)>
struct OZO_XB_ROW_GLUE Signature<F> {
  static void target(kovo::factory::impl::Binding& b) { b.target = reinterpret_cast<kovo::factory::GenericFn>(F); }

  static constexpr MethodRow row(char const* name, Form form, std::int32_t attributes, char const* argNames) {
    return {name, form, attributes, argNames, &typeNameOf<R>, nullptr, TypeList<A...>::span, &invoke<R, A...>,
            &target};
  }
  // Instance methods: the first parameter is the object.
  template <class Self, class... Rest>
  static constexpr MethodRow instanceRow(char const* name, std::int32_t attributes, char const* argNames) {
    return {name,
            Form::Instance,
            attributes,
            argNames,
            &typeNameOf<R>,
            &typeNameOf<Self>,
            TypeList<Rest...>::span,
            &invoke<R, Self, Rest...>,
            &target};
  }
  static constexpr MethodRow instance(char const* name, std::int32_t attributes, char const* argNames) {
    static_assert(sizeof...(A) >= 1, "an instance method takes its object first");
    return instanceRow<A...>(name, attributes, argNames);
  }
  static constexpr MethodRow constructor(std::int32_t attributes) {
    return {nullptr, Form::Constructor, attributes, "", &typeNameOf<R>, nullptr, TypeList<A...>::span,
            &invokeConstructor<R, A...>, &target};
  }
};
template <auto F>
struct ContextSignature;
template <class R, class... A, R (*F)(Context, A...)>
struct OZO_XB_ROW_GLUE ContextSignature<F> {
  static void target(kovo::factory::impl::Binding& b) { b.target = reinterpret_cast<kovo::factory::GenericFn>(F); }

  static constexpr MethodRow row(char const* name, Form form, std::int32_t attributes, char const* argNames) {
    return {name, form, attributes, argNames, &typeNameOf<R>, nullptr, TypeList<A...>::span,
            &invokeWithContext<R, A...>, &target};
  }
};

}  // namespace detail

// Rows. F is a plain function; its parameter and result types decide the
// host data types.
template <auto F>
constexpr MethodRow staticMethod(char const* name, std::int32_t attributes = 0, char const* argNames = "") {
  return detail::Signature<F>::row(name, Form::Static, attributes, argNames);
}
// A static method whose target takes the Context first: one row for many
// classes, each call reaching its own class's facts through the class data.
template <auto F>
constexpr MethodRow sharedStaticMethod(char const* name, std::int32_t attributes = 0, char const* argNames = "") {
  return detail::ContextSignature<F>::row(name, Form::Static, attributes, argNames);
}
template <auto F>
constexpr MethodRow instanceMethod(char const* name, std::int32_t attributes = 0, char const* argNames = "") {
  return detail::Signature<F>::instance(name, attributes, argNames);
}
// The method attribute that marks a row whose object is an ordinary first
// argument (the host's explicit flag), for rows that register it.
inline constexpr std::int32_t kAttrExplicit = static_cast<std::int32_t>(kovo::factory::kFlagExplicit);

template <auto F>
constexpr MethodRow explicitMethod(char const* name, std::int32_t attributes = 0, char const* argNames = "") {
  return detail::Signature<F>::row(name, Form::Explicit, attributes, argNames);
}
template <auto F>
constexpr MethodRow constructor(std::int32_t attributes = 0) {
  return detail::Signature<F>::constructor(attributes);
}
template <auto F>
constexpr MethodRow function(char const* name, std::int32_t attributes = 0, char const* argNames = "") {
  return detail::Signature<F>::row(name, Form::Function, attributes, argNames);
}

// Member functions as targets: a plain function that takes the object first.
template <auto M>
struct Member;
template <class R, class C, class... A, R (C::*M)(A...) const>
struct Member<M> {
  static R call(C const& self, A... args) { return (self.*M)(std::forward<A>(args)...); }
};
template <auto M>
inline constexpr auto member = &Member<M>::call;

}  // namespace Ozo::xb
