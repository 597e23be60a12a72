// The value types of the types library: enumerations, DataSize and Time.
#include <types/Types.hpp>

#include "platform/ozo/TestClasses.hpp"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

namespace types = Zorvan::metamodel::types;
using types::CompuMethodCategory;
using types::DataSize;
using types::DataSizeUnitKind;
using types::Time;
using types::TimeUnitKind;
using ozotest::failure;

// ---------------------------------------------------------------------------
template <class E>
class EnumerationTest : public ozotest::LiveCountTest {};
using Enumerations = ::testing::Types<types::CompuMethodCategory, types::DataSizeUnitKind, types::FloatingPointKind,
                                      types::SwGenericAxisParamTypeCategory, types::TimeUnitKind>;
TYPED_TEST_SUITE(EnumerationTest, Enumerations);

// Every literal reads back from its text and from its model object; the
// model object of a code is the same object with the code in its deviant,
// so handing values out allocates nothing.
TYPED_TEST(EnumerationTest, EveryLiteralRoundTrips) {
  using E = TypeParam;
  std::size_t const before = Ozo::ReferenceCountingIntf::live();
  Ozo::Object const first = E(0);
  for (std::int32_t code = 0; code < E::kCount; ++code) {
    E const v(code);
    EXPECT_EQ(E::fromString(v.toString().utf8()), v);
    EXPECT_EQ(v.toString().utf8(), E::table().literals[code]);
    Ozo::Object const o = v;
    EXPECT_EQ(o.get(), first.get()) << "one model object per enumeration";
    EXPECT_EQ(E(o).code(), code);
    if (code > 0) {
      EXPECT_LT(E(code - 1), v) << "literals order by code";
    }
    EXPECT_EQ(o.get()->getMetaType(o.deviant()), Ozo::ImmutableType(E::MetaDataType()));
  }
  EXPECT_EQ(Ozo::ReferenceCountingIntf::live(), before);
  EXPECT_EQ(E().code(), 0) << "the default is the literal of code 0";
}

// One meta data type object per enumeration, named in the package.
TYPED_TEST(EnumerationTest, MetaDataTypeIsOneObjectPerType) {
  using E = TypeParam;
  Ozo::ImmutableDataType const t = E::MetaDataType();
  EXPECT_EQ(t, E(0).getMetaDataType());
  ASSERT_TRUE(t.isValid());
  EXPECT_EQ(t.type()->qualifiedName(), std::string("Zorvan.metamodel.types.") + E::name);
  EXPECT_STREQ(t.get()->getKovoName(true), "Ozo.ImmutableDataType");
  EXPECT_NE(t, DataSize::MetaDataType());
  EXPECT_EQ(t.getMetaType(), Ozo::primitiveDataType("Real").getMetaType());
}

TEST(Enumerations, BadInputIsAClearError) {
  EXPECT_EQ(failure([] { CompuMethodCategory::fromString("linear"); }),
            "\"linear\" names no literal of CompuMethodCategory (Identical, Linear, RatFunc, TextTable, "
            "LinearAndTextTable)");
  EXPECT_EQ(failure([] { CompuMethodCategory::fromString(" Linear"); }).substr(0, 9), "\" Linear\"");
  EXPECT_EQ(failure([] { DataSizeUnitKind(5); }), "No literal of DataSizeUnitKind has the code 5");
  EXPECT_EQ(failure([] { DataSizeUnitKind(-1); }), "No literal of DataSizeUnitKind has the code -1");
  // Another enumeration's object, a boxed number, an empty handle.
  Ozo::Object const unit = DataSizeUnitKind(DataSizeUnitKind::Byte);
  EXPECT_EQ(failure([&] { CompuMethodCategory{unit}; }),
            "Expected a value of type Zorvan.metamodel.types.CompuMethodCategory, got "
            "Zorvan.metamodel.types.DataSizeUnitKind");
  EXPECT_EQ(failure([] { CompuMethodCategory{Ozo::Object(Ozo::Integer(1))}; }),
            "Expected a value of type Zorvan.metamodel.types.CompuMethodCategory, got Ozo.Integer");
  EXPECT_EQ(failure([] { CompuMethodCategory{Ozo::Object()}; }),
            "Expected a value of type Zorvan.metamodel.types.CompuMethodCategory, got an empty handle");
}

// ---------------------------------------------------------------------------
class Values : public ozotest::LiveCountTest {};

DataSize ds(int v, DataSizeUnitKind::Value u) { return DataSize(Ozo::Integer(v), u); }
Time tm(double v, TimeUnitKind::Value u) { return Time(Ozo::Real(v), u); }

