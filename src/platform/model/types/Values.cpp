// The runtime side of the value types: box objects, data types, text forms
// and amount comparisons.
#include <types/Values.hpp>

#include <charconv>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <type_traits>

namespace Zorvan::metamodel::types {

namespace {

constexpr char kPackagePrefix[] = "Zorvan.metamodel.types.";

class ValueDataType final : public Ozo::Immortal<Ozo::NSInterface::DataTypeIntf> {
 public:
  explicit ValueDataType(std::string name)
      : fName(std::move(name)), fQualified(kPackagePrefix + fName) {}
  std::string name() const override { return fName; }
  std::string qualifiedName() const override { return fQualified; }
  // Every data type has the runtime's meta type of data types.
  Ozo::ImmutableType getMetaType(Ozo::Deviant const&) const override {
    return Ozo::primitiveDataType("Integer").getMetaType();
  }
  char const* getKovoName(bool) const override { return "Ozo.ImmutableDataType"; }
  std::string toString(Ozo::Deviant const&) const override { return fQualified; }

 private:
  std::string fName, fQualified;
};

// Made on first use, kept for the life of the process (handles to them may
// outlive other statics).
std::mutex& tableLock() {
  static std::mutex m;
  return m;
}

template <class T>
T& lookup(std::map<std::string, T*, std::less<>>& table, std::string_view name) {
  auto it = table.find(name);
  if (it == table.end()) it = table.emplace(std::string(name), new T(std::string(name))).first;
  return *it->second;
}

std::string describe(Ozo::ImmutableObject const& o) {
  if (!o.isValid()) return "an empty handle";
  Ozo::ImmutableType const t = o.get()->getMetaType(o.deviant());
  Ozo::NSInterface::TypeIntf* const type = t.type();
  return type ? type->qualifiedName() : std::string(o.get()->getKovoName(true));
}

[[noreturn]] void wrongObject(char const* typeName, Ozo::ImmutableObject const& o) {
  throw Ozo::Exception(std::string("Expected a value of type ") + kPackagePrefix + typeName + ", got " +
                       describe(o));
}

std::string literalList(values::EnumTable const& t) {
  std::string s;
  for (std::int32_t i = 0; i < t.count; ++i) s += (i ? ", " : "") + std::string(t.literals[i]);
  return s;
}

}  // namespace

// ---------------------------------------------------------------------------
namespace values {

// The model object of an enumeration: one box per enumeration, the code in
// the deviant word of the handle.
class EnumType final : public Ozo::Immortal<Ozo::NSInterface::ObjectIntf> {
 public:
  explicit EnumType(std::string name)
      : fName(std::move(name)), fHostName(kPackagePrefix + fName) {}
  void setTable(EnumTable const& t) { fTable = t; }
  EnumTable const& table() const { return fTable; }
  std::string const& name() const { return fName; }
  Ozo::ImmutableType getMetaType(Ozo::Deviant const&) const override { return dataType(fName.c_str()); }
  char const* getKovoName(bool) const override { return fHostName.c_str(); }
  std::string toString(Ozo::Deviant const& d) const override { return fTable.literals[d.word]; }

 private:
  std::string fName, fHostName;
  EnumTable fTable{};
};

EnumType const& enumType(EnumTable const& table) {
  static auto* types = new std::map<std::string, EnumType*, std::less<>>;
  std::lock_guard<std::mutex> const lock(tableLock());
  EnumType& t = lookup(*types, table.name);
  t.setTable(table);
  return t;
}

std::int32_t checkCode(EnumTable const& table, std::int64_t code) {
  if (code < 0 || code >= table.count)
    throw Ozo::Exception("No literal of " + std::string(table.name) + " has the code " + std::to_string(code));
  return static_cast<std::int32_t>(code);
}

std::int32_t codeOf(EnumType const& type, Ozo::ImmutableObject const& o) {
  if (o.get() != &type) wrongObject(type.name().c_str(), o);
  return static_cast<std::int32_t>(o.deviant().word);
}

Ozo::Object objectOf(EnumType const& type, std::int32_t code) {
  return Ozo::Object(const_cast<EnumType*>(&type), Ozo::Deviant{static_cast<std::uint64_t>(code)});
}

std::int32_t parse(EnumTable const& table, std::string_view text) {
  for (std::int32_t i = 0; i < table.count; ++i)
    if (text == table.literals[i]) return i;
  throw Ozo::Exception("\"" + std::string(text) + "\" names no literal of " + table.name + " (" +
                       literalList(table) + ")");
}

Ozo::ImmutableDataType dataType(char const* name) {
  static auto* types = new std::map<std::string, ValueDataType*, std::less<>>;
  std::lock_guard<std::mutex> const lock(tableLock());
  return Ozo::ImmutableDataType(&lookup(*types, name), Ozo::Deviant{});
}

}  // namespace values

// ---------------------------------------------------------------------------
namespace {

// The model object of a DataSize or Time: a counted box holding a copy.
template <class V>
class ValueBox final : public Ozo::Counted<Ozo::NSInterface::ObjectIntf> {
 public:
  ValueBox(V v, char const* hostName) : fValue(std::move(v)), fHostName(hostName) {}
  Ozo::ImmutableType getMetaType(Ozo::Deviant const&) const override { return V::MetaDataType(); }
  char const* getKovoName(bool) const override { return fHostName; }
  std::string toString(Ozo::Deviant const&) const override { return fValue.toString().utf8(); }
  V const& value() const { return fValue; }

