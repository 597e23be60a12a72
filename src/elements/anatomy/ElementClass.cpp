#include "elements/anatomy/ElementClass.hpp"

#include "marshal/PrimitiveProperties.hpp"

#include <kovo/HostArray.hpp>
#include <kovo/Object.hpp>
#include <xb/Marshal.hpp>

namespace Zorvan::xb {

ElementNames makeNames(ElementFacts const& f) {
  std::string const prefix = std::string(f.package) + ".";
  ElementNames n;
  n.immutableShort = std::string("Immutable") + f.name;
  n.modifiableShort = f.name;
  n.metaShort = std::string(f.name) + "MetaProperty";
  n.immutableFull = prefix + n.immutableShort;
  n.modifiableFull = prefix + n.modifiableShort;
  n.metaFull = prefix + n.metaShort;
  return n;
}

Ozo::Model ArgFrom<Ozo::Model>::convert(COSValue w) {
  Ozo::ImmutableObject const o = Ozo::xb::toHandle(w, Ozo::xb::internedName("Ozo.Model"));
  if (!o.isValid()) return {};
  auto* model = dynamic_cast<Ozo::NSInterface::ModelIntf*>(o.get());
  return Ozo::Model(model, o.deviant());
}

Ozo::String ArgFrom<Ozo::String>::convert(COSValue w) {
  return Ozo::String(matrix::get_ustring(kovo::toArray(w)));
}

void touchConstructed(COSValue out0, kovo::Interned className) {
  kovo::COSInterfacePtr const obj = kovo::cosiGetArrayElement(kovo::toArray(out0), 0);
  if (obj) (void)obj->lookup(className);
}

void bindConstructed(Ozo::ImmutableObject const& created, kovo::Interned className, COSValue out0) {
  Ozo::ReferenceCountingIntf* const rc =
      created.isValid() ? created.get()->castTo<Ozo::VisitationDomain, Ozo::ReferenceCountingIntf>() : nullptr;
  void* const id = Ozo::DeviantRegistry::getId(rc, created.deviant(), false);
  kovo::factory::basic::BindingRegistry::announceForConstructor(id, className, kovo::toArray(out0), true);
  if (rc) rc->addRef();  // the binding's reference
}

namespace {

constexpr std::int32_t kRedefined = kovo::factory::kAttrRedefined;
constexpr std::int32_t kInstance = kovo::factory::kAttrInstanceOnly;

constexpr MetaTypeTarget kMetaTypeImmutable{&Ozo::ImmutableObject::getMetaType, "Ozo.ImmutableObject"};
constexpr MetaTypeTarget kMetaTypeModifiable{&Ozo::ImmutableObject::getMetaType, "Ozo.Object"};

void addStaticMetaMethods(kovo::COSClass* cls, std::string const& metaFull, HandleTarget metaClass,
                          InvokerFn metaPropertyInvoker, std::int32_t attrs) {
  addMethod(cls, {MethodKind::Static, "MetaClass", attrs, "", "Ozo.ImmutableClass", nullptr, {},
                  &invokeStaticHandle, reinterpret_cast<kovo::factory::GenericFn>(metaClass),
                  "Ozo.ImmutableClass"});
  addMethod(cls, {MethodKind::Static, "MetaProperty", attrs, "", metaFull.c_str(), nullptr, {},
                  metaPropertyInvoker});
}

void addMetaType(kovo::COSClass* cls, MetaTypeTarget const& target) {
  addMethod(cls, {MethodKind::MetaType, "getMetaType", kInstance, "", "Ozo.ImmutableType", target.selfClass, {},
                  &invokeMetaType, nullptr, &target});
}

void addCast(kovo::COSClass* cls, CastTarget const& target) {
  addMethod(cls, {MethodKind::Cast, "cast", 0, "other", target.defaultName, nullptr, {target.argumentClass},
                  &invokeCast, nullptr, &target});
}

}  // namespace

ImmutableElementClassInfo::ImmutableElementClassInfo(ElementFacts const& facts, ElementNames const& names,
                                                     Ops const& ops)
    : ClassMetaData(names.immutableShort, ""), fFacts(facts), fNames(names), fOps(ops) {}

void ImmutableElementClassInfo::initializeClass(kovo::COSClass* cls, kovo::COSClient* client) {
  cls->addSuperclass(kovo::intern(fFacts.immutableSuper), 1, 0, 1);
  kovo::factory::detail::initStringDataTypes();
  addStaticMetaMethods(cls, fNames.metaFull, fOps.metaClass, fOps.metaPropertyInvoker, 0);
  addMetaType(cls, kMetaTypeImmutable);
  registerProperties(cls, fNames.immutableFull.c_str(), fOps.methods, fFacts.properties);
  Ozo::xb::KovoExtensionsRegistry::instance().executeNonConstCallbacks(fNames.modifiableFull.c_str(), cls,
                                                                       client);
  addCast(cls, *fOps.castFromImmutable);
  addCast(cls, *fOps.castFromModifiable);
}

ModifiableElementClassInfo::ModifiableElementClassInfo(ElementFacts const& facts, ElementNames const& names,
                                                       Ops ops)
    : ClassMetaData(names.modifiableShort, ""), fFacts(facts), fNames(names), fOps(std::move(ops)) {}

void ModifiableElementClassInfo::initializeClass(kovo::COSClass* cls, kovo::COSClient*) {
  cls->addSuperclass(kovo::intern(fNames.immutableFull), 1, 0, 1);
  cls->addSuperclass(kovo::intern(fFacts.modifiableSuper), 1, 0, 1);
  kovo::factory::detail::initStringDataTypes();
  for (Constructor const& c : fOps.constructors) {
    addMethod(cls, {MethodKind::Constructor, nullptr, 0, "", fNames.modifiableFull.c_str(), nullptr,
                    c.argumentTypes, c.invoker});
  }
  addStaticMetaMethods(cls, fNames.metaFull, fOps.metaClass, fOps.metaPropertyInvoker, kRedefined);
  addMetaType(cls, kMetaTypeModifiable);
  addCast(cls, *fOps.cast);
}

void registerProperties(kovo::COSClass* cls, char const* className, Ozo::IntrospectiveMethods const* methods,
                        std::span<PropertyRow const> rows) {
  Ozo::xb::OzoxbPropertyFactory factory(cls, className, methods);
  for (PropertyRow const& r : rows) {
    switch (r.kind) {
      case PropertyKind::ClassObject:
        factory.ClassObject(r.name, r.multiplicity, r.mutability, r.index, r.hostType, r.attributes);
        break;
      case PropertyKind::PrimitiveSequence:
        factory.PrimitiveSequence(r.name, r.multiplicity, r.mutability, r.index, r.hostType, r.attributes);
        break;
      case PropertyKind::Primitive:
        registerPrimitive(factory, r.name, r.multiplicity, r.mutability, r.index, r.hostType, r.attributes);
        break;
      case PropertyKind::String:
        factory.String<Ozo::String>(r.name, r.multiplicity, r.mutability, r.index, r.hostType, r.attributes);
        break;
    }
  }
}

void addMetaPropertyEntries(kovo::COSClass* cls, char const* className, std::span<MetaGroup const> groups) {
  kovo::factory::detail::initStringDataTypes();
  Ozo::xb::OzoxbPropertyFactory factory(cls, className, groups.empty() ? nullptr : groups.front().methods);
  for (MetaGroup const& g : groups) {
    Ozo::PropertyTableEntry const* table = g.methods->table();
    for (unsigned id = 1; id <= g.methods->count(); ++id)
      factory.addMetaProperty(table[id - 1].property->def().name, g.creator, id);
  }
}

void registerElementSequences(kovo::COSPackage* pkg, ElementFacts const& facts) {
  std::string const p = std::string(facts.package) + ".";
  std::string const x = facts.name;
  std::string const ix = "Immutable" + x;
  char const* const modifiableList = "A sequence whose values can be changed";
  char const* const immutableList = "A sequence whose values cannot be changed";
  char const* const modifiableIter = "An iterator for traversing a modifiable list";
  char const* const immutableIter = "An iterator for traversing a non-modifiable list";
  Ozo::xb::BaseClassList const bases{facts.sequenceBase()};

  struct Sequence {
    decltype(&Ozo::xb::createSequenceOfRefClassInfo) create;
    std::string shortName;
    char const* description;
    std::string element;
    std::string iterator;
  };
  Sequence const sequences[] = {
      {&Ozo::xb::createSequenceOfRefClassInfo, "SequenceOf" + x, modifiableList, x, x + "Iterator"},
      {&Ozo::xb::createSequenceOfImmutableRefClassInfo, "SequenceOf" + ix, modifiableList, ix, ix + "Iterator"},
      {&Ozo::xb::createImmutableSequenceOfRefClassInfo, "ImmutableSequenceOf" + x, immutableList, x,
       x + "ImmutableIterator"},
      {&Ozo::xb::createImmutableSequenceOfImmutableRefClassInfo, "ImmutableSequenceOf" + ix, immutableList, ix,
       ix + "ImmutableIterator"},
  };
  for (Sequence const& s : sequences)
    pkg->addClass(s.create(s.shortName.c_str(), s.description, (p + s.shortName).c_str(), (p + s.element).c_str(),
                           (p + s.iterator).c_str(), bases),
                  2);

  struct Iterator {
    decltype(&Ozo::xb::createIteratorOfRefClassInfo) create;
    std::string shortName;
    char const* description;
    std::string element;
  };
  Iterator const iterators[] = {
      {&Ozo::xb::createIteratorOfRefClassInfo, x + "Iterator", modifiableIter, x},
      {&Ozo::xb::createIteratorOfImmutableRefClassInfo, ix + "Iterator", immutableIter, ix},
      {&Ozo::xb::createImmutableIteratorOfRefClassInfo, x + "ImmutableIterator", modifiableIter, x},
      {&Ozo::xb::createImmutableIteratorOfImmutableRefClassInfo, ix + "ImmutableIterator", immutableIter, ix},
  };
  for (Iterator const& it : iterators)
    pkg->addClass(it.create(it.shortName.c_str(), it.description, (p + it.shortName).c_str(),
                            (p + it.element).c_str()),
                  2);
}

}  // namespace Zorvan::xb
