// The types factory from the host: its classes as described, every create
// method called as the host describes it, and the edge cases of factories,
// models and values.
#include <algorithm>
#include <map>
#include <set>

#include <Ozo/Meta.hpp>
#include <types/Classes.hpp>

#include "support/HostFixture.hpp"
#include "support/MethodShape.hpp"

namespace quillon::testing {
namespace {

namespace types = Zorvan::metamodel::types;
template <class X>
struct CreatableWithArguments : std::bool_constant<types::CreatableElement<X> && requires { X::kCreateWith; }> {};
// Counts from the package's class list.
constexpr unsigned kElementClasses = types::countOf<types::IsElement>();
constexpr unsigned kValueTypes = types::countOf<types::IsValue>();
constexpr unsigned kCreatable = types::countOf<types::IsCreatable>();
constexpr unsigned kCreatableWithArguments = types::countOf<CreatableWithArguments>();

constexpr char kPrefix[] = "createmetamodeltypes";
std::string const kFactoryNullRef = nullRefText("mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesFactory_h", 92);

class FactoryTest : public HostFixture {
 protected:
  Value newModel() const { return host.call(T("Factory"), "createNewModel", {}); }
  Value factoryOf(Value const& m) const { return host.call(T("Factory"), "createNewFactory", {m}); }

