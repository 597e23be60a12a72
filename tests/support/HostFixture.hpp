// A test fixture with the types module loaded that proves, after each test,
// that every host object, binding and model object the test made is gone.
#pragma once

#include <quillon/host.hpp>

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include "support/AssertionText.hpp"
#include "support/ErrorOf.hpp"
#include "support/TypesNames.hpp"

namespace quillon::testing {

using testsupport::assertionText;
using testsupport::errorOf;
using testsupport::kNullRef;
using testsupport::nullRefText;
using testsupport::kTypes;
using testsupport::T;

class HostFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    host.load("mm_types_xb");
    baseline = live();
  }
  void TearDown() override { EXPECT_EQ(live(), baseline) << "live host objects/bindings/model objects leaked"; }

  std::vector<std::size_t> live() const {
    return {host.counter("host objects"), host.counter("bindings"), host.counter("model objects")};
  }

  Value model() const { return host.construct("Ozo.Model", {}); }
  Value axis(Value const& m) const { return host.construct(T("Axis"), {m}); }

  Host host;
  std::vector<std::size_t> baseline;
};

}  // namespace quillon::testing
