// Host sequences read from C++: 0-based access and range-for over the host's
// "size" and "at" (1-based).
#include <quillon/host.hpp>

#include <kovo/Runtime.hpp>

#include "Guard.hpp"

#include <string>

namespace quillon {

Sequence Host::sequence(Value const& object) const {
  host::guarded([&] {
    kovo::COSClass* cls = kovo::Runtime::classOf(host::arrayOf(object));
    if (cls->findMethods("size").empty() || cls->findMethods("at").empty())
      throw Error("Class \"" + std::string(cls->getName().view()) + "\" is not a sequence.");
  });
  return Sequence(object);
}

std::size_t Sequence::size() const {
  std::int32_t const n = Host().invoke(fObject, "size", {}).toInt32();
  // A host size is never negative; a class whose "size" says otherwise is no sequence.
  if (n < 0) throw Error("Sequence size " + std::to_string(n) + " is negative.");
  return static_cast<std::size_t>(n);
}

Value Sequence::at(std::size_t i) const {
  std::size_t const n = size();
  if (i >= n)
    throw Error("Sequence index " + std::to_string(i) + " is out of range for " + std::to_string(n) + " items.");
  return item(i);
}

Value Sequence::item(std::size_t i) const {
  return Host().invoke(fObject, "at", {Value(static_cast<int>(i + 1))});
}

Sequence::Iterator Sequence::begin() const { return Iterator(this, size()); }

Sequence::Iterator& Sequence::Iterator::operator++() {
  // On reaching the end read so far, read the size again: what was appended
  // during the walk is walked too.
  if (++fIndex == fSize) fSize = fSequence->size();
  return *this;
}

}  // namespace quillon
