// Text crossing the C++ API, failed lookups that must leave nothing behind,
// and array requests refused before anything is allocated.
#include <gtest/gtest.h>

#include <quillon/host.hpp>

#include <kovo/Core.hpp>

#include <string>
#include <vector>

#include "support/AllocationProbe.hpp"
#include "support/ErrorOf.hpp"

namespace quillon {
namespace {

using testsupport::errorOf;

// The conversions themselves are the host arrays'; here, that text crosses
// the API whole: its length, not up to a NUL, in both encodings.
TEST(Text, CrossesTheApiWhole) {
  std::string const withNul("a\0b\xF0\x9F\x98\x80", 7);
  EXPECT_EQ(Value(std::string_view(withNul)).toString(), withNul);
  EXPECT_EQ(Value(std::string_view(withNul)).numel(), 5u);
  std::u16string const lone{u'a', u'\0', char16_t(0xD800)};
  EXPECT_EQ(Value(std::u16string_view(lone)).toU16String(), lone);
}

TEST(HostSession, ModuleNamesWithNulAreRefused) {
  Host host;
  EXPECT_EQ(errorOf([&] { host.load(std::string("mm_types\0_xb", 12)); }),
            "Cannot load module \"mm_types\\0_xb\": the name contains a NUL character");
}

// 100,000 lookups of distinct unknown 1 KB names keep nothing: the table of
// interned names (which never shrinks) does not grow.
TEST(HostSession, FailedLookupsKeepNothing) {
  Host host;
  Value const number = 1;
  std::string name(1024, 'q');
  std::size_t names = 0;
  // The first round of each kind may intern what every such error uses.
  for (int i = -5; i < 100000; ++i) {
    if (i == 0) names = kovo::internal::internedCount();
    std::string const n = std::to_string(i);
    name.replace(0, n.size(), n);
    switch ((i + 5) % 5) {
      case 0: EXPECT_FALSE(host.hasPackage(name)); break;
      case 1: EXPECT_FALSE(host.hasClass(name + ".C")); break;
      case 2: EXPECT_THROW(host.describePackage(name), Error); break;
      case 3: EXPECT_THROW(host.callFunction(name, "f", {}), Error); break;
      case 4: EXPECT_THROW(host.invoke(number, name, {}), Error); break;
    }
  }
  EXPECT_EQ(kovo::internal::internedCount(), names);
}

TEST(Limits, OversizedRequestsFailBeforeAllocating) {
  std::string const kMessage = "Requested array exceeds the maximum array size.";
  std::vector<bool> const flags(Value::kMaxElements + 1);
  std::string const text(Value::kMaxElements + 1, 'a');

  std::string fromFlags, fromText, fromCheck;
  testsupport::Allocations const made = testsupport::allocationsOf([&] {
    fromFlags = errorOf([&] { Value::logicals(flags); });
    fromText = errorOf([&] { Value v(text); });
    fromCheck = errorOf([] { Value::checkSize(Value::kMaxElements + 1); });
  });
  EXPECT_EQ(fromFlags, kMessage);
  EXPECT_EQ(fromText, kMessage);
  EXPECT_EQ(fromCheck, kMessage);
  EXPECT_LT(made.largest, std::size_t{1} << 16) << "something was allocated for the refused request";
  EXPECT_NO_THROW(Value::checkSize(Value::kMaxElements));
  // The probe sees an array that is made.
  EXPECT_GE(testsupport::allocationsOf([] { Value::doubles(std::vector<double>(1 << 17)); }).largest,
            sizeof(double) << 17);
}

}  // namespace
}  // namespace quillon
