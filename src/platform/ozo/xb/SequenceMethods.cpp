#include <xb/SequenceMethods.hpp>

namespace Ozo::xb {

std::size_t position(char const* source, std::int32_t index, std::size_t size, IndexChecks lines, bool allowEnd) {
  OZO_ASSERT_AT(source, lines.positive, index >= 1, "%s", kPositiveMessage);
  auto const i = static_cast<std::size_t>(index) - 1;
  OZO_ASSERT_AT(source, lines.bounds, allowEnd ? i <= size : i < size, "%s", kOutOfBoundsMessage);
  return i;
}

void requireNonEmpty(char const* source, std::size_t size, int line) {
  OZO_ASSERT_AT(source, line, size != 0, "%s", kEmptyMessage);
}

void requireInBounds(char const* source, bool inBounds, int line) {
  OZO_ASSERT_AT(source, line, inBounds, "%s", kOutOfBoundsMessage);
}

void requirePositive(char const* source, bool positive, int line) {
  OZO_ASSERT_AT(source, line, positive, "%s", kPositiveMessage);
}

}  // namespace Ozo::xb
