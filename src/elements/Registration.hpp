// Registration of the element classes of Zorvan.metamodel.types.
#pragma once

#include <kovo/Class.hpp>
#include <types/Forward.hpp>

namespace Zorvan::metamodel::types::xb {

// Registers element class X's eleven host classes in `package`; a null
// package registers nothing. Defined in ClassFile.hpp and instantiated in
// X's class file, which alone knows X's binding facts.
template <class X>
void registerElement(kovo::COSPackage* package);

}  // namespace Zorvan::metamodel::types::xb
