// Property descriptors on a model class of the test's own, "XbTest.Gadget".
#include "test_xb_ozo_fixture.hpp"

#include <Ozo/Element.hpp>
#include <xb/Property.hpp>

namespace xbtest {
namespace {

using testsupport::assertionText;
using Ozo::xb::Multiplicity;
using Ozo::xb::Mutability;
using quillon::Value;
namespace meta = Ozo::meta;

meta::PropertyDef const kGadgetProperties[] = {
    {"Buddy", meta::ValueKind::Element, meta::Multiplicity::ZeroOne, "XbTest.Gadget"},
    {"Parts", meta::ValueKind::Element, meta::Multiplicity::Many, "XbTest.Gadget", true},
    {"Tags", meta::ValueKind::String, meta::Multiplicity::Many},
    {"Count", meta::ValueKind::Integer, meta::Multiplicity::One},
};
meta::ClassDef const kGadget{"Gadget", "XbTest", &Ozo::NSInterface::ClassObjectIntf::sClassDef, kGadgetProperties, 4};
Ozo::IntrospectiveMethods const kGadgetMethods{&kGadget, &Ozo::kElementAccessors<kGadget>};

template <Ozo::IntrospectiveMethods const& M>
Ozo::ImmutableProperty propertyOf(unsigned id) {
  return Ozo::ImmutableProperty(M.table()[id - 1].property, M.metaClass().deviant());
}

// A value-type stand-in: "Count" as an int32 array.
struct CountHelper final : Ozo::xb::PropHelperBase {
  static inline int live = 0;
  CountHelper() { ++live; }
  ~CountHelper() override { --live; }
  kovo::COSValue get(Ozo::ClassObject const& o, Ozo::xb::OzoxbProperty const& p) override {
    return out(p.accessors().get(o, p.index()), p);
  }
  kovo::COSValue out(Ozo::Object const& v, Ozo::xb::OzoxbProperty const&) override {
    return kovo::fromArray(kovo::HostArray::createInt32(Ozo::Integer(v).value()));
  }
  void set(Ozo::ClassObject const& o, Ozo::xb::OzoxbProperty const& p, kovo::COSValue v) override {
    p.accessors().set(o, p.index(), Ozo::Integer(kovo::toArray(v)->int32s()[0]));
  }
};

// Every class of the test package; only ImmutableGadget has descriptors.
class TestClass final : public Ozo::xb::ClassMetaData {
 public:
  TestClass(char const* name, std::vector<char const*> supers) : ClassMetaData(name, ""), fSupers(std::move(supers)) {}
  void initializeClass(kovo::COSClass* cls, kovo::COSClient*) override {
    for (char const* s : fSupers) cls->addSuperclass(kovo::intern(s), 1, 0, 1);
    if (std::string_view(getName()) != "ImmutableGadget") return;
    Ozo::xb::OzoxbPropertyFactory f(cls, "XbTest.ImmutableGadget", &kGadgetMethods);
    f.ClassObject("Buddy", Multiplicity::ZeroOrOne, Mutability::Settable, 1, "XbTest.ImmutableGadget", 0);
    f.ClassObject("Parts", Multiplicity::Many, Mutability::Settable, 2, "XbTest.ImmutableSequenceOfImmutableGadget", 0);
    f.PrimitiveSequence("Tags", Multiplicity::Many, Mutability::Settable, 3, "Ozo.ImmutableSequenceOfString", 0);
    f.DataType("Count", Multiplicity::ExactlyOne, Mutability::Settable, 4, "ozoint32", new CountHelper, 0);
    f.ClassObject("FixedBuddy", Multiplicity::ZeroOrOne, Mutability::ReadOnly, 1, "XbTest.ImmutableGadget", 0);
  }

 private:
  std::vector<char const*> fSupers;
};

struct GadgetMeta {};
class GadgetMetaClass final : public Ozo::xb::MetaPropertyMetaData<GadgetMeta> {
 public:
  GadgetMetaClass() : MetaPropertyMetaData("GadgetMetaProperty", "") {}
  void initializeClass(kovo::COSClass* cls, kovo::COSClient*) override {
    Ozo::xb::OzoxbPropertyFactory f(cls, "XbTest.GadgetMetaProperty", &kGadgetMethods);
    f.addMetaProperty("Buddy", propertyOf<kGadgetMethods>, 1, kGadgetMethods.def->name);
    f.addMetaProperty("Uri", propertyOf<Ozo::NSInterface::ClassObjectIntf::sIntrospectiveMethods>, 8, "ClassObject");
  }
};

void initTestPackage(kovo::COSPackage* p) {
  p->addClass(new TestClass("ImmutableGadget", {"Ozo.ImmutableObject"}), 2);
  p->addClass(new TestClass("Gadget", {"XbTest.ImmutableGadget", "Ozo.Object"}), 2);
  p->addClass(new TestClass("ImmutableSequenceOfImmutableGadget", {"Ozo.ImmutableObject"}), 2);
  p->addClass(new TestClass("SequenceOfGadget", {"XbTest.ImmutableSequenceOfImmutableGadget"}), 2);
  p->addClass(new GadgetMetaClass, 2);
}

class XbProperty : public XbHostTest {
 protected:
  void SetUp() override {
    static bool const registered = (kovo::factory::registerKovoPackage("XbTest", initTestPackage), true);
    (void)registered;
    XbHostTest::SetUp();
    m = Ozo::Model::create();
  }
  void TearDown() override {
    m = Ozo::Model();  // the model owns the gadgets: they go with it
    XbHostTest::TearDown();
  }
  Ozo::ImmutableObject gadget() const {
    Ozo::ClassObject const g = Ozo::createObject(m, kGadgetMethods);
    return Ozo::ImmutableObject(g.get(), g.deviant());
  }
  static bool buddySet(Value const& g) {
    Ozo::ImmutableObject const h = handleOf(g);
    return kGadgetMethods.accessors->isSet(
        Ozo::ClassObject(dynamic_cast<Ozo::NSInterface::ClassObjectIntf*>(h.get()), h.deviant()), 1);
  }

