// The anatomy every element class shares, written once.
//
// An element class X is published as eleven host classes: ImmutableX, X,
// XMetaProperty and eight sequence and iterator classes. A class file states
// X's facts as data (names, superclasses, constructors, property rows and
// meta-property groups) in a traits struct C and calls registerElementClass<C>.
//
//   struct AxisClass {
//     using Intf = NSInterface::AxisIntf;       // model interface
//     using Immutable = ImmutableAxis;          // typed handles
//     using Modifiable = Axis;
//     static constexpr ElementFacts facts{...};
//     using Constructors = Creations<Creation<Axis, Ozo::Model const&>, ...>;
//   };
#pragma once

#include "elements/anatomy/Methods.hpp"
#include "elements/anatomy/MetaProperty.hpp"

#include <Ozo/Meta.hpp>
#include <kovo/Class.hpp>
#include <xb/ClassInfo.hpp>
#include <xb/Property.hpp>

#include <span>
#include <string>
#include <tuple>

namespace Zorvan {
// The visitation domain of the Zorvan model interfaces.
struct VisitationDomain;
}  // namespace Zorvan

namespace Zorvan::xb {

// ---------------------------------------------------------------------------
// Per-class facts.
enum class PropertyKind : std::uint8_t {
  ClassObject,        // one element or a sequence of elements
  PrimitiveSequence,  // strings, integers or reals
  Primitive,          // Boolean, Integer or Real (required or optional)
  String,
};

struct PropertyRow {
  unsigned index;  // position in the model class's own property table
  char const* name;
  PropertyKind kind;
  Ozo::xb::Multiplicity multiplicity;
  Ozo::xb::Mutability mutability;
  char const* hostType;
  std::uint32_t attributes;
};

struct ElementFacts {
  char const* package;          // "Zorvan.metamodel.types"
  char const* name;             // "Axis"
  char const* immutableSuper;   // "Zorvan.metamodel.foundation.ImmutableNamedElement"
  char const* modifiableSuper;  // "Zorvan.metamodel.foundation.NamedElement"
  std::span<PropertyRow const> properties;
  std::span<MetaGroup const> metaGroups;
  // The sequences' base-class entry: the modifiable form of the model superclass.
  char const* sequenceBase() const { return modifiableSuper; }
};

// Host class names of one element class, made once.
struct ElementNames {
  std::string immutableShort, modifiableShort, metaShort;
  std::string immutableFull, modifiableFull, metaFull;
};
ElementNames makeNames(ElementFacts const& f);

// ---------------------------------------------------------------------------
// Constructors: a creation operation of the modifiable handle type, chosen by
// its argument types; the host types of the arguments follow from them.
template <class X, class... Args>
struct Creation {
  static constexpr X (*create)(Args...) = &X::create;
};
template <class... Cs>
struct Creations {};

// Host data type of a creation argument.
template <class T>
struct HostTypeOf;
template <class T>
struct HostTypeOf<T const&> : HostTypeOf<T> {};
template <>
struct HostTypeOf<Ozo::Model> {
  static constexpr char const* name = "Ozo.Model";
};
template <>
struct HostTypeOf<Ozo::Integer> {
  static constexpr char const* name = "int32 scalar";
};
template <>
struct HostTypeOf<Ozo::Real> {
  static constexpr char const* name = "double scalar";
};
template <>
struct HostTypeOf<Ozo::Boolean> {
  static constexpr char const* name = "logical scalar";
};
template <>
struct HostTypeOf<Ozo::String> {
  static constexpr char const* name = "char vector";
};

// Converts input word `w` to creation argument type T.
template <class T>
struct ArgFrom;
template <class T>
struct ArgFrom<T const&> : ArgFrom<T> {};
template <>
struct ArgFrom<Ozo::Model> {
  static Ozo::Model convert(COSValue w);
};
template <>
struct ArgFrom<Ozo::Integer> {
  static Ozo::Integer convert(COSValue w) { return Ozo::Integer(kovo::toInt32(w)); }
};
template <>
struct ArgFrom<Ozo::Real> {
  static Ozo::Real convert(COSValue w) { return Ozo::Real(kovo::toDouble(w)); }
};
template <>
struct ArgFrom<Ozo::Boolean> {
  static Ozo::Boolean convert(COSValue w) { return Ozo::Boolean(w != 0); }
};
template <>
struct ArgFrom<Ozo::String> {
  static Ozo::String convert(COSValue w);
};

// Binds the new object to the host object under construction in out[0] and
// gives the binding its reference.
void bindConstructed(Ozo::ImmutableObject const& created, kovo::Interned className, COSValue out0);
// The lookup made on the object under construction before creating.
void touchConstructed(COSValue out0, kovo::Interned className);

template <class C, class Cr>
struct ConstructorInvoker;
template <class C, class X, class... Args>
struct ConstructorInvoker<C, Creation<X, Args...>> {
  static void invoke(Binding const&, kovo::COSClient*, int& nlhs, COSValue* out, int, COSValue const* in) {
    kovo::Interned const cls = kovo::intern(names().modifiableFull);
    touchConstructed(out[0], cls);
    X const created = call(in, std::index_sequence_for<Args...>{});
    bindConstructed(Ozo::ImmutableObject(created), cls, out[0]);
    Ozo::xb::fixOutputCount(nlhs);
  }
  template <std::size_t... I>
  static X call(COSValue const* in, std::index_sequence<I...>) {
    return Creation<X, Args...>::create(ArgFrom<Args>::convert(in[I])...);
  }
  static ElementNames const& names();
  static std::vector<char const*> argumentTypes() { return {HostTypeOf<Args>::name...}; }
};

// ---------------------------------------------------------------------------
// The three class descriptions.
class ImmutableElementClassInfo : public Ozo::xb::ClassMetaData {
 public:
  struct Ops {
    HandleTarget metaClass;
    CastTarget const* castFromImmutable;
    CastTarget const* castFromModifiable;
    InvokerFn metaPropertyInvoker;
    Ozo::IntrospectiveMethods const* methods;
  };
  ImmutableElementClassInfo(ElementFacts const& facts, ElementNames const& names, Ops const& ops);
  void initializeClass(kovo::COSClass* cls, kovo::COSClient* client) override;

