// Meta objects, models, model elements and the deviant registry.
//
// Every model element is a NSInterface::ClassObjectIntf: it has a meta class
// and is read and written reflectively through the introspection record of
// a model class (IntrospectiveMethods). Typed handles of the model libraries
// (Zorvan::metamodel::types::Axis, ...) are thin facades over this core.
#pragma once

#include <Ozo/Base.hpp>
#include <Ozo/Object.hpp>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kovo {
struct BindingSlot;
}

namespace Ozo {

class ClassObject;
class ElementBase;
namespace detail {
struct ChangeHub;
}
class Model;
class ImmutableModel;
class ImmutableClass;

// ---------------------------------------------------------------------------
// The meta model: what a model class and its properties are.
namespace meta {

enum class ValueKind : std::uint8_t { Integer, Real, Boolean, String, Element, Value };
enum class Multiplicity : std::uint8_t { ZeroOne = 0, One = 1, Many = 2 };
// How a derived (read-only) property computes its value on read. Container and
// Children keep only what conforms to the property's typeName.
enum class Derivation : std::uint8_t {
  None,       // stored
  Model,      // the element's model
  Container,  // the element that owns this one
  Children,   // the elements this one owns, in property order
  Rule,       // computed by the property's rule from the element's other properties
};

// A derivation rule: the property's value for `self`, computed on every read.
using DeriveRule = Object (*)(ImmutableObject const& self);

struct ClassDef;

// One property of a model class, as plain data.
struct PropertyDef {
  char const* name;
  ValueKind kind;
  Multiplicity multiplicity;
  // Element: the qualified model class of the elements ("Zorvan.metamodel.types.PrimitiveType").
  // Value: the qualified value type name. Others: null.
  char const* typeName = nullptr;
  bool composite = false;  // elements set here are owned by the object
  bool readOnly = false;   // derived in the model; writes are refused
  // Container with readOnly false: writing it makes the value the owner,
  // through the owner's most specific composite property that fits.
  Derivation derived = Derivation::None;
  DeriveRule rule = nullptr;          // for Derivation::Rule
  char const* redefines = nullptr;    // the ancestor property this one stands for
};

// One model class, as plain data. Properties are the class's own, in index order.
struct ClassDef {
  char const* name;         // "Axis"
  char const* packageName;  // "Zorvan.metamodel.types"
  ClassDef const* superclass;
  PropertyDef const* properties;
  unsigned propertyCount;
  bool isAbstract = false;
};

}  // namespace meta

struct IntrospectiveMethods;

namespace NSInterface {

class TypeIntf : public ObjectIntf {
 public:
  virtual std::string name() const = 0;
  virtual std::string qualifiedName() const = 0;
};

class DataTypeIntf : public TypeIntf {};

class PropertyIntf;

class ClassIntf : public TypeIntf {
 public:
  virtual meta::ClassDef const& def() const = 0;
  virtual ClassIntf const* superclass() const = 0;
  // Own properties, id 1 first.
  virtual std::vector<PropertyIntf*> const& ownProperties() const = 0;
  // True when this class is `other` or derives from it.
  virtual bool conformsTo(ClassIntf const* other) const = 0;
};

class PackageIntf : public ObjectIntf {
 public:
  virtual std::string name() const = 0;
  virtual std::string qualifiedName() const = 0;
  virtual std::vector<ClassIntf*> classes() const = 0;
};

class PropertyIntf : public ObjectIntf {
 public:
  virtual meta::PropertyDef const& def() const = 0;
  virtual unsigned id() const = 0;  // 1-based within its class
  virtual ClassIntf const* owner() const = 0;
};

class ModelIntf;

// A model element: the reflective core every element class shares.
class ClassObjectIntf : public ObjectIntf {
 public:
  virtual ClassIntf const* metaClass() const = 0;
  virtual ModelIntf* model() const = 0;
  // The element that owns this one through a composite property, or null.
  virtual ClassObjectIntf* container() const = 0;
  // The runtime's storage of the element (null for objects the runtime did not make).
  virtual ElementBase* elementCore() { return nullptr; }

