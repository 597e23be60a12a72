// The host foundation library's out-of-memory error: a std::bad_alloc that
// Boost can copy into an exception pointer.
#pragma once

#include <boost/exception/exception.hpp>

#include <new>

namespace foundation::core::except {

namespace detail {
class bad_alloc_impl : public std::bad_alloc, public boost::exception {
 public:
  char const* what() const noexcept override { return internal::what(); }
  struct internal {
    static char const* what() noexcept;
  };
};
}  // namespace detail

// The type the error is thrown as.
using bad_alloc_exception = boost::exception_detail::clone_impl<detail::bad_alloc_impl>;

// Builds the out-of-memory error in `block` (storage of at least
// sizeof(bad_alloc_exception), suitably aligned).
void bad_alloc(void* block);

}  // namespace foundation::core::except
