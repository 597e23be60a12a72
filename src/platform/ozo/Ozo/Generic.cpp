#include <Ozo/Generic.hpp>
#include <Ozo/Sequence.hpp>

#include <algorithm>

namespace Ozo {

namespace Generic {

void failRefType() { throw Exception(kRefTypeMessage); }

std::int32_t SequenceIntf::generic_removeAll(Deviant const& d, Ref const& r) {
  std::int32_t removed = 0;
  for (std::int32_t i = generic_size(d); i-- > 0;) {
    if (generic_at(d, i) == r) {
      generic_erase(d, i);
      ++removed;
    }
  }
  return removed;
}

std::int32_t SequenceIntf::generic_find(Deviant const& d, Ref const& r, std::int32_t from, std::int32_t to) const {
  std::int32_t const end = std::min(to, generic_size(d));
  for (std::int32_t i = std::max(from, 0); i < end; ++i)
    if (generic_at(d, i) == r) return i;
  return -1;
}

std::int32_t SequenceIntf::generic_count(Deviant const& d, Ref const& r) const {
  std::int32_t found = 0;
  for (std::int32_t i = 0, n = generic_size(d); i < n; ++i)
    if (generic_at(d, i) == r) ++found;
  return found;
}

}  // namespace Generic

namespace {
void countUp(ReferenceCountingIntf& o, int line) {
  OZO_ASSERT_AT(kSequenceProxySource, line, o.fUseCount >= 0, "%s", kInternalAssertionMessage);
  ++o.fUseCount;
}
// True when the object is to be destroyed.
bool countDown(ReferenceCountingIntf& o, int line) {
  OZO_ASSERT_AT(kSequenceProxySource, line, o.fUseCount - 1 >= 0, "%s", kInternalAssertionMessage);
  return --o.fUseCount == 0;
}
}  // namespace

void SequenceProxy::addRef() { countUp(*this, 26); }
void SequenceProxy::release() {
  if (countDown(*this, 35)) delete this;
}

void IteratorProxy::addRef() { countUp(*this, 61); }
void IteratorProxy::release() {
  if (countDown(*this, 70)) delete this;
}

void failNullSequence() {
  OZO_FAIL_AT(kSequenceRefSource, 108, "%s", kNullSequenceMessage);
  throw Exception(kNullSequenceMessage);  // not reached
}

void failSequenceCreation(int line, char const* message) {
  OZO_FAIL_AT(kSequenceCreatorSource, line, "%s", message);
  throw Exception(message);  // not reached
}

void failNullIterator(int line) {
  OZO_FAIL_AT(kIteratorSource, line, "%s", kNullRefMessage);
  throw Exception(kNullRefMessage);  // not reached
}

}  // namespace Ozo
