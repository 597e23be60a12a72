// The value types of the package: five enumerations, written once as a
// template over a literal table, and the structured values DataSize (a whole
// number of a data unit) and Time (a real number of a time unit).
//
// A value is a plain C++ value. Its model object (operator Ozo::Object) is
// what model properties store and the host binds: an enumeration value
// travels in the deviant word of one immortal object per enumeration (no
// allocation); a DataSize or Time is boxed in a counted object holding a
// copy. Each type's meta data type is one immortal object per type.
#pragma once

#include <Ozo/Generic.hpp>
#include <Ozo/Meta.hpp>
#include <compare>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <types/Creation.hpp>

namespace Zorvan::metamodel::types {

namespace values {

// One enumeration as data: its name and its literal names, codes dense from 0.
struct EnumTable {
  char const* name;  // "CompuMethodCategory"
  char const* const* literals;
  std::int32_t count;
};

// The runtime side of one enumeration (its box object and data type); one per
// enumeration name in the process.
class EnumType;
EnumType const& enumType(EnumTable const& table);

// The code, or an error naming the code and the enumeration.
std::int32_t checkCode(EnumTable const& table, std::int64_t code);
// The code a model object of this enumeration carries; an error for anything else.
std::int32_t codeOf(EnumType const& type, Ozo::ImmutableObject const& o);
Ozo::Object objectOf(EnumType const& type, std::int32_t code);
// The code of the literal named exactly `text`; an error naming the text otherwise.
std::int32_t parse(EnumTable const& table, std::string_view text);
// The meta data type "Zorvan.metamodel.types.<name>": one object per name.
Ozo::ImmutableDataType dataType(char const* name);

}  // namespace values

template <class Traits>
class EnumValue : public Traits {
 public:
  using Value = typename Traits::Value;
  static constexpr std::int32_t kCount = static_cast<std::int32_t>(std::size(Traits::literals));

  EnumValue() = default;
  EnumValue(Value v) : fCode(values::checkCode(table(), v)) {}
  explicit EnumValue(int code) : fCode(values::checkCode(table(), code)) {}
  explicit EnumValue(Ozo::ImmutableObject const& o) : fCode(values::codeOf(type(), o)) {}
  ~EnumValue() = default;

  operator Ozo::Object() const { return values::objectOf(type(), fCode); }
  Ozo::String toString() const { return Ozo::String(std::string_view(Traits::literals[fCode])); }
  static EnumValue fromString(std::string const& utf8) { return EnumValue(values::parse(table(), utf8)); }
  static Ozo::ImmutableDataType MetaDataType() { return values::dataType(Traits::name); }
  Ozo::ImmutableDataType getMetaDataType() const { return MetaDataType(); }
  bool isValid() const { return true; }

  std::int32_t code() const { return fCode; }
  Value value() const { return static_cast<Value>(fCode); }
  friend bool operator==(EnumValue a, EnumValue b) { return a.fCode == b.fCode; }
  friend std::strong_ordering operator<=>(EnumValue a, EnumValue b) { return a.fCode <=> b.fCode; }

  static values::EnumTable const& table() {
    static constexpr values::EnumTable t{Traits::name, Traits::literals, kCount};
    return t;
  }

 private:
  static values::EnumType const& type() {
    static values::EnumType const& t = values::enumType(table());
    return t;
  }
  std::int32_t fCode = 0;
};

// The five literal tables.
struct CompuMethodCategoryLiterals {
  enum Value : std::int32_t { Identical, Linear, RatFunc, TextTable, LinearAndTextTable };
  static constexpr char name[] = "CompuMethodCategory";
  static constexpr char const* literals[] = {"Identical", "Linear", "RatFunc", "TextTable", "LinearAndTextTable"};
};
struct DataSizeUnitKindLiterals {
  enum Value : std::int32_t { Bit, Byte, KB, MB, GB };
  static constexpr char name[] = "DataSizeUnitKind";
  static constexpr char const* literals[] = {"Bit", "Byte", "KB", "MB", "GB"};
};
struct FloatingPointKindLiterals {
  enum Value : std::int32_t { IEEE_Double, IEEE_Single };
  static constexpr char name[] = "FloatingPointKind";
  static constexpr char const* literals[] = {"IEEE_Double", "IEEE_Single"};
};
struct SwGenericAxisParamTypeCategoryLiterals {
  enum Value : std::int32_t { Shift, Offset, Distance, List };
  static constexpr char name[] = "SwGenericAxisParamTypeCategory";
  static constexpr char const* literals[] = {"Shift", "Offset", "Distance", "List"};
};
struct TimeUnitKindLiterals {
  enum Value : std::int32_t { S, Ms, Us, Min, Hrs, Dys, Wks, Mos, Yrs };
  static constexpr char name[] = "TimeUnitKind";
  static constexpr char const* literals[] = {"S", "Ms", "Us", "Min", "Hrs", "Dys", "Wks", "Mos", "Yrs"};
};

using CompuMethodCategory = EnumValue<CompuMethodCategoryLiterals>;
using DataSizeUnitKind = EnumValue<DataSizeUnitKindLiterals>;
using FloatingPointKind = EnumValue<FloatingPointKindLiterals>;
using SwGenericAxisParamTypeCategory = EnumValue<SwGenericAxisParamTypeCategoryLiterals>;
using TimeUnitKind = EnumValue<TimeUnitKindLiterals>;

// ---------------------------------------------------------------------------
// An amount of data. Equality and order compare amounts exactly, in bits
// (8 Bit == 1 Byte; KB, MB, GB are 1024, 1024^2, 1024^3 Byte).
class DataSize {
 public:
  static constexpr char name[] = "DataSize";
  DataSize() = default;  // 0 Bit
  DataSize(Ozo::Integer value, DataSizeUnitKind unit) : fValue(value), fUnit(unit) {}
  static constexpr CreateWith<Ozo::Integer, DataSizeUnitKind> kCreateWith{" aValue, aUnit"};
  explicit DataSize(Ozo::ImmutableObject const& o);

