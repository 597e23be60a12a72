// The typed facades of the foundation and types libraries, on Axis and its
// relatives.
#include <types/Axis.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

namespace types = Zorvan::metamodel::types;
namespace foundation = Zorvan::metamodel::foundation;
using types::Axis;
using types::ImmutableAxis;

template <class F>
std::string failure(F&& f) {
  try {
    f();
  } catch (Ozo::Exception const& e) {
    return e.what();
  }
  return "";
}

std::vector<std::string> propertyNames(Ozo::NSInterface::ClassIntf const* c) {
  std::vector<std::string> r;
  for (auto* p : c->ownProperties()) r.push_back(p->def().name);
  return r;
}

class Facades : public ::testing::Test {
 protected:
  void SetUp() override { fBaseline = Ozo::ReferenceCountingIntf::live(); }
  void TearDown() override { EXPECT_EQ(Ozo::ReferenceCountingIntf::live(), fBaseline) << "objects leaked"; }
  std::size_t fBaseline = 0;
};

TEST_F(Facades, CreationOperations) {
  Ozo::Model const m = Ozo::Model::create("axes");
  Axis const plain = Axis::create(m);
  EXPECT_EQ(plain.getDimensions().value(), 0);
  EXPECT_FALSE(plain.isNameSet());
  Axis const speed = Axis::create(m, Ozo::Integer(3), Ozo::String("speed"));
  EXPECT_EQ(speed.getDimensions().value(), 3);
  EXPECT_EQ(speed.getName().utf8(), "speed");
  EXPECT_EQ(speed.toString(), "Zorvan.metamodel.types.Axis \"speed\"");
  EXPECT_EQ(m.get()->elements().size(), 2u);
  EXPECT_EQ(types::Integer::create(m, Ozo::String("i")).getName().utf8(), "i");

  EXPECT_EQ(failure([] { Axis::create(Ozo::Model()); }),
            "Assertion failed: Cannot access NULL ref. Use isValid() before calling methods at ozo/Ozo/Model_h:84: ");
  m.get()->setReadOnly(true);
  EXPECT_EQ(failure([&] { Axis::create(m, Ozo::Integer(1), Ozo::String("x")); }),
            "Assertion failed: Model \"axes\" is read-only at ozo/Ozo/DeviantAssertions_h:57: ");
  EXPECT_EQ(m.get()->elements().size(), 3u);
}

TEST_F(Facades, HostNamesAndMetaClass) {
  Ozo::Model const m = Ozo::Model::create();
  Axis const a = Axis::create(m);
  EXPECT_STREQ(a.get()->getKovoName(true), "Zorvan.metamodel.types.ImmutableAxis");
  EXPECT_STREQ(a.get()->getKovoName(false), "Zorvan.metamodel.types.Axis");
  Ozo::ImmutableClass const cls = ImmutableAxis::MetaClass();
  EXPECT_EQ(a.getMetaType().get(), cls.get());
  EXPECT_EQ(Axis::MetaClass().get(), cls.get());
  EXPECT_EQ(cls.cls()->qualifiedName(), "Zorvan.metamodel.types.Axis");
  EXPECT_EQ(propertyNames(cls.cls()), (std::vector<std::string>{"BaseType", "SharedAxis", "Dimensions",
                                                                 "InputVariableType", "SymbolicDimensions",
                                                                 "SwGenericAxisParamType", "Vf"}));
  // Ancestors and their own tables, nearest first.
  auto const* named = cls.cls()->superclass();
  EXPECT_EQ(named, foundation::ImmutableNamedElement::MetaClass().get());
  EXPECT_EQ(propertyNames(named), (std::vector<std::string>{"Name", "Visibility", "ClientDependency", "Namespace"}));
  EXPECT_EQ(propertyNames(named->superclass()), (std::vector<std::string>{"OwnedElement", "Owner", "OwnedComment"}));
  EXPECT_EQ(named->superclass()->superclass(), Ozo::ImmutableClassObject::MetaClass().get());
  EXPECT_EQ(types::NSInterface::AxisIntf::sIntrospectiveMethods.count(), 7u);
  EXPECT_EQ(types::NSInterface::AxisIntf::sIntrospectiveMethods.table()[2].property->def().name,
            std::string("Dimensions"));
  // The value type chain: PrimitiveType -> ValueType -> Namespace -> NamedElement.
  EXPECT_EQ(types::ImmutablePrimitiveType::MetaClass().cls()->superclass()->superclass()->name(), "Namespace");
}

