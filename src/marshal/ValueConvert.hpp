// How the package's value types travel between the host and the module: one
// converter per kind, used by every row that names the type.
#pragma once

#include <types/Types.hpp>
#include <xb/Convert.hpp>
#include <xb/Marshal.hpp>

#include <concepts>
#include <memory>
#include <string>
#include <type_traits>

namespace Zorvan::metamodel::types::xb {

// "Zorvan.metamodel.types.CompuMethodCategory", made once per type.
template <class V>
char const* hostClassName() {
  static std::string const name = std::string(kPackageName) + "." + V::name;
  return name.c_str();
}

// A value taken from the host, with whether the host gave one (an empty
// array gives none). Value-typed properties store nothing for an absent value.
template <class V>
struct Given {
  V value;
  bool present;
};

}  // namespace Zorvan::metamodel::types::xb

namespace Ozo::xb {

// Enumerations. An input is element 0 of the host array, bound to the value's
// model object; an empty array is the literal of code 0 (absent). A result is
// the model object announced as a modifiable object under the enumeration's
// host class, so a code is one host object while that object lives.
template <class Traits>
struct Convert<Zorvan::metamodel::types::xb::Given<Zorvan::metamodel::types::EnumValue<Traits>>> {
  using E = Zorvan::metamodel::types::EnumValue<Traits>;
  static char const* type(Context) { return Zorvan::metamodel::types::xb::hostClassName<E>(); }
  static Zorvan::metamodel::types::xb::Given<E> in(kovo::COSValue w, Context ctx) {
    ImmutableObject const o = objectInput(w, internedName(type(ctx)));
    if (!o.isValid()) return {E(0), false};
    return {E(o), true};
  }
};

template <class Traits>
struct Convert<Zorvan::metamodel::types::EnumValue<Traits>> {
  using E = Zorvan::metamodel::types::EnumValue<Traits>;
  using Taken = Convert<Zorvan::metamodel::types::xb::Given<E>>;
  static char const* type(Context ctx) { return Taken::type(ctx); }
  static E in(kovo::COSValue w, Context ctx) { return Taken::in(w, ctx).value; }
  static kovo::COSValue out(E const& v, Context ctx) {
    static kovo::Interned const cls = internedName(type(ctx));
    return returnObject(ImmutableObject(Object(v)), cls, false);
  }
};

}  // namespace Ozo::xb

namespace Zorvan::metamodel::types::xb {

template <class V>
concept StructuredValue = std::same_as<V, DataSize> || std::same_as<V, Time>;

// The value a host object of V's class holds (not a copy); null for an empty
// array. More than one value does not fit.
template <StructuredValue V>
V* heldValue(kovo::COSValue w) {
  kovo::HostArray const* a = kovo::toArray(w);
  std::size_t const n = a ? a->numel() : 0;
  OZO_ASSERT_AT("ozo_xb/marshal/DataTypeMarshaling", 42, n <= 1, "%s", "Parameter must be an empty matrix or a scalar ");
  return static_cast<V*>(Ozo::xb::boundPointer(w, Ozo::xb::internedName(hostClassName<V>())));
}

// The object of an instance method or accessor: a live value, never empty
// (an empty one fails as every empty handle does).
template <class V>
  requires StructuredValue<std::remove_const_t<V>>
V* selfValue(V* p) {
  kovo::factory::impl::validateSelfPointer(p);
  OZO_ASSERT_AT("ozo/Ozo/Object_h", 83, p != nullptr, "%s", Ozo::kNullRefMessage);
  return p;
}

}  // namespace Zorvan::metamodel::types::xb

namespace Ozo::xb {

// DataSize and Time. The object of an instance method or accessor is the
// value its host object holds (V*, never empty); another argument may be
// empty (V const*, null). A result is a new host object holding its own copy,
// not kept in the binding registry, so no two host values share one.
template <Zorvan::metamodel::types::xb::StructuredValue V>
struct Convert<V*> {
  static char const* type(Context) { return Zorvan::metamodel::types::xb::hostClassName<V>(); }
  static V* in(kovo::COSValue w, Context) {
    return Zorvan::metamodel::types::xb::selfValue(Zorvan::metamodel::types::xb::heldValue<V>(w));
  }
};

template <Zorvan::metamodel::types::xb::StructuredValue V>
struct Convert<V const*> {
  static char const* type(Context ctx) { return Convert<V*>::type(ctx); }
  static V const* in(kovo::COSValue w, Context) { return Zorvan::metamodel::types::xb::heldValue<V>(w); }
};

template <Zorvan::metamodel::types::xb::StructuredValue V>
struct Convert<V> {
  static char const* type(Context ctx) { return Convert<V*>::type(ctx); }
  static kovo::Interned cls() {
    static kovo::Interned const c = internedName(Zorvan::metamodel::types::xb::hostClassName<V>());
    return c;
  }
  static kovo::COSValue out(V const& v, Context) {
    std::unique_ptr<V> copy(new V(v));
    kovo::HostArray* const result = kovo::factory::basic::BindingRegistry::announceWithoutStoring(copy.get(), cls());
    copy.release();  // the host object owns it; destroyInstance deletes it
    return kovo::fromArray(result);
  }
  // Constructors: the object under construction holds the new value.
  static void bindConstructed(V const& v, kovo::Interned className, kovo::COSValue out0) {
    std::unique_ptr<V> copy(new V(v));
    kovo::factory::basic::BindingRegistry::announceForConstructor(copy.get(), className, kovo::toArray(out0), true);
    copy.release();
  }
};

}  // namespace Ozo::xb

namespace Ozo::xb {

// A DataSize or Time taken with whether the host gave one.
template <Zorvan::metamodel::types::xb::StructuredValue V>
struct Convert<Zorvan::metamodel::types::xb::Given<V>> {
  static char const* type(Context ctx) { return Convert<V*>::type(ctx); }
  static Zorvan::metamodel::types::xb::Given<V> in(kovo::COSValue w, Context) {
    V const* const p = Zorvan::metamodel::types::xb::heldValue<V>(w);
    return p ? Zorvan::metamodel::types::xb::Given<V>{*p, true} : Zorvan::metamodel::types::xb::Given<V>{V(), false};
  }
};

}  // namespace Ozo::xb
