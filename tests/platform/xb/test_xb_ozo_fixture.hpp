// Fixture of the binding-layer tests: the runtime's host package is
// registered, and after each test every host object, binding and model
// object the test made must be gone.
#pragma once

#include <quillon/host.hpp>
#include <xb/ClassInfo.hpp>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace xbtest {

inline constexpr char kNullRef[] =
    "Assertion failed: Cannot access NULL ref. Use isValid() before calling methods at ozo/Ozo/Object_h:83: ";

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

  quillon::Value model() const { return host.construct("Ozo.Model", {}); }

  // The text of the error `f` raises; fails the test when it raises none.
  template <class F>
  static std::string errorOf(F&& f) {
    try {
      f();
    } catch (std::exception const& e) {
      return e.what();
    }
    ADD_FAILURE() << "no error raised";
    return {};
  }

  quillon::Host host;
  std::vector<std::size_t> baseline;
};

}  // namespace xbtest
