// Property descriptors on a model class of the test's own ("XbTest.Gadget"),
// read and written through the host.
#include "test_xb_ozo_fixture.hpp"

#include <Ozo/Element.hpp>
#include <xb/Marshal.hpp>
#include <xb/Property.hpp>

namespace xbtest {
namespace {

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

Ozo::ImmutableProperty propertyOf(Ozo::IntrospectiveMethods const& m, unsigned id) {
  return Ozo::ImmutableProperty(m.table()[id - 1].property, m.metaClass().deviant());
}
Ozo::ImmutableProperty gadgetProperty(unsigned id) { return propertyOf(kGadgetMethods, id); }
Ozo::ImmutableProperty classObjectProperty(unsigned id) {
  return propertyOf(Ozo::NSInterface::ClassObjectIntf::sIntrospectiveMethods, id);
}

// Value-type stand-in: an int32 array over the Integer property "Count".
struct CountHelper final : Ozo::xb::PropHelperBase {
  static inline int live = 0;
  CountHelper() { ++live; }
  ~CountHelper() override { --live; }
  kovo::COSValue get(Ozo::ClassObject const& o, Ozo::xb::OzoxbProperty const& p) override {
    return kovo::fromArray(kovo::HostArray::createInt32(Ozo::Integer(p.accessors().get(o, p.index())).value()));
  }
  void set(Ozo::ClassObject const& o, Ozo::xb::OzoxbProperty const& p, kovo::COSValue v) override {
    p.accessors().set(o, p.index(), Ozo::Integer(kovo::toArray(v)->int32s()[0]));
  }
};

void describeGadget(Ozo::xb::OzoxbPropertyFactory& f) {
  f.ClassObject("Buddy", Multiplicity::ZeroOrOne, Mutability::Settable, 1, "XbTest.ImmutableGadget", 0);
  f.ClassObject("Parts", Multiplicity::Many, Mutability::Settable, 2, "XbTest.ImmutableSequenceOfImmutableGadget", 0);
  f.PrimitiveSequence("Tags", Multiplicity::Many, Mutability::Settable, 3, "Ozo.ImmutableSequenceOfString", 0);
  f.DataType("Count", Multiplicity::ExactlyOne, Mutability::Settable, 4, "ozoint32", new CountHelper, 0);
  f.ClassObject("FixedBuddy", Multiplicity::ZeroOrOne, Mutability::ReadOnly, 1, "XbTest.ImmutableGadget", 0);
}

class TestClass final : public Ozo::xb::ClassMetaData {
 public:
  TestClass(char const* name, std::vector<char const*> supers, bool gadgetProperties)
      : ClassMetaData(name, ""), fSupers(std::move(supers)), fProperties(gadgetProperties) {}
  void initializeClass(kovo::COSClass* cls, kovo::COSClient*) override {
    for (char const* s : fSupers) cls->addSuperclass(kovo::intern(s), 1, 0, 1);
    if (!fProperties) return;
    Ozo::xb::OzoxbPropertyFactory f(cls, "XbTest.ImmutableGadget", &kGadgetMethods);
    describeGadget(f);
  }

 private:
  std::vector<char const*> fSupers;
  bool fProperties;
};

struct GadgetMeta {};
class GadgetMetaClass final : public Ozo::xb::MetaPropertyMetaData<GadgetMeta> {
 public:
  GadgetMetaClass() : MetaPropertyMetaData("GadgetMetaProperty", "") {}
  void initializeClass(kovo::COSClass* cls, kovo::COSClient*) override {
    Ozo::xb::OzoxbPropertyFactory f(cls, "XbTest.GadgetMetaProperty", &kGadgetMethods);
    f.addMetaProperty("Buddy", gadgetProperty, 1);
    f.addMetaProperty("Uri", classObjectProperty, 8);
  }
};

void initTestPackage(kovo::COSPackage* p) {
  p->addClass(new TestClass("ImmutableGadget", {"Ozo.ImmutableObject"}, true), 2);
  p->addClass(new TestClass("Gadget", {"XbTest.ImmutableGadget", "Ozo.Object"}, false), 2);
  p->addClass(new TestClass("ImmutableSequenceOfImmutableGadget", {"Ozo.ImmutableObject"}, false), 2);
  p->addClass(new TestClass("SequenceOfGadget", {"XbTest.ImmutableSequenceOfImmutableGadget"}, false), 2);
  p->addClass(new GadgetMetaClass, 2);
}

std::string at(char const* header, int line, char const* message) {
  return std::string("Assertion failed: ") + message + " at " + header + ":" + std::to_string(line) + ": ";
}

class XbProperty : public XbHostTest {
 protected:
  void SetUp() override {
    static bool registered = false;
    if (!registered) kovo::factory::registerKovoPackage("XbTest", initTestPackage);
    registered = true;
    XbHostTest::SetUp();
    m = Ozo::Model::create();
  }
  // The model owns the gadgets: it goes first, and they with it.
  void TearDown() override {
    m = Ozo::Model();
    XbHostTest::TearDown();
  }

