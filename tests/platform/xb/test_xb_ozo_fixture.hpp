// Binding-layer tests: the package "Ozo" is registered, and every host object,
// binding and model object a test makes must be gone when it ends.
#pragma once

#include <quillon/host.hpp>
#include <xb/ClassInfo.hpp>
#include <xb/Marshal.hpp>

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include "support/AssertionText.hpp"
#include "support/ErrorOf.hpp"

namespace xbtest {

using testsupport::errorOf;
using testsupport::kNullRef;

class XbHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Ozo::xb::ensureOzoPackage();
    baseline = live();
  }
  void TearDown() override { EXPECT_EQ(live(), baseline) << "host objects, bindings, model objects"; }
  std::vector<std::size_t> live() const {
    return {host.counter("host objects"), host.counter("bindings"), host.counter("model objects")};
  }

  static quillon::Value bind(Ozo::ImmutableObject const& h, bool immutable) {
    return quillon::Value::adopt(kovo::toArray(Ozo::xb::returnObject(h, immutable, "")));
  }
  static Ozo::ImmutableObject handleOf(quillon::Value const& v) {
    return Ozo::xb::toHandle(static_cast<kovo::HostArray const*>(v.raw()), kovo::intern("Ozo.ImmutableObject"));
  }

  quillon::Host host;
  std::vector<std::size_t> baseline;
};

}  // namespace xbtest
