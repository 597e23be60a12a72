// SwRecordLayout and SharedAxisType through their own headers: the cyclic
// group (SwRecordLayout <-> SharedAxisType <-> Axis) entered from a header
// other than Axis's, the element-taking creation operation, and a long
// chain of models.
#include <types/SwRecordLayout.hpp>

#include "platform/ozo/TestClasses.hpp"

#include <types/Types.hpp>

#include <string>

namespace {

namespace types = Zorvan::metamodel::types;
using ozotest::failure;

class RecordLayout : public ozotest::LiveCountTest {
 protected:
  Ozo::Model const m = Ozo::Model::create();
};

TEST_F(RecordLayout, SharedAxisTypeFromLayoutAxisAndName) {
  types::SwRecordLayout const layout = types::SwRecordLayout::create(m);
  types::Axis const axis = types::Axis::create(m, Ozo::Integer(1), Ozo::String("x"));
  types::SharedAxisType const s = types::SharedAxisType::create(m, layout, axis, Ozo::String("shared"));
  EXPECT_EQ(s.getSwRecordLayout().get(), layout.get());
  EXPECT_EQ(s.getAxis().get(), axis.get());
  EXPECT_EQ(s.getName().utf8(), "shared");
  EXPECT_EQ(m.get()->elements().size(), 3u);

  // Empty handles leave the required elements unset, as their setters do.
  types::SharedAxisType const bare = types::SharedAxisType::create(m, {}, {}, Ozo::String("bare"));
  EXPECT_FALSE(bare.getSwRecordLayout().isValid());
  EXPECT_FALSE(bare.getAxis().isValid());

  m.get()->setReadOnly(true);
  EXPECT_EQ(failure([&] { types::SharedAxisType::create(m, layout, axis, Ozo::String("late")); }),
            "Assertion failed: Model \"" + m.get()->name() + "\" is read-only at ozo/Ozo/DeviantAssertions_h:57: ");
  EXPECT_EQ(m.get()->elements().size(), 4u);
}

TEST_F(RecordLayout, PropertiesByIndexKeepTheirOwnTable) {
  // Each accessor reads its own class's table even when a subclass's handle
  // stacks several tables: a wrong index or interface reads another slot.
  types::SwRecordLayout const layout = types::SwRecordLayout::create(m);
  types::SharedAxisType const s = types::SharedAxisType::create(m);
  s.setSwRecordLayout(layout);
  s.setQualifier(Ozo::String("q"));
  s.setIsConst(Ozo::Boolean(true));
  s.setDisplayFormat(Ozo::String("%f"));  // ValueType's own property 3
  EXPECT_EQ(s.getQualifier().utf8(), "q");
  EXPECT_TRUE(s.getIsConst()->value());
  EXPECT_FALSE(s.getIsVolatile().has_value());
  EXPECT_EQ(s.getDisplayFormat().utf8(), "%f");
  EXPECT_EQ(s.getSwRecordLayout().get(), layout.get());

  layout.getSharedAxisType().push_back(s);
  ASSERT_EQ(layout.getSharedAxisType().size(), 1u);
  EXPECT_EQ(layout.getSharedAxisType().at(0).getQualifier().utf8(), "q");
  EXPECT_TRUE(layout.getLookupTableType().empty());
  EXPECT_FALSE(layout.getSwRecordLayoutGroup().isValid());
  layout.setName(Ozo::String("layout"));  // NamedElement, through PackageableElement
  EXPECT_EQ(layout.getName().utf8(), "layout");
}

// ---------------------------------------------------------------------------
class ModelChain : public ozotest::LiveCountTest {};

// Freeing the head must not recurse along the chain: when every reference
// kept the next model alive, each link nested one more release in the
// destructor of the one before, and the stack overflowed long before the end.
TEST_F(ModelChain, FreeingALongChainTakesConstantStack) {
  constexpr std::size_t kLinks = 100'000;
  std::size_t const models = Ozo::ModelCache::names().size();
  types::Integer head;
  for (std::size_t k = 0; k < kLinks; ++k) {
    types::Integer const next = types::Integer::create(Ozo::Model::create());
    if (head.isValid()) next.setReference(head);
    head = next;
  }
  // References into other models are weak: only the held model stays, and
  // its reference reads empty.
  EXPECT_EQ(Ozo::ModelCache::names().size(), models + 1);
  EXPECT_FALSE(head.getReference().isValid());
  head = types::Integer();
  EXPECT_EQ(Ozo::ModelCache::names().size(), models);
}

}  // namespace
