// Factory: creates the package's elements and values in one model.
//
// A factory is bound to one model (it keeps it alive). Each creation
// operation makes the object in that model with the element class's own
// create operation and hands it back carrying the deviant it was asked with:
//
//   Factory f = NSInterface::FactoryIntf::createNewFactory(model);
//   Axis a = f->create<Axis>(f.deviant(), Ozo::Integer(2), Ozo::String("x"));
#pragma once

#include <Ozo/Meta.hpp>
#include <types/Values.hpp>

#include <utility>

namespace Zorvan::metamodel::types {

class Factory;

namespace NSInterface {
class FactoryIntf : public Ozo::NSInterface::FactoryIntf {
 public:
  // A new factory bound to `model`; the NULL-ref failure for an empty model.
  static Factory createNewFactory(Ozo::Model const& model);

  virtual Ozo::Model model() const = 0;

  // A new X in the factory's model: X::create(model, args...), in the given deviant.
  template <class X, class... A>
  X create(Ozo::Deviant const& d, A&&... args) const {
    X const x = X::create(model(), std::forward<A>(args)...);
    return X(x.intf(), d);
  }
  // A new value of a value type (DataSize, Time): it belongs to no model.
  template <class V, class... A>
  V createValue(Ozo::Deviant const&, A&&... args) const {
    return V(std::forward<A>(args)...);
  }
  // A new element of the class named by its full name ("Zorvan.metamodel.types.Axis"),
  // and the same with its name set. Any other text fails, naming it.
  virtual Ozo::Object createFromString(Ozo::Deviant const& d, Ozo::String const& className) const = 0;
  virtual Ozo::Object createFromString(Ozo::Deviant const& d, Ozo::String const& className,
                                       Ozo::String const& name) const = 0;
};
}  // namespace NSInterface

// Handles of a factory: the interface and the deviant it works in.
class ImmutableFactory : public Ozo::Handle<NSInterface::FactoryIntf> {
 public:
  using Handle::Handle;
  ImmutableFactory() = default;
  ImmutableFactory(NSInterface::FactoryIntf const* f, Ozo::Deviant d)
      : Handle(const_cast<NSInterface::FactoryIntf*>(f), d) {}
};

class Factory : public Ozo::Handle<NSInterface::FactoryIntf> {
 public:
  using Handle::Handle;
  Factory() = default;
};

}  // namespace Zorvan::metamodel::types
