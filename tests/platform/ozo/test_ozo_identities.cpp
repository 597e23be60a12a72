// Host identities, interface casts and meta objects.
#include "platform/ozo/TestClasses.hpp"

#include <Ozo/Meta.hpp>

#include <set>
#include <vector>

namespace {

using namespace ozotest;
using Ozo::DeviantRegistry;

class Identities : public ThingTest {};

TEST_F(Identities, OneIdPerObjectDeviantAndViewAndNoneForUnknownPointers) {
  Ozo::ClassObject const b = thing(m);
  void* const aImm = DeviantRegistry::getId(a.get(), {}, true);
  void* const aMod = DeviantRegistry::getId(a.get(), {}, false);
  EXPECT_EQ(DeviantRegistry::getId(a.get(), {}, true), aImm);
  EXPECT_NE(aImm, aMod);
  EXPECT_NE(DeviantRegistry::getId(a.get(), Ozo::Deviant{7}, true), aImm);
  EXPECT_NE(DeviantRegistry::getId(b.get(), {}, true), aImm);
  EXPECT_EQ(DeviantRegistry::getId(nullptr, {}, true), nullptr);
  int local = 0;  // unknown pointers are not ids
  EXPECT_EQ(DeviantRegistry::getVariantInfo(&local), nullptr);
  EXPECT_EQ(DeviantRegistry::getVariantInfo(nullptr), nullptr);
  EXPECT_FALSE(DeviantRegistry::isImmutable(&local));
  // Ids are checked by the places that hold identities: a pointer into the
  // middle of one, or just past it, is no id.
  EXPECT_EQ(DeviantRegistry::getVariantInfo(static_cast<char*>(aMod) + 8), nullptr);
  EXPECT_EQ(DeviantRegistry::getVariantInfo(static_cast<char*>(aMod) - 8), nullptr);

  Ozo::VariantInfo const* const info = DeviantRegistry::getVariantInfo(aMod);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->object, static_cast<Ozo::ReferenceCountingIntf*>(a.get()));
  EXPECT_FALSE(info->immutable);
  EXPECT_TRUE(DeviantRegistry::isImmutable(aImm));
  EXPECT_FALSE(DeviantRegistry::isImmutable(aMod));
}

TEST_F(Identities, IdsDieWithTheirObject) {
  std::size_t const before = DeviantRegistry::size();
  void* id = nullptr;
  void* other = nullptr;  // under a deviant of its own: retracted all the same
  {
    // Texts long enough to be counted objects of their own.
    Ozo::Object const text = Ozo::String("boxed text");
    Ozo::Object const kept = Ozo::String("kept text");
    id = DeviantRegistry::getId(text.get(), {}, true);
    DeviantRegistry::getId(text.get(), {}, false);
    other = DeviantRegistry::getId(text.get(), Ozo::Deviant{7}, true);
    {
      Ozo::Object const gone = Ozo::String("gone text");
      DeviantRegistry::getId(gone.get(), Ozo::Deviant{7}, false);
    }
    void* const keptId = DeviantRegistry::getId(kept.get(), Ozo::Deviant{7}, true);
    EXPECT_EQ(DeviantRegistry::size(), before + 4);
    EXPECT_EQ(DeviantRegistry::getVariantInfo(keptId)->object, static_cast<Ozo::ReferenceCountingIntf*>(kept.get()));
  }
  EXPECT_EQ(DeviantRegistry::getVariantInfo(id), nullptr);
  EXPECT_EQ(DeviantRegistry::getVariantInfo(other), nullptr);
  EXPECT_EQ(DeviantRegistry::size(), before);
}

