// Method registration and the invokers shared by every element class.
//
// Every host method is a MethodImpl whose binding holds one uniform invoker
// and its target. The invokers here convert the inputs, call the target and
// send model objects back through the object-return routine; per-method
// templates only pick the target.
#pragma once

#include <Ozo/Meta.hpp>
#include <kovo/Class.hpp>
#include <xb/Marshal.hpp>

#include <initializer_list>
#include <vector>

namespace Zorvan::xb {

using kovo::COSValue;
using kovo::factory::InvokerFn;
using kovo::factory::impl::Binding;

enum class MethodKind {
  Static,       // MetaClass, MetaProperty, package functions
  Cast,         // the static cast methods
  MetaType,     // getMetaType: an instance method
  Constructor,  // constructors of modifiable classes
};

struct MethodDef {
  MethodKind kind;
  char const* name;  // ignored for constructors (the class's own name is used)
  std::int32_t attributes;
  char const* argumentNames;
  char const* result;
  char const* self;  // null for static methods
  std::vector<char const*> argumentTypes;
  InvokerFn invoker;
  kovo::factory::GenericFn target = nullptr;
  void const* data = nullptr;
};

// Builds the descriptor, applies the flag rules of its kind, fills signature
// and binding, and hands it to the class.
void addMethod(kovo::COSClass* cls, MethodDef const& def);

// Target of a static method that yields a model object.
using HandleTarget = Ozo::ImmutableObject (*)();

template <class R, R (*F)()>
Ozo::ImmutableObject handleTarget() {
  return F();
}

// Static method without arguments returning a model object in the immutable
// view; binding.data is the default host class name (char const*).
void invokeStaticHandle(Binding const& b, kovo::COSClient*, int& nlhs, COSValue* out, int nrhs,
                        COSValue const* in);

// "getMetaType": self in the view given by binding.data's MetaTypeTarget.
struct MetaTypeTarget {
  Ozo::ImmutableType (Ozo::ImmutableObject::*member)() const;
  char const* selfClass;  // "Ozo.ImmutableObject" or "Ozo.Object"
};
void invokeMetaType(Binding const& b, kovo::COSClient*, int& nlhs, COSValue* out, int nrhs,
                    COSValue const* in);

// "cast": binding.data is a CastTarget.
struct CastTarget {
  // The object as the element class in the result view, or an empty handle.
  Ozo::ImmutableObject (*cast)(Ozo::ImmutableObject const& other);
  char const* argumentClass;  // view of the argument
  bool resultImmutable;
  char const* defaultName;    // "Ozo.ImmutableObject" or "Ozo.Object"
};
void invokeCast(Binding const& b, kovo::COSClient*, int& nlhs, COSValue* out, int nrhs, COSValue const* in);

// The bound pointer of the object in input word `w` under `cls` (null for an empty array).
void* boundPointer(COSValue w, kovo::Interned cls);

}  // namespace Zorvan::xb
