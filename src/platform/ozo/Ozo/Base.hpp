// Foundations of the metamodel runtime: deviants, interface tags and casts,
// reference counting, the runtime's exception and the assertion facility.
#pragma once

#include <atomic>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <typeinfo>

// Glue that each library instantiates for itself (casters, accessor tables,
// the element implementation classes): hidden, so a library's references to
// it are bound when the library is linked and the loader looks none of it
// up. A copy in another library (a test program) is harmless: none of it
// keeps an identity of its own (cast tags come from the runtime's one table).
#define OZO_LIBRARY_LOCAL __attribute__((visibility("hidden")))

namespace Ozo {

// An opaque token that travels with every handle. The runtime hands it back
// to the object on every operation; it takes part in host identities.
struct Deviant {
  std::uint64_t word = 0;
  friend bool operator==(Deviant a, Deviant b) { return a.word == b.word; }
};

class ReferenceCountingIntf;

// ---------------------------------------------------------------------------
// Interface tags. A tag numbers a type within a visitation domain; a pair of
// tags (the domain in the base domain, the interface in the domain) names an
// interface, and an object's cast answers it or null.
struct BaseDomain {};
struct VisitationDomain {};  // the runtime's own interfaces

namespace CooperativeVisitor::internal {
using Tag = std::uint32_t;
Tag GetTag(std::type_info const& domain, std::type_info const& type);
using Caster = void* (*)(ReferenceCountingIntf*);
struct ClassInfo {
  Tag domain = 0;
  Tag type = 0;
  // The caster registered for these tags, kept by tagsOf so that a cast needs
  // no table lookup; null in a ClassInfo made by hand.
  Caster caster = nullptr;
};
// Teaches the runtime how to reach an interface from any object.
void registerCaster(ClassInfo const& tags, Caster caster);
Caster findCaster(ClassInfo const& tags);
}  // namespace CooperativeVisitor::internal

// dynamic_cast<Intf*>(o), remembering the last answer per thread: for one
// dynamic type and one starting subobject the answer is always the same
// offset (or none), and a cross cast walks the whole class hierarchy.
// (Base is ReferenceCountingIntf, named late: the class is complete by the
// time a cast is instantiated.)
template <class Intf, class Base = ReferenceCountingIntf>
OZO_LIBRARY_LOCAL void* rememberedCast(Base* o) {
  struct Last {
    std::type_info const* type = nullptr;
    std::ptrdiff_t from = 0, to = 0;
    bool found = false;
  };
  thread_local Last last;
  char* const whole = static_cast<char*>(dynamic_cast<void*>(o));
  std::type_info const* const type = &typeid(*o);
  std::ptrdiff_t const from = reinterpret_cast<char*>(o) - whole;
  if (type == last.type && from == last.from) return last.found ? whole + last.to : nullptr;
  Intf* const p = dynamic_cast<Intf*>(o);
  last = {type, from, p ? reinterpret_cast<char*>(p) - whole : 0, p != nullptr};
  return p;
}

// The tag pair of interface Intf in domain Domain, computed once per process.
template <class Domain, class Intf>
OZO_LIBRARY_LOCAL CooperativeVisitor::internal::ClassInfo const& tagsOf() {
  using namespace CooperativeVisitor::internal;
  static ClassInfo const info = [] {
    ClassInfo ci{GetTag(typeid(BaseDomain), typeid(Domain)), GetTag(typeid(Domain), typeid(Intf))};
    registerCaster(ci, &rememberedCast<Intf>);
    // The first caster registered for the tags (from whichever library) is
    // the one every library uses.
    ci.caster = findCaster(ci);
    return ci;
  }();
  return info;
}

// ---------------------------------------------------------------------------
class ReferenceCountingIntf {
 public:
  ReferenceCountingIntf();
  ReferenceCountingIntf(ReferenceCountingIntf const&) = delete;
  ReferenceCountingIntf& operator=(ReferenceCountingIntf const&) = delete;
  virtual ~ReferenceCountingIntf();

  virtual void addRef() = 0;
  virtual void release() = 0;
  virtual int numRef() const { return fUseCount; }
  virtual void* getListOfReferences() const { return nullptr; }
  virtual void* getVisitMethod() const { return nullptr; }
  // The object as the interface named by `tags`, or null.
  virtual void* cast(CooperativeVisitor::internal::ClassInfo const& tags);

  template <class Domain, class Intf>
  Intf* castTo() {
    return static_cast<Intf*>(cast(tagsOf<Domain, Intf>()));
  }

  // Live counted objects in the process (immortal objects are not counted).
  static std::size_t live();

  bool fRegistered = false;  // has identities in the deviant registry