TEST_F(Values, DataSizeComparesAmountsExactly) {
  using K = DataSizeUnitKind;
  constexpr int kMax = std::numeric_limits<std::int32_t>::max();
  constexpr int kMin = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(ds(8, K::Bit), ds(1, K::Byte));
  EXPECT_EQ(ds(1, K::KB), ds(8192, K::Bit));
  EXPECT_EQ(ds(2048, K::MB), ds(2, K::GB));
  EXPECT_FALSE(ds(7, K::Bit) == ds(1, K::Byte));
  EXPECT_LT(ds(7, K::Bit), ds(1, K::Byte));
  EXPECT_FALSE(ds(1, K::Byte) < ds(8, K::Bit));
  // Large factors: 1 GB is 2^33 bits, more than any 32-bit count of bits.
  EXPECT_LT(ds(kMax, K::Bit), ds(1, K::GB));
  EXPECT_LT(ds(-1, K::GB), ds(kMin, K::Bit));
  EXPECT_LT(ds(kMax, K::MB), ds(kMax, K::GB));
  EXPECT_LT(ds(kMin, K::GB), ds(kMin, K::MB));
  EXPECT_LT(ds(0, K::GB), ds(1, K::Bit));
  EXPECT_LT(ds(-1, K::Bit), ds(0, K::GB));
  EXPECT_EQ(ds(0, K::GB), ds(0, K::Bit));
  EXPECT_EQ(ds(-1024, K::KB), ds(-1, K::MB));
}

TEST_F(Values, TimeComparesAmounts) {
  using K = TimeUnitKind;
  EXPECT_EQ(tm(60, K::S), tm(1, K::Min));
  EXPECT_LT(tm(1, K::Min), tm(1, K::Hrs));
  EXPECT_EQ(tm(1.5, K::Ms), tm(1500, K::Us));
  EXPECT_EQ(tm(0.1, K::S), tm(100, K::Ms));
  EXPECT_EQ(tm(7, K::Dys), tm(1, K::Wks));
  EXPECT_EQ(tm(12, K::Mos), tm(1, K::Yrs));
  EXPECT_EQ(tm(1, K::Yrs), tm(365.2425, K::Dys));
  EXPECT_LT(tm(-1, K::Yrs), tm(0, K::Us));
  EXPECT_FALSE(tm(1, K::Hrs) < tm(60, K::Min));
}

// Amounts far beyond a double in microseconds still compare by amount: one
// side scaled to the other's unit would overflow, an exponent does not.
TEST_F(Values, TimeComparesHugeTinyAndSpecialAmounts) {
  using K = TimeUnitKind;
  constexpr double kMax = std::numeric_limits<double>::max();
  constexpr double kTiny = std::numeric_limits<double>::denorm_min();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  EXPECT_FALSE(tm(1e300, K::Yrs) == tm(1e300, K::Wks)) << "both overflow in microseconds";
  EXPECT_LT(tm(1e300, K::Wks), tm(1e300, K::Yrs));
  EXPECT_LT(tm(-1e300, K::Yrs), tm(-1e300, K::Wks));
  EXPECT_EQ(tm(std::ldexp(60.0, 1000), K::S), tm(std::ldexp(1.0, 1000), K::Min)) << "exact as in a small range";
  EXPECT_LT(tm(std::ldexp(60.0, 1000), K::S), tm(std::nextafter(std::ldexp(1.0, 1000), kMax), K::Min));
  EXPECT_LT(tm(kMax, K::S), tm(kMax, K::Yrs));
  EXPECT_LT(tm(kMax, K::Yrs), tm(kInf, K::Us)) << "a finite amount is below infinity in any unit";
  EXPECT_LT(tm(-kInf, K::Us), tm(-kMax, K::Yrs));
  EXPECT_EQ(tm(kInf, K::Us), tm(kInf, K::Yrs));
  EXPECT_LT(tm(kTiny, K::Us), tm(kTiny, K::S)) << "denormal values scale without losing bits";
  EXPECT_LT(tm(-kTiny, K::S), tm(-kTiny, K::Us));
  EXPECT_EQ(tm(-0.0, K::Yrs), tm(0.0, K::Us));
  EXPECT_FALSE(tm(-0.0, K::Yrs) < tm(0.0, K::Us));
  EXPECT_LT(tm(-kTiny, K::Us), tm(-0.0, K::Yrs));
  Time const nan = tm(std::numeric_limits<double>::quiet_NaN(), K::S);
  EXPECT_FALSE(nan == nan);
  EXPECT_FALSE(nan < tm(1, K::S));
  EXPECT_FALSE(tm(1, K::S) < nan);
}

