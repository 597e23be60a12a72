// How a class of the package states its creation with arguments once.
#pragma once

namespace Zorvan::metamodel::types {

// A class's creation with arguments as the host offers it, as a constructor
// and as the factory's create method: the parameter types (after the model,
// for an element) of its create operation or constructor, and their names as
// the factory lists them.
//   static constexpr CreateWith<Ozo::Integer, Ozo::String> kCreateWith{" aDimensions, aName"};
template <class... A>
struct CreateWith {
  char const* argumentNames;
};

}  // namespace Zorvan::metamodel::types