// An element keeps its own identities; the table of ids must forget exactly
// the retracted ones, whichever the order, and the element starts afresh.
TEST_F(Identities, RetractedIdsAreForgottenAndOthersStayFound) {
  std::size_t const before = DeviantRegistry::size();
  std::vector<Ozo::ClassObject> things;
  std::vector<void*> ids;
  for (int i = 0; i < 1000; ++i) {
    things.push_back(thing(m));
    ids.push_back(DeviantRegistry::getId(things.back().get(), {}, i % 2 == 0));
  }
  EXPECT_EQ(DeviantRegistry::size(), before + 1000);
  for (std::size_t i = 0; i < things.size(); i += 3) DeviantRegistry::retract(things[i].get());
  std::size_t kept = 0;
  for (std::size_t i = 0; i < things.size(); ++i) {
    if (i % 3 == 0) continue;
    ++kept;
    Ozo::VariantInfo const* const info = DeviantRegistry::getVariantInfo(ids[i]);
    ASSERT_NE(info, nullptr) << i;
    EXPECT_EQ(info->object, static_cast<Ozo::ReferenceCountingIntf*>(things[i].get()));
    EXPECT_EQ(DeviantRegistry::getId(things[i].get(), {}, i % 2 == 0), ids[i]);
  }
  EXPECT_EQ(DeviantRegistry::size(), before + kept);
  // A retracted element is given a new identity that is found again.
  void* const again = DeviantRegistry::getId(things[0].get(), {}, false);
  EXPECT_EQ(DeviantRegistry::size(), before + kept + 1);
  ASSERT_NE(DeviantRegistry::getVariantInfo(again), nullptr);
  EXPECT_EQ(DeviantRegistry::getVariantInfo(again)->object, static_cast<Ozo::ReferenceCountingIntf*>(things[0].get()));
  EXPECT_EQ(DeviantRegistry::getId(things[0].get(), {}, false), again);
  for (Ozo::ClassObject const& t : things) DeviantRegistry::retract(t.get());
  EXPECT_EQ(DeviantRegistry::size(), before);
}

TEST_F(Identities, VariantInfoReleasesTheBindingsReference) {
  a.get()->addRef();  // the reference a binding would hold
  EXPECT_EQ(a.get()->numRef(), 2);
  DeviantRegistry::getVariantInfo(DeviantRegistry::getId(a.get(), {}, false))->release();
  EXPECT_EQ(a.get()->numRef(), 1);
}

// A cast remembers the last offset per dynamic type: objects of different
// classes cast in turn must each get their own answer.
TEST_F(Identities, CastsOfDifferentClassesInTurnEachFindTheirOwnInterface) {
  Ozo::Object const text = Ozo::String("boxed");
  Ozo::ReferenceCountingIntf* const objects[] = {a.get(), text.get(), m.get(), a.get(), text.get(), a.get()};
  Ozo::NSInterface::ObjectIntf* const expected[] = {a.get(), text.get(), nullptr, a.get(), text.get(), a.get()};
  for (std::size_t i = 0; i < std::size(objects); ++i) {
    Ozo::ReferenceCountingIntf* const o = objects[i];
    EXPECT_EQ((o->castTo<Ozo::VisitationDomain, Ozo::NSInterface::ObjectIntf>()),
              expected[i] ? expected[i] : dynamic_cast<Ozo::NSInterface::ObjectIntf*>(o))
        << i;
  }
}

TEST_F(Identities, CastsFollowTheCasterRegistry) {
  using namespace Ozo::CooperativeVisitor::internal;
  Ozo::ReferenceCountingIntf* const rc = a.get();
  EXPECT_EQ((rc->castTo<Ozo::VisitationDomain, Ozo::NSInterface::ClassObjectIntf>()), a.get());
  EXPECT_EQ((rc->castTo<Ozo::VisitationDomain, Ozo::NSInterface::ModelIntf>()), nullptr);
  Ozo::ReferenceCountingIntf* const model = m.get();
  EXPECT_EQ((model->castTo<Ozo::VisitationDomain, Ozo::NSInterface::ModelIntf>()), m.get());
  // A tag no caster was registered for.
  ClassInfo const& objectTags = Ozo::tagsOf<Ozo::VisitationDomain, Ozo::NSInterface::ObjectIntf>();
  EXPECT_EQ(rc->cast(ClassInfo{objectTags.domain, 0xFFFFFFu}), nullptr);
}

