// Host names of the types package's classes.
#pragma once

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

inline constexpr char kTypes[] = "Zorvan.metamodel.types.";

// The host name of the types package's class `shortName`: T("Axis").
inline std::string T(std::string_view shortName) {
  std::string name = kTypes;
  name += shortName;
  return name;
}

// The host classes of element class `x`, in the order the package lists them.
inline std::vector<std::string> elementClassNames(std::string_view x) {
  std::string const s(x);
  return {T("Immutable" + s),
          T(s),
          T(s + "MetaProperty"),
          T("SequenceOf" + s),
          T("SequenceOfImmutable" + s),
          T("ImmutableSequenceOf" + s),
          T("ImmutableSequenceOfImmutable" + s),
          T(s + "Iterator"),
          T("Immutable" + s + "Iterator"),
          T(s + "ImmutableIterator"),
          T("Immutable" + s + "ImmutableIterator")};
}

// The host classes of value type `v` (its values, their lists and cursors),
// in the order the package lists them.
inline std::vector<std::string> valueTypeClassNames(std::string_view v) {
  std::string const s(v);
  return {T(s), T("SequenceOf" + s), T("ImmutableSequenceOf" + s), T(s + "Iterator"), T(s + "ImmutableIterator")};
}

// What a listing of the types package must be, derived from the listing's
// own element classes (each named by its meta-property class) and value
// types (each named by a list class of no element class): the classes of
// each, and the factory pair, sorted. A listing that misses or repeats a
// class, or holds a stray one, differs from it.
inline std::vector<std::string> typesListingOf(std::vector<std::string> const& listing) {
  std::set<std::string> const listed(listing.begin(), listing.end());
  auto const isElement = [&](std::string_view x) { return listed.count(T(std::string(x) + "MetaProperty")) > 0; };
  constexpr std::string_view kMeta = "MetaProperty", kList = "SequenceOf", kImmutable = "Immutable";
  std::vector<std::string> out = {T("Factory"), T("ImmutableFactory")};
  for (std::string const& c : listing) {
    std::string_view const name = std::string_view(c).substr(std::size(kTypes) - 1);
    std::vector<std::string> family;
    if (name.ends_with(kMeta)) {
      family = elementClassNames(name.substr(0, name.size() - kMeta.size()));
    } else if (name.starts_with(kList)) {
      std::string_view const item = name.substr(kList.size());
      if (!isElement(item) && !(item.starts_with(kImmutable) && isElement(item.substr(kImmutable.size()))))
        family = valueTypeClassNames(item);
    }
    out.insert(out.end(), family.begin(), family.end());
  }
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace testsupport
