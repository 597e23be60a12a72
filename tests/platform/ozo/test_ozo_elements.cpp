// The reflective core: property kinds, collections, ownership, lifetime and
// read-only models.
#include "platform/ozo/TestClasses.hpp"

namespace {

using namespace ozotest;

std::string typeError(char const* property, char const* expected, char const* got) {
  std::string const message = std::string("Value for Thing.") + property + " must be " + expected + ", got " + got;
  return testsupport::assertionText(message, "ozo/Ozo/ClassObject", 268);
}

class Reflective : public ThingTest {};

// Unset, a required primitive reads its default and an optional value reads
// empty. An element keeps only the slots it has used, in slot order: values
// written in any order, with slots made before and after them, all read back;
// an empty value clears, an empty text is a value.
TEST_F(Reflective, UnsetPropertiesReadTheirDefaultAndValuesWrittenInAnyOrderReadBack) {
  EXPECT_EQ(Ozo::Integer(get(a, Count)).value(), 0);
  EXPECT_FALSE(Ozo::Boolean(get(a, Flag)).value());
  EXPECT_FALSE(get(a, Limit).isValid());
  EXPECT_TRUE(Ozo::String(get(a, Label)).empty());
  Ozo::ClassObject const t = thing(m);
  set(t, Label, Ozo::String(""));
  set(t, Count, Ozo::Integer(5));  // a slot before Label's
  set(t, Peer, asObject(a));
  set(t, Flag, Ozo::Boolean(true));
  collection(t, Tags).push_back(Ozo::String("tag"));
  set(t, Limit, Ozo::Real(2.5));
  EXPECT_TRUE(isSet(t, Label));
  EXPECT_EQ(Ozo::Integer(get(t, Count)).value(), 5);
  EXPECT_EQ(get(t, Peer).get(), a.get());
  EXPECT_TRUE(Ozo::Boolean(get(t, Flag)).value());
  EXPECT_EQ(collection(t, Tags).size(), 1u);
  EXPECT_EQ(Ozo::Real(get(t, Limit)).value(), 2.5);
  // Never written: unset, and unsetting it changes nothing.
  EXPECT_FALSE(isSet(t, Part));
  EXPECT_FALSE(isSet(t, Amounts));
  unset(t, Part);
  unset(t, Label);
  set(t, Limit, Ozo::Object());
  unset(t, Count);
  EXPECT_FALSE(isSet(t, Label));
  EXPECT_FALSE(isSet(t, Limit));
  EXPECT_FALSE(isSet(t, Count));
  EXPECT_EQ(Ozo::Integer(get(t, Count)).value(), 0);
  EXPECT_EQ(get(t, Peer).get(), a.get());
}

TEST_F(Reflective, WrongKindsAndClassesAreRefusedAndLeaveTheValueAlone) {
  Ozo::ClassObject const b = thing(m);
  Ozo::ClassObject const other = Ozo::createObject(m, kOtherMethods);
  set(a, Peer, asObject(b));
  EXPECT_EQ(failure([&] { set(a, Peer, asObject(other)); }), typeError("Peer", "a Test.Thing", "Test.Other"));
  EXPECT_EQ(failure([&] { set(a, Peer, Ozo::Integer(1)); }), typeError("Peer", "a Test.Thing", "Ozo.Integer"));
  EXPECT_EQ(get(a, Peer).get(), b.get());
  set(a, Count, Ozo::Integer(4));
  EXPECT_EQ(failure([&] { set(a, Count, Ozo::Real(1)); }), typeError("Count", "an Integer", "Ozo.Real"));
  EXPECT_EQ(failure([&] { set(a, Flag, Ozo::Integer(1)); }), typeError("Flag", "a Boolean", "Ozo.Integer"));
  EXPECT_EQ(failure([&] { set(a, Label, Ozo::Integer(1)); }), typeError("Label", "a String", "Ozo.Integer"));
  EXPECT_EQ(failure([&] { set(a, Limit, asObject(a)); }), typeError("Limit", "a Real", "Test.Thing"));
  EXPECT_EQ(Ozo::Integer(get(a, Count)).value(), 4);
}

TEST_F(Reflective, StructuralMisusesAreErrors) {
  EXPECT_EQ(failure([&] { set(a, Tags, Ozo::String("x")); }),
            "Assertion failed: Property Thing.Tags is multi-valued: edit its sequence instead at "
            "ozo/Ozo/ClassObject:240: ");
  EXPECT_EQ(failure([&] { set(a, Holder, asObject(a)); }),
            "Assertion failed: Property Thing.Holder is read-only at ozo/Ozo/ClassObject:231: ");
  EXPECT_EQ(failure([&] { unset(a, ModelOf); }),
            "Assertion failed: Property Thing.Model is read-only at ozo/Ozo/ClassObject:231: ");
  EXPECT_EQ(failure([&] { get(a, 99); }), "Assertion failed: Test.Thing has no property 99 at ozo/Ozo/ClassObject:212: ");
  EXPECT_EQ(failure([&] { get(a, 0); }), "Assertion failed: Test.Thing has no property 0 at ozo/Ozo/ClassObject:212: ");
  // Thing's accessors on an object of another class.
  Ozo::ClassObject const other = Ozo::createObject(m, kOtherMethods);
  EXPECT_EQ(failure([&] { get(other, Count); }),
            "Assertion failed: Test.Other is not a Test.Thing at ozo/Ozo/ClassObject:210: ");
  EXPECT_EQ(failure([&] { get(Ozo::ClassObject(), Count); }),
            testsupport::kNullRef);
  EXPECT_EQ(failure([&] { Ozo::createObject(m, kAbstractMethods); }),
            "Assertion failed: Cannot create an instance of the abstract class Test.Abstract at ozo/Ozo/Model_h:142: ");
}

TEST_F(Reflective, DerivedPropertiesComputeOnRead) {
  Ozo::ClassObject const b = thing(m);
  EXPECT_EQ(get(a, ModelOf).get(), m.get());
  EXPECT_TRUE(isSet(a, ModelOf));
  EXPECT_FALSE(isSet(b, Holder));
  set(a, Part, asObject(b));
  EXPECT_EQ(get(b, Holder).get(), a.get());
  EXPECT_EQ(b.get()->container(), a.get());
  // The root class's derived properties.
  auto const& root = Ozo::NSInterface::ClassObjectIntf::sIntrospectiveMethods;
  EXPECT_EQ(root.accessors->get(b, 2).get(), m.get());            // ModelOzo
  EXPECT_EQ(root.accessors->get(b, 3).get(), a.get());            // ContainerOzo
  EXPECT_EQ(Ozo::Collection<Ozo::ImmutableObject>(root.accessors->get(a, 4)).size(), 1u);  // ContaineeOzo
  root.accessors->set(a, 6, Ozo::String("id-1"));                 // ExternalId
  EXPECT_EQ(Ozo::String(root.accessors->get(a, 6)).utf8(), "id-1");
}

// ---------------------------------------------------------------------------
class Collections : public ThingTest {};

TEST_F(Collections, ElementsAndTheirOneLiveCollectionPerPropertyDescribeThemselves) {
  EXPECT_STREQ(a.get()->getKovoName(true), "Test.ImmutableThing");
  EXPECT_STREQ(a.get()->getKovoName(false), "Test.Thing");
  EXPECT_EQ(a.get()->getModel({}).get(), m.get());
  EXPECT_EQ(a.get()->toString({}), "Test.Thing");
  EXPECT_EQ(m.get()->elements(), (std::vector<Ozo::NSInterface::ClassObjectIntf*>{a.get()}));
  Ozo::Collection<Ozo::String> const tags(get(a, Tags));
  EXPECT_EQ(get(a, Tags).get(), tags.get());
  EXPECT_STREQ(tags.get()->getKovoName(true), "Ozo.ImmutableSequenceOfString");
  EXPECT_STREQ(tags.get()->getKovoName(false), "Ozo.SequenceOfString");
  EXPECT_STREQ(get(a, Parts).get()->getKovoName(true), "Test.ImmutableSequenceOfImmutableThing");
  EXPECT_STREQ(get(a, Parts).get()->getKovoName(false), "Test.SequenceOfThing");
  EXPECT_EQ(tags.get()->owner(), a.get());
}

TEST_F(Collections, EditsAndBounds) {
  Ozo::Collection<Ozo::Integer> const amounts(get(a, Amounts));
  EXPECT_FALSE(isSet(a, Amounts));
  amounts.push_back(Ozo::Integer(1));
  amounts.push_back(Ozo::Integer(3));
  amounts.insert(1, Ozo::Integer(2));
  amounts.insert(0, Ozo::Integer(0));
  EXPECT_TRUE(isSet(a, Amounts));
  EXPECT_EQ(amounts.values(), (std::vector{Ozo::Integer(0), Ozo::Integer(1), Ozo::Integer(2), Ozo::Integer(3)}));
  amounts.erase(0);
  amounts.replace(2, Ozo::Integer(9));
  EXPECT_EQ(amounts.values(), (std::vector{Ozo::Integer(1), Ozo::Integer(2), Ozo::Integer(9)}));
  EXPECT_EQ(amounts.get()->toString({}), "[1, 2, 9]");

  std::string const bounds =
      "Assertion failed: sequence index out of bounds at ozo/kernel/containers/sequence/list/ListQImplForElements:97: ";
  EXPECT_EQ(failure([&] { amounts.at(3); }), bounds);
  EXPECT_EQ(failure([&] { amounts.erase(3); }), bounds);
  EXPECT_EQ(failure([&] { amounts.insert(5, Ozo::Integer(1)); }), bounds);
  EXPECT_EQ(failure([&] { amounts.replace(3, Ozo::Integer(1)); }), bounds);
  EXPECT_EQ(failure([&] { amounts.get()->insert(0, Ozo::Real(1)); }),
            typeError("Amounts", "an Integer", "Ozo.Real"));
  EXPECT_EQ(failure([&] { amounts.get()->insert(0, Ozo::Object()); }),
            typeError("Amounts", "an Integer", "an empty handle"));
  EXPECT_EQ(amounts.size(), 3u);
  unset(a, Amounts);
  EXPECT_TRUE(amounts.empty());
}

TEST_F(Collections, StringsLiveAsLongAsTheirEntries) {
  Ozo::Collection<Ozo::String> const tags(get(a, Tags));
  std::size_t const before = Ozo::ReferenceCountingIntf::live();
  tags.push_back(Ozo::String("a boxed x"));  // longer than a text kept in its handle
  tags.push_back(Ozo::String("a boxed y"));
  EXPECT_EQ(Ozo::ReferenceCountingIntf::live(), before + 2);
  tags.clear();
  EXPECT_EQ(Ozo::ReferenceCountingIntf::live(), before);
}

// Erasing at the front moves the collection's start; positions, inserts
// before and after the start and the links' releases must not notice, before
// and after the room at the front is given back.
TEST_F(Collections, ErasingAtTheFrontKeepsOrderAndReleasesAtOnce) {
  Ozo::Collection<Ozo::String> const tags(get(a, Tags));
  std::size_t const before = Ozo::ReferenceCountingIntf::live();
  std::vector<std::string> expected;
  for (int i = 0; i < 10; ++i) {
    tags.push_back(Ozo::String("counted " + std::to_string(i)));
    expected.push_back("counted " + std::to_string(i));
  }
  auto const texts = [&] {
    std::vector<std::string> r;
    for (Ozo::String const& s : tags.values()) r.push_back(s.utf8());
    return r;
  };
  for (int round = 0; round < 3; ++round) {
    tags.erase(0);
    expected.erase(expected.begin());
    EXPECT_EQ(Ozo::ReferenceCountingIntf::live(), before + expected.size());
  }
  tags.insert(0, Ozo::String("at the front"));
  expected.insert(expected.begin(), "at the front");
  tags.insert(2, Ozo::String("in the middle"));
  expected.insert(expected.begin() + 2, "in the middle");
  EXPECT_EQ(texts(), expected);
  while (tags.size() > 1) {  // through every give-back of the front room
    tags.erase(0);
    expected.erase(expected.begin());
    ASSERT_EQ(texts(), expected);
    EXPECT_EQ(tags.at(tags.size() - 1).utf8(), expected.back());
  }
  tags.push_back(Ozo::String("the last one"));
  expected.push_back("the last one");
  EXPECT_EQ(texts(), expected);
  EXPECT_EQ(Ozo::ReferenceCountingIntf::live(), before + 2);
  tags.erase(1);
  tags.erase(0);
  EXPECT_TRUE(tags.empty());
  EXPECT_EQ(Ozo::ReferenceCountingIntf::live(), before);
  tags.push_back(Ozo::String("again"));
  EXPECT_EQ(tags.at(0).utf8(), "again");
}

// ---------------------------------------------------------------------------
class Ownership : public ThingTest {};

TEST_F(Ownership, NoElementOwnsItselfOrAnotherModelsElement) {
  Ozo::Model const n = Ozo::Model::create("elsewhere");
  Ozo::ClassObject const b = thing(m), stranger = thing(n);
  set(a, Part, asObject(b));
  EXPECT_EQ(failure([&] { set(b, Part, asObject(a)); }),
            "Assertion failed: Value for Thing.Part would own itself at ozo/Ozo/ClassObject:279: ");
  EXPECT_EQ(failure([&] { collection(a, Parts).push_back(asObject(a)); }),
            "Assertion failed: Value for Thing.Parts would own itself at ozo/Ozo/ClassObject:279: ");
  EXPECT_EQ(failure([&] { set(a, Part, asObject(stranger)); }),
            "Assertion failed: Value for Thing.Part belongs to model \"elsewhere\"; an element can only own "
            "elements of its own model at ozo/Ozo/ClassObject:275: ");
  EXPECT_EQ(get(a, Part).get(), b.get());
  EXPECT_EQ(b.get()->container(), a.get());
}

// ---------------------------------------------------------------------------
class Lifetime : public LiveCountTest {};

TEST_F(Lifetime, ElementsAndCollectionsKeepTheirModelAlive) {
  Ozo::ClassObject a;
  Ozo::Collection<Ozo::String> tags;
  std::string name;
  {
    Ozo::Model const m = Ozo::Model::create();
    name = m.get()->name();
    a = thing(m);
    set(a, Peer, asObject(thing(m)));  // same model: not counted
    tags = Ozo::Collection<Ozo::String>(get(thing(m), Tags));
  }
  ASSERT_TRUE(Ozo::ModelCache::find(name).isValid());
  EXPECT_EQ(a.get()->getModel({}).get()->elements().size(), 3u);
  a = Ozo::ClassObject();
  EXPECT_TRUE(Ozo::ModelCache::find(name).isValid()) << "the collection keeps its owner, and so the model, alive";
  tags.push_back(Ozo::String("kept"));
  EXPECT_EQ(tags.at(0).utf8(), "kept");
  tags = Ozo::Collection<Ozo::String>();
  EXPECT_FALSE(Ozo::ModelCache::find(name).isValid());
}

TEST_F(Lifetime, DyingModelsReleaseWhatTheirElementsHold) {
  std::string other;
  {
    Ozo::Model const m = Ozo::Model::create(), n = Ozo::Model::create();
    other = n.get()->name();
    Ozo::ClassObject const a = thing(m);
    set(a, Peer, asObject(thing(n)));
    set(a, Label, Ozo::String("text"));
    collection(a, Tags).push_back(Ozo::String("tag"));
    collection(a, Parts).push_back(asObject(thing(m)));
    Ozo::DeviantRegistry::getId(a.get(), {}, true);
  }
  EXPECT_FALSE(Ozo::ModelCache::find(other).isValid());
  // LiveCountTest checks that nothing is left.
}

// ---------------------------------------------------------------------------
class ReadOnlyModels : public LiveCountTest {};

TEST_F(ReadOnlyModels, RefuseEveryEditAndChangeNothing) {
  Ozo::Model const m = Ozo::Model::create("frozen");
  Ozo::ClassObject const a = thing(m), b = thing(m);
  set(a, Count, Ozo::Integer(1));
  collection(a, Tags).get()->insert(0, Ozo::String("t"));
  m.get()->setReadOnly(true);
  std::string const error = "Assertion failed: Model \"frozen\" is read-only at ozo/Ozo/DeviantAssertions_h:57: ";
  EXPECT_EQ(failure([&] { set(a, Count, Ozo::Integer(2)); }), error);
  EXPECT_EQ(failure([&] { unset(a, Count); }), error);
  EXPECT_EQ(failure([&] { set(a, Part, asObject(b)); }), error);
  EXPECT_EQ(failure([&] { collection(a, Tags).push_back(Ozo::String("u")); }), error);
  EXPECT_EQ(failure([&] { collection(a, Tags).erase(0); }), error);
  EXPECT_EQ(failure([&] { collection(a, Tags).clear(); }), error);
  EXPECT_EQ(failure([&] { thing(m); }), error);
  EXPECT_EQ(Ozo::Integer(get(a, Count)).value(), 1);
  EXPECT_EQ(collection(a, Tags).size(), 1u);
  EXPECT_EQ(m.get()->elements().size(), 2u);
  EXPECT_EQ(b.get()->container(), nullptr);

  // With the checks switched off, writes pass.
  bool const previous = Ozo::DeviantAssertions::enableAssertions(false);
  EXPECT_TRUE(previous);
  set(a, Count, Ozo::Integer(3));
  EXPECT_TRUE(Ozo::DeviantAssertions::assertWritable(a.get()));
  Ozo::DeviantAssertions::enableAssertions(previous);
  EXPECT_EQ(Ozo::Integer(get(a, Count)).value(), 3);
  m.get()->setReadOnly(false);
  set(a, Count, Ozo::Integer(4));
}

}  // namespace