  Ozo::Integer getValue() const { return fValue; }
  void setValue(Ozo::Integer const& v) { fValue = v; }
  DataSizeUnitKind getUnit() const { return fUnit; }
  void setUnit(DataSizeUnitKind const& u) { fUnit = u; }

  friend bool operator==(DataSize const& a, DataSize const& b);
  friend bool operator<(DataSize const& a, DataSize const& b);
  // The amount in bits (exact: a 32-bit number times a power of two).
  double bits() const;

  // "8 Byte"; fromString reads exactly that form back.
  Ozo::String toString() const;
  static DataSize fromString(Ozo::String const& text);
  static Ozo::ImmutableDataType MetaDataType();
  Ozo::ImmutableDataType getMetaDataType() const { return MetaDataType(); }
  bool isValid() const { return true; }
  operator Ozo::Object() const;

 private:
  Ozo::Integer fValue{};
  DataSizeUnitKind fUnit{};
};

// A duration. Equality and order compare amounts: value times the unit's
// length in microseconds (one rounding, in a range no amount overflows), so
// 60 S == 1 Min and 1.5 Ms == 1500 Us, while 1e300 Yrs > 1e300 Wks. Mos and Yrs
// are the mean Gregorian month and year (30.436875 and 365.2425 days). A NaN
// amount is unequal to everything and ordered before nothing.
class Time {
 public:
  static constexpr char name[] = "Time";
  Time() = default;  // 0 S
  Time(Ozo::Real value, TimeUnitKind unit) : fValue(value), fUnit(unit) {}
  static constexpr CreateWith<Ozo::Real, TimeUnitKind> kCreateWith{" aValue, aUnit"};
  explicit Time(Ozo::ImmutableObject const& o);

  Ozo::Real getValue() const { return fValue; }
  void setValue(Ozo::Real const& v) { fValue = v; }
  TimeUnitKind getUnit() const { return fUnit; }
  void setUnit(TimeUnitKind const& u) { fUnit = u; }

  friend bool operator==(Time const& a, Time const& b);
  friend bool operator<(Time const& a, Time const& b);
  // The order of amounts, unordered when either is NaN.
  friend std::partial_ordering compareAmounts(Time const& a, Time const& b);
  // A strict weak order on every value, for sorting and ordered lookups: the
  // order of amounts, with every NaN equivalent to every other and after
  // every number. Values that are == are equivalent here.
  friend std::weak_ordering listOrder(Time const& a, Time const& b);

  // "1.5 Ms" (the shortest text that reads back as the same number).
  Ozo::String toString() const;
  static Time fromString(Ozo::String const& text);
  static Ozo::ImmutableDataType MetaDataType();
  Ozo::ImmutableDataType getMetaDataType() const { return MetaDataType(); }
  bool isValid() const { return true; }
  operator Ozo::Object() const;

 private:
  Ozo::Real fValue{};
  TimeUnitKind fUnit{};
};

}  // namespace Zorvan::metamodel::types

// The value boxes of the package's value types live in this library (see
// Ozo::Generic::ValueBox): every list and every user of one sees one manager.
namespace Ozo::Generic {
extern template struct ValueBox<Zorvan::metamodel::types::CompuMethodCategory>;
extern template struct ValueBox<Zorvan::metamodel::types::DataSizeUnitKind>;
extern template struct ValueBox<Zorvan::metamodel::types::FloatingPointKind>;
extern template struct ValueBox<Zorvan::metamodel::types::SwGenericAxisParamTypeCategory>;
extern template struct ValueBox<Zorvan::metamodel::types::TimeUnitKind>;
extern template struct ValueBox<Zorvan::metamodel::types::DataSize>;
extern template struct ValueBox<Zorvan::metamodel::types::Time>;
}  // namespace Ozo::Generic