TEST_F(Facades, MetaPackagesListTheirClasses) {
  std::vector<std::string> names;
  for (auto* c : types::MetaPackage().package()->classes()) names.push_back(c->name());
  for (char const* n : {"PrimitiveType", "Real", "Integer", "SharedAxisType", "SwGenericAxisParamType", "Axis"})
    EXPECT_NE(std::find(names.begin(), names.end(), n), names.end()) << n;
  foundation::initialize();
  EXPECT_EQ(Ozo::metaPackage("Zorvan.metamodel.foundation").package()->classes().size(), 7u);
  EXPECT_EQ(types::MetaPackage().package()->qualifiedName(), "Zorvan.metamodel.types");
}

TEST_F(Facades, ElementPropertiesCheckTheirClass) {
  Ozo::Model const m = Ozo::Model::create();
  Axis const a = Axis::create(m);
  types::Integer const i = types::Integer::create(m);
  types::SharedAxisType const shared = types::SharedAxisType::create(m);
  a.setBaseType(i);  // an Integer is a PrimitiveType
  EXPECT_EQ(a.getBaseType().get(), i.get());
  EXPECT_EQ(types::ImmutableInteger::cast(a.getBaseType()).get(), i.get());
  a.setSharedAxis(shared);
  shared.setAxis(a);
  EXPECT_EQ(shared.getAxis().get(), a.get());
  a.setBaseType(types::ImmutablePrimitiveType::cast(shared));  // not a PrimitiveType: an empty handle clears
  EXPECT_FALSE(a.getBaseType().isValid());
  EXPECT_EQ(failure([&] { Ozo::writeProperty(a, types::NSInterface::AxisIntf::sIntrospectiveMethods, 1, shared); }),
            "Assertion failed: Value for Axis.BaseType must be a Zorvan.metamodel.types.PrimitiveType, got "
            "Zorvan.metamodel.types.SharedAxisType at ozo/Ozo/ClassObject:268: ");
}

TEST_F(Facades, PrimitiveValuedProperties) {
  Ozo::Model const m = Ozo::Model::create();
  types::Integer const i = types::Integer::create(m);
  EXPECT_FALSE(i.getMinValue().has_value());
  i.setMinValue(Ozo::Real(-5));
  EXPECT_EQ(i.getMinValue()->value(), -5);
  i.setMinValue(std::nullopt);
  EXPECT_FALSE(i.getMinValue().has_value());
  i.setIsSigned(Ozo::Boolean(true));
  i.setIsVolatile(Ozo::Boolean(false));
  EXPECT_TRUE(i.getIsSigned().value());
  EXPECT_FALSE(i.getIsVolatile()->value());
  EXPECT_FALSE(i.getIsConst().has_value());
  EXPECT_EQ(i.getGroundValue().value(), 0.0);
  i.setQualifier(Ozo::String("volatile"));
  EXPECT_EQ(i.getQualifier().utf8(), "volatile");
  i.setDisplayFormat(Ozo::String("%d"));  // inherited from ValueType
  EXPECT_EQ(i.getDisplayFormat().utf8(), "%d");
  EXPECT_FALSE(i.getLength().isValid());
}

