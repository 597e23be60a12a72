// The anatomy every element class shares, written once.
//
// An element class X is published as eleven host classes: ImmutableX, X,
// XMetaProperty and eight sequence and iterator classes. A class file states
// X's own facts as data in a traits struct and calls registerElementClass:
//
//   struct AxisClass {
//     using Intf = NSInterface::AxisIntf;   // model interface (names, superclass)
//     using Immutable = ImmutableAxis;      // typed handles
//     using Modifiable = Axis;
//     using Meta = AxisMeta;                // its meta-property creator
//     static constexpr ShownProperty shown[] = {{1, kAttrMarked}, {3}};  // the model properties shown
//     static constexpr RowKinds rowKinds{...};  // optional: the binding's own property kinds
//     static constexpr MethodRow constructors[] = {creation<Axis, Ozo::Model const&>(), ...};
//     static constexpr MethodRow methods[] = {...};            // optional: class-specific methods,
//     static constexpr MethodRow modifiableMethods[] = {...};  // the same on each view's object
//   };
//
// The property rows follow from the model's own property table: a class
// names only the properties it shows, their attribute words and any host
// spelling. Names, superclasses, sequence bases and meta-property groups
// follow from the model's class definition; the methods come from the method
// table.
#pragma once

#include <xb/MetaProperty.hpp>

#include <Ozo/Meta.hpp>
#include <kovo/Class.hpp>
#include <xb/ClassInfo.hpp>
#include <xb/Methods.hpp>
#include <xb/Property.hpp>

#include <span>
#include <string>

namespace Ozo::xb {

using kovo::COSValue;

// ---------------------------------------------------------------------------
// Property rows. The kind is the registration the property factory makes.
struct PropertyRow;
using PropertyKind = void (*)(OzoxbPropertyFactory& factory, PropertyRow const& row);

struct PropertyRow {
  unsigned index;  // position in the model class's own property table
  char const* name;
  PropertyKind kind;
  Multiplicity multiplicity;
  Mutability mutability;
  char const* hostType;
  std::uint32_t attributes;
};

// Host property attribute words. Rows pass them to the host as they are;
// the host gives them no meaning this binding relies on.
inline constexpr std::uint32_t kAttrNone = 0;
inline constexpr std::uint32_t kAttrMarked = 2048;      // carried by some element properties
inline constexpr std::uint32_t kAttrValueField = 64;    // the accessor properties of a value class

// A model property the host shows: its index in the model class's own
// table, the attribute word and, where the host spells it otherwise, its host
// name. Everything else follows from the model's definition at that index.
struct ShownProperty {
  unsigned index;
  std::uint32_t attributes = kAttrNone;
  char const* name = nullptr;  // null: the model's name
};
// The kinds every binding shares; a binding may add its own (the module's
// primitive properties).
namespace kinds {
void registerClassObject(OzoxbPropertyFactory& f, PropertyRow const& r);
void registerPrimitiveSequence(OzoxbPropertyFactory& f, PropertyRow const& r);
void registerString(OzoxbPropertyFactory& f, PropertyRow const& r);
inline constexpr PropertyKind ClassObject = &registerClassObject;
inline constexpr PropertyKind PrimitiveSequence = &registerPrimitiveSequence;
inline constexpr PropertyKind Text = &registerString;
}  // namespace kinds

// The kinds a binding adds for the properties the shared kinds do not cover.
// A binding without such properties leaves them null; a row that would need
// one is refused.
struct RowKinds {
  PropertyKind primitive = nullptr;  // a single Integer, Real or Boolean
  PropertyKind (*valueType)(char const* typeName) = nullptr;  // by the value type's qualified name
};
inline constexpr RowKinds kSharedKindsOnly{};

// The row of a shown property, made from the model's definition of it: the
// kind, multiplicity, mutability and host data type follow from the
// definition, the attribute word and host spelling from `shown`.
PropertyRow deriveRow(Ozo::meta::PropertyDef const& def, ShownProperty const& shown, RowKinds const& kinds);

// Host class names of one element class, made once from its definition.
// The short names are the ends of the full ones.
struct ElementNames {
  kovo::Interned immutableFull, modifiableFull, metaFull;
  kovo::Interned immutableSuper, modifiableSuper;  // host forms of the model superclass
  char const* immutableShort;
  char const* modifiableShort;
};
ElementNames makeNames(Ozo::meta::ClassDef const& def);

// The object a "MetaProperty" call hands to the host: one per call, of the
// class's own type, deleted when the host destroys it.
struct MetaPropertyObjectBase {};
template <class C>
struct MetaPropertyObject final : MetaPropertyObjectBase {};

// What the anatomy keeps of one element class.
struct ElementClassData {
  Ozo::meta::ClassDef const* def;
  Ozo::IntrospectiveMethods const* methods;
  ElementNames const* names;
  std::span<ShownProperty const> shown;  // rows made by deriveRow from the model's table
  RowKinds const* rowKinds;
  std::span<MethodRow const> constructors;
  std::span<MethodRow const> immutableMethods;   // class-specific, object in the immutable view
  std::span<MethodRow const> modifiableMethods;  // the same methods, object in the modifiable view
  // What the rows every element class shares ("MetaProperty", "cast") do
  // for this class.
  MetaPropertyObjectBase* (*newMetaProperty)();
  ImmutableObject (*castImmutable)(ImmutableObject const& other);
  ImmutableObject (*castModifiableToImmutable)(Object const& other);
  Object (*castModifiable)(Object const& other);
};

// Every element class registered so far (for listings and consistency checks).
std::vector<ElementClassData const*> registeredElementClasses();

// ---------------------------------------------------------------------------
// Targets shared by every class.
// "getMetaType" in each view; the NULL-ref failure on an empty object.
Ozo::ImmutableType immutableMetaType(Ozo::ImmutableObject const& self);
Ozo::ImmutableType modifiableMetaType(Ozo::Object const& self);

// The object as an X handle of the result view; empty when not an X.
template <class Intf, class Result, class Argument>
Result castTo(Argument const& other) {
  if (!other.isValid()) return {};
  Intf* const x = other.get()->template castTo<typename Intf::Domain, Intf>();
  return x ? Result(x, other.deviant()) : Result();
}

// Constructor rows: the creation operation X::create with these parameters.
template <class X, class... A>
constexpr MethodRow creation() {
  return constructor<static_cast<X (*)(A...)>(&X::create)>();
}

// ---------------------------------------------------------------------------
// The three class descriptions.
class ImmutableElementClassInfo : public ClassMetaData {
 public:
  explicit ImmutableElementClassInfo(ElementClassData const& data);
  void initializeClass(kovo::COSClass* cls, kovo::COSClient* client) override;

