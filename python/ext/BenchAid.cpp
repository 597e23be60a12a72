#include "BenchAid.hpp"

#include "Conversions.hpp"

#include <quillon/host.hpp>

#include <chrono>
#include <cstddef>
#include <string>

namespace quillon::pyext {

void addBenchAid(py::module_& m) {
  m.def(
      "_time_host_get",
      [](py::handle obj, std::string const& prop, std::size_t reads) {
        // The same read as `obj.<prop>`, made `reads` times through the C++
        // host API alone, without Python in the loop: seconds in all.
        quillon::Host const host;
        quillon::Value const self = refArg(obj);
        auto const start = std::chrono::steady_clock::now();
        for (std::size_t i = 0; i < reads; ++i) {
          quillon::Value const v = host.get(self, prop);
          if (v.numel() != 1) throw quillon::Error("unexpected result");
        }
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      },
      py::arg("obj"), py::arg("prop"), py::arg("reads"),
      "Benchmark aid: time `reads` reads of a property through the C++ host API.");
}

}  // namespace quillon::pyext
