// Private seams between the parts of the host runtime.
#pragma once

#include <kovo/Class.hpp>
#include <kovo/Object.hpp>

#include <atomic>
#include <string_view>

namespace kovo {

// Access to host objects' private state for the binding registry and the runtime.
class BindingAccess {
 public:
  static COSInterface* create(COSClass* cls, void* bound, bool valueObject);
  // An object registered in `slot`, which is its id (see BindingSlot).
  static COSInterface* createSlotted(COSClass* cls, BindingSlot* slot);
  // Binds an unbound object (constructors).
  static void bind(COSInterface* obj, void* bound, bool store);
  // Binds it to a slotted id (see BindingSlot), always stored.
  static void bindSlot(COSInterface* obj, BindingSlot* slot);
  static void setRegistered(COSInterface* obj, bool registered);
  // Runs destroyInstance now (at most once per object) and marks the object
  // deleted; errors of destroyInstance pass on.
  static void destroyNow(COSInterface* obj);
};

namespace detail {

// The hash of a name: eight bytes at a time (names are tens of characters).
std::size_t hashName(std::string_view name);

// Every stored name carries a word in front of its length for the class
// declared under that name, filled by the first lookup that finds one
// (classes are never removed, and a lookup that fails leaves it null).
// Null for the empty name.
std::atomic<void*>* declaredClassWord(Interned name);

// The requester the host passes to initializeClass and invokers.
COSClient* hostClient();

// A class by full name with its package populated but the class itself not
// initialised (announcing an object needs no members). Null when unknown.
COSClass* findDeclaredClass(std::string_view fullName);
COSClass* findDeclaredClass(Interned fullName);

// Inheritance distance from `cls` to the class named `name` (0 = same), -1
// when unrelated. Compares names, so `name` need not be a known class.
int distanceToName(COSClass* cls, Interned name);

// Whether `bound` is the bound pointer of a live, not deleted host object.
bool isLiveBound(void const* bound);

// Names the dispatcher and descriptors compare against.
struct DataTypes {
  Interned int32Scalar, doubleScalar, logicalScalar;
  Interned ozoint32, ozodouble, ozological;
  Interned charType, charVector, voidType;
};
DataTypes makeDataTypes();
// Inline: the dispatcher compares against these several times per call.
inline DataTypes const& dataTypes() {
  static DataTypes const types = makeDataTypes();
  return types;
}

}  // namespace detail
}  // namespace kovo
