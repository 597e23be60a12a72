// Every element class of the package walked through the host, the way a
// user would meet it: described, constructed with each constructor, every
// property read (and written back where it is settable), cast both ways. A
// class that misses a row, a constructor target or a converter cannot pass.
#include <map>
#include <set>

#include "support/HostFixture.hpp"

#include <types/Classes.hpp>
#include <xb/ElementClass.hpp>

namespace quillon::testing {
namespace {

constexpr char kSuffix[] = "MetaProperty";

// The binding data of each registered element class, by short name.
std::map<std::string, Ozo::xb::ElementClassData const*> bindingData() {
  std::map<std::string, Ozo::xb::ElementClassData const*> r;
  for (Ozo::xb::ElementClassData const* c : Ozo::xb::registeredElementClasses())
    if (std::string_view(c->def->packageName) == "Zorvan.metamodel.types") r[c->def->name] = c;
  return r;
}

class CatalogueWalk : public HostFixture {
 protected:
  // A value of host type `type` for a constructor argument or a write.
  Value sample(std::string const& type, Value const& m) const {
    if (type == "Ozo.Model") return m;
    if (type == "char vector" || type == "char") return Value("n");
    if (type == "int32 scalar" || type == "ozoint32") return Value::int32(3);
    if (type == "double scalar" || type == "ozodouble") return Value(1.5);
    if (type == "logical scalar" || type == "ozological") return Value(true);
    // Element parameters of abstract classes take a concrete subclass.
    static std::map<std::string, std::string> const concrete = {
        {T("CompositeSpecification"), T("MatrixValueSpecification")},
        {"Zorvan.metamodel.foundation.ValueSpecification", T("LiteralReal")},
        {"Zorvan.metamodel.foundation.ValueType", T("Integer")},
        {T("Real"), T("Integer")},
        {T("PrimitiveType"), T("Integer")},
    };
    auto const c = concrete.find(type);
    std::string const cls = c == concrete.end() ? type : c->second;
    if (cls == T("FloatingPointKind")) return host.call(cls, "IEEE_Single", {});
    return host.construct(cls, {m});
  }
};

TEST_F(CatalogueWalk, EveryElementClassWorksFromTheHost) {
  std::vector<std::string> const classes = host.describePackage("Zorvan.metamodel.types").classes;
  std::set<std::string> const listed(classes.begin(), classes.end());
  auto const data = bindingData();
  unsigned elementClasses = 0;
  for (std::string const& metaName : classes) {
    if (!metaName.ends_with(kSuffix)) continue;
    std::string const x = metaName.substr(0, metaName.size() - std::size(kSuffix) + 1).substr(std::size(kTypes) - 1);
    SCOPED_TRACE(x);
    ++elementClasses;
    for (std::string const& seq :
         {"SequenceOf" + x, "ImmutableSequenceOfImmutable" + x, x + "Iterator", "Immutable" + x + "ImmutableIterator"})
      EXPECT_TRUE(listed.count(T(seq))) << seq;
    EXPECT_FALSE(host.describeClass(metaName).metaProperties.empty());

    // The host shows exactly the model properties the class file names, in order.
    ASSERT_TRUE(data.count(x));
    Ozo::xb::ElementClassData const& binding = *data.at(x);
    std::vector<unsigned> own, shown;
    for (PropertyDesc const& p : host.describeClass(T("Immutable" + x)).properties) own.push_back(p.index.value_or(0));
    for (Ozo::xb::ShownProperty const& s : binding.shown) shown.push_back(s.index);
    EXPECT_EQ(own, shown);

    ClassDesc const mod = host.describeClass(T(x));
    std::vector<PropertyDesc> const properties = host.allProperties(T("Immutable" + x));
    int constructors = 0;
    for (MethodDesc const& ctor : mod.methods) {
      if (ctor.kind != "constructor") continue;
      ++constructors;
      Value const m = model();
      std::vector<Value> args;
      for (std::string_view type : ctor.arguments) args.push_back(sample(std::string(type), m));
      Value const o = host.construct(T(x), args);
      ASSERT_EQ(host.classOf(o), T(x)) << ctor.signatureText();

      for (PropertyDesc const& p : properties) {
        SCOPED_TRACE(p.name);
        Value const v = host.get(o, p.name);
        if (p.type.ends_with("scalar")) {
          EXPECT_EQ(v.numel(), 1u);
        }
        if (p.readOnly || p.isStatic) continue;
        // Scalars and text go in and come back; other kinds at least accept what they read.
        if (p.type.ends_with("scalar") || p.type == "char" || p.type.starts_with("ozo")) {
          Value const in = sample(std::string(p.type), m);
          host.set(o, p.name, in);
          Value const back = host.get(o, p.name);
          if (p.type == "char") {
            EXPECT_EQ(back.toString(), "n");
          } else {
            EXPECT_EQ(back.toDouble(), in.toDouble());
          }
        } else if (!p.type.starts_with("Ozo.ImmutableSequence") && p.type.find("Sequence") == std::string::npos) {
          host.set(o, p.name, v);
        }
      }
      Value const imm = host.call(T("Immutable" + x), "cast", {o});
      EXPECT_EQ(host.classOf(imm), T("Immutable" + x));
      EXPECT_TRUE(host.call(T("Immutable" + x), "cast", {imm}).sameObject(imm));
      EXPECT_TRUE(host.call(T(x), "cast", {o}).sameObject(o));
      EXPECT_TRUE(host.call(T(x), "cast", {m}).isEmpty()) << "a model is no " << x;
    }
    EXPECT_EQ(constructors == 0, binding.def->isAbstract) << "only an abstract class has no constructor";
  }
  EXPECT_EQ(elementClasses, Zorvan::metamodel::types::countOf<Zorvan::metamodel::types::IsElement>());
}

}  // namespace
}  // namespace quillon::testing