  Ozo::Model m;
};

TEST_F(XbProperty, ElementIsReadInTheViewOfTheObjectReadFrom) {
  Ozo::ImmutableObject const g = gadget(), b = gadget();
  Value const gm = bind(g, false), gi = bind(g, true), bm = bind(b, false), bi = bind(b, true);
  host.set(gm, "Buddy", bi);  // either view of an element fits the immutable data type
  EXPECT_TRUE(host.get(gm, "Buddy").sameObject(bm));
  EXPECT_TRUE(host.get(gi, "Buddy").sameObject(bi));
  host.set(gm, "Buddy", Value());
  EXPECT_FALSE(buddySet(gm));
}

TEST_F(XbProperty, RefusedWritesReportInOrderAndChangeNothing) {
  Value const gm = bind(gadget(), false), gi = bind(handleOf(gm), true), bm = bind(gadget(), false);
  char const* element = "ozo_xb/marshal/OzoxbClassObjectProperty";
  EXPECT_EQ(errorOf([&] { host.set(gi, "Parts", Value()); }),
            assertionText("You cannot set a multi-valued property", element, 60));
  EXPECT_EQ(errorOf([&] { host.set(gi, "FixedBuddy", bm); }),
            assertionText("You cannot set a read-only property", element, 61));
  std::string const prohibited =
      assertionText("You cannot modify an immutable object", "ozo_xb/marshal/OzoxbProperty", 87);
  EXPECT_EQ(errorOf([&] { host.set(gi, "Buddy", bm); }), prohibited);
  EXPECT_EQ(errorOf([&] { host.set(gi, "Count", 3); }), prohibited);
  EXPECT_FALSE(buddySet(gm));
  EXPECT_EQ(host.get(gm, "Count").toInt32(), 0);
  host.set(gm, "Count", 42);  // through the value-type helper
  EXPECT_EQ(host.get(gi, "Count").toInt32(), 42);

  // A bound object that is no element.
  Value const model = Value::adopt(kovo::toArray(Ozo::xb::returnObject(m, kovo::intern("XbTest.Gadget"), false)));
  EXPECT_EQ(errorOf([&] { host.get(model, "Parts"); }), kNullRef);
  EXPECT_EQ(errorOf([&] { host.set(model, "Buddy", Value()); }), kNullRef);
}

TEST_F(XbProperty, MetaPropertyEntriesGiveThePropertyObjects) {
  Value const entries = Value::adopt(
      kovo::factory::basic::BindingRegistry::announce(new GadgetMeta, kovo::intern("XbTest.GadgetMetaProperty")));
  Value const buddy = host.get(entries, "Buddy");
  EXPECT_EQ(host.get(buddy, "Name").toString(), "Buddy");
  EXPECT_EQ(host.get(buddy, "Class").toString(), "Gadget");
  EXPECT_EQ(host.get(buddy, "Multiplicity").toInt32(), 0);
  EXPECT_EQ(errorOf([&] { host.set(entries, "Buddy", buddy); }),
            assertionText("You cannot set a read-only property", "ozo_xb/marshal/OzoxbMetaProperty", 61));
}

// Built outside any package: the class owns what the factory made.
TEST(XbPropertyFactory, TraitsFollowTheArgumentsAndTheHelperDiesWithItsDescriptor) {
  int const helpers = CountHelper::live;
  {
    kovo::COSClass cls(new TestClass("Loose", {}), nullptr);
    Ozo::xb::OzoxbPropertyFactory f(&cls, "Loose", &kGadgetMethods);
    f.DataType("A", Multiplicity::ExactlyOne, Mutability::Settable, 4, "char", new CountHelper, 0);
    f.DataType("B", Multiplicity::ZeroOrOne, Mutability::Settable, 4, "char", new CountHelper, 0);
    f.DataType("C", Multiplicity::Many, Mutability::ReadOnly, 4, "ozoint32", new CountHelper, 0);
    auto traits = [&](std::size_t i) {
      return dynamic_cast<Ozo::xb::OzoxbProperty const&>(*cls.ownProperties()[i]).traits();
    };
    EXPECT_EQ(traits(0), Ozo::xb::kTraitKeepEmpty);
    EXPECT_EQ(traits(1), 0u);
    EXPECT_EQ(traits(2), Ozo::xb::kTraitMultiValued | Ozo::xb::kTraitReadOnly);
    EXPECT_EQ(cls.ownProperties()[2]->facts().multiplicity, 2);
  }
  EXPECT_EQ(CountHelper::live, helpers);
}

}  // namespace
}  // namespace xbtest