 private:
  ElementFacts const& fFacts;
  ElementNames const& fNames;
  Ops fOps;
};

class ModifiableElementClassInfo : public Ozo::xb::ClassMetaData {
 public:
  struct Constructor {
    InvokerFn invoker;
    std::vector<char const*> argumentTypes;
  };
  struct Ops {
    HandleTarget metaClass;
    CastTarget const* cast;
    InvokerFn metaPropertyInvoker;
    std::vector<Constructor> constructors;
  };
  ModifiableElementClassInfo(ElementFacts const& facts, ElementNames const& names, Ops ops);
  void initializeClass(kovo::COSClass* cls, kovo::COSClient* client) override;

 private:
  ElementFacts const& fFacts;
  ElementNames const& fNames;
  Ops fOps;
};

// Registers the four sequence and four iterator classes of an element class.
void registerElementSequences(kovo::COSPackage* pkg, ElementFacts const& facts);

// Registers the property rows on the class being built.
void registerProperties(kovo::COSClass* cls, char const* className, Ozo::IntrospectiveMethods const* methods,
                        std::span<PropertyRow const> rows);

// The class descriptions of one element class C (named XWrapper by class files).
template <class C>
class ImmutableElementWrapper final : public ImmutableElementClassInfo {
 public:
  using ImmutableElementClassInfo::ImmutableElementClassInfo;
};
template <class C>
class ModifiableElementWrapper final : public ModifiableElementClassInfo {
 public:
  using ModifiableElementClassInfo::ModifiableElementClassInfo;
};

// ---------------------------------------------------------------------------
// Typed pieces of one element class C, instantiated per class.
template <class C>
struct ElementBinding {
  using Intf = typename C::Intf;
  using Immutable = typename C::Immutable;
  using Modifiable = typename C::Modifiable;

  static ElementNames const& names() {
    static ElementNames const n = makeNames(C::facts);
    return n;
  }

  // The object as an X in the immutable or modifiable view (empty when not an X).
  template <bool ResultImmutable>
  static Ozo::ImmutableObject cast(Ozo::ImmutableObject const& other) {
    if (!other.isValid()) return {};
    Intf* x = other.get()->template castTo<Zorvan::VisitationDomain, Intf>();
    if (!x) return {};
    if constexpr (ResultImmutable)
      return Ozo::ImmutableObject(Immutable(x, other.deviant()));
    else
      return Ozo::Object(Modifiable(x, other.deviant()));
  }

  static constexpr CastTarget kCastImmutableFromImmutable{&cast<true>, "Ozo.ImmutableObject", true,
                                                          "Ozo.ImmutableObject"};
  static constexpr CastTarget kCastImmutableFromModifiable{&cast<true>, "Ozo.Object", true,
                                                           "Ozo.ImmutableObject"};
  static constexpr CastTarget kCastModifiable{&cast<false>, "Ozo.Object", false, "Ozo.Object"};

  struct MetaPropertyObject {};

  static void metaPropertyInvoker(Binding const&, kovo::COSClient*, int& nlhs, COSValue* out, int,
                                  COSValue const*) {
    auto* object = new MetaPropertyObject;
    out[0] = kovo::fromArray(kovo::factory::basic::BindingRegistry::announce(
        object, kovo::intern(names().metaFull)));
    Ozo::xb::fixOutputCount(nlhs);
  }

  template <class Cr>
  static ModifiableElementClassInfo::Constructor constructor() {
    using Inv = ConstructorInvoker<C, Cr>;
    return {&Inv::invoke, Inv::argumentTypes()};
  }
  template <class... Cr>
  static std::vector<ModifiableElementClassInfo::Constructor> constructors(Creations<Cr...>) {
    return {constructor<Cr>()...};
  }

  static void registerIn(kovo::COSPackage* pkg) {
    if (!pkg) return;
    constexpr HandleTarget metaClass = &handleTarget<Ozo::ImmutableClass, &Immutable::MetaClass>;
    ImmutableElementClassInfo::Ops const immOps{metaClass, &kCastImmutableFromImmutable,
                                                &kCastImmutableFromModifiable, &metaPropertyInvoker,
                                                &Intf::sIntrospectiveMethods};
    ModifiableElementClassInfo::Ops modOps{metaClass, &kCastModifiable, &metaPropertyInvoker,
                                           constructors(typename C::Constructors{})};
    pkg->addClass(new ImmutableElementWrapper<C>(C::facts, names(), immOps), 2);
    pkg->addClass(new ModifiableElementWrapper<C>(C::facts, names(), std::move(modOps)), 2);
    pkg->addClass(new MetaPropertyClassInfo<MetaPropertyObject>(names().metaShort, C::facts.metaGroups,
                                                                names().metaFull),
                  2);
    registerElementSequences(pkg, C::facts);
  }
};

template <class C, class X, class... Args>
ElementNames const& ConstructorInvoker<C, Creation<X, Args...>>::names() {
  return ElementBinding<C>::names();
}

template <class C>
using MetaPropertyWrapper = MetaPropertyClassInfo<typename ElementBinding<C>::MetaPropertyObject>;

template <class C>
void registerElementClass(kovo::COSPackage* pkg) {
  ElementBinding<C>::registerIn(pkg);
}

}  // namespace Zorvan::xb
