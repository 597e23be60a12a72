#include <Ozo/Base.hpp>
#include <Ozo/Except.hpp>
#include <Ozo/Meta.hpp>

#include <kovo/Core.hpp>
#include <kovo/Runtime.hpp>

#include <cstring>
#include <mutex>
#include <sstream>
#include <typeindex>
#include <unordered_map>

namespace Ozo {

// ---------------------------------------------------------------------------
// Tags and casters. Shared by every library of the process; tag pairs are
// looked up from several threads' first uses, so the tables are locked.
namespace CooperativeVisitor::internal {
namespace {

struct TagTables {
  std::mutex mutex;
  std::unordered_map<std::type_index, std::unordered_map<std::type_index, Tag>> tags;
  std::unordered_map<std::uint64_t, Caster> casters;
};

// Never destroyed: objects may be cast while other statics go away.
TagTables& tables() {
  static auto* t = new TagTables;
  return *t;
}

std::uint64_t key(ClassInfo const& ci) { return (std::uint64_t{ci.domain} << 32) | ci.type; }

}  // namespace

Tag GetTag(std::type_info const& domain, std::type_info const& type) {
  TagTables& t = tables();
  std::lock_guard lock(t.mutex);
  auto& inDomain = t.tags[std::type_index(domain)];
  Tag const next = static_cast<Tag>(inDomain.size() + 1);
  return inDomain.try_emplace(std::type_index(type), next).first->second;
}

void registerCaster(ClassInfo const& tags, Caster caster) {
  TagTables& t = tables();
  std::lock_guard lock(t.mutex);
  t.casters.try_emplace(key(tags), caster);
}

Caster findCaster(ClassInfo const& tags) {
  TagTables& t = tables();
  std::lock_guard lock(t.mutex);
  auto const it = t.casters.find(key(tags));
  return it == t.casters.end() ? nullptr : it->second;
}

}  // namespace CooperativeVisitor::internal

// ---------------------------------------------------------------------------
namespace {
std::atomic<std::size_t> sLive{0};

// Tests and hosts prove that everything is released through this counter.
struct PublishLiveCount {
  PublishLiveCount() {
    kovo::Runtime::registerCounter("model objects", [] { return ReferenceCountingIntf::live(); });
  }
} const sPublishLiveCount;
}  // namespace

ReferenceCountingIntf::ReferenceCountingIntf() { sLive.fetch_add(1, std::memory_order_relaxed); }

void ReferenceCountingIntf::makeImmortal() {
  if (!fCounted) return;
  fCounted = false;
  sLive.fetch_sub(1, std::memory_order_relaxed);
}

ReferenceCountingIntf::~ReferenceCountingIntf() {
  if (fCounted) sLive.fetch_sub(1, std::memory_order_relaxed);
  if (fRegistered) DeviantRegistry::retract(this);
}

void* ReferenceCountingIntf::cast(CooperativeVisitor::internal::ClassInfo const& tags) {
  CooperativeVisitor::internal::Caster const caster =
      tags.caster ? tags.caster : CooperativeVisitor::internal::findCaster(tags);
  return caster ? caster(this) : nullptr;
}

std::size_t ReferenceCountingIntf::live() { return sLive.load(std::memory_order_relaxed); }

// ---------------------------------------------------------------------------
char Asserter::fLogBuf[0x1001] = {};

void Asserter::format(char const* format, std::va_list args) {
  if (zkVSNprintf(fLogBuf, sizeof fLogBuf, format, args) < 0) std::memset(fLogBuf, 0, sizeof fLogBuf);
}

std::string composeAssertion(char const* message, char const* file, int line, char const* function) {
  std::ostringstream text;
  text << "Assertion failed: " << message << " at " << file << ":" << line << ": " << function;
  return text.str();
}

void throwOutOfMemory() { throw boost::enable_current_exception(foundation::core::except::detail::bad_alloc_impl()); }

}  // namespace Ozo

namespace foundation::core::except {

char const* detail::bad_alloc_impl::internal::what() noexcept { return "Out of memory."; }

void bad_alloc(void* block) { new (block) bad_alloc_exception(detail::bad_alloc_impl()); }

}  // namespace foundation::core::except