  // An argument of host type `type`, made through the factory where it is an element.
  Value sample(std::string const& type, Value const& f) const {
    if (type == "char vector") return Value("n");
    if (type == "int32 scalar") return Value::int32(7);
    if (type == "double scalar") return Value(1.5);
    if (type == T("FloatingPointKind")) return host.call(type, "IEEE_Double", {});
    if (type == T("DataSizeUnitKind")) return host.call(type, "Byte", {});
    if (type == T("TimeUnitKind")) return host.call(type, "Ms", {});
    static std::map<std::string, std::string> const concrete = {
        {T("CompositeSpecification"), "MatrixValueSpecification"},
        {"Zorvan.metamodel.foundation.ValueSpecification", "LiteralReal"},
        {"Zorvan.metamodel.foundation.ValueType", "Integer"},
        {T("Real"), "FixedPoint"},
        {T("PrimitiveType"), "Integer"},
    };
    auto const c = concrete.find(type);
    std::string const cls = c != concrete.end() ? c->second : type.substr(std::size(kTypes) - 1);
    return host.invoke(f, kPrefix + cls, {});
  }
};

TEST_F(FactoryTest, ClassesAreRegisteredAsDescribed) {
  std::vector<std::string> const classes = host.describePackage("Zorvan.metamodel.types").classes;
  // Eleven host classes per element class, five per value type, the factory's two.
  EXPECT_EQ(classes.size(), kElementClasses * 11 + kValueTypes * 5 + 2);
  auto const at = [&](std::string const& c) { return std::find(classes.begin(), classes.end(), T(c)) - classes.begin(); };
  // Between the time unit kind's classes and Boolean's, Factory first.
  EXPECT_EQ(at("ImmutableFactory"), at("Factory") + 1);
  EXPECT_LT(at("TimeUnitKind"), at("Factory"));
  EXPECT_LT(at("ImmutableFactory"), at("BooleanMetaProperty") < at("Boolean") ? at("BooleanMetaProperty") : at("Boolean"));

  ClassDesc const f = host.describeClass(T("Factory"));
  ClassDesc const imm = host.describeClass(T("ImmutableFactory"));
  EXPECT_EQ(f.superclasses, std::vector<std::string_view>{"Ozo.FactoryObject"});
  EXPECT_EQ(imm.superclasses, std::vector<std::string_view>{"Ozo.ImmutableFactoryObject"});
  EXPECT_EQ(f.description, "An implementation of the factory design pattern");
  EXPECT_EQ(imm.description, f.description);

  // 4 + one or two per concrete element class + 4 value rows + 4 casts and views.
  ASSERT_EQ(f.methods.size(), 4u + kCreatable + kCreatableWithArguments + 2 * 2 + 4);
  std::string const self = "(self: " + T("Factory");
  std::vector<std::string> const shapes = testsupport::shapesOf(f);
  EXPECT_EQ(std::vector<std::string>(shapes.begin(), shapes.begin() + 6),
            (std::vector<std::string>{
                "static createNewFactory(Ozo.Model) -> " + T("Factory"), "static createNewModel() -> Ozo.Model",
                "instance createFromString" + self + ", char vector) -> Ozo.Object",
                "instance createFromString" + self + ", char vector, char vector) -> Ozo.Object",
                "instance createmetamodeltypesFloatingPoint" + self + ") -> " + T("FloatingPoint"),
                "instance createmetamodeltypesFloatingPoint" + self + ", aKind: " + T("FloatingPointKind") +
                    ", aName: char vector) -> " + T("FloatingPoint")}));
  // The argument names keep the text they were registered with.
  EXPECT_EQ(f.methods[4].argumentNamesText, "");
  EXPECT_EQ(f.methods[5].argumentNamesText, " aKind, aName");
  std::vector<std::string> tail;
  for (std::size_t i = f.methods.size() - 4; i < f.methods.size(); ++i) tail.emplace_back(f.methods[i].name);
  EXPECT_EQ(tail, (std::vector<std::string>{"cast", "toOzoObject", "cast", "toOzoFactoryObject"}));
  for (MethodDesc const& m : f.methods) EXPECT_EQ(m.attributes, 0) << m.name;

  // EnumerationLiteral: value and pvalue, in that order, before the enumeration and the name.
  EXPECT_EQ(host.methods(T("Factory"), "createmetamodeltypesEnumerationLiteral").at(1).argumentNamesText,
            " aValue, aPvalue, aEnumeration, aName");

  std::vector<std::string> immNames;
  for (MethodDesc const& m : imm.methods) immNames.push_back(std::string(m.name) + ":" + std::string(m.argumentNamesText));
  EXPECT_EQ(immNames, (std::vector<std::string>{"eq:", "ne:", "gt:", "ge:", "lt:", "le:", "cast:other",
                                                "toOzoImmutableObject:", "cast:other",
                                                "toOzoImmutableFactoryObject:"}));
}

// Every create method the host lists, both forms, with arguments made from
// the types the host gives: the result is of the method's class, and what
// the argument names say was set.
TEST_F(FactoryTest, EveryCreateMethodCreatesItsClass) {
  Value const m = newModel();
  Value const f = factoryOf(m);
  std::set<std::string> classes;
  int calls = 0;
  for (MethodDesc const& d : host.describeClass(T("Factory")).methods) {
    if (!d.name.starts_with(kPrefix)) continue;
    std::string const cls(d.name.substr(std::size(kPrefix) - 1));
    SCOPED_TRACE(d.signatureText());
    classes.insert(cls);
    std::vector<Value> args;
    for (std::string_view type : d.arguments) args.push_back(sample(std::string(type), f));
    Value const o = host.invoke(f, d.name, args);
    ++calls;
    ASSERT_EQ(host.classOf(o), T(cls));
    EXPECT_EQ(d.result, T(cls));
    for (std::size_t i = 0; i < d.argumentNames.size(); ++i) {
      std::string_view name = d.argumentNames[i];
      if (name == "aName") {
        EXPECT_EQ(host.get(o, "Name").toString(), "n");
      } else if (name == "aValue" && d.arguments[i] == "int32 scalar") {
        EXPECT_EQ(host.get(o, cls == "DataSize" ? "value" : "Value").toInt32(), 7);
      } else if (name == "aValue" && d.arguments[i] == "double scalar") {
        EXPECT_EQ(host.get(o, cls == "Time" ? "value" : "Value").toDouble(), 1.5);
      } else if (name == "aDimensions") {
        EXPECT_EQ(host.get(o, "Dimensions").toInt32(), 7);
      }
      if (name == "aUnit") {
        EXPECT_EQ(host.get(o, "unit").className(), d.arguments[i]);
      }
    }
  }
  EXPECT_EQ(classes.size(), kCreatable + 2);
  EXPECT_EQ(calls, static_cast<int>(kCreatable + kCreatableWithArguments + 2 * 2));
}

// The sweep gives both integers the same value; here they differ.
TEST_F(FactoryTest, EnumerationLiteralTakesValueThenPvalue) {
  Value const f = factoryOf(newModel());
  Value const e = host.invoke(f, "createmetamodeltypesEnumeration", {"E"});
  Value const lit = host.invoke(f, "createmetamodeltypesEnumerationLiteral", {Value::int32(3), Value::int32(9), e, "L"});
  EXPECT_EQ(host.get(lit, "Value").toInt32(), 3);
  EXPECT_TRUE(host.get(lit, "enumeration").identity() != 0);
}

TEST_F(FactoryTest, NewModelsHaveDistinctUris) {
  Value const a = newModel();
  Value const b = newModel();
  EXPECT_EQ(host.classOf(a), "Ozo.Model");
  std::string const ua = host.get(a, "Uri").toString();
  std::string const ub = host.get(b, "Uri").toString();
  EXPECT_TRUE(ua.starts_with("untitled")) << ua;
  EXPECT_NE(ua, ub);
  EXPECT_EQ(host.get(a, "Name").toString(), ua);
  // The URI is shown, not set.
  EXPECT_FALSE(errorOf([&] { host.set(a, "Uri", "x"); }).empty());
  EXPECT_EQ(host.get(a, "Uri").toString(), ua);
  // Assertions are back on after createNewModel: a read-only model refuses creation.
  host.invoke(a, "setReadOnly", {true});
  Value const f = factoryOf(a);
  std::size_t const objects = host.counter("model objects");
  EXPECT_EQ(errorOf([&] { host.invoke(f, "createmetamodeltypesAxis", {Value::int32(2), "x"}); }),
            "Assertion failed: Model \"" + ua + "\" is read-only at ozo/Ozo/DeviantAssertions_h:57: ");
  // Values belong to no model: a read-only model does not stop them, and they are no model objects.
  EXPECT_EQ(host.classOf(host.invoke(f, "createmetamodeltypesTime", {})), T("Time"));
  Value const unit = host.call(T("DataSizeUnitKind"), "KB", {});
  Value const d = host.invoke(f, "createmetamodeltypesDataSize", {Value::int32(8), unit});
  EXPECT_TRUE(host.call(T("DataSizeUnitKind"), "eq", {host.get(d, "unit"), unit}).toBool());
  EXPECT_EQ(host.get(host.invoke(f, "createmetamodeltypesDataSize", {}), "value").toInt32(), 0);
  EXPECT_EQ(host.counter("model objects"), objects);
}

// createNewModel turns the runtime's writability checks off while it names
// the model, then puts the switch back as it found it, off included.
TEST_F(FactoryTest, NewModelLeavesTheAssertionSwitchAsItFoundIt) {
  bool const before = Ozo::DeviantAssertions::enableAssertions(false);
  newModel();
  EXPECT_FALSE(Ozo::DeviantAssertions::sAssertionsEnabled);
  Ozo::DeviantAssertions::enableAssertions(true);
  newModel();
  EXPECT_TRUE(Ozo::DeviantAssertions::sAssertionsEnabled);
  Ozo::DeviantAssertions::enableAssertions(before);
}

TEST_F(FactoryTest, CastOfANonFactoryIsAnEmptyFactory) {
  Value const m = newModel();
  Value const f = factoryOf(m);
  Value const ax = host.invoke(f, "createmetamodeltypesAxis", {});
  Value const none = host.call(T("Factory"), "cast", {ax});
  EXPECT_TRUE(none.isEmpty());
  EXPECT_EQ(none.className(), T("Factory"));
  std::size_t const objects = host.counter("model objects");
  EXPECT_EQ(errorOf([&] { host.call(T("Factory"), "createmetamodeltypesAxis", {none}); }), kFactoryNullRef);
  EXPECT_EQ(errorOf([&] { host.call(T("Factory"), "createmetamodeltypesDataSize", {none}); }), kFactoryNullRef);
  EXPECT_EQ(errorOf([&] { host.call(T("Factory"), "createFromString", {none, T("Axis")}); }), kFactoryNullRef);
  EXPECT_EQ(host.counter("model objects"), objects);
  // A factory casts to itself, through either runtime view.
  EXPECT_TRUE(host.call(T("Factory"), "cast", {f}).sameObject(f));
  Value const asFactoryObject = host.invoke(f, "toOzoFactoryObject", {});
  EXPECT_TRUE(host.call(T("Factory"), "cast", {asFactoryObject}).sameObject(f));
  EXPECT_TRUE(host.invoke(f, "toOzoObject", {}).sameObject(f));
  // An object that is no factory, or an empty one, where a factory is expected.
  EXPECT_TRUE(errorOf([&] { host.call(T("Factory"), "createmetamodeltypesAxis", {m}); }).starts_with("No signature of"));
  EXPECT_EQ(errorOf([&] { host.call(T("Factory"), "createNewFactory", {Value()}); }),
            nullRefText("ozo/Ozo/Model_h", 84));
}

TEST_F(FactoryTest, ImmutableFactoriesCompareByFactory) {
  Value const f = factoryOf(newModel());
  Value const g = factoryOf(newModel());
  std::string const I = T("ImmutableFactory");
  Value const a = host.call(I, "cast", {f});
  Value const b = host.call(I, "cast", {host.invoke(f, "toOzoFactoryObject", {})});
  Value const c = host.call(I, "cast", {g});
  EXPECT_EQ(host.classOf(a), I);
  // Two views of one factory are equal.
  for (auto const& [op, equal] : {std::pair{"eq", true}, {"ne", false}, {"le", true}, {"ge", true}, {"lt", false},
                                  {"gt", false}})
    EXPECT_EQ(host.call(I, op, {a, b}).toBool(), equal) << op;
  EXPECT_TRUE(host.call(I, "ne", {a, c}).toBool());
  EXPECT_NE(host.call(I, "lt", {a, c}).toBool(), host.call(I, "gt", {a, c}).toBool());
  EXPECT_EQ(host.call(I, "lt", {a, c}).toBool(), host.call(I, "ge", {c, a}).toBool());
  // A non-factory gives an empty immutable factory.
  Value const ax = host.invoke(f, "createmetamodeltypesAxis", {});
  EXPECT_TRUE(host.call(I, "cast", {ax}).isEmpty());
  EXPECT_TRUE(host.invoke(a, "toOzoImmutableFactoryObject", {}).identity() != 0);
}

TEST_F(FactoryTest, CreateFromStringMakesTheNamedClass) {
  Value const f = factoryOf(newModel());
  Value const sw = host.invoke(f, "createFromString", {T("SwBaseType")});
  EXPECT_EQ(host.classOf(sw), T("SwBaseType"));
  Value const ax = host.invoke(f, "createFromString", {T("Axis"), "speed"});
  EXPECT_EQ(host.classOf(ax), T("Axis"));
  EXPECT_EQ(host.get(ax, "Name").toString(), "speed");
  std::size_t const objects = host.counter("model objects");
  for (std::string const& bad : {std::string("Axis"), T("Real"), T("DataSize"), std::string()})
    EXPECT_EQ(errorOf([&] { host.invoke(f, "createFromString", {bad.empty() ? Value("") : Value(bad)}); }),
              "Assertion failed: \"" + bad +
                  "\" names no class of Zorvan.metamodel.types that the factory can create at "
                  "mm_types/Zorvan/metamodel/types/ZorvanmetamodeltypesFactory_h:120: ");
  EXPECT_EQ(host.counter("model objects"), objects);
}

}  // namespace
}  // namespace quillon::testing
