// Copying model content and comparing two models, both by walking the
// stored properties of each class (the same walk saving does).
#pragma once

#include <Ozo/Meta.hpp>

#include <string>
#include <vector>

namespace Ozo {

class ElementBase;

// Copies `element` and everything it owns into `model` (the element's own
// model or another): references among the copied elements point to the
// copies, references to elements outside them stay as they are. Returns the
// copy of `element`, owned by nothing. Fails before making anything when the
// model is read-only or a class cannot be made by the runtime.
Object copyElement(Model const& model, ElementBase& element);

// The structural differences of two models, one line each:
// "path: property: left != right". Elements are matched by their place in the
// ownership trees (roots by class and name, owned elements by property and
// position), never by id, creation order or the models' own names, so two
// models that hold the same elements and values give no line. A path names
// an element by its owners' names and its own, joined with "/"; an element
// without a name is "(Class)", and "[n]" tells apart siblings of one name.
std::vector<std::string> compareModels(ImmutableModel const& left, ImmutableModel const& right);

}  // namespace Ozo
