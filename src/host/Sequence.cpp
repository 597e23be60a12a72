// Host sequences read from C++: 0-based access, range-for in batches, and
// searches and takes made in the host. A class whose description offers the
// bulk access (kovo::SequenceAccess) is read through it; any other class with
// "size" and "at" one "at" call per item.
#include <quillon/host.hpp>

#include <kovo/Runtime.hpp>

#include "Guard.hpp"

#include <algorithm>
#include <string>

namespace quillon {

using host::arrayOf;
using kovo::ArrayPtr;
using kovo::Runtime;

namespace {

std::string outOfRange(std::size_t i, std::size_t n) {
  return "Sequence index " + std::to_string(i) + " is out of range for " + std::to_string(n) + " items.";
}

// The size as the host reads it (under the lock).
std::size_t sizeOf(ArrayPtr const& self) {
  if (Runtime::hasSequenceAccess(self)) return Runtime::sequenceSize(self);
  std::int32_t const n = Value::adopt(Runtime::callMethod(self, "size", {}).detach()).toInt32();
  // A host size is never negative; a class whose "size" says otherwise is no sequence.
  if (n < 0) throw Error("Sequence size " + std::to_string(n) + " is negative.");
  return static_cast<std::size_t>(n);
}

Value itemAt(ArrayPtr const& self, std::size_t i) {
  ArrayPtr const position(kovo::HostArray::createInt32(static_cast<std::int32_t>(i + 1)), false);
  return Value::adopt(Runtime::callMethod(self, "at", {&position, 1}).detach());
}

// Items [first, first + count) as Sequence::read reads them (under the lock).
std::size_t readItems(ArrayPtr const& self, std::size_t first, std::size_t count, std::vector<Value>& out) {
  std::size_t const before = out.size();
  if (Runtime::hasSequenceAccess(self)) {
    std::vector<ArrayPtr> items;
    Runtime::sequenceItems(self, first, count, items);
    for (ArrayPtr& a : items) out.push_back(Value::adopt(a.detach()));
    return out.size() - before;
  }
  if (count == 0) return 0;
  // One "at" per item; the host checks each position (one past the end
  // gives its bounds error).
  std::size_t const n = sizeOf(self);
  std::size_t const last = first < n ? first + std::min(count, n - first) : first + 1;
  for (std::size_t i = first; i < last; ++i) out.push_back(itemAt(self, i));
  return out.size() - before;
}

}  // namespace

Sequence Host::sequence(Value const& object) const {
  host::guarded([&] {
    kovo::COSClass* cls = kovo::Runtime::classOf(host::arrayOf(object));
    if (cls->callableMethods("size").empty() || cls->callableMethods("at").empty())
      throw Error("Class \"" + std::string(cls->getName().view()) + "\" is not a sequence.");
  });
  return Sequence(object);
}

std::size_t Sequence::size() const {
  return host::guarded([&] { return sizeOf(arrayOf(fObject)); });
}

Value Sequence::at(std::size_t i) const {
  return host::guarded([&] {
    ArrayPtr const self = arrayOf(fObject);
    std::size_t const n = sizeOf(self);
    if (i >= n) throw Error(outOfRange(i, n));
    std::vector<Value> one;
    readItems(self, i, 1, one);
    return std::move(one.front());
  });
}

std::size_t Sequence::read(std::size_t first, std::size_t count, std::vector<Value>& out) const {
  return host::guarded([&] { return readItems(arrayOf(fObject), first, count, out); });
}

std::optional<std::size_t> Sequence::find(Value const& value, std::size_t from, std::size_t to,
                                          bool* comparable) const {
  return host::guarded([&]() -> std::optional<std::size_t> {
    ArrayPtr const self = arrayOf(fObject);
    std::optional<std::size_t> at;
    if (Runtime::hasSequenceAccess(self)) at = Runtime::sequenceFind(self, arrayOf(value), from, to);
    if (comparable) *comparable = at.has_value();
    if (!at || *at == kovo::SequenceAccess::npos) return std::nullopt;
    return at;
  });
}

std::size_t Sequence::count(Value const& value, bool* comparable) const {
  return host::guarded([&] {
    ArrayPtr const self = arrayOf(fObject);
    std::optional<std::size_t> n;
    if (Runtime::hasSequenceAccess(self)) n = Runtime::sequenceCount(self, arrayOf(value));
    if (comparable) *comparable = n.has_value();
    return n.value_or(0);
  });
}

Value Sequence::take(std::size_t i) const {
  return host::guarded([&] {
    ArrayPtr const self = arrayOf(fObject);
    std::size_t const n = sizeOf(self);
    if (i >= n) throw Error(outOfRange(i, n));
    if (Runtime::hasSequenceAccess(self)) return Value::adopt(Runtime::sequenceTake(self, i).detach());
    Value item = itemAt(self, i);
    ArrayPtr const position(kovo::HostArray::createInt32(static_cast<std::int32_t>(i + 1)), false);
    Runtime::callMethod(self, "erase", {&position, 1});
    return item;
  });
}

Sequence::Iterator Sequence::begin() const { return Iterator(this, size()); }

Sequence::Iterator::Iterator(Sequence const* sequence, std::size_t size) : fSequence(sequence), fSize(size) {
  if (fSize != 0) fill();
}

void Sequence::Iterator::fill() {
  fFirst = fIndex;
  // The batch read last goes under the same hold of the host lock as the
  // read of the next one.
  host::guarded([&] {
    fBatch.clear();
    return readItems(arrayOf(fSequence->object()), fIndex, std::min(kBatch, fSize - fIndex), fBatch);
  });
}

Sequence::Iterator& Sequence::Iterator::operator++() {
  // On reaching the end read so far, read the size again: what was appended
  // during the walk is walked too.
  // A sequence now shorter than the walk so far shrank under it: the read
  // at the walk's position gives the host's bounds error.
  if (++fIndex == fSize) {
    fSize = fSequence->size();
    if (fSize < fIndex) {
      std::vector<Value> none;
      fSequence->read(fIndex, 1, none);
    }
  }
  // Past the batch read: the next one (fewer items where the sequence has
  // shrunk; none at all is the host's bounds error).
  if (fIndex < fSize && fIndex - fFirst >= fBatch.size()) fill();
  return *this;
}

}  // namespace quillon
