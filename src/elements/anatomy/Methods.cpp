#include "elements/anatomy/Methods.hpp"

#include <kovo/HostArray.hpp>
#include <kovo/Object.hpp>

namespace Zorvan::xb {

namespace {
constexpr std::uint32_t kStatic = kovo::factory::kFlagStatic;
constexpr std::uint32_t kExplicit = kovo::factory::kFlagExplicit;
}  // namespace

void addMethod(kovo::COSClass* cls, MethodDef const& def) {
  using kovo::factory::impl::KovoConstructor;
  using kovo::factory::impl::MethodImpl;
  kovo::factory::MethodAttributes const attrs{def.attributes};
  // The class's own name names its constructors.
  char const* name = def.kind == MethodKind::Constructor ? cls->getShortName() : def.name;
  MethodImpl* m = def.kind == MethodKind::Constructor ? new KovoConstructor(name, attrs, "")
                                                        : new MethodImpl(name, attrs, "");
  std::unique_ptr<MethodImpl, kovo::HostDelete> owned(m);

  std::uint32_t& flags = m->flags();
  switch (def.kind) {
    case MethodKind::Static:
    case MethodKind::Cast:
      if (!(flags & kExplicit)) flags |= kStatic;
      break;
    case MethodKind::MetaType:
      flags &= ~kExplicit;
      break;
    case MethodKind::Constructor:
      break;
  }
  kovo::factory::impl::Invoker::createSignature(*m, def.argumentNames, def.result, def.self,
                                                def.argumentTypes);
  Binding& b = m->binding();
  b.invoker = def.invoker;
  b.target = def.target;
  b.data = def.data;
  if ((def.kind == MethodKind::Cast || def.kind == MethodKind::MetaType) && (flags & kExplicit))
    b.adjustment = 1;
  cls->addMethod(owned.release());
}

void* boundPointer(COSValue w, kovo::Interned cls) {
  kovo::HostArray const* a = kovo::toArray(w);
  if (!a || a->isEmpty() || a->classID() != kovo::ClassID::Object) return nullptr;
  kovo::COSInterfacePtr obj = kovo::omGetArrayElement(a, 0);
  return obj ? obj->lookup(cls) : nullptr;
}

void invokeStaticHandle(Binding const& b, kovo::COSClient*, int& nlhs, COSValue* out, int, COSValue const*) {
  auto const target = reinterpret_cast<HandleTarget>(b.target);
  Ozo::ImmutableObject const result = target();
  out[0] = Ozo::xb::returnObject(result, true, static_cast<char const*>(b.data));
  Ozo::xb::fixOutputCount(nlhs);
}

void invokeMetaType(Binding const& b, kovo::COSClient*, int& nlhs, COSValue* out, int, COSValue const* in) {
  auto const& target = *static_cast<MetaTypeTarget const*>(b.data);
  kovo::Interned const selfClass = Ozo::xb::internedName(target.selfClass);
  Ozo::ImmutableObject const self = Ozo::xb::toHandle(in[0], selfClass);
  kovo::factory::impl::validateSelfPointer(boundPointer(in[0], selfClass));
  Ozo::ImmutableType const type = (self.*target.member)();
  out[0] = Ozo::xb::returnObject(type, true, "Ozo.ImmutableType");
  Ozo::xb::fixOutputCount(nlhs);
}

void invokeCast(Binding const& b, kovo::COSClient*, int& nlhs, COSValue* out, int, COSValue const* in) {
  auto const& target = *static_cast<CastTarget const*>(b.data);
  kovo::Interned const argClass = Ozo::xb::internedName(target.argumentClass);
  Ozo::ImmutableObject const other = Ozo::xb::toHandle(in[0], argClass);
  kovo::factory::impl::validateSelfPointer(boundPointer(in[0], argClass), b.invoker);
  Ozo::ImmutableObject const result = target.cast(other);
  out[0] = Ozo::xb::returnObject(result, target.resultImmutable, target.defaultName);
  Ozo::xb::fixOutputCount(nlhs);
}

}  // namespace Zorvan::xb
