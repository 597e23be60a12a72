// Builds a unit conversion through the installed host and prints the result.
#include <quillon/host.hpp>

#include <iostream>

int main() {
  quillon::Host host;
  host.load("mm_types_xb");
  std::string const t = "Zorvan.metamodel.types.";
  quillon::Value const model = host.construct("Ozo.Model", {});
  quillon::Value const m = host.construct(t + "Unit", {model, "m"});
  quillon::Value const km = host.construct(t + "Unit", {model, "km"});
  host.set(km, "ConvUnit", m);
  host.set(km, "ConvFactor", 1000.0);
  double const metres = host.invoke(km, "convert", {2.5, m}).toDouble();
  std::cout << "2.5 km = " << metres << " m\n";
  return metres == 2500.0 ? 0 : 1;
}