TEST_F(Facades, SequencesOfAxis) {
  Ozo::Model const m = Ozo::Model::create();
  Axis const a = Axis::create(m);
  auto const vf = a.getVf();
  vf.push_back(Ozo::Real(0.5));
  vf.push_back(Ozo::Real(1.5));
  EXPECT_EQ(a.getVf().size(), 2u);
  EXPECT_EQ(a.getVf().at(1).value(), 1.5);
  a.getSymbolicDimensions().push_back(Ozo::String("rpm"));
  EXPECT_EQ(a.getSymbolicDimensions().at(0).utf8(), "rpm");
  EXPECT_STREQ(vf.get()->getKovoName(true), "Ozo.ImmutableSequenceOfReal");

  types::SwGenericAxisParamType const p = types::SwGenericAxisParamType::create(m, Ozo::String("p"));
  auto const params = a.getSwGenericAxisParamType();
  params.push_back(p);
  EXPECT_STREQ(params.get()->getKovoName(true),
               "Zorvan.metamodel.types.ImmutableSequenceOfImmutableSwGenericAxisParamType");
  EXPECT_STREQ(params.get()->getKovoName(false), "Zorvan.metamodel.types.SequenceOfSwGenericAxisParamType");
  EXPECT_EQ(params.at(0).getName().utf8(), "p");
  // Composite: the axis owns the parameter type (derived Owner / OwnedElement).
  EXPECT_EQ(p.getOwner().get(), a.get());
  EXPECT_FALSE(p.getNamespace().isValid());  // an Axis is not a Namespace
  ASSERT_EQ(a.getOwnedElement().size(), 1u);
  EXPECT_EQ(a.getOwnedElement().at(0).get(), p.get());
  EXPECT_STREQ(a.getOwnedElement().get()->getKovoName(true),
               "Zorvan.metamodel.foundation.ImmutableSequenceOfImmutableElement");
  EXPECT_EQ(failure([&] { a.getSwGenericAxisParamType().get()->insert(0, Axis::create(m)); }),
            "Assertion failed: Value for Axis.SwGenericAxisParamType must be a "
            "Zorvan.metamodel.types.SwGenericAxisParamType, got Zorvan.metamodel.types.Axis at "
            "ozo/Ozo/ClassObject:268: ");
}

TEST_F(Facades, NamespacesOwnNamedElements) {
  Ozo::Model const m = Ozo::Model::create();
  types::SharedAxisType const shared = types::SharedAxisType::create(m);  // a ValueType, so a Namespace
  types::Integer const i = types::Integer::create(m, Ozo::String("member"));
  EXPECT_EQ(shared.getOwnedMember().size(), 0u);
  // Owned through Element's composite OwnedComment.
  shared.getOwnedComment().push_back(i);
  EXPECT_EQ(i.getNamespace().get(), shared.get());
  ASSERT_EQ(shared.getOwnedMember().size(), 1u);
  EXPECT_EQ(shared.getOwnedMember().at(0).getName().utf8(), "member");
}

TEST_F(Facades, CastsBetweenHandles) {
  Ozo::Model const m = Ozo::Model::create();
  Axis const a = Axis::create(m);
  Ozo::ImmutableObject const any = a;
  EXPECT_EQ(ImmutableAxis::cast(any).get(), a.get());
  EXPECT_FALSE(types::ImmutableInteger::cast(any).isValid());
  EXPECT_EQ(foundation::ImmutableNamedElement::cast(any).get(), a.get());
  Ozo::Object const modifiable = a;
  EXPECT_EQ(modifiable.get(), a.get());
  // Through the runtime's visitor, as the binding layer casts.
  Ozo::ReferenceCountingIntf* const rc = a.get();
  EXPECT_EQ((rc->castTo<Zorvan::VisitationDomain, types::NSInterface::AxisIntf>()), a.intf());
  EXPECT_EQ((rc->castTo<Zorvan::VisitationDomain, types::NSInterface::IntegerIntf>()), nullptr);
}

TEST_F(Facades, HandlesKeepModelsAliveUntilTheLastOneGoes) {
  Axis a;
  {
    Ozo::Model const m = Ozo::Model::create("kept");
    a = Axis::create(m, Ozo::Integer(2), Ozo::String("x"));
    a.getSwGenericAxisParamType().push_back(types::SwGenericAxisParamType::create(m));
  }
  EXPECT_TRUE(Ozo::ModelCache::find("kept").isValid());
  auto const params = a.getSwGenericAxisParamType();
  a = Axis();
  EXPECT_TRUE(Ozo::ModelCache::find("kept").isValid()) << "the sequence keeps its owner alive";
  EXPECT_EQ(params.size(), 1u);
}

}  // namespace