  Ozo::ClassObject gadget() const { return Ozo::createObject(m, kGadgetMethods); }
  static Value bind(Ozo::ImmutableObject const& h, bool immutable) {
    return Value::adopt(kovo::toArray(Ozo::xb::returnObject(h, immutable, "")));
  }
  static Value bind(Ozo::ClassObject const& g, bool immutable) {
    return bind(Ozo::ImmutableObject(g.get(), g.deviant()), immutable);
  }
  static Ozo::ImmutableObject handleOf(Value const& v) {
    return Ozo::xb::toHandle(static_cast<kovo::HostArray const*>(v.raw()), kovo::intern("Ozo.ImmutableObject"));
  }
  bool buddySet(Ozo::ClassObject const& g) const { return kGadgetMethods.accessors->isSet(g, 1); }

  Ozo::Model m;
};

TEST_F(XbProperty, ElementIsReadInTheViewOfTheObjectReadFrom) {
  Ozo::ClassObject const g = gadget(), b = gadget();
  Value const gm = bind(g, false), gi = bind(g, true), bm = bind(b, false), bi = bind(b, true);

  Value unset = host.get(gm, "Buddy");
  EXPECT_TRUE(unset.isEmpty());
  EXPECT_EQ(unset.className(), "XbTest.Gadget");
  EXPECT_EQ(host.get(gi, "Buddy").className(), "XbTest.ImmutableGadget");

  // An immutable view conforms to the data type, the modifiable one through inheritance.
  host.set(gm, "Buddy", bi);
  EXPECT_TRUE(host.get(gm, "Buddy").sameObject(bm));
  EXPECT_TRUE(host.get(gi, "Buddy").sameObject(bi));
  host.set(gm, "Buddy", bm);
  EXPECT_TRUE(host.get(gi, "Buddy").sameObject(bi));

  host.set(gm, "Buddy", Value());
  EXPECT_FALSE(buddySet(g));
  EXPECT_TRUE(host.get(gm, "Buddy").isEmpty());
}

TEST_F(XbProperty, RefusedWritesReportInOrderAndChangeNothing) {
  Ozo::ClassObject const g = gadget(), b = gadget();
  Value const gm = bind(g, false), gi = bind(g, true), bm = bind(b, false);
  char const* element = "ozo_xb/marshal/OzoxbClassObjectProperty";

  EXPECT_EQ(errorOf([&] { host.set(gi, "Parts", Value()); }),
            at(element, 60, "You cannot set a multi-valued property"));
  EXPECT_EQ(errorOf([&] { host.set(gm, "Tags", Value()); }),
            at("ozo_xb/marshal/OzoxbPrimitiveSequenceProperty", 60, "You cannot set a multi-valued property"));
  EXPECT_EQ(errorOf([&] { host.set(gi, "FixedBuddy", bm); }), at(element, 61, "You cannot set a read-only property"));
  EXPECT_EQ(errorOf([&] { host.set(gi, "Buddy", bm); }),
            at("ozo_xb/marshal/OzoxbProperty", 87, "You cannot modify an immutable object"));
  EXPECT_EQ(errorOf([&] { host.set(gi, "Count", 3); }),
            at("ozo_xb/marshal/OzoxbProperty", 87, "You cannot modify an immutable object"));
  EXPECT_FALSE(buddySet(g));
  EXPECT_EQ(host.get(gm, "Count").toInt32(), 0);

  // The model's own refusal passes through unchanged.
  m.get()->setReadOnly(true);
  EXPECT_FALSE(errorOf([&] { host.set(gm, "Buddy", bm); }).empty());
  m.get()->setReadOnly(false);
  EXPECT_FALSE(buddySet(g));
}

TEST_F(XbProperty, SequencePropertiesGiveTheLiveCollectionInTheReadersView) {
  Ozo::ClassObject const g = gadget();
  Value const gm = bind(g, false), gi = bind(g, true);
  Value const parts = host.get(gm, "Parts");
  EXPECT_EQ(host.classOf(parts), "XbTest.SequenceOfGadget");
  EXPECT_TRUE(host.get(gm, "Parts").sameObject(parts));
  EXPECT_TRUE(handleOf(parts) == kGadgetMethods.accessors->get(g, 2));
  Value const immutableParts = host.get(gi, "Parts");
  EXPECT_EQ(host.classOf(immutableParts), "XbTest.ImmutableSequenceOfImmutableGadget");
  EXPECT_FALSE(immutableParts.sameObject(parts));

  EXPECT_EQ(host.classOf(host.get(gm, "Tags")), "Ozo.SequenceOfString");
  EXPECT_EQ(host.classOf(host.get(gi, "Tags")), "Ozo.ImmutableSequenceOfString");
}

TEST_F(XbProperty, ValueTypePropertyGoesThroughItsHelper) {
  Value const gm = bind(gadget(), false);
  host.set(gm, "Count", 42);
  EXPECT_EQ(host.get(gm, "Count").toInt32(), 42);
  EXPECT_EQ(host.get(bind(handleOf(gm), true), "Count").toInt32(), 42);
}

TEST_F(XbProperty, TargetWithoutModelElementIsTheNullRefError) {
  // A model is bound, but is no element.
  Value const notAnElement = Value::adopt(kovo::toArray(Ozo::xb::returnObject(m, kovo::intern("XbTest.Gadget"), false)));
  EXPECT_EQ(errorOf([&] { host.get(notAnElement, "Buddy"); }), kNullRef);
  EXPECT_EQ(errorOf([&] { host.get(notAnElement, "Parts"); }), kNullRef);
  EXPECT_EQ(errorOf([&] { host.set(notAnElement, "Buddy", Value()); }), kNullRef);
}

TEST_F(XbProperty, MetaObjectsShowTheirNames) {
  Value const type = host.invoke(bind(gadget(), false), "getMetaType", {});
  EXPECT_EQ(host.classOf(type), "Ozo.ImmutableClass");
  EXPECT_EQ(host.get(type, "Name").toString(), "Gadget");
  EXPECT_EQ(host.get(type, "QualifiedName").toString(), "XbTest.Gadget");
  Value const package = bind(Ozo::metaPackage("Zorvan.metamodel.foundation"), true);
  EXPECT_EQ(host.classOf(package), "Ozo.ImmutablePackage");
  EXPECT_EQ(host.get(package, "Name").toString(), "foundation");
  EXPECT_EQ(host.get(package, "QualifiedName").toString(), "Zorvan.metamodel.foundation");
}

TEST_F(XbProperty, DescriptorsTellTheirFacts) {
  std::vector<quillon::PropertyDesc> const ps = host.describeClass("XbTest.ImmutableGadget").properties;
  ASSERT_EQ(ps.size(), 5u);
  EXPECT_EQ(ps[0].multiplicity, 0);
  EXPECT_EQ(ps[0].index, 1u);
  EXPECT_EQ(ps[1].multiplicity, 2);
  EXPECT_EQ(ps[3].type, "ozoint32");
  EXPECT_FALSE(ps[0].readOnly);
  EXPECT_TRUE(ps[4].readOnly);
  EXPECT_TRUE(host.describeClass("XbTest.Gadget").properties.empty());
}

TEST_F(XbProperty, MetaPropertyEntriesGiveThePropertyObjects) {
  Value const entries = Value::adopt(kovo::factory::basic::BindingRegistry::announce(
      new GadgetMeta, kovo::intern("XbTest.GadgetMetaProperty")));
  std::vector<quillon::MetaPropertyDesc> const listed = host.describeClass("XbTest.GadgetMetaProperty").metaProperties;
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed[0].name, "Buddy");
  EXPECT_EQ(listed[0].id, 1);
  EXPECT_EQ(listed[0].declaredBy, "Gadget");
  EXPECT_EQ(listed[1].declaredBy, "ClassObject");

