// The objects behind host objects. A binding may bind several host objects
// to one native object, one per view of it (an element seen immutable and
// modifiable): each view has its own bound id. Such a binding registers how
// to find the object behind its ids, so that the host can tell views of one
// object apart from different objects.
#pragma once

namespace kovo {

// The native object behind a bound id, or null for an id the resolver does
// not know. Called under the host lock.
using ObjectResolver = void const* (*)(void const* bound);

// Adds a resolver (once per binding; adding one twice keeps one).
void addObjectResolver(ObjectResolver resolver);

// The object behind `bound`: the first resolver's answer, else `bound`.
void const* objectOfBound(void const* bound);

}  // namespace kovo
