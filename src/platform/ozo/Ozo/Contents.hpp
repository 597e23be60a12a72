// What a model holds, walked the same way by every service that reads a
// whole model (listing, saving, copying, comparing).
#pragma once

#include <Ozo/Meta.hpp>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Ozo {

class ElementBase;

// The elements of the model that no other element owns, in creation order.
std::vector<ElementBase*> contentsOf(NSInterface::ModelIntf* model);

// Every element of the model, depth first: an owner before what it owns,
// owned elements in the order of the owner's properties and, within one, of
// its collection; the trees in the order of contentsOf. No recursion.
std::vector<ElementBase*> allContentsOf(NSInterface::ModelIntf* model);

// The elements of the trees under `roots`, each root first, then depth
// first what it owns, in the order of allContentsOf. No recursion.
std::vector<ElementBase*> treesUnder(std::vector<ElementBase*> const& roots);

// The elements `element` owns, in the same order.
std::vector<ElementBase*> ownedBy(ElementBase& element);

// The element's name (its "Name" property), empty when it has none.
std::u16string nameOf(ElementBase& element);

// The first element, in allContentsOf order, whose own name and the names of
// its owners, outermost first, joined with "/" give `path`; null for none.
ElementBase* findByPath(NSInterface::ModelIntf* model, std::u16string_view path);

}  // namespace Ozo