  Value const buddy = host.get(entries, "Buddy");
  EXPECT_EQ(host.classOf(buddy), "Ozo.ImmutableProperty");
  EXPECT_TRUE(host.get(entries, "Buddy").sameObject(buddy));
  EXPECT_EQ(host.get(buddy, "Name").toString(), "Buddy");
  EXPECT_EQ(host.get(buddy, "Class").toString(), "Gadget");
  EXPECT_EQ(host.get(buddy, "Multiplicity").toInt32(), 0);
  EXPECT_EQ(host.get(host.get(entries, "Uri"), "Class").toString(), "ClassObject");
  EXPECT_EQ(errorOf([&] { host.set(entries, "Buddy", buddy); }),
            at("ozo_xb/marshal/OzoxbMetaProperty", 61, "You cannot set a read-only property"));
}

// Built outside any host package: the class owns what the factory made.
TEST(XbPropertyFactory, TraitsFollowTheArgumentsAndTheHelperDiesWithItsDescriptor) {
  int const helpers = CountHelper::live;
  {
    kovo::COSClass cls(new TestClass("Loose", {}, false), nullptr);
    Ozo::xb::OzoxbPropertyFactory f(&cls, "Loose", &kGadgetMethods);
    f.DataType("A", Multiplicity::ExactlyOne, Mutability::Settable, 4, "char", new CountHelper, 0);
    f.DataType("B", Multiplicity::ZeroOrOne, Mutability::Settable, 4, "char", new CountHelper, 0);
    f.DataType("C", Multiplicity::Many, Mutability::ReadOnly, 4, "ozoint32", new CountHelper, 0);
    EXPECT_EQ(CountHelper::live, helpers + 3);
    auto traits = [&](std::size_t i) {
      return dynamic_cast<Ozo::xb::OzoxbProperty const&>(*cls.ownProperties()[i]).traits();
    };
    EXPECT_EQ(traits(0), Ozo::xb::kTraitKeepEmpty);
    EXPECT_EQ(traits(1), 0u);
    EXPECT_EQ(traits(2), Ozo::xb::kTraitMultiValued | Ozo::xb::kTraitReadOnly);
  }
  EXPECT_EQ(CountHelper::live, helpers);
}

}  // namespace
}  // namespace xbtest
