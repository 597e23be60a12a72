// The package's factory: one implementation, the class list is data.
#include <types/Classes.hpp>
#include <types/Definitions.hpp>
#include <types/Factory.hpp>

#include <string>
#include <unordered_map>

namespace Zorvan::metamodel::types {

namespace {

constexpr char kFactoryHeader[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesFactory_h";

// What createFromString can make, per class.
struct Creator {
  Ozo::Object (*plain)(Ozo::Model const& model);
  Ozo::Object (*named)(Ozo::Model const& model, Ozo::String const& name);
};

template <class X>
Creator creatorOf() {
  return {[](Ozo::Model const& model) { return X::create(model).operator Ozo::Object(); },
          [](Ozo::Model const& model, Ozo::String const& name) {
            X const x = X::create(model);
            if constexpr (requires { x.setName(name); }) x.setName(name);
            return x.operator Ozo::Object();
          }};
}

// The package's concrete element classes.
std::unordered_map<std::string, Creator> const& creators() {
  static auto const table = [] {
    std::unordered_map<std::string, Creator> t;
    forEachOf<IsCreatable>(
        [&t]<class X>() { t.emplace(std::string(kPackageName) + "." + X::Intf::sClassDef.name, creatorOf<X>()); });
    return t;
  }();
  return table;
}

Creator const& creatorNamed(Ozo::String const& className) {
  std::string const name = className.utf8();
  auto const& table = creators();
  auto const it = table.find(name);
  OZO_ASSERT_AT(kFactoryHeader, 120, it != table.end(),
                "\"%s\" names no class of %s that the factory can create", name.c_str(), kPackageName);
  return it->second;
}

Ozo::Object inDeviant(Ozo::Object const& o, Ozo::Deviant const& d) { return Ozo::Object(o.get(), d); }

class FactoryImpl final : public Ozo::Counted<NSInterface::FactoryIntf> {
 public:
  explicit FactoryImpl(Ozo::Model model) : fModel(std::move(model)) {}

  Ozo::ImmutableType getMetaType(Ozo::Deviant const&) const override { return {}; }
  char const* getKovoName(bool immutable) const override {
    return immutable ? "Zorvan.metamodel.types.ImmutableFactory" : "Zorvan.metamodel.types.Factory";
  }
  Ozo::ImmutableModel getModel(Ozo::Deviant const& d) const override {
    return Ozo::ImmutableModel(fModel.get(), d);
  }
  std::string toString(Ozo::Deviant const&) const override {
    return "Factory of model \"" + fModel.get()->name() + "\"";
  }

  Ozo::Model model() const override { return fModel; }

  Ozo::Object createFromString(Ozo::Deviant const& d, Ozo::String const& className) const override {
    return inDeviant(creatorNamed(className).plain(fModel), d);
  }
  Ozo::Object createFromString(Ozo::Deviant const& d, Ozo::String const& className,
                               Ozo::String const& name) const override {
    return inDeviant(creatorNamed(className).named(fModel, name), d);
  }

 private:
  Ozo::Model fModel;
};

}  // namespace

Factory NSInterface::FactoryIntf::createNewFactory(Ozo::Model const& model) {
  model.checkedModel();
  return Factory(new FactoryImpl(model), model.deviant());
}

}  // namespace Zorvan::metamodel::types
