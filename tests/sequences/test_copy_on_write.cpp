// The copy-on-write container behind the vector list: shared empty data,
// detach before write, positions carried across a detach.
#include "sequences/CopyOnWrite.hpp"
#include "sequences/Lists.hpp"

#include <types/Types.hpp>

#include <gtest/gtest.h>

#include <vector>

#include "support/AllocationProbe.hpp"

namespace {

using testsupport::allocationsOf;
using C = std::vector<int>;
using Wrapper = Performance::COWWrapperContainerSequential<C>;
using Data = Performance::COWWrapperTypedData<C>;

int sharedNullCount() { return Data::getSharedNull()->count.load(); }

TEST(CopyOnWrite, ANewWrapperSharesTheEmptyBlockUntilItsFirstWrite) {
  int const before = sharedNullCount();
  {
    Wrapper w;
    EXPECT_TRUE(w.onSharedNull());
    EXPECT_EQ(w.size(), 0u);
    EXPECT_EQ(sharedNullCount(), before + 1);
    auto const a = allocationsOf([&] { Wrapper other; });
    EXPECT_EQ(a.count, 0u) << "an empty wrapper allocated";
    w.detach();
    EXPECT_FALSE(w.onSharedNull());
    EXPECT_TRUE(w.isPrivate());
    EXPECT_EQ(sharedNullCount(), before) << "detach did not give its share of the empty block back";
    auto const again = allocationsOf([&] { w.detach(); });
    EXPECT_EQ(again.count, 0u) << "detach of a private block allocated";
  }
  EXPECT_EQ(sharedNullCount(), before);
  EXPECT_GE(sharedNullCount(), 1) << "the shared empty block must never be freed";
}

TEST(CopyOnWrite, TokensOpenThePrivateDataAndCountThemselves) {
  Wrapper w;
  {
    Performance::COWDataAccessToken<C> token;
    C& data = w.publicDataRef(token);
    EXPECT_TRUE(w.isPrivate());
    EXPECT_EQ(w.tokens(), 1);
    data.push_back(4);
    w.publicDataRef(token);
    EXPECT_EQ(w.tokens(), 1) << "the same token counted twice";
    token.giveBack();
    EXPECT_EQ(w.tokens(), 0);
    w.publicDataRef(token);
  }
  EXPECT_EQ(w.tokens(), 0);
  EXPECT_EQ(w.data(), C{4});
}

TEST(CopyOnWrite, PositionsOfTheSharedBlockApplyToTheCopy) {
  Wrapper w;
  for (int v : {1, 2, 3}) w.insert(w.data().end(), v);
  Wrapper shared(w);
  EXPECT_EQ(&shared.data(), &w.data());
  auto const at = shared.insert(shared.data().begin(), 0);
  EXPECT_EQ(*at, 0);
  EXPECT_EQ(shared.data(), (C{0, 1, 2, 3}));
  EXPECT_EQ(w.data(), (C{1, 2, 3})) << "a write reached the other wrapper";
  Wrapper again(w);
  auto const next = again.erase(again.data().end() - 1);
  EXPECT_EQ(next, again.data().end());
  EXPECT_EQ(again.data(), (C{1, 2}));
  EXPECT_EQ(w.data(), (C{1, 2, 3}));
}

TEST(CopyOnWrite, TheVectorListReadsWithoutCopyingAndCursorsDetach) {
  using E = Zorvan::metamodel::types::TimeUnitKind;
  Ozo::ListQImpl<E> list;
  EXPECT_TRUE(list.storage().data().onSharedNull());
  auto const reads = allocationsOf([&] {
    (void)list.generic_size({});
    (void)list.generic_empty({});
  });
  EXPECT_EQ(reads.count, 0u);
  EXPECT_TRUE(list.storage().data().onSharedNull());
  list.generic_push_back({}, Ozo::Generic::makeRef(E(E::Value{2})));
  EXPECT_FALSE(list.storage().data().onSharedNull());
  EXPECT_EQ(list.generic_size({}), 1);
}

}  // namespace