 private:
  V fValue;
  char const* fHostName;
};

template <class V>
V const& unbox(Ozo::ImmutableObject const& o, char const* typeName) {
  auto* const box = dynamic_cast<ValueBox<V>*>(o.get());
  if (!box) wrongObject(typeName, o);
  return box->value();
}

// "<number> <unit>", blanks around and between; the unit is parsed by its
// enumeration. Returns false when the text has another shape.
bool splitAmount(std::string_view text, std::string_view& number, std::string_view& unit) {
  auto const blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  std::size_t const gap = text.find_first_of(" \t");
  if (gap == std::string_view::npos) return false;
  number = text.substr(0, gap);
  unit = text.substr(gap);
  while (!unit.empty() && blank(unit.front())) unit.remove_prefix(1);
  return !number.empty() && unit.find_first_of(" \t") == std::string_view::npos;
}

template <class Unit>
[[noreturn]] void unreadable(std::string const& text, char const* type, char const* number, char const* example) {
  throw Ozo::Exception("Cannot read \"" + text + "\" as a " + type + ": expected " + number + " and a unit (" +
                       literalList(Unit::table()) + "), as in \"" + example + "\"");
}

template <class Unit>
Unit unitOf(std::string_view unit, std::string const& text, char const* type, char const* number,
            char const* example) {
  for (std::int32_t i = 0; i < Unit::kCount; ++i)
    if (unit == Unit::table().literals[i]) return Unit(i);
  unreadable<Unit>(text, type, number, example);
}

// Reads "<number> <unit>" as a V made of a Number boxed in Box and a Unit;
// anything else is an error that names the text and shows the shape wanted.
template <class V, class Box, class Number, class Unit>
V readAmount(Ozo::String const& text, char const* type, char const* numberWord, char const* example) {
  std::string const utf8 = text.utf8();
  std::string_view number, unit;
  if (!splitAmount(utf8, number, unit)) unreadable<Unit>(utf8, type, numberWord, example);
  Number v{};
  auto const [end, ec] = std::from_chars(number.data(), number.data() + number.size(), v);
  if constexpr (std::is_integral_v<Number>) {
    if (ec == std::errc::result_out_of_range)
      throw Ozo::Exception("Cannot read \"" + utf8 + "\" as a " + type + ": " + std::string(number) +
                           " is out of the range of a 32-bit whole number");
  }
  if (ec != std::errc{} || end != number.data() + number.size()) unreadable<Unit>(utf8, type, numberWord, example);
  return V(Box(v), unitOf<Unit>(unit, utf8, type, numberWord, example));
}

// Bits per unit as a power of two: Bit, Byte, KB, MB, GB.
constexpr int kBitShift[] = {0, 3, 13, 23, 33};

// Exact three-way comparison of a * 2^ea and b * 2^eb.
int compareScaled(std::int64_t a, int ea, std::int64_t b, int eb) {
  if (ea < eb) return -compareScaled(b, eb, a, ea);
  int const d = ea - eb;
  if (a == 0) return b < 0 ? 1 : b > 0 ? -1 : 0;
  // |a| >= 1, so |a * 2^d| >= 2^32 exceeds any 32-bit b: a's sign decides.
  if (d >= 32) return a > 0 ? 1 : -1;
  std::int64_t const scaled = a * (std::int64_t{1} << d);  // |scaled| <= 2^62
  return scaled < b ? -1 : scaled > b ? 1 : 0;
}

int compare(DataSize const& a, DataSize const& b) {
  return compareScaled(a.getValue().value(), kBitShift[a.getUnit().code()], b.getValue().value(),
                       kBitShift[b.getUnit().code()]);
}

// Microseconds per unit: S, Ms, Us, Min, Hrs, Dys, Wks, Mos, Yrs (all exact in a double).
constexpr double kMicroseconds[] = {1e6, 1e3, 1.0, 6e7, 3.6e9, 8.64e10, 6.048e11, 2629746e6, 31556952e6};

// A finite, non-zero amount in microseconds as mantissa x 2^exponent, the
// mantissa in [0.5, 1) (with the value's sign): the product of the value and
// the unit's length rounded once, as a double would round it, but with an
// exponent that cannot overflow.
struct Scaled {
  double mantissa;
  long exponent;
};

Scaled scaled(double value, TimeUnitKind unit) {
  int e1 = 0, e2 = 0;
  double const m = std::frexp(value, &e1) * kMicroseconds[unit.code()];  // |m| < 2^45: no overflow
  double const mantissa = std::frexp(m, &e2);
  return {mantissa, long{e1} + e2};
}

}  // namespace

std::partial_ordering compareAmounts(Time const& a, Time const& b) {
  double const x = a.getValue().value(), y = b.getValue().value();
  // NaN, infinities and zeros are what they are in any unit (-0 equals 0);
  // so are two amounts of opposite signs.
  if (!std::isfinite(x) || !std::isfinite(y) || x == 0 || y == 0 || (x < 0) != (y < 0)) return x <=> y;
  Scaled const p = scaled(x, a.getUnit()), q = scaled(y, b.getUnit());
  if (p.exponent != q.exponent) {
    // Same sign: the larger exponent is the larger magnitude.
    bool const smaller = p.exponent < q.exponent;
    return smaller == (x > 0) ? std::partial_ordering::less : std::partial_ordering::greater;
  }
  return p.mantissa <=> q.mantissa;
}

std::weak_ordering listOrder(Time const& a, Time const& b) {
  bool const nanA = std::isnan(a.getValue().value()), nanB = std::isnan(b.getValue().value());
  if (nanA || nanB) return nanA <=> nanB;  // NaN after every number
  std::partial_ordering const c = compareAmounts(a, b);
  return c == std::partial_ordering::less      ? std::weak_ordering::less
         : c == std::partial_ordering::greater ? std::weak_ordering::greater
                                               : std::weak_ordering::equivalent;
}

// ---------------------------------------------------------------------------
DataSize::DataSize(Ozo::ImmutableObject const& o) : DataSize(unbox<DataSize>(o, "DataSize")) {}

double DataSize::bits() const { return std::ldexp(static_cast<double>(fValue.value()), kBitShift[fUnit.code()]); }

bool operator==(DataSize const& a, DataSize const& b) { return compare(a, b) == 0; }
bool operator<(DataSize const& a, DataSize const& b) { return compare(a, b) < 0; }

Ozo::String DataSize::toString() const {
  return Ozo::String(std::to_string(fValue.value()) + " " + fUnit.toString().utf8());
}

DataSize DataSize::fromString(Ozo::String const& text) {
  return readAmount<DataSize, Ozo::Integer, std::int32_t, DataSizeUnitKind>(text, "DataSize", "a whole number",
                                                                          "8 Byte");
}

Ozo::ImmutableDataType DataSize::MetaDataType() { return values::dataType("DataSize"); }

DataSize::operator Ozo::Object() const {
  return Ozo::Object(new ValueBox<DataSize>(*this, "Zorvan.metamodel.types.DataSize"), Ozo::Deviant{});
}

// ---------------------------------------------------------------------------
Time::Time(Ozo::ImmutableObject const& o) : Time(unbox<Time>(o, "Time")) {}

bool operator==(Time const& a, Time const& b) { return compareAmounts(a, b) == 0; }
bool operator<(Time const& a, Time const& b) { return compareAmounts(a, b) < 0; }

Ozo::String Time::toString() const {
  char number[64];
  auto const [end, ec] = std::to_chars(number, number + sizeof number, fValue.value());
  (void)ec;  // 64 characters hold every double's shortest form
  return Ozo::String(std::string(number, end) + " " + fUnit.toString().utf8());
}

Time Time::fromString(Ozo::String const& text) {
  return readAmount<Time, Ozo::Real, double, TimeUnitKind>(text, "Time", "a number", "1.5 Ms");
}

Ozo::ImmutableDataType Time::MetaDataType() { return values::dataType("Time"); }

Time::operator Ozo::Object() const {
  return Ozo::Object(new ValueBox<Time>(*this, "Zorvan.metamodel.types.Time"), Ozo::Deviant{});
}

}  // namespace Zorvan::metamodel::types

namespace Ozo::Generic {
template struct ValueBox<Zorvan::metamodel::types::CompuMethodCategory>;
template struct ValueBox<Zorvan::metamodel::types::DataSizeUnitKind>;
template struct ValueBox<Zorvan::metamodel::types::FloatingPointKind>;
template struct ValueBox<Zorvan::metamodel::types::SwGenericAxisParamTypeCategory>;
template struct ValueBox<Zorvan::metamodel::types::TimeUnitKind>;
template struct ValueBox<Zorvan::metamodel::types::DataSize>;
template struct ValueBox<Zorvan::metamodel::types::Time>;
}  // namespace Ozo::Generic
