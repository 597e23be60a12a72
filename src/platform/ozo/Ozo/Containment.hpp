// Where an element is held: for front ends that put a moved element back.
#pragma once

#include <Ozo/Meta.hpp>

namespace Ozo {

class ElementBase;

// The owner's many-valued composite property that holds `element`, or null
// (no owner, or a single-valued one).
NSInterface::CollectionIntf* owningCollection(ElementBase const& element);

// The element that owns `element` and its property that holds it: the most
// specific one of the owner's class for that slot (ConstantValue, not the
// OwnedElement it restates). Both null when nothing owns `element`.
struct Ownership {
  NSInterface::ClassObjectIntf* owner = nullptr;
  NSInterface::PropertyIntf const* property = nullptr;
};
Ownership ownershipOf(ElementBase const& element);

}  // namespace Ozo
