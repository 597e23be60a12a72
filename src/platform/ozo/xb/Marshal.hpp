// The seam between host values and model handles, shared by every invoker and
// descriptor: input words to handles, and handles back to host objects.
#pragma once

#include <Ozo/Meta.hpp>
#include <kovo/Class.hpp>
#include <kovo/HostArray.hpp>
#include <kovo/Object.hpp>

#include <vector>

namespace Ozo::xb {

// Interned names used on hot paths, interned once.
kovo::Interned internedName(char const* name);

// Converts an input word (a HostArray of objects) to a handle. An empty array
// gives an empty handle and leaves *given false. Otherwise element 0 is asked
// for its bound pointer under `wantedClass`, the pointer is looked up in the
// deviant registry, and the handle holds the object and its deviant.
ImmutableObject toHandle(kovo::COSValue word, kovo::Interned wantedClass, bool* given = nullptr);

// Same for a host array directly.
ImmutableObject toHandle(kovo::HostArray const* array, kovo::Interned wantedClass, bool* given = nullptr);

// Same for one host object: its bound pointer under `wantedClass` in the
// deviant registry; an empty handle for null or anything not bound to a model object.
ImmutableObject toHandle(kovo::COSInterface const* object, kovo::Interned wantedClass);

// The pointer element 0 of a host array of objects is bound to, asked under
// `cls` (a handle-bound object answers under any of its names); null for an
// empty array, an array of another kind or an unbound object.
inline void* boundPointer(kovo::COSValue word, kovo::Interned cls) {
  kovo::COSInterfacePtr const element = kovo::omGetArrayElement(kovo::toArray(word), 0);
  return element ? element->lookup(cls) : nullptr;
}

// The identity of the model object behind an argument, or null.
VariantInfo const* boundIdentity(kovo::COSValue word, kovo::Interned cls);

// The same for an argument that must be live (a self): an object the host
// has destroyed is refused with the host's text.
VariantInfo const* liveIdentity(kovo::COSValue word, kovo::Interned cls);

// The object behind an identity as the handle type H over `Intf` (Handle<X>,
// Sequence<T>, ...); an empty H for a null identity.
template <class H, class Intf>
H handleOf(VariantInfo const* info) {
  if (info == nullptr) return H();
  return H(info->object->castTo<VisitationDomain, Intf>(), info->deviant);
}

// The host class name of a returned object: the object's own name for the
// view, or `defaultName` for an empty handle. Interned.
kovo::Interned hostClassName(ImmutableObject const& h, bool immutable, char const* defaultName);

// Every result that is a model object reaches the host here: the id from the
// deviant registry for the view, the host object from the binding registry,
// and one reference added to the object when the binding is new (the binding
// keeps it until destroyInstance gives it back). Returns the word to store
// in an output slot (a 1-by-1 object array, or the empty array of
// `className` for a null object).
kovo::COSValue announce(ReferenceCountingIntf* object, Deviant const& deviant, kovo::Interned className,
                        bool immutable);

inline kovo::COSValue returnObject(ImmutableObject const& h, kovo::Interned className, bool immutable) {
  return announce(h.get(), h.deviant(), className, immutable);
}

// Convenience: hostClassName + returnObject.
inline kovo::COSValue returnObject(ImmutableObject const& h, bool immutable, char const* defaultName) {
  return returnObject(h, hostClassName(h, immutable, defaultName), immutable);
}

// Several objects as one 1-by-N host array of class `arrayClass` (each
// element keeps its own class); the empty array of that class for none.
kovo::COSValue returnObjects(std::vector<ImmutableObject> const& objects, bool immutable, char const* arrayClass);

// Every invoker ends with this: a call that asked for no output still gets one.
inline void fixOutputCount(int& nlhs) {
  if (nlhs == 0) nlhs = 1;
}

}  // namespace Ozo::xb
