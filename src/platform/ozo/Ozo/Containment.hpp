// Where an element is held: for front ends that put a moved element back.
#pragma once

#include <Ozo/Meta.hpp>

namespace Ozo {

class ElementBase;

// The owner's many-valued composite property that holds `element`, or null
// (no owner, or a single-valued one).
NSInterface::CollectionIntf* owningCollection(ElementBase const& element);

}  // namespace Ozo
