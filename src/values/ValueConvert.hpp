// How the package's value types travel between the host and the module: one
// converter per kind, used by every row that names the type.
#pragma once

#include <types/Types.hpp>
#include <xb/Convert.hpp>

#include <string>

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
struct Convert<Zorvan::metamodel::types::xb::Given<Zorvan::metamodel::types::Enumeration<Traits>>> {
  using E = Zorvan::metamodel::types::Enumeration<Traits>;
  static char const* type(Context) { return Zorvan::metamodel::types::xb::hostClassName<E>(); }
  static Zorvan::metamodel::types::xb::Given<E> in(kovo::COSValue w, Context ctx) {
    ImmutableObject const o = objectInput(w, internedName(type(ctx)));
    if (!o.isValid()) return {E(0), false};
    return {E(o), true};
  }
};

template <class Traits>
struct Convert<Zorvan::metamodel::types::Enumeration<Traits>> {
  using E = Zorvan::metamodel::types::Enumeration<Traits>;
  using Taken = Convert<Zorvan::metamodel::types::xb::Given<E>>;
  static char const* type(Context ctx) { return Taken::type(ctx); }
  static E in(kovo::COSValue w, Context ctx) { return Taken::in(w, ctx).value; }
  static kovo::COSValue out(E const& v, Context ctx) {
    static kovo::Interned const cls = internedName(type(ctx));
    return returnObject(ImmutableObject(Object(v)), cls, false);
  }
};

}  // namespace Ozo::xb
