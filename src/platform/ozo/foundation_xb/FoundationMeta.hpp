// Meta-property creators of the classes every element class inherits from:
// the runtime's ClassObject and the foundation classes. Each names the model
// header and line of its id check.
#pragma once

#include <xb/MetaProperty.hpp>

#include <foundation/Foundation.hpp>

namespace Zorvan::metamodel::foundation::xb {

using Ozo::xb::ModelMeta;

namespace headers {
inline constexpr char kClassObject[] = "ozo/Ozo/ClassObject";
inline constexpr char kElement[] = "mm_foundation/Zorvan/metamodel/foundation/ZorvanmetamodelfoundationElement";
inline constexpr char kNamedElement[] =
    "mm_foundation/Zorvan/metamodel/foundation/ZorvanmetamodelfoundationNamedElement";
inline constexpr char kNamespace[] = "mm_foundation/Zorvan/metamodel/foundation/ZorvanmetamodelfoundationNamespace";
inline constexpr char kTypedElement[] =
    "mm_foundation/Zorvan/metamodel/foundation/ZorvanmetamodelfoundationTypedElement";
inline constexpr char kValueType[] = "mm_foundation/Zorvan/metamodel/foundation/ZorvanmetamodelfoundationValueType";
}  // namespace headers

namespace fnd = Zorvan::metamodel::foundation;

using ClassObjectMeta = ModelMeta<Ozo::NSInterface::ClassObjectIntf, Ozo::ImmutableClassObject, headers::kClassObject, 562>;
using ElementMeta = ModelMeta<fnd::NSInterface::ElementIntf, fnd::ImmutableElement, headers::kElement, 644>;
using NamedElementMeta =
    ModelMeta<fnd::NSInterface::NamedElementIntf, fnd::ImmutableNamedElement, headers::kNamedElement, 798>;
using NamespaceMeta = ModelMeta<fnd::NSInterface::NamespaceIntf, fnd::ImmutableNamespace, headers::kNamespace, 731>;
using TypedElementMeta =
    ModelMeta<fnd::NSInterface::TypedElementIntf, fnd::ImmutableTypedElement, headers::kTypedElement, 904>;
using ValueTypeMeta = ModelMeta<fnd::NSInterface::ValueTypeIntf, fnd::ImmutableValueType, headers::kValueType, 866>;

}  // namespace Zorvan::metamodel::foundation::xb
