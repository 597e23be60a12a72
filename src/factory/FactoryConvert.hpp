// How factories travel between the host and the module: as host objects
// bound to the factory, looked up under the parameter's class and cast to
// the wanted factory interface (an object that is no factory gives an empty
// handle).
#pragma once

#include <types/Types.hpp>
#include <xb/Convert.hpp>

namespace Ozo::xb {

namespace names {
inline constexpr char kFactory[] = "Zorvan.metamodel.types.Factory";
inline constexpr char kImmutableFactory[] = "Zorvan.metamodel.types.ImmutableFactory";
inline constexpr char kFactoryObject[] = "Ozo.FactoryObject";
inline constexpr char kImmutableFactoryObject[] = "Ozo.ImmutableFactoryObject";
}  // namespace names

template <class H, class Intf, bool Immutable, char const* Name>
struct FactoryConvert {
  static char const* type(Context) { return Name; }
  static H in(kovo::COSValue w, Context) {
    static kovo::Interned const cls = internedName(Name);
    ImmutableObject const o = objectInput(w, cls);
    Intf* const p = o.isValid() ? o.get()->castTo<VisitationDomain, Intf>() : nullptr;
    return p ? H(p, o.deviant()) : H();
  }
  static kovo::COSValue out(H const& h, Context) { return returnObject(ImmutableObject(h.get(), h.deviant()), Immutable, Name); }
};

template <>
struct Convert<Zorvan::metamodel::types::Factory>
    : FactoryConvert<Zorvan::metamodel::types::Factory, Zorvan::metamodel::types::NSInterface::FactoryIntf, false,
                     names::kFactory> {};
template <>
struct Convert<Zorvan::metamodel::types::ImmutableFactory>
    : FactoryConvert<Zorvan::metamodel::types::ImmutableFactory, Zorvan::metamodel::types::NSInterface::FactoryIntf,
                     true, names::kImmutableFactory> {};
template <>
struct Convert<FactoryObject> : FactoryConvert<FactoryObject, NSInterface::FactoryIntf, false, names::kFactoryObject> {};
template <>
struct Convert<ImmutableFactoryObject>
    : FactoryConvert<ImmutableFactoryObject, NSInterface::FactoryIntf, true, names::kImmutableFactoryObject> {};

}  // namespace Ozo::xb
