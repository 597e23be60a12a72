// A test fixture with the types module loaded that proves, after each test,
// that every host object, binding and model object the test made is gone.
#pragma once

#include <quillon/host.hpp>

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include "support/ErrorOf.hpp"

namespace quillon::testing {

using testsupport::errorOf;

inline constexpr char kTypes[] = "Zorvan.metamodel.types.";

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
  Value axis(Value const& m) const { return host.construct(std::string(kTypes) + "Axis", {m}); }

  Host host;
  std::vector<std::size_t> baseline;
};

}  // namespace quillon::testing
