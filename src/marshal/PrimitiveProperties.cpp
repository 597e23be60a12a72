#include "marshal/PrimitiveProperties.hpp"

#include <xb/PrimitiveDescriptors.hpp>

#include <cstring>

namespace Zorvan::metamodel::types::xb {

void registerPrimitive(Ozo::xb::OzoxbPropertyFactory& factory, Ozo::xb::PropertyRow const& r) {
  auto const is = [&r](char const* s) { return std::strcmp(r.hostType, s) == 0; };
  if (is("int32 scalar") || is("ozoint32"))
    factory.Primitive<Ozo::Integer>(r.name, r.multiplicity, r.mutability, r.index, r.hostType, r.attributes);
  else if (is("double scalar") || is("ozodouble"))
    factory.Primitive<Ozo::Real>(r.name, r.multiplicity, r.mutability, r.index, r.hostType, r.attributes);
  else if (is("logical scalar") || is("ozological"))
    factory.Primitive<Ozo::Boolean>(r.name, r.multiplicity, r.mutability, r.index, r.hostType, r.attributes);
  else
    OZO_FAIL_AT("ozo_xb/marshal/OzoxbPropertyFactory", 40, "no primitive descriptor for host type \"%s\"",
                r.hostType);
}

}  // namespace Zorvan::metamodel::types::xb
