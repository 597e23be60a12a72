// Every failure leaves the public API as a quillon::Error with the same text.
#pragma once

#include <quillon/host.hpp>

#include <exception>

namespace quillon::host {

template <class F>
decltype(auto) guarded(F&& f) {
  try {
    return f();
  } catch (Error const&) {
    throw;
  } catch (std::exception const& e) {
    throw Error(e.what());
  }
}

}  // namespace quillon::host