TEST_F(Identities, MetaClassesDescribeTheirDefinitions) {
  Ozo::NSInterface::ClassIntf* const cls = Ozo::metaClassOf(kThing);
  EXPECT_EQ(Ozo::metaClassOf(kThing), cls);
  EXPECT_EQ(cls->qualifiedName(), "Test.Thing");
  ASSERT_EQ(cls->ownProperties().size(), std::size(kThingProperties));
  EXPECT_EQ(cls->ownProperties()[Peer - 1]->def().name, std::string("Peer"));
  EXPECT_EQ(cls->ownProperties()[Peer - 1]->id(), Peer);
  EXPECT_EQ(cls->ownProperties()[Peer - 1]->owner(), cls);
  EXPECT_EQ(kThingMethods.table()[Tags - 1].property, cls->ownProperties()[Tags - 1]);

  Ozo::ImmutableClass const root = Ozo::ImmutableClassObject::MetaClass();
  EXPECT_EQ(cls->superclass(), root.cls());
  EXPECT_TRUE(cls->conformsTo(root.cls()));
  EXPECT_FALSE(root.cls()->conformsTo(cls));

  Ozo::ImmutablePackage const pkg = Ozo::metaPackage("Test");
  EXPECT_EQ(pkg.package()->name(), "Test");
  auto const classes = pkg.package()->classes();
  EXPECT_NE(std::find(classes.begin(), classes.end(), cls), classes.end());

  // Meta types of the runtime's own objects.
  EXPECT_EQ(a.get()->getMetaType({}).get(), cls);
  EXPECT_EQ(m.get()->getMetaType({}).type()->qualifiedName(), "Ozo.Model");
  EXPECT_EQ(Ozo::ImmutableObject(root).getMetaType().type()->name(), "Class");
  EXPECT_EQ(Ozo::primitiveDataType("Real").type()->qualifiedName(), "Ozo.Real");
  EXPECT_FALSE(Ozo::primitiveDataType("Complex").isValid());
}

TEST_F(Identities, ModelsByName) {
  Ozo::Model const b = Ozo::Model::create("named");
  EXPECT_EQ(m.get()->name().rfind("untitled", 0), 0u);
  EXPECT_NE(m.get()->name(), Ozo::Model::create().get()->name());
  EXPECT_EQ(Ozo::ModelCache::find("named").get(), b.get());
  EXPECT_EQ(failure([] { Ozo::Model::create("named"); }),
            "Assertion failed: A model named \"named\" already exists at ozo/Ozo/Model_h:131: ");
  Ozo::ImmutableObject const asObject = b;
  EXPECT_EQ(Ozo::Model::cast(asObject).get(), b.get());
  EXPECT_FALSE(Ozo::Model::cast(Ozo::Object(Ozo::Integer(1))).isValid());
}

// Identities come from slabs that go back to the heap once empty: survivors
// of a slab that empties around them, and identities made afterwards in
// reused places, must all stay distinct and lead to their own objects.
TEST_F(Identities, IdentitiesStayDistinctAcrossSlabsThatEmptyAndRefill) {
  std::size_t const before = DeviantRegistry::size();
  constexpr std::size_t kCount = 5000;  // several slabs
  std::vector<Ozo::ClassObject> things;
  std::vector<void*> ids;
  auto make = [&] {
    things.push_back(thing(m));
    ids.push_back(DeviantRegistry::getId(things.back().get(), {}, false));
  };
  for (std::size_t i = 0; i < kCount; ++i) make();
  // The first half goes whole (its slabs empty), then every third survivor.
  for (std::size_t i = 0; i < kCount; ++i)
    if (i < kCount / 2 || i % 3 == 0) DeviantRegistry::retract(things[i].get());
  for (std::size_t i = 0; i < kCount; ++i) make();
  std::set<void*> distinct;
  std::size_t alive = 0;
  for (std::size_t i = 0; i < things.size(); ++i) {
    if (i < kCount && (i < kCount / 2 || i % 3 == 0)) continue;
    ++alive;
    distinct.insert(ids[i]);
    Ozo::VariantInfo const* const info = DeviantRegistry::getVariantInfo(ids[i]);
    ASSERT_NE(info, nullptr) << i;
    EXPECT_EQ(info->object, static_cast<Ozo::ReferenceCountingIntf*>(things[i].get())) << i;
  }
  EXPECT_EQ(distinct.size(), alive);
  EXPECT_EQ(DeviantRegistry::size(), before + alive);
  for (Ozo::ClassObject const& t : things) DeviantRegistry::retract(t.get());
  EXPECT_EQ(DeviantRegistry::size(), before);
}

}  // namespace
