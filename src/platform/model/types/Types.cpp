// The package: its class definitions, in the order of the package's class
// list (Classes.hpp), which is the order the meta package lists them. Each class's table, definition and creation
// operations live in its own file (X.cpp).
#include <types/Classes.hpp>
#include <types/Definitions.hpp>

#include <Ozo/Library.hpp>

#include <string>
#include <type_traits>

namespace Zorvan::metamodel::types {

namespace {

// How the runtime takes a value of type X apart and puts it back together
// (saving, loading and comparing models): an enumeration by its literal's
// name, DataSize and Time by amount and unit.
template <class X>
Ozo::ValueCodec codecOf() {
  static std::string const name = std::string(kPackageName) + "." + X::name;
  using Parts = Ozo::ValueParts;
  if constexpr (requires { X::table(); }) {
    return {name.c_str(), Parts::Shape::Literal,
            [](Ozo::ImmutableObject const& v) {
              Parts p;
              p.literal = X(v).toString().utf8();
              return p;
            },
            [](Parts const& p) { return Ozo::Object(X::fromString(p.literal)); }};
  } else {
    using Amount = decltype(X().getValue());
    using Unit = decltype(X().getUnit());
    constexpr bool kWhole = std::is_same_v<Amount, Ozo::Integer>;
    return {name.c_str(), kWhole ? Parts::Shape::WholeAmount : Parts::Shape::RealAmount,
            [](Ozo::ImmutableObject const& v) {
              X const x(v);
              Parts p;
              p.shape = kWhole ? Parts::Shape::WholeAmount : Parts::Shape::RealAmount;
              p.literal = x.getUnit().toString().utf8();
              if constexpr (kWhole)
                p.whole = x.getValue().value();
              else
                p.real = x.getValue().value();
              return p;
            },
            [](Parts const& p) {
              Unit const unit = Unit::fromString(p.literal);
              if constexpr (kWhole)
                return Ozo::Object(X(Ozo::Integer(p.whole), unit));
              else
                return Ozo::Object(X(Ozo::Real(p.real), unit));
            }};
  }
}

// The runtime learns the package's classes and value types when the library
// is loaded: a few table entries, no meta class is built.
[[maybe_unused]] bool const registered = [] {
  forEachOf<IsCreatable>([]<class X>() {
    Ozo::registerElementClass(X::Intf::sClassDef, [](Ozo::Model const& m) { return X::create(m).operator Ozo::Object(); });
  });
  forEachOf<IsValue>([]<class X>() { Ozo::registerValueType(codecOf<X>()); });
  return true;
}();

}  // namespace

void initialize() {
  static bool const done = [] {
    foundation::initialize();
    forEachOf<IsElement>([]<class X>() { Ozo::metaClassOf(X::Intf::sClassDef); });
    return true;
  }();
  (void)done;
}

Ozo::ImmutablePackage MetaPackage() {
  initialize();
  return Ozo::metaPackage(kPackageName);
}

}  // namespace Zorvan::metamodel::types
