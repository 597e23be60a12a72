// Registration of method rows and the converters' out-of-line parts.
#include <xb/Methods.hpp>
#include <xb/Property.hpp>

#include <kovo/SmallBuffer.hpp>

#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace ozo {
char const* getTooManyElementsMessage() {
  return "Too many elements: the value must be an empty array or a scalar.";
}
}  // namespace ozo

namespace Ozo::xb {

namespace {

using kovo::factory::kFlagExplicit;
using kovo::factory::kFlagStatic;

// Flag word rules, applied right after a descriptor is built: static forms
// are callable through the class unless they take the object explicitly; an
// instance method never takes it explicitly; an explicit form is marked so.
void applyFlags(kovo::COSMethodInfo& m, Form form) {
  std::uint32_t& flags = m.flags();
  switch (form) {
    case Form::Static:
    case Form::Function:
      if (!(flags & kFlagExplicit)) flags |= kFlagStatic;
      break;
    case Form::Instance: flags &= ~kFlagExplicit; break;
    case Form::Explicit: flags |= kFlagExplicit; break;
    case Form::Constructor: break;
  }
}

void fill(kovo::COSMethodInfo& m, MethodRow const& row, void const* classData) {
  applyFlags(m, row.form);
  kovo::SmallBuffer<kovo::Interned, 8> types(row.arguments.size());
  for (std::size_t i = 0; i < types.size(); ++i) types[i] = row.arguments[i](classData);
  kovo::factory::impl::Invoker::createSignature(m, row.argumentNames, row.result(classData),
                                                row.self ? row.self(classData) : kovo::Interned(),
                                                std::as_const(types).span());
  kovo::factory::impl::Binding& b = m.binding();
  b.invoker = row.invoker;
  row.bindTarget(b);
  b.data = classData;
  // A static form taking the object explicitly skips it when calling the target.
  if (row.form == Form::Static && (m.flags() & kFlagExplicit)) b.adjustment = 1;
}

}  // namespace

void addMethods(kovo::COSClass* cls, std::span<MethodRow const> rows, void const* classData) {
  using kovo::factory::impl::KovoConstructor;
  using kovo::factory::impl::MethodImpl;
  for (MethodRow const& row : rows) {
    kovo::factory::MethodAttributes const attrs{row.attributes};
    // The class's own name names its constructors.
    std::unique_ptr<MethodImpl, kovo::HostDelete> m(row.form == Form::Constructor
                                                        ? new KovoConstructor(cls->getShortName(), attrs, "")
                                                        : new MethodImpl(row.name, attrs, ""));
    fill(*m, row, classData);
    cls->addMethod(m.get());
    m.release();
  }
}

void addFunction(kovo::COSPackage* package, MethodRow const& row) {
  using kovo::factory::FunctionInfo;
  // Package functions come from calloc; the host frees them with zkFree.
  void* const block = std::calloc(1, sizeof(FunctionInfo));
  if (!block) throwOutOfMemory();
  FunctionInfo* fn;
  try {
    fn = new (block) FunctionInfo(row.name, kovo::factory::MethodAttributes{row.attributes});
  } catch (...) {
    zkFree(block);
    throw;
  }
  std::unique_ptr<FunctionInfo, kovo::HostDelete> owned(fn);
  fill(*fn, row, nullptr);
  package->addFunction(owned.get());
  owned.release();
}

// ---------------------------------------------------------------------------
namespace detail {

void requireInputs(int given, std::size_t wanted) {
  if (given < 0 || static_cast<std::size_t>(given) < wanted)
    throw kovo::HostError("Expected " + std::to_string(wanted) + " inputs, got " + std::to_string(given) + ".");
}

void touchConstructed(kovo::COSValue out0, kovo::Interned className) {
  kovo::COSInterfacePtr const obj = kovo::cosiGetArrayElement(kovo::toArray(out0), 0);
  if (obj) (void)obj->lookup(className);
}

void bindConstructed(ImmutableObject const& created, kovo::Interned className, kovo::COSValue out0) {
  // The same counting base that returning the object announces (an upcast).
  ReferenceCountingIntf* const rc = created.isValid() ? created.get() : nullptr;
  void* const id = DeviantRegistry::getId(rc, created.deviant(), false);
  if (id)
    kovo::factory::basic::BindingRegistry::announceSlotForConstructor(DeviantRegistry::slotOf(id), className,
                                                                      kovo::toArray(out0));
  else
    kovo::factory::basic::BindingRegistry::announceForConstructor(nullptr, className, kovo::toArray(out0), true);
  if (rc) rc->addRef();  // the binding's reference
}

}  // namespace detail

// ---------------------------------------------------------------------------
void requireAtMostOne(kovo::HostArray const& a) {
  OZO_ASSERT_AT("ozo_xb/marshal/OptionalPrimitiveMarshaling", 84, a.numel() <= 1, "%s",
                ozo::getTooManyElementsMessage());
}

kovo::COSValue absent(char const* type) {
  return kovo::fromArray(kovo::factory::basic::BindingRegistry::announce(nullptr, internedName(type)));
}

std::u16string textOf(kovo::COSValue w) {
  kovo::HostArray const* a = kovo::toArray(w);
  if (a == nullptr || a->classID() != kovo::ClassID::Char) return {};
  return matrix::get_ustring(a);
}

kovo::COSValue textResult(std::u16string_view text) { return kovo::fromArray(kovo::HostArray::createString(text)); }
kovo::COSValue textResult(std::string_view utf8) { return kovo::fromArray(kovo::HostArray::createString(utf8)); }

VariantInfo const* identityInput(kovo::COSValue w, kovo::Interned cls) {
  kovo::HostArray const* a = kovo::toArray(w);
  if (a == nullptr || a->classID() != kovo::ClassID::Object || a->isEmpty()) return nullptr;
  // Borrowed: the caller's array holds the object for the whole call.
  kovo::COSInterface const* const object = a->objects()[0].get();
  if (object == nullptr) return nullptr;
  void* const id = object->lookup(cls);
  VariantInfo const* const info = DeviantRegistry::getVariantInfo(id);
  // An identity keeps its binding in its slot: a bound one needs no second
  // lookup. Anything else gets the host's check and its error.
  if (!info || !DeviantRegistry::slotOf(id)->registered) kovo::factory::impl::validateSelfPointer(id);
  return info;
}

ImmutableObject objectInput(kovo::COSValue w, kovo::Interned cls) {
  return handleOf<ImmutableObject, NSInterface::ObjectIntf>(identityInput(w, cls));
}

void refuseImmutableView(kovo::COSValue w, kovo::Interned cls) {
  kovo::HostArray const* a = kovo::toArray(w);
  if (a == nullptr || a->classID() != kovo::ClassID::Object || a->isEmpty()) return;
  kovo::COSInterfacePtr const object = kovo::omGetArrayElement(a, 0);
  if (object && DeviantRegistry::isImmutable(object->lookup(cls))) OzoxbProperty::throwSetProhibitedException();
}

kovo::Interned elementHostName(meta::ClassDef const& def, bool immutable) {
  return kovo::intern({def.packageName, immutable ? ".Immutable" : ".", def.name});
}

}  // namespace Ozo::xb
