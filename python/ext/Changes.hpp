// Change events and transactions for Python: quillon.observe and
// quillon.transaction.
#pragma once

#include <pybind11/pybind11.h>

namespace quillon::pyext {

// Adds `ChangeEvent`, `Subscription`, `observe`, `Transaction` and
// `transaction` to the module.
void addChanges(pybind11::module_& m);

}  // namespace quillon::pyext
