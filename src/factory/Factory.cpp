// The host classes "Factory" and "ImmutableFactory" of Zorvan.metamodel.types.
//
// Every create method is a pair of rows made from one line of the class
// list below: the class and the parameter types of its creation with
// arguments; the targets are one template each for elements and values.
#include "factory/FactoryConvert.hpp"
#include "factory/Registration.hpp"
#include "marshal/ValueConvert.hpp"

#include <types/Classes.hpp>

#include <xb/ClassInfo.hpp>
#include <xb/Methods.hpp>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Zorvan::metamodel::types::xb {

namespace {

using Ozo::xb::MethodRow;
using Ozo::xb::instanceMethod;
using Ozo::xb::staticMethod;
using FactoryIntf = NSInterface::FactoryIntf;

constexpr char kFactoryHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesFactory_h";
constexpr char kDescription[] = "An implementation of the factory design pattern";

FactoryIntf* requireFactory(Factory const& self) { return self.checked(kFactoryHeader, 92); }

// ---------------------------------------------------------------------------
// Creation targets.
template <class X, class... A>
X createElement(Factory const& self, A... args) {
  // Writability first: it passes for an empty factory, which then fails on the handle.
  Ozo::DeviantAssertions::assertWritable(self.get());
  FactoryIntf const* const f = requireFactory(self);
  return f->create<X>(self.deviant(), std::move(args)...);
}

template <class V, class... A>
V createValue(Factory const& self, A... args) {
  return requireFactory(self)->createValue<V>(self.deviant(), std::move(args)...);
}

Ozo::Object fromClassName(Factory const& self, Ozo::String className) {
  return requireFactory(self)->createFromString(self.deviant(), className);
}
Ozo::Object fromClassAndName(Factory const& self, Ozo::String className, Ozo::String name) {
  return requireFactory(self)->createFromString(self.deviant(), className, name);
}

Factory newFactory(Ozo::Model model) { return FactoryIntf::createNewFactory(model); }

// A new model under the next free untitled URI. The runtime's writability
// assertions are off while the model is named and entered, and are restored
// however this ends.
Ozo::Model newModel() {
  Ozo::Model const model = Ozo::NSInterface::FactoryIntf::createNewModel();
  struct Restore {
    bool previous;
    ~Restore() { Ozo::DeviantAssertions::enableAssertions(previous); }
  } const restore{Ozo::DeviantAssertions::enableAssertions(false)};
  Ozo::ModelCache& cache = Ozo::ModelCache::instance();
  Ozo::String const uri = cache.getNextAvailableModelUri(Ozo::String(std::u16string(Ozo::ModelCache::UNTITLED)));
  model.checkedModel()->setUri(model.deviant(), uri);
  cache.bindModel(uri, model);
  return model;
}

// ---------------------------------------------------------------------------
// Casts and views. An object that is no factory gives an empty factory.
template <class H, class From>
H castTo(From const& o) {
  FactoryIntf* const f = o.isValid() ? o.get()->template castTo<Ozo::VisitationDomain, FactoryIntf>() : nullptr;
  return H(f, o.deviant());
}

Ozo::Object toObject(Factory const& self) { return Ozo::Object(self.get(), self.deviant()); }
Ozo::FactoryObject toFactoryObject(Factory const& self) { return Ozo::FactoryObject(self.get(), self.deviant()); }
Ozo::ImmutableObject toImmutableObject(ImmutableFactory const& self) {
  return Ozo::ImmutableObject(self.get(), self.deviant());
}
Ozo::ImmutableFactoryObject toImmutableFactoryObject(ImmutableFactory const& self) {
  return Ozo::ImmutableFactoryObject(self.get(), self.deviant());
}

// Identity of the factory, whatever view or deviant the handles carry.
std::uintptr_t address(ImmutableFactory const& f) { return reinterpret_cast<std::uintptr_t>(f.get()); }
bool eq(ImmutableFactory const& a, ImmutableFactory const& b) { return address(a) == address(b); }
bool ne(ImmutableFactory const& a, ImmutableFactory const& b) { return address(a) != address(b); }
bool gt(ImmutableFactory const& a, ImmutableFactory const& b) { return address(a) > address(b); }
bool ge(ImmutableFactory const& a, ImmutableFactory const& b) { return address(a) >= address(b); }
bool lt(ImmutableFactory const& a, ImmutableFactory const& b) { return address(a) < address(b); }
bool le(ImmutableFactory const& a, ImmutableFactory const& b) { return address(a) <= address(b); }

// ---------------------------------------------------------------------------
// The create rows of one class: no argument, then (unless argNames is null)
// the creation with arguments A.
template <class X>
char const* createName() {
  static std::string const name = [] {
    if constexpr (requires { X::Intf::sClassDef; })
      return std::string("createmetamodeltypes") + X::Intf::sClassDef.name;
    else
      return std::string("createmetamodeltypes") + X::name;
  }();
  return name.c_str();
}

template <class X>
constexpr bool kIsValue = requires { X::name; };

// The create rows of class X: none for an abstract element class; the
// creation without arguments, then the creation with arguments when X has one
// (X::kCreateWith: the parameter types and their names).
template <class X>
void createRows(std::vector<MethodRow>& rows) {
  if constexpr (kIsValue<X>) {
    if constexpr (!requires { X::kCreateWith; }) return;  // an enumeration: made from its literals
    rows.push_back(instanceMethod<&createValue<X>>(createName<X>()));
  } else if constexpr (requires(Ozo::Model const& m) { X::create(m); }) {
    rows.push_back(instanceMethod<&createElement<X>>(createName<X>()));
  } else {
    return;
  }
  if constexpr (requires { X::kCreateWith; }) {
    [&rows]<class... A>(CreateWith<A...> with) {
      if constexpr (kIsValue<X>)
        rows.push_back(instanceMethod<&createValue<X, A...>>(createName<X>(), 0, with.argumentNames));
      else
        rows.push_back(instanceMethod<&createElement<X, A...>>(createName<X>(), 0, with.argumentNames));
    }(X::kCreateWith);
  }
}

std::vector<MethodRow> const& factoryRows() {
  static std::vector<MethodRow> const rows = [] {
    std::vector<MethodRow> r{
        staticMethod<&newFactory>("createNewFactory"),
        staticMethod<&newModel>("createNewModel"),
        instanceMethod<&fromClassName>("createFromString"),
        instanceMethod<&fromClassAndName>("createFromString"),
    };
    // Element classes, then value types, each in the order of the class list.
    forEachOf<IsElement>([&r]<class X>() { createRows<X>(r); });
    forEachOf<IsValue>([&r]<class X>() { createRows<X>(r); });
    r.push_back(staticMethod<&castTo<Factory, Ozo::Object>>("cast"));
    r.push_back(instanceMethod<&toObject>("toOzoObject"));
    r.push_back(staticMethod<&castTo<Factory, Ozo::FactoryObject>>("cast"));
    r.push_back(instanceMethod<&toFactoryObject>("toOzoFactoryObject"));
    return r;
  }();
  return rows;
}

constexpr MethodRow kImmutableFactoryRows[] = {
    instanceMethod<&eq>("eq"),
    instanceMethod<&ne>("ne"),
    instanceMethod<&gt>("gt"),
    instanceMethod<&ge>("ge"),
    instanceMethod<&lt>("lt"),
    instanceMethod<&le>("le"),
    staticMethod<&castTo<ImmutableFactory, Ozo::ImmutableObject>>("cast", 0, "other"),
    instanceMethod<&toImmutableObject>("toOzoImmutableObject"),
    staticMethod<&castTo<ImmutableFactory, Ozo::ImmutableFactoryObject>>("cast", 0, "other"),
    instanceMethod<&toImmutableFactoryObject>("toOzoImmutableFactoryObject"),
};

// ---------------------------------------------------------------------------
class FactoryWrapper final : public Ozo::xb::ClassMetaData {
 public:
  FactoryWrapper() : ClassMetaData("Factory", kDescription) {}
  ~FactoryWrapper() override = default;
  void initializeClass(kovo::COSClass* cls, kovo::COSClient*) override {
    cls->addSuperclass(Ozo::xb::internedName("Ozo.FactoryObject"), 1, 0, 1);
    kovo::factory::detail::initStringDataTypes();
    Ozo::xb::addMethods(cls, factoryRows());
  }
};

class ImmutableFactoryWrapper final : public Ozo::xb::ClassMetaData {
 public:
  ImmutableFactoryWrapper() : ClassMetaData("ImmutableFactory", kDescription) {}
  ~ImmutableFactoryWrapper() override = default;
  void initializeClass(kovo::COSClass* cls, kovo::COSClient*) override {
    cls->addSuperclass(Ozo::xb::internedName("Ozo.ImmutableFactoryObject"), 1, 0, 1);
    kovo::factory::detail::initStringDataTypes();
    Ozo::xb::addMethods(cls, kImmutableFactoryRows);
  }
};

template <class Info>
void registerOne(kovo::COSPackage* package) {
  Ozo::xb::addToPackage(package, new Info);
}

}  // namespace

void staticInitializeFactory(kovo::COSPackage* package) {
  registerOne<FactoryWrapper>(package);
  registerOne<ImmutableFactoryWrapper>(package);
}

}  // namespace Zorvan::metamodel::types::xb
