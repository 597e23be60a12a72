// Meta-property creators of the classes every element class inherits from:
// the runtime's ClassObject and the foundation classes. Each names the model
// header and line of its id check.
#pragma once

#include "elements/anatomy/MetaProperty.hpp"

#include <foundation/Foundation.hpp>

namespace Zorvan::xb {

struct ClassObjectMeta {
  using Intf = Ozo::NSInterface::ClassObjectIntf;
  using Immutable = Ozo::ImmutableClassObject;
  static constexpr char const* header = "ozo/Ozo/ClassObject";
  static constexpr int line = 562;
};

struct ElementMeta {
  using Intf = Zorvan::metamodel::foundation::NSInterface::ElementIntf;
  using Immutable = Zorvan::metamodel::foundation::ImmutableElement;
  static constexpr char const* header = "mm_foundation/Zorvan/metamodel/foundation/ZorvanmetamodelfoundationElement";
  static constexpr int line = 644;
};

struct NamedElementMeta {
  using Intf = Zorvan::metamodel::foundation::NSInterface::NamedElementIntf;
  using Immutable = Zorvan::metamodel::foundation::ImmutableNamedElement;
  static constexpr char const* header =
      "mm_foundation/Zorvan/metamodel/foundation/ZorvanmetamodelfoundationNamedElement";
  static constexpr int line = 798;
};

struct NamespaceMeta {
  using Intf = Zorvan::metamodel::foundation::NSInterface::NamespaceIntf;
  using Immutable = Zorvan::metamodel::foundation::ImmutableNamespace;
  static constexpr char const* header = "mm_foundation/Zorvan/metamodel/foundation/ZorvanmetamodelfoundationNamespace";
  static constexpr int line = 731;
};

struct TypedElementMeta {
  using Intf = Zorvan::metamodel::foundation::NSInterface::TypedElementIntf;
  using Immutable = Zorvan::metamodel::foundation::ImmutableTypedElement;
  static constexpr char const* header =
      "mm_foundation/Zorvan/metamodel/foundation/ZorvanmetamodelfoundationTypedElement";
  static constexpr int line = 904;
};

struct ValueTypeMeta {
  using Intf = Zorvan::metamodel::foundation::NSInterface::ValueTypeIntf;
  using Immutable = Zorvan::metamodel::foundation::ImmutableValueType;
  static constexpr char const* header = "mm_foundation/Zorvan/metamodel/foundation/ZorvanmetamodelfoundationValueType";
  static constexpr int line = 866;
};

}  // namespace Zorvan::xb
