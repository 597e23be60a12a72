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

// The same chain with every model held: nothing goes before its holder lets
// go, and the models may then go in any order.
TEST_F(ModelChain, HeldChainsReadThroughAndFreeInAnyOrder) {
  constexpr std::size_t kLinks = 1'000;
  std::vector<types::Integer> chain;
  for (std::size_t k = 0; k < kLinks; ++k) {
    chain.push_back(types::Integer::create(Ozo::Model::create()));
    if (k > 0) chain[k].setReference(chain[k - 1]);
  }
  EXPECT_EQ(chain.back().getReference().get(), chain[kLinks - 2].get());
  chain.erase(chain.begin() + kLinks / 2);  // breaks one link in the middle
  EXPECT_FALSE(chain[kLinks / 2].getReference().isValid());
  EXPECT_EQ(chain[kLinks / 2 + 1].getReference().get(), chain[kLinks / 2].get());
  while (!chain.empty()) chain.erase(chain.begin());
}

}  // namespace
