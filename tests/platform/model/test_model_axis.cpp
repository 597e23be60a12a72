// The typed facades of the foundation and types libraries, on Axis and its
// relatives.
#include <types/Axis.hpp>
#include <types/Types.hpp>  // Integer, SharedAxisType and the meta package

#include "platform/ozo/TestClasses.hpp"

#include <string>
#include <vector>

namespace {

namespace types = Zorvan::metamodel::types;
namespace foundation = Zorvan::metamodel::foundation;
using types::Axis;
using types::ImmutableAxis;

class Facades : public ozotest::LiveCountTest {
 protected:
  Ozo::Model const m = Ozo::Model::create();
  Axis const a = Axis::create(m);
};

TEST_F(Facades, CreationOperations) {
  EXPECT_EQ(a.getDimensions().value(), 0);
  EXPECT_FALSE(a.isNameSet());
  Axis const speed = Axis::create(m, Ozo::Integer(3), Ozo::String("speed"));
  EXPECT_EQ(speed.getDimensions().value(), 3);
  EXPECT_EQ(speed.getName().utf8(), "speed");
  EXPECT_EQ(speed.toString(), "Zorvan.metamodel.types.Axis \"speed\"");
  EXPECT_EQ(m.get()->elements().size(), 2u);
  EXPECT_EQ(types::Integer::create(m, Ozo::String("i")).getName().utf8(), "i");
}

// The meta class of every handle, and the ancestors nearest first.
TEST_F(Facades, MetaClassAndAncestors) {
  Ozo::ImmutableClass const cls = ImmutableAxis::MetaClass();
  EXPECT_EQ(a.getMetaType().get(), cls.get());
  EXPECT_EQ(Axis::MetaClass().get(), cls.get());
  EXPECT_EQ(cls.cls()->qualifiedName(), "Zorvan.metamodel.types.Axis");
  auto const* named = cls.cls()->superclass();
  EXPECT_EQ(named, foundation::ImmutableNamedElement::MetaClass().get());
  EXPECT_EQ(named->superclass()->superclass(), Ozo::ImmutableClassObject::MetaClass().get());
}

TEST_F(Facades, ElementPropertiesTakeOnlyTheirClass) {
  types::Integer const i = types::Integer::create(m);
  types::SharedAxisType const shared = types::SharedAxisType::create(m);
  a.setBaseType(i);  // an Integer is a PrimitiveType
  EXPECT_EQ(a.getBaseType().get(), i.get());
  a.setSharedAxis(shared);
  shared.setAxis(a);
  EXPECT_EQ(shared.getAxis().get(), a.get());
  a.setBaseType(types::ImmutablePrimitiveType::cast(shared));  // not a PrimitiveType: an empty handle clears
  EXPECT_FALSE(a.getBaseType().isValid());
}

TEST_F(Facades, SequencesOfAxis) {
  types::SwGenericAxisParamType const p = types::SwGenericAxisParamType::create(m, Ozo::String("p"));
  auto const params = a.getSwGenericAxisParamType();
  params.push_back(p);
  EXPECT_EQ(params.at(0).getName().utf8(), "p");
  // Composite: the axis owns the parameter type (derived Owner / OwnedElement).
  EXPECT_EQ(p.getOwner().get(), a.get());
  EXPECT_FALSE(p.getNamespace().isValid());  // an Axis is not a Namespace
  ASSERT_EQ(a.getOwnedElement().size(), 1u);
  EXPECT_EQ(a.getOwnedElement().at(0).get(), p.get());
  // A derived collection is named after the class that declares it.
  EXPECT_STREQ(a.getOwnedElement().get()->getKovoName(true),
               "Zorvan.metamodel.foundation.ImmutableSequenceOfImmutableElement");
}

TEST_F(Facades, NamespacesOwnNamedElements) {
  types::SharedAxisType const shared = types::SharedAxisType::create(m);  // a ValueType, so a Namespace
  types::Integer const i = types::Integer::create(m, Ozo::String("member"));
  EXPECT_EQ(shared.getOwnedMember().size(), 0u);
  // Owned through Element's composite OwnedComment.
  shared.getOwnedComment().push_back(i);
  EXPECT_EQ(i.getNamespace().get(), shared.get());
  ASSERT_EQ(shared.getOwnedMember().size(), 1u);
  EXPECT_EQ(shared.getOwnedMember().at(0).getName().utf8(), "member");
}

}  // namespace