  // The visitation domain in which casts to model interfaces are asked.
  using Domain = VisitationDomain;
  // The root model class "ClassObject" of package "Ozo".
  static meta::ClassDef const sClassDef;
  static IntrospectiveMethods const sIntrospectiveMethods;
};

// A live many-valued property of an element (or a free-standing list).
// Positions are 0-based here; callers check them first.
class CollectionIntf : public ObjectIntf {
 public:
  virtual meta::PropertyDef const& def() const = 0;
  virtual ClassObjectIntf* owner() const = 0;  // null for free-standing lists
  virtual std::size_t size() const = 0;
  virtual Object at(std::size_t i) const = 0;
  virtual void insert(std::size_t i, ImmutableObject const& v) = 0;
  virtual void erase(std::size_t i) = 0;
  virtual void replace(std::size_t i, ImmutableObject const& v) = 0;
  virtual void clear() = 0;
};

class ModelIntf : public ObjectIntf {
 public:
  // The model's URI, which is also its name in the model cache.
  virtual std::string name() const = 0;
  // Gives the model another URI; fails when another live model has it.
  virtual void setUri(Deviant const& d, String const& uri) = 0;
  virtual bool isReadOnly() const = 0;
  virtual void setReadOnly(bool readOnly) = 0;
  // Elements created in the model, in creation order (no references added).
  virtual std::vector<ClassObjectIntf*> elements() const = 0;
  // What watches the model's changes (Changes.hpp), or null when nothing does.
  virtual detail::ChangeHub* changeHub() const { return nullptr; }
};

// A factory of model content: binds a model library's creation operations to
// one model.
class FactoryIntf : public ObjectIntf {
 public:
  // A new empty model with no URI, in no cache yet.
  static Model createNewModel();
};

}  // namespace NSInterface

// ---------------------------------------------------------------------------
// Handles of meta objects.
class ImmutableType : public ImmutableObject {
 public:
  using ImmutableObject::ImmutableObject;
  ImmutableType() = default;
  NSInterface::TypeIntf* type() const { return dynamic_cast<NSInterface::TypeIntf*>(get()); }
};

class ImmutableDataType : public ImmutableType {
 public:
  using ImmutableType::ImmutableType;
  ImmutableDataType() = default;
};

class ImmutableClass : public ImmutableType {
 public:
  using ImmutableType::ImmutableType;
  ImmutableClass() = default;
  ImmutableClass(NSInterface::ClassIntf* c, Deviant d) : ImmutableType(c, d) {}
  NSInterface::ClassIntf* cls() const { return dynamic_cast<NSInterface::ClassIntf*>(get()); }
};

class ImmutablePackage : public ImmutableObject {
 public:
  using ImmutableObject::ImmutableObject;
  ImmutablePackage() = default;
  NSInterface::PackageIntf* package() const { return dynamic_cast<NSInterface::PackageIntf*>(get()); }
};

class ImmutableProperty : public ImmutableObject {
 public:
  using ImmutableObject::ImmutableObject;
  ImmutableProperty() = default;
  ImmutableProperty(NSInterface::PropertyIntf* p, Deviant d) : ImmutableObject(p, d) {}
  NSInterface::PropertyIntf* property() const { return dynamic_cast<NSInterface::PropertyIntf*>(get()); }
};

// Meta objects for model class definitions (immortal, one per ClassDef). A
// class joins the meta package of its package name when it is first built.
NSInterface::ClassIntf* metaClassOf(meta::ClassDef const& def);
ImmutableClass makeMetaClass(meta::ClassDef const& def);
// The meta package of a qualified package name ("Zorvan.metamodel.types"),
// listing the classes built so far; made on first use.
ImmutablePackage metaPackage(std::string const& qualifiedName);
// The data types of primitive values: "Integer", "Real", "Boolean", "String"
// (package "Ozo"); an empty handle for other names.
ImmutableDataType primitiveDataType(std::string const& name);

// ---------------------------------------------------------------------------
// Handles of factories in the runtime's terms.
class ImmutableFactoryObject : public Handle<NSInterface::FactoryIntf> {
 public:
  using Handle::Handle;
  ImmutableFactoryObject() = default;
};

class FactoryObject : public ImmutableFactoryObject {
 public:
  using ImmutableFactoryObject::ImmutableFactoryObject;
  FactoryObject() = default;
};

// ---------------------------------------------------------------------------
// Handles of models and elements.
class ImmutableModel : public Handle<NSInterface::ModelIntf> {
 public:
  using Handle::Handle;
  ImmutableModel() = default;
  NSInterface::ModelIntf* checkedModel() const { return checked("ozo/Ozo/Model_h", 84); }
  operator ImmutableObject() const { return ImmutableObject(get(), deviant()); }
  // The object as a model, or an empty handle when it is not one.
  static ImmutableModel cast(ImmutableObject const& o) {
    return ImmutableModel(dynamic_cast<NSInterface::ModelIntf*>(o.get()), o.deviant());
  }
};

class Model : public ImmutableModel {
 public:
  using ImmutableModel::ImmutableModel;
  Model() = default;
  // A new empty model, registered in the model cache under `name`
  // (a fresh "untitled<N>" name when empty).
  // Fails when a live model already has that name.
  static Model create(std::string const& name = {});
  operator Object() const { return Object(get(), deviant()); }
  static Model cast(ImmutableObject const& o) {
    return Model(dynamic_cast<NSInterface::ModelIntf*>(o.get()), o.deviant());
  }
};

// A model element seen through the reflective core.
class ClassObject : public Handle<NSInterface::ClassObjectIntf> {
 public:
  using Handle::Handle;
  ClassObject() = default;
  ClassObject(Handle const& h) : Handle(h) {}
};

// Handle of any model element in its immutable view: the root of the typed
// handles of the model libraries.
class ImmutableClassObject : public ImmutableObject {
 public:
  using Intf = NSInterface::ClassObjectIntf;
  ImmutableClassObject() = default;
  ImmutableClassObject(NSInterface::ClassObjectIntf* p, Deviant d) : ImmutableObject(p, d) {}
  NSInterface::ClassObjectIntf* intf() const { return static_cast<NSInterface::ClassObjectIntf*>(get()); }
  ClassObject classObject() const { return ClassObject(intf(), deviant()); }
  static ImmutableClass MetaClass();
};

// The accessor record of a model class: every entry takes the element and a
// property index (1-based in the class's own property table).
struct PropertyAccessors {
  Object (*get)(ClassObject const& object, unsigned index);
  bool (*isSet)(ClassObject const& object, unsigned index);
  void (*set)(ClassObject const& object, unsigned index, Object const& value);
  void (*reserved)();
  void (*unset)(ClassObject const& object, unsigned index);
};

struct PropertyTableEntry {
  NSInterface::PropertyIntf* property;
};

// The introspection record of a model class.
struct IntrospectiveMethods {
  meta::ClassDef const* def;
  PropertyAccessors const* accessors;
  // Own properties: table()[id - 1]; count() entries.
  PropertyTableEntry const* table() const;
  unsigned count() const { return def->propertyCount; }
  ImmutableClass metaClass() const { return makeMetaClass(*def); }
};

// ---------------------------------------------------------------------------
// Identities of objects for the host: one per (object, deviant, view).
struct VariantInfo {
  ReferenceCountingIntf* object;
  Deviant deviant;
  bool immutable;
  // The object as a model element, or null: found once, when the identity is
  // made, so that property calls on a bound element need no cast.
  NSInterface::ClassObjectIntf* element = nullptr;
  // Releases one reference of the object (the binding's reference).
  void release() const { object->release(); }
};

class DeviantRegistry {
 public:
  // A stable id for the object in the given view; null for a null object.
  // The same object, deviant and view give the same id while the object lives.
  static void* getId(ReferenceCountingIntf* object, Deviant const& d, bool immutable);
  // The object behind an id, or null for anything that is not a live id.
  static VariantInfo const* getVariantInfo(void const* id);
  // The host binding slot an id points at (ids are the addresses of their
  // slots). Only for an id this registry handed out and that still lives.
  static kovo::BindingSlot* slotOf(void* id) { return static_cast<kovo::BindingSlot*>(id); }
  // The identity whose slot that is, under the same condition.
  static VariantInfo const& infoOfSlot(kovo::BindingSlot* slot);
  static bool isImmutable(void const* id);
  // Forgets every id of the object (called when it is destroyed).
  static void retract(ReferenceCountingIntf* object);
  static std::size_t size();
};

// Writability of model objects: an element of a read-only model may not be written.
class DeviantAssertions {
 public:
  static bool sAssertionsEnabled;
  static bool enableAssertions(bool enable);  // returns the previous value
  // True when the object may be written; raises the runtime's error otherwise.
  static bool assertWritable(NSInterface::ObjectIntf* object);
  static bool internal_assertWritable(NSInterface::ObjectIntf* object);
};

// Models by name. Holds no reference: a model leaves the cache when it dies.
class ModelCache {
 public:
  // Base of the URIs of models made without one.
  static constexpr char16_t UNTITLED[] = u"untitled";
  static ModelCache& instance();
  // `base` followed by the next number that names no live model ("untitled3").
  String getNextAvailableModelUri(String const& base);
  // Gives `model` the URI and enters it under it; fails when another live
  // model has that URI.
  void bindModel(String const& uri, Model const& model);

  static ImmutableModel find(std::string const& name);
  static std::vector<std::string> names();
  static std::string freshName();  // "untitled1", "untitled2", ...
  static void add(NSInterface::ModelIntf* model);
  static void remove(NSInterface::ModelIntf* model);
};

}  // namespace Ozo
