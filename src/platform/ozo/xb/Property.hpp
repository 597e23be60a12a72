// Property descriptors of model classes and the factory that registers them.
//
// A descriptor reaches the model only through the model class's accessor
// record (get, is-set, set, unset) and a property index; there is no
// per-property code. Kinds built here: elements and element sequences
// (ClassObject), primitive sequences (PrimitiveSequence), value types
// (DataType around a PropHelperBase) and meta-property entries.
#pragma once

#include <Ozo/Meta.hpp>
#include <kovo/Class.hpp>

#include <cstdint>

namespace Ozo::xb {

enum class Multiplicity : std::uint8_t { ZeroOrOne = 0, ExactlyOne = 1, Many = 2 };
enum class Mutability : std::uint8_t { Settable = 0, ReadOnly = 1 };

// Property trait flags of a descriptor.
inline constexpr unsigned kTraitMultiValued = 2;
inline constexpr unsigned kTraitReadOnly = 4;
inline constexpr unsigned kTraitKeepEmpty = 8;

// Where a descriptor reports its refused writes.
struct WriteChecks {
  char const* header;
  int multiValuedLine;
  int readOnlyLine;
};

class OzoxbProperty : public kovo::COSPropInfo {
 public:
  OzoxbProperty(char const* className, char const* name, IntrospectiveMethods const* methods,
                unsigned index, char const* hostType, Multiplicity m, Mutability mu,
                kovo::factory::PropertyAttributes attributes);
  ~OzoxbProperty() override;

  PropertyAccessors const& accessors() const { return *fMethods->accessors; }
  IntrospectiveMethods const* introspectiveMethods() const { return fMethods; }
  unsigned index() const { return fIndex; }
  unsigned traits() const { return fTraits; }
  bool isMultiValued() const { return fTraits & kTraitMultiValued; }
  bool isReadOnly() const { return fTraits & kTraitReadOnly; }
  bool keepsEmpty() const { return fTraits & kTraitKeepEmpty; }
  char const* className() const { return fClassName; }
  Multiplicity multiplicity() const { return fMultiplicity; }
  Facts facts() const override;

  // Finds the model object behind `target`, then reads it: single-valued
  // properties through getSingleValuedValue, many-valued ones through
  // getMultiValuedValue.
  kovo::COSValue getValue(kovo::COSInterface* target) override;
  virtual kovo::COSValue getSingleValuedValue(ClassObject& object) = 0;
  // A live sequence over the model's collection, in the view of `target`.
  virtual kovo::COSValue getMultiValuedValue(ClassObject& object, bool immutableView);
  // A single value of the property in the form a read gives it (an output
  // word of getDataType()): what change events carry. `value` is what the
  // model read, `set` whether a value was stored. The default serves
  // element references.
  virtual kovo::COSValue hostForm(Object const& value, bool set);

  // The checks every write makes first, in this order: multi-valued,
  // read-only, immutable view (the host object asked under `viewName`);
  // then the model object behind the target.
  ClassObject writeTarget(kovo::COSInterface* target, WriteChecks const& at, kovo::Interned viewName) const;

  // The model element bound to a host object, or an empty handle.
  static ClassObject modelObject(kovo::COSInterface* target);
  // Whether the host object stands for the immutable view of its object.
  static bool isImmutableView(kovo::COSInterface* target, kovo::Interned scalarName);
  // The runtime's set-prohibited error (writing through an immutable view).
  [[noreturn]] static void throwSetProhibitedException();

 private:
  char const* fClassName;
  IntrospectiveMethods const* fMethods;
  unsigned fIndex;
  unsigned fTraits;
  Multiplicity fMultiplicity;
};

// Hook of value-type properties: the value type supplies the conversions.
class PropHelperBase {
 public:
  virtual ~PropHelperBase() = default;
  // The value in host form (a word carrying an array the caller releases).
  virtual kovo::COSValue get(ClassObject const& object, OzoxbProperty const& property) = 0;
  virtual void set(ClassObject const& object, OzoxbProperty const& property, kovo::COSValue value) = 0;
  // A stored value (an empty one for none) in host form.
  virtual kovo::COSValue out(Object const& value, OzoxbProperty const& property) = 0;
};

using MetaPropertyCreator = ImmutableProperty (*)(unsigned int);

// Built on the stack in initializeClass; registers descriptors on the class.
class OzoxbPropertyFactory {
 public:
  OzoxbPropertyFactory(kovo::COSClass* cls, char const* className, IntrospectiveMethods const* methods)
      : fClass(cls), fClassName(className), fMethods(methods) {}

  void ClassObject(char const* name, Multiplicity m, Mutability mu, unsigned index, char const* hostType,
                   kovo::factory::PropertyAttributes a);
  void PrimitiveSequence(char const* name, Multiplicity m, Mutability mu, unsigned index,
                         char const* hostType, kovo::factory::PropertyAttributes a);
  // Takes ownership of `helper`.
  void DataType(char const* name, Multiplicity m, Mutability mu, unsigned index, char const* hostType,
                PropHelperBase* helper, kovo::factory::PropertyAttributes a);
  // One meta-property entry: reading it gives creator(id), a property that
  // the model class `declaredBy` declares.
  void addMetaProperty(char const* name, MetaPropertyCreator creator, unsigned int id, char const* declaredBy);

  // Module-side registration templates (defined with the descriptor classes).
  template <class T>
  void Primitive(char const* name, Multiplicity m, Mutability mu, unsigned index, char const* hostType,
                 kovo::factory::PropertyAttributes a);
  template <class T>
  void String(char const* name, Multiplicity m, Mutability mu, unsigned index, char const* hostType,
              kovo::factory::PropertyAttributes a);

  kovo::COSClass* cls() const { return fClass; }
  char const* className() const { return fClassName; }
  IntrospectiveMethods const* methods() const { return fMethods; }

 private:
  kovo::COSClass* fClass;
  char const* fClassName;
  IntrospectiveMethods const* fMethods;
};

}  // namespace Ozo::xb
