// Several threads on the host at once, each with its own session. Host
// objects also change threads: some are dropped by a thread other than the
// one that made them, so the last release races with lookups elsewhere.
#include <gtest/gtest.h>

#include <quillon/host.hpp>

#include <atomic>
#include <chrono>
#include <mutex>
#include <utility>
#include <string>
#include <thread>
#include <vector>

namespace quillon {
namespace {

constexpr char kAxis[] = "Zorvan.metamodel.types.Axis";

// Values handed from one thread to another, dropped by the receiver.
class Mailbox {
 public:
  void put(Value v) {
    std::lock_guard lock(fMutex);
    fValues.push_back(std::move(v));
  }
  std::vector<Value> takeAll() {
    std::lock_guard lock(fMutex);
    return std::exchange(fValues, {});
  }

 private:
  std::mutex fMutex;
  std::vector<Value> fValues;
};

TEST(HostThreads, SessionsOnSeveralThreadsStayConsistent) {
  constexpr int kThreads = 4;
  constexpr int kRounds = 60;
  // Bounds the run time on slow (instrumented) builds; every thread still
  // does at least a few rounds.
  auto const deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);

  std::vector<std::size_t> before;
  {
    Host host;
    host.load("mm_types_xb");
    before = {host.counter("host objects"), host.counter("bindings"), host.counter("model objects")};
  }

  Mailbox mailbox;
  std::atomic<int> failures{0};
  std::atomic<int> rounds{0};
  std::vector<std::string> firstFailure(kThreads);
  auto work = [&](int id) {
    try {
      Host host;
      host.load("mm_types_xb");
      for (int r = 0; r < kRounds && (r < 3 || std::chrono::steady_clock::now() < deadline); ++r) {
        Value m = host.construct("Ozo.Model", {});
        Value ax = host.construct(kAxis, {m, r % 7, "axis" + std::to_string(id)});
        if (host.get(ax, "Dimensions").toInt32() != r % 7) throw Error("Dimensions read back wrong");
        host.set(ax, "Dimensions", id * 100 + r);
        host.set(ax, "Name", "n" + std::to_string(r));
        if (host.get(ax, "Dimensions").toInt32() != id * 100 + r) throw Error("write lost");
        if (host.get(ax, "Name").toString() != "n" + std::to_string(r)) throw Error("Name lost");
        if (!host.invoke(ax, "getMetaType", {}).isObject()) throw Error("no meta type");
        if (host.classOf(host.call("Zorvan.metamodel.types.ImmutableAxis", "cast", {ax})) !=
            "Zorvan.metamodel.types.ImmutableAxis")
          throw Error("cast gave the wrong class");
        if (!host.hasClass(kAxis) || host.hasClass("No.Such.Class" + std::to_string(r)))
          throw Error("class lookup wrong");
        // Every other axis is destroyed here, the rest dropped by another thread.
        if (r % 2) host.destroy(ax);
        else mailbox.put(ax);
        mailbox.takeAll();
        ++rounds;
      }
    } catch (std::exception const& e) {
      ++failures;
      firstFailure[static_cast<std::size_t>(id)] = e.what();
    }
  };
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) threads.emplace_back(work, t);
  for (auto& t : threads) t.join();
  mailbox.takeAll();

  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(firstFailure[static_cast<std::size_t>(t)], "") << "thread " << t;
  EXPECT_EQ(failures.load(), 0);
  EXPECT_GE(rounds.load(), kThreads * 3);
  Host host;
  EXPECT_EQ((std::vector<std::size_t>{host.counter("host objects"), host.counter("bindings"),
                                      host.counter("model objects")}),
            before);
}

}  // namespace
}  // namespace quillon
