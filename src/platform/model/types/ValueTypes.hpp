// The package's seven value types, in the order the package registers them:
// the one list that code over every value type reads.
#pragma once

#include <types/Values.hpp>

namespace Zorvan::metamodel::types {

template <class... T>
struct TypeList {
  static constexpr unsigned size = sizeof...(T);
  // Calls f.template operator()<T>() for each type in order.
  template <class F>
  static constexpr void forEach(F&& f) {
    (f.template operator()<T>(), ...);
  }
};

using ValueTypes = TypeList<DataSize, Time, FloatingPointKind, DataSizeUnitKind, TimeUnitKind, CompuMethodCategory,
                            SwGenericAxisParamTypeCategory>;

}  // namespace Zorvan::metamodel::types
