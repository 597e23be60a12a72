// What every value type registers: its own class, then its two sequence and
// two cursor classes, in the package or, without a package, as global
// classes.
#pragma once

#include <kovo/Class.hpp>
#include <xb/ClassInfo.hpp>

namespace Zorvan::metamodel::types::xb {

// `valueClass` is owned by the host from here on.
void registerValueClasses(kovo::COSPackage* package, kovo::COSClassInfo* valueClass, char const* name);

}  // namespace Zorvan::metamodel::types::xb
