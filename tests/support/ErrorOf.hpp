// The text of the error a piece of test code raises.
#pragma once

#include <gtest/gtest.h>

#include <exception>
#include <string>

namespace testsupport {

// What `f` throws; fails the test when it throws nothing.
template <class F>
std::string errorOf(F&& f) {
  try {
    f();
  } catch (std::exception const& e) {
    return e.what();
  }
  ADD_FAILURE() << "no error raised";
  return {};
}

}  // namespace testsupport