 private:
  ElementClassData const& fData;
};

class ModifiableElementClassInfo : public ClassMetaData {
 public:
  explicit ModifiableElementClassInfo(ElementClassData const& data);
  void initializeClass(kovo::COSClass* cls, kovo::COSClient* client) override;

 private:
  ElementClassData const& fData;
};

// Registers the four sequence and four iterator classes of an element class.
void registerElementSequences(kovo::COSPackage* pkg, ElementClassData const& data);
// The property row of one of a class's shown properties; an index outside the
// model's table fails, naming the class.
PropertyRow shownRow(ElementClassData const& data, ShownProperty const& shown);
// Registers the property rows on the class being built.
void registerProperties(kovo::COSClass* cls, ElementClassData const& data);
// Remembers a registered class.
void rememberElementClass(ElementClassData const& data);

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
template <class C>
using MetaPropertyWrapper = MetaPropertyClassInfo<MetaPropertyObject<C>>;

// ---------------------------------------------------------------------------
// The rows of one element class C, instantiated per class.
// Tells the runtime the host spellings the class gives its model properties.
void registerHostNames(ElementClassData const& data);

template <class C>
struct ElementBinding {
  using Intf = typename C::Intf;
  using Immutable = typename C::Immutable;
  using Modifiable = typename C::Modifiable;

  static ElementNames const& names() {
    static ElementNames const n = makeNames(Intf::sClassDef);
    return n;
  }

  static MetaPropertyObjectBase* newMetaProperty() { return new MetaPropertyObject<C>; }

  template <class T>
  static constexpr std::span<MethodRow const> constructorsOf() {
    if constexpr (requires { T::constructors; })
      return T::constructors;
    else
      return {};
  }
  template <class T>
  static constexpr std::span<MethodRow const> methodsOf() {
    if constexpr (requires { T::methods; })
      return T::methods;
    else
      return {};
  }
  template <class T>
  static constexpr std::span<MethodRow const> modifiableMethodsOf() {
    if constexpr (requires { T::modifiableMethods; })
      return T::modifiableMethods;
    else
      return methodsOf<T>();
  }
  template <class T>
  static constexpr std::span<ShownProperty const> shownOf() {
    if constexpr (requires { T::shown; })
      return T::shown;
    else
      return {};
  }
  template <class T>
  static constexpr RowKinds const* rowKindsOf() {
    if constexpr (requires { T::rowKinds; })
      return &T::rowKinds;
    else
      return &kSharedKindsOnly;
  }

  static ElementClassData const& data() {
    static ElementClassData const d{&Intf::sClassDef,
                                    &Intf::sIntrospectiveMethods,
                                    &names(),
                                    shownOf<C>(),
                                    rowKindsOf<C>(),
                                    constructorsOf<C>(),
                                    methodsOf<C>(),
                                    modifiableMethodsOf<C>(),
                                    &newMetaProperty,
                                    &castTo<Intf, ImmutableObject, ImmutableObject>,
                                    &castTo<Intf, ImmutableObject, Object>,
                                    &castTo<Intf, Object, Object>};
    return d;
  }

  static void registerIn(kovo::COSPackage* pkg) {
    if (!pkg) return;
    if constexpr (requires { typename C::Meta; }) metaGroups::add<typename C::Meta>();
    ElementClassData const& d = data();
    rememberElementClass(d);
    registerHostNames(d);
    addToPackage(pkg, new ImmutableElementWrapper<C>(d));
    addToPackage(pkg, new ModifiableElementWrapper<C>(d));
    addToPackage(pkg, new MetaPropertyWrapper<C>(Intf::sClassDef, names().metaFull));
    registerElementSequences(pkg, d);
  }
};

template <class C>
void registerElementClass(kovo::COSPackage* pkg) {
  ElementBinding<C>::registerIn(pkg);
}

}  // namespace Ozo::xb