 private:
  bool fCounted = true;  // beside fRegistered: the two flags share a word with the count

 public:
  int fUseCount = 0;
  // The deviant registry's identities of this object under the null deviant
  // (one per view at most), so that finding one is no table lookup.
  void* fIdentities = nullptr;

 protected:
  // For objects with static storage: no longer counted as live; such an
  // object's release never destroys it. Called from the object's constructor.
  void makeImmortal();
};

// Plain counting for runtime objects of interface Intf: delete on the last
// release. Every object has one counting base, reached through its
// interface: no virtual inheritance (and no construction vtables to relocate
// when the libraries load).
template <class Intf>
class Counted : public Intf {
 public:
  void addRef() override { ++this->fUseCount; }
  void release() override {
    if (--this->fUseCount == 0) delete this;
  }
};

// Objects of interface Intf with static lifetime: never counted as live,
// never destroyed by release.
template <class Intf>
class Immortal : public Intf {
 public:
  Immortal() { this->makeImmortal(); }
  void addRef() override {}
  void release() override {}
};

// ---------------------------------------------------------------------------
// Errors.
class Exception : public std::runtime_error {
 public:
  explicit Exception(std::string const& message) : std::runtime_error(message) {}
};

template <class E>
class AsserterEx;

class Asserter {
 public:
  explicit Asserter(bool ok) : fOk(ok) {}
  virtual ~Asserter() = default;
  bool ok() const { return fOk; }

  // Formats the message into fLogBuf when `ok` is false.
  template <class E>
  static AsserterEx<E> Make(bool ok, char const* format, ...) __attribute__((format(printf, 2, 3)));
  template <class E>
  static AsserterEx<E> MakeAlways(char const* format, ...) __attribute__((format(printf, 1, 2)));

  // The message of the most recent failed check (at most 4096 characters).
  static char fLogBuf[0x1001];

  // Formats into fLogBuf with the host's bounded formatter; clears the
  // buffer when formatting fails.
  static void format(char const* format, std::va_list args);

 protected:
  bool fOk;
};

template <class E>
class AsserterEx : public Asserter {
 public:
  explicit AsserterEx(bool ok) : Asserter(ok) {}
  // Throws E with "Assertion failed: <message> at <file>:<line>: <function>".
  virtual void handle(char const* file, int line, char const* function) const;
};

// Where a check is written; assigning an asserter to it runs the check.
struct LocalAsserter {
  char const* file;
  int line;
  char const* function;
  template <class E>
  LocalAsserter& operator=(AsserterEx<E> const& a) {
    a.handle(file, line, function);
    return *this;
  }
};

// Composes the assertion text (shared by every AsserterEx).
std::string composeAssertion(char const* message, char const* file, int line, char const* function);

template <class E>
void AsserterEx<E>::handle(char const* file, int line, char const* function) const {
  if (!fOk) throw E(composeAssertion(fLogBuf, file, line, function));
}

template <class E>
AsserterEx<E> Asserter::Make(bool ok, char const* fmt, ...) {
  if (!ok) {
    std::va_list args;
    va_start(args, fmt);
    format(fmt, args);
    va_end(args);
  }
  return AsserterEx<E>(ok);
}

template <class E>
AsserterEx<E> Asserter::MakeAlways(char const* fmt, ...) {
  std::va_list args;
  va_start(args, fmt);
  format(fmt, args);
  va_end(args);
  return AsserterEx<E>(false);
}

// Throws the host foundation library's out-of-memory error
// (boost::exception_detail::clone_impl<foundation::core::except::detail::bad_alloc_impl>).
[[noreturn]] void throwOutOfMemory();

// The message every empty-handle access reports.
inline constexpr char kNullRefMessage[] = "Cannot access NULL ref. Use isValid() before calling methods";

}  // namespace Ozo

// A check as written in the runtime and the module: the header path and line
// name the place of the check in messages.
#define OZO_ASSERT_AT(header, line, cond, ...)                             \
  do {                                                                     \
    bool const ozoOk_ = static_cast<bool>(cond);                           \
    if (!ozoOk_) {                                                         \
      ::Ozo::LocalAsserter ozoAt_{header, line, ""};                       \
      ozoAt_ = ::Ozo::Asserter::Make<::Ozo::Exception>(false, __VA_ARGS__); \
    }                                                                      \
  } while (0)

#define OZO_FAIL_AT(header, line, ...)                                  \
  do {                                                                  \
    ::Ozo::LocalAsserter ozoAt_{header, line, ""};                      \
    ozoAt_ = ::Ozo::Asserter::MakeAlways<::Ozo::Exception>(__VA_ARGS__); \
  } while (0)