// The list order is a strict weak order on every value (NaNs equivalent to
// each other and after every number), and equivalence in it is == everywhere
// but at NaN.
TEST_F(Values, TimeListOrderIsAStrictWeakOrder) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  double const amounts[] = {std::numeric_limits<double>::quiet_NaN(), -kInf, kInf, -0.0, 0.0, 1, 60, 0.1, -1e300,
                            1e300, std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min(),
                            -std::numeric_limits<double>::quiet_NaN()};
  std::vector<Time> all;
  for (double a : amounts)
    for (std::int32_t u = 0; u < TimeUnitKind::kCount; ++u) all.push_back(Time(Ozo::Real(a), TimeUnitKind(u)));
  auto const less = [](Time const& a, Time const& b) { return listOrder(a, b) < 0; };
  auto const same = [&](Time const& a, Time const& b) { return !less(a, b) && !less(b, a); };
  for (Time const& a : all) {
    bool const nan = std::isnan(a.getValue().value());
    EXPECT_FALSE(less(a, a));
    for (Time const& b : all) {
      ASSERT_EQ(same(a, b), nan ? std::isnan(b.getValue().value()) : a == b)
          << a.toString().utf8() << " vs " << b.toString().utf8();
      if (!nan && !std::isnan(b.getValue().value())) {
        ASSERT_EQ(less(a, b), a < b) << "among numbers the list order is <";
      } else if (!nan) {
        ASSERT_TRUE(less(a, b)) << "NaN after every number";
      }
      for (Time const& c : all) {
        if (less(a, b) && less(b, c)) {
          ASSERT_TRUE(less(a, c));
        }
        if (same(a, b) && same(b, c)) {
          ASSERT_TRUE(same(a, c));
        }
      }
    }
  }
}

TEST_F(Values, TextRoundTrips) {
  using D = DataSizeUnitKind;
  using T = TimeUnitKind;
  EXPECT_EQ(ds(8, D::Byte).toString().utf8(), "8 Byte");
  EXPECT_EQ(tm(1.5, T::Ms).toString().utf8(), "1.5 Ms");
  for (DataSize const& v : {ds(8, D::Byte), ds(std::numeric_limits<std::int32_t>::min(), D::GB), ds(0, D::Bit),
                            ds(std::numeric_limits<std::int32_t>::max(), D::KB)}) {
    DataSize const back = DataSize::fromString(v.toString());
    EXPECT_EQ(back.getValue(), v.getValue()) << v.toString().utf8();
    EXPECT_EQ(back.getUnit(), v.getUnit()) << "same representation, not only the same amount";
  }
  for (Time const& v : {tm(0.1, T::S), tm(1e-300, T::Us), tm(-2.5e21, T::Yrs), tm(1.0 / 3, T::Wks), tm(-0.0, T::S)}) {
    Time const back = Time::fromString(v.toString());
    EXPECT_EQ(back.getValue().value(), v.getValue().value()) << v.toString().utf8();
    EXPECT_EQ(back.getUnit(), v.getUnit());
  }
  EXPECT_EQ(DataSize::fromString(Ozo::String("  16\tKB ")).toString().utf8(), "16 KB");
}

TEST_F(Values, UnreadableTextIsAClearError) {
  std::string const dsExpect = ": expected a whole number and a unit (Bit, Byte, KB, MB, GB), as in \"8 Byte\"";
  for (char const* bad : {"8", "Byte", "8 byte", "8.5 Byte", "8 Byte x", "", "0x8 Byte", "8Byte"})
    EXPECT_EQ(failure([&] { DataSize::fromString(Ozo::String(bad)); }),
              "Cannot read \"" + std::string(bad) + "\" as a DataSize" + dsExpect);
  EXPECT_EQ(failure([] { DataSize::fromString(Ozo::String("2147483648 Bit")); }),
            "Cannot read \"2147483648 Bit\" as a DataSize: 2147483648 is out of the range of a 32-bit whole number");
  EXPECT_EQ(failure([] { Time::fromString(Ozo::String("1,5 Ms")); }),
            "Cannot read \"1,5 Ms\" as a Time: expected a number and a unit (S, Ms, Us, Min, Hrs, Dys, Wks, Mos, "
            "Yrs), as in \"1.5 Ms\"");
}

// The model object holds its own copy and converts back to the same value.
TEST_F(Values, ModelObjectsConvertBack) {
  DataSize v = ds(3, DataSizeUnitKind::MB);
  Ozo::Object const o = v;
  v.setValue(Ozo::Integer(4));
  DataSize const back(o);
  EXPECT_EQ(back.getValue().value(), 3);
  EXPECT_EQ(back.getUnit(), DataSizeUnitKind(DataSizeUnitKind::MB));
  EXPECT_EQ(o.get()->getMetaType(o.deviant()), Ozo::ImmutableType(DataSize::MetaDataType()));
  EXPECT_EQ(o.toString(), "3 MB");

  Ozo::Object const t = tm(2.5, TimeUnitKind::Hrs);
  EXPECT_EQ(Time(t).toString().utf8(), "2.5 Hrs");
  EXPECT_EQ(Time::MetaDataType(), Time().getMetaDataType());
  EXPECT_EQ(Time::MetaDataType().type()->qualifiedName(), "Zorvan.metamodel.types.Time");
  EXPECT_EQ(failure([&] { DataSize{t}; }), "Expected a value of type Zorvan.metamodel.types.DataSize, got "
                                           "Zorvan.metamodel.types.Time");
}

}  // namespace
