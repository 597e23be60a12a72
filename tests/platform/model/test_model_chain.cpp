// A long chain of models: an Integer in each model refers to the Integer of
// the model made before it, and only the newest is held.
#include <types/Integer.hpp>

#include "platform/ozo/TestClasses.hpp"

namespace {

namespace types = Zorvan::metamodel::types;

class ModelChain : public ozotest::LiveCountTest {};

// Freeing the head must not recurse along the chain: when every reference
// kept the next model alive, each link nested one more release in the
// destructor of the one before, and the stack overflowed long before the end.
TEST_F(ModelChain, FreeingALongChainTakesConstantStack) {
  constexpr std::size_t kLinks = 100'000;
  std::size_t const models = Ozo::ModelCache::names().size();
  {  // While its model lives, a reference into it reads its target.
    types::Integer const target = types::Integer::create(Ozo::Model::create());
    types::Integer const reader = types::Integer::create(Ozo::Model::create());
    reader.setReference(target);
    EXPECT_EQ(reader.getReference().get(), target.get());
  }
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
