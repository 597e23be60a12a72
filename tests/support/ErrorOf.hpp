// The text of the error a piece of test code raises.
#pragma once

#include <gtest/gtest.h>

#include <exception>
#include <string>

namespace testsupport {

// What `f` throws as an `E`; fails the test when it throws nothing. Any
// other exception passes through and fails the test on its own.
template <class E = std::exception, class F>
std::string errorOf(F&& f) {
  try {
    f();
  } catch (E const& e) {
    return e.what();
  }
  ADD_FAILURE() << "no error raised";
  return {};
}

}  // namespace testsupport
