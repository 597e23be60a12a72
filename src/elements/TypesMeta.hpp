// Meta-property creators of the types package's classes: each names the
// model header of its class and the line of its id check.
#pragma once

#include <foundation_xb/FoundationMeta.hpp>

#include <types/Types.hpp>

namespace Zorvan::metamodel::types::xb {

namespace headers {
inline constexpr char kAxis[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesAxis";
inline constexpr char kInteger[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesInteger";
inline constexpr char kPrimitiveType[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesPrimitiveType";
inline constexpr char kReal[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesReal";
inline constexpr char kSharedAxisType[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesSharedAxisType";
inline constexpr char kSwGenericAxisParamType[] =
    "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesSwGenericAxisParamType";
inline constexpr char kSwRecordLayout[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesSwRecordLayout";
}  // namespace headers

using Ozo::xb::ModelMeta;
using AxisMeta = ModelMeta<NSInterface::AxisIntf, ImmutableAxis, headers::kAxis, 1044>;
using IntegerMeta = ModelMeta<NSInterface::IntegerIntf, ImmutableInteger, headers::kInteger, 871>;
using PrimitiveTypeMeta = ModelMeta<NSInterface::PrimitiveTypeIntf, ImmutablePrimitiveType, headers::kPrimitiveType, 1212>;
using RealMeta = ModelMeta<NSInterface::RealIntf, ImmutableReal, headers::kReal, 958>;
using SharedAxisTypeMeta =
    ModelMeta<NSInterface::SharedAxisTypeIntf, ImmutableSharedAxisType, headers::kSharedAxisType, 1010>;
using SwGenericAxisParamTypeMeta = ModelMeta<NSInterface::SwGenericAxisParamTypeIntf, ImmutableSwGenericAxisParamType,
                                             headers::kSwGenericAxisParamType, 763>;
using SwRecordLayoutMeta =
    ModelMeta<NSInterface::SwRecordLayoutIntf, ImmutableSwRecordLayout, headers::kSwRecordLayout, 688>;

}  // namespace Zorvan::metamodel::types::xb
