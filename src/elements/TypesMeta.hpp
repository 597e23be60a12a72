// Meta-property creators of the types package's classes: each names the
// model header of its class and the line of its id check.
#pragma once

#include <foundation_xb/FoundationMeta.hpp>

#include <types/Types.hpp>

namespace Zorvan::metamodel::types::xb {

namespace headers {
inline constexpr char kApplicationValueSpecification[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesApplicationValueSpecification";
inline constexpr char kAxis[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesAxis";
inline constexpr char kBoolean[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesBoolean";
inline constexpr char kCell[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesCell";
inline constexpr char kComplex[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesComplex";
inline constexpr char kCompositeSpecification[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesCompositeSpecification";
inline constexpr char kCompuMethod[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesCompuMethod";
inline constexpr char kConstantReference[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesConstantReference";
inline constexpr char kConstantSpecification[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesConstantSpecification";
inline constexpr char kDataConstr[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesDataConstr";
inline constexpr char kDimension[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesDimension";
inline constexpr char kEnumeration[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesEnumeration";
inline constexpr char kEnumerationLiteral[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesEnumerationLiteral";
inline constexpr char kEnumerationLiteralReference[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesEnumerationLiteralReference";
inline constexpr char kFixedPoint[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesFixedPoint";
inline constexpr char kFloatingPoint[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesFloatingPoint";
inline constexpr char kInteger[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesInteger";
inline constexpr char kLiteralReal[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesLiteralReal";
inline constexpr char kLookupTableSpecification[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesLookupTableSpecification";
inline constexpr char kLookupTableType[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesLookupTableType";
inline constexpr char kMatrix[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesMatrix";
inline constexpr char kMatrixValueSpecification[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesMatrixValueSpecification";
inline constexpr char kPrimitiveType[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesPrimitiveType";
inline constexpr char kReal[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesReal";
inline constexpr char kSharedAxisType[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesSharedAxisType";
inline constexpr char kSlot[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesSlot";
inline constexpr char kString[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesString";
inline constexpr char kStructElement[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesStructElement";
inline constexpr char kStructure[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesStructure";
inline constexpr char kStructureValueSpecification[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesStructureValueSpecification";
inline constexpr char kSwAxisType[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesSwAxisType";
inline constexpr char kSwBaseType[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesSwBaseType";
inline constexpr char kSwGenericAxisParamType[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesSwGenericAxisParamType";
inline constexpr char kSwRecordLayout[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesSwRecordLayout";
inline constexpr char kSwRecordLayoutGroup[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesSwRecordLayoutGroup";
inline constexpr char kSwRecordLayoutV[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesSwRecordLayoutV";
inline constexpr char kUnit[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesUnit";
inline constexpr char kValueElement[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesValueElement";
inline constexpr char kVoidPointer[] = "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesVoidPointer";
}  // namespace headers

using Ozo::xb::ModelMeta;
using ApplicationValueSpecificationMeta = ModelMeta<NSInterface::ApplicationValueSpecificationIntf, ImmutableApplicationValueSpecification, headers::kApplicationValueSpecification, 640>;
using AxisMeta = ModelMeta<NSInterface::AxisIntf, ImmutableAxis, headers::kAxis, 1044>;
using BooleanMeta = ModelMeta<NSInterface::BooleanIntf, ImmutableBoolean, headers::kBoolean, 686>;
using CellMeta = ModelMeta<NSInterface::CellIntf, ImmutableCell, headers::kCell, 709>;
using ComplexMeta = ModelMeta<NSInterface::ComplexIntf, ImmutableComplex, headers::kComplex, 732>;
using CompositeSpecificationMeta = ModelMeta<NSInterface::CompositeSpecificationIntf, ImmutableCompositeSpecification, headers::kCompositeSpecification, 755>;
using CompuMethodMeta = ModelMeta<NSInterface::CompuMethodIntf, ImmutableCompuMethod, headers::kCompuMethod, 778>;
using ConstantReferenceMeta = ModelMeta<NSInterface::ConstantReferenceIntf, ImmutableConstantReference, headers::kConstantReference, 801>;
using ConstantSpecificationMeta = ModelMeta<NSInterface::ConstantSpecificationIntf, ImmutableConstantSpecification, headers::kConstantSpecification, 824>;
using DataConstrMeta = ModelMeta<NSInterface::DataConstrIntf, ImmutableDataConstr, headers::kDataConstr, 847>;
using DimensionMeta = ModelMeta<NSInterface::DimensionIntf, ImmutableDimension, headers::kDimension, 870>;
using EnumerationMeta = ModelMeta<NSInterface::EnumerationIntf, ImmutableEnumeration, headers::kEnumeration, 893>;
using EnumerationLiteralMeta = ModelMeta<NSInterface::EnumerationLiteralIntf, ImmutableEnumerationLiteral, headers::kEnumerationLiteral, 916>;
using EnumerationLiteralReferenceMeta = ModelMeta<NSInterface::EnumerationLiteralReferenceIntf, ImmutableEnumerationLiteralReference, headers::kEnumerationLiteralReference, 939>;
using FixedPointMeta = ModelMeta<NSInterface::FixedPointIntf, ImmutableFixedPoint, headers::kFixedPoint, 962>;
using FloatingPointMeta = ModelMeta<NSInterface::FloatingPointIntf, ImmutableFloatingPoint, headers::kFloatingPoint, 985>;
using IntegerMeta = ModelMeta<NSInterface::IntegerIntf, ImmutableInteger, headers::kInteger, 871>;
using LiteralRealMeta = ModelMeta<NSInterface::LiteralRealIntf, ImmutableLiteralReal, headers::kLiteralReal, 1031>;
using LookupTableSpecificationMeta = ModelMeta<NSInterface::LookupTableSpecificationIntf, ImmutableLookupTableSpecification, headers::kLookupTableSpecification, 1054>;
using LookupTableTypeMeta = ModelMeta<NSInterface::LookupTableTypeIntf, ImmutableLookupTableType, headers::kLookupTableType, 1077>;
using MatrixMeta = ModelMeta<NSInterface::MatrixIntf, ImmutableMatrix, headers::kMatrix, 1100>;
using MatrixValueSpecificationMeta = ModelMeta<NSInterface::MatrixValueSpecificationIntf, ImmutableMatrixValueSpecification, headers::kMatrixValueSpecification, 1123>;
using PrimitiveTypeMeta = ModelMeta<NSInterface::PrimitiveTypeIntf, ImmutablePrimitiveType, headers::kPrimitiveType, 1212>;
using RealMeta = ModelMeta<NSInterface::RealIntf, ImmutableReal, headers::kReal, 958>;
using SharedAxisTypeMeta = ModelMeta<NSInterface::SharedAxisTypeIntf, ImmutableSharedAxisType, headers::kSharedAxisType, 1010>;
using SlotMeta = ModelMeta<NSInterface::SlotIntf, ImmutableSlot, headers::kSlot, 1215>;
using StringMeta = ModelMeta<NSInterface::StringIntf, ImmutableString, headers::kString, 1238>;
using StructElementMeta = ModelMeta<NSInterface::StructElementIntf, ImmutableStructElement, headers::kStructElement, 1261>;
using StructureMeta = ModelMeta<NSInterface::StructureIntf, ImmutableStructure, headers::kStructure, 1284>;
using StructureValueSpecificationMeta = ModelMeta<NSInterface::StructureValueSpecificationIntf, ImmutableStructureValueSpecification, headers::kStructureValueSpecification, 1307>;
using SwAxisTypeMeta = ModelMeta<NSInterface::SwAxisTypeIntf, ImmutableSwAxisType, headers::kSwAxisType, 1330>;
using SwBaseTypeMeta = ModelMeta<NSInterface::SwBaseTypeIntf, ImmutableSwBaseType, headers::kSwBaseType, 1353>;
using SwGenericAxisParamTypeMeta = ModelMeta<NSInterface::SwGenericAxisParamTypeIntf, ImmutableSwGenericAxisParamType, headers::kSwGenericAxisParamType, 763>;
using SwRecordLayoutMeta = ModelMeta<NSInterface::SwRecordLayoutIntf, ImmutableSwRecordLayout, headers::kSwRecordLayout, 688>;
using SwRecordLayoutGroupMeta = ModelMeta<NSInterface::SwRecordLayoutGroupIntf, ImmutableSwRecordLayoutGroup, headers::kSwRecordLayoutGroup, 1422>;
using SwRecordLayoutVMeta = ModelMeta<NSInterface::SwRecordLayoutVIntf, ImmutableSwRecordLayoutV, headers::kSwRecordLayoutV, 1445>;
using UnitMeta = ModelMeta<NSInterface::UnitIntf, ImmutableUnit, headers::kUnit, 1468>;
using ValueElementMeta = ModelMeta<NSInterface::ValueElementIntf, ImmutableValueElement, headers::kValueElement, 1491>;
using VoidPointerMeta = ModelMeta<NSInterface::VoidPointerIntf, ImmutableVoidPointer, headers::kVoidPointer, 1514>;

}  // namespace Zorvan::metamodel::types::xb
