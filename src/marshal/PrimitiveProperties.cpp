#include "marshal/PrimitiveProperties.hpp"

#include <xb/Marshal.hpp>

#include <cstring>

namespace ozo {
char const* getTooManyElementsMessage() {
  return "Too many elements: the value must be an empty array or a scalar.";
}
}  // namespace ozo

namespace Ozo::xb {

ClassObject writableObject(OzoxbProperty const& p, kovo::COSInterface* target, char const* header, int multiLine,
                           int readOnlyLine, char const* scalarName) {
  OZO_ASSERT_AT(header, multiLine, !p.isMultiValued(), "You cannot set a multi-valued property");
  OZO_ASSERT_AT(header, readOnlyLine, !p.isReadOnly(), "You cannot set a read-only property");
  if (OzoxbProperty::isImmutableView(target, internedName(scalarName))) OzoxbProperty::throwSetProhibitedException();
  return OzoxbProperty::modelObject(target);
}

}  // namespace Ozo::xb

namespace Zorvan::xb {

void registerPrimitive(Ozo::xb::OzoxbPropertyFactory& factory, char const* name, Ozo::xb::Multiplicity m,
                       Ozo::xb::Mutability mu, unsigned index, char const* hostType,
                       kovo::factory::PropertyAttributes a) {
  auto const is = [hostType](char const* s) { return std::strcmp(hostType, s) == 0; };
  if (is("int32 scalar") || is("ozoint32"))
    factory.Primitive<Ozo::Integer>(name, m, mu, index, hostType, a);
  else if (is("double scalar") || is("ozodouble"))
    factory.Primitive<Ozo::Real>(name, m, mu, index, hostType, a);
  else if (is("logical scalar") || is("ozological"))
    factory.Primitive<Ozo::Boolean>(name, m, mu, index, hostType, a);
  else
    OZO_FAIL_AT("ozo_xb/marshal/OzoxbPropertyFactory", 40, "no primitive descriptor for host type \"%s\"", hostType);
}

}  // namespace Zorvan::xb
