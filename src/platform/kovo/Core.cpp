// Interning and the host utilities.
#include <kovo/Core.hpp>

#include "Internal.hpp"
#include <kovo/OpenTable.hpp>
#include <kovo/SmallBuffer.hpp>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace kovo {

namespace {

// Eight bytes at a time: names are tens of characters, and every interning
// hashes one.
struct NameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const {
    std::uint64_t h = 0x9e3779b97f4a7c15ull ^ s.size();
    char const* p = s.data();
    std::size_t n = s.size();
    for (; n >= 8; p += 8, n -= 8) {
      std::uint64_t word;
      std::memcpy(&word, p, 8);
      h = (h ^ word) * 0xff51afd7ed558ccdull;
      h ^= h >> 32;
    }
    std::uint64_t tail = 0;
    if (n != 0) std::memcpy(&tail, p, n);  // an empty view may have no data
    h = (h ^ tail) * 0xc4ceb9fe1a85ec53ull;
    return static_cast<std::size_t>(h ^ (h >> 29));
  }
};

// Memory for things kept until the process ends (stored names and lists, and
// the table nodes that find them), handed out from 16 KiB blocks that are
// never freed: one allocation per block rather than one or two per name.
class Arena {
 public:
  void* allocate(std::size_t size, std::size_t align) {
    if (size > kBlock / 4) return ::operator new(size);  // a long one gets a block of its own
    std::size_t const pad = (align - reinterpret_cast<std::uintptr_t>(fNext) % align) % align;
    if (fNext == nullptr || pad + size > fLeft) {
      fNext = static_cast<char*>(::operator new(kBlock));  // aligned for any fundamental type
      fLeft = kBlock;
      return take(size);
    }
    fNext += pad;
    fLeft -= pad;
    return take(size);
  }

 private:
  static constexpr std::size_t kBlock = 16 * 1024;
  void* take(std::size_t size) {
    void* const p = fNext;
    fNext += size;
    fLeft -= size;
    return p;
  }
  char* fNext = nullptr;
  std::size_t fLeft = 0;
};

// Table nodes (one element at a time) come from the arena and are never
// given back (nothing is ever erased); bucket arrays, which a growing table
// replaces, come from the heap as usual.
template <class T>
struct NodeAllocator {
  using value_type = T;
  Arena* arena;
  explicit NodeAllocator(Arena* a) noexcept : arena(a) {}
  template <class U>
  NodeAllocator(NodeAllocator<U> const& other) noexcept : arena(other.arena) {}
  T* allocate(std::size_t n) {
    if (n == 1) return static_cast<T*>(arena->allocate(sizeof(T), alignof(T)));
    return std::allocator<T>().allocate(n);
  }
  void deallocate(T* p, std::size_t n) noexcept {
    if (n != 1) std::allocator<T>().deallocate(p, n);
  }
  template <class U>
  friend bool operator==(NodeAllocator const& a, NodeAllocator<U> const& b) { return a.arena == b.arena; }
};

// A stored copy carries its length just before it.
std::string_view storedView(char const* id) {
  std::uint32_t length;
  std::memcpy(&length, id - sizeof length, sizeof length);
  return {id, length};
}

// The stored copies by content, one word a name and no node. A probe that
// misses is mostly told apart by the length.
struct StoredName {
  static std::uintptr_t key(char const* id) { return NameHash{}(storedView(id)); }
  static bool isFree(char const* id) { return id == nullptr; }
};

struct InternTable {
  std::mutex mutex;
  Arena arena;
  // A copy never moves, so its address is the id.
  OpenTable<char const*, StoredName> names;

  // A copy of `text` after the class word and its length, and before a
  // terminator.
  char const* store(std::string_view text) {
    std::uint32_t const length = static_cast<std::uint32_t>(text.size());
    if (length != text.size()) throw std::length_error("A name is too long to be interned.");
    auto* const block = static_cast<char*>(
        arena.allocate(sizeof(std::atomic<void*>) + sizeof length + text.size() + 1, alignof(std::atomic<void*>)));
    new (block) std::atomic<void*>(nullptr);
    std::memcpy(block + sizeof(std::atomic<void*>), &length, sizeof length);
    char* const copy = block + sizeof(std::atomic<void*>) + sizeof length;
    if (!text.empty()) std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    return copy;
  }
};

// Never destroyed: ids must stay valid while other libraries' static
// destructors still run at exit.
InternTable& internTable() {
  static InternTable* table = new InternTable;
  return *table;
}

// Lists by content. The ids are stored copies, so a list hashes and compares
// by its pointers alone.
struct ListKey {
  Interned const* data;
  std::size_t size;
};

struct ListHash {
  std::size_t operator()(ListKey k) const {
    std::size_t h = k.size;
    for (std::size_t i = 0; i < k.size; ++i)
      h = (h ^ std::hash<char const*>{}(k.data[i].c_str())) * 0x100000001b3ull;
    return h;
  }
};

struct ListEqual {
  bool operator()(ListKey a, ListKey b) const {
    if (a.size != b.size) return false;
    for (std::size_t i = 0; i < a.size; ++i)
      if (a.data[i].c_str() != b.data[i].c_str()) return false;
    return true;
  }
};

struct ListTable {
  std::mutex mutex;
  Arena arena;
  // Keys view arrays stored in the arena.
  std::unordered_set<ListKey, ListHash, ListEqual, NodeAllocator<ListKey>> lists{
      16, ListHash{}, ListEqual{}, NodeAllocator<ListKey>(&arena)};
};

// Never destroyed, like the names.
ListTable& listTable() {
  static ListTable* table = new ListTable;
  return *table;
}

char const* internView(std::string_view text) {
  std::size_t const hash = NameHash{}(text);
  InternTable& t = internTable();
  std::lock_guard lock(t.mutex);
  if (char const* const* found = t.names.find(hash, [text](char const* id) { return storedView(id) == text; }))
    return *found;
  // Should the insertion fail, the copy is merely unused.
  char const* const copy = t.store(text);
  t.names.insert(copy);
  return copy;
}

std::mutex& printMutex() {
  static std::mutex* m = new std::mutex;
  return *m;
}

PrintSink& printSink() {
  static PrintSink* sink = new PrintSink;
  return *sink;
}

struct PushedSinks {
  std::uint64_t next = 1;
  std::vector<std::pair<std::uint64_t, PrintSink>> stack;  // most recent last
};

PushedSinks& pushedSinks() {
  static PushedSinks* s = new PushedSinks;
  return *s;
}

// The sink that receives output now (empty = stdout). Under printMutex.
PrintSink const& currentSink() {
  auto const& stack = pushedSinks().stack;
  return stack.empty() ? printSink() : stack.back().second;
}

// Names are mostly interned from the same texts again and again (the type
// names of method rows, class names): each thread remembers the id last found
// for a text's address, and a hit counts only when the texts still compare
// equal, so a buffer reused for another name is simply looked up again.
// Room for the thousand-odd texts that initialising a package's classes
// goes through (16 KiB per thread; with 256 entries many of them collided).
char const* internRemembered(char const* text) {
  struct Entry {
    char const* text;
    char const* id;
  };
  thread_local std::array<Entry, 1024> recent{};
  auto const address = reinterpret_cast<std::uintptr_t>(text);
  Entry& e = recent[((address >> 3) ^ (address >> 11)) & (recent.size() - 1)];
  // An id handed back in (the text is the stored copy) needs no comparison.
  if (e.text == text && (e.id == text || std::strcmp(e.id, text) == 0)) return e.id;
  char const* const id = internView(text);
  e = {text, id};
  return id;
}

}  // namespace

namespace internal {
char const* makeInterned(char const* text) {
  if (text && *text) return internRemembered(text);
  static char const* const empty = internView({});  // most descriptions
  return empty;
}
}  // namespace internal

namespace detail {
std::size_t hashName(std::string_view name) { return NameHash{}(name); }

std::atomic<void*>* declaredClassWord(Interned name) {
  if (name.empty()) return nullptr;  // other libraries' "" has no word
  char* const id = const_cast<char*>(name.c_str());
  return std::launder(reinterpret_cast<std::atomic<void*>*>(id - sizeof(std::uint32_t) - sizeof(std::atomic<void*>)));
}
}  // namespace detail

namespace internal {
std::size_t internedCount() {
  InternTable& t = internTable();
  std::lock_guard lock(t.mutex);
  return t.names.size();
}
}  // namespace internal

HostLock& hostMutex() {
  static HostLock* m = new HostLock;
  return *m;
}

Interned intern(char const* text) {
  if (!text || !*text) return Interned();
  return Interned::fromId(internRemembered(text));
}

Interned intern(std::string_view text) {
  if (text.empty()) return Interned();
  return Interned::fromId(internView(text));
}

Interned intern(std::initializer_list<std::string_view> pieces) {
  std::size_t size = 0;
  for (std::string_view p : pieces) size += p.size();
  SmallBuffer<char, 256> text(size);
  char* at = text.data();
  for (std::string_view p : pieces) at = std::copy(p.begin(), p.end(), at);
  return intern(std::string_view(text.data(), size));
}

InternedList internList(Interned const* names, std::size_t count) {
  InternedList list;
  if (count == 0) return list;
  ListTable& t = listTable();
  std::lock_guard lock(t.mutex);
  auto it = t.lists.find(ListKey{names, count});
  if (it == t.lists.end()) {
    // The length, then the names.
    static_assert(sizeof(std::size_t) % alignof(Interned) == 0);
    auto* const block = static_cast<char*>(
        t.arena.allocate(sizeof(std::size_t) + count * sizeof(Interned), alignof(std::size_t)));
    std::memcpy(block, &count, sizeof count);
    auto* const stored = reinterpret_cast<Interned*>(block + sizeof count);
    std::uninitialized_copy(names, names + count, stored);
    it = t.lists.insert(ListKey{stored, count}).first;
  }
  list.fData = it->data;
  return list;
}

PrintSink setPrintSink(PrintSink sink) {
  std::lock_guard lock(printMutex());
  PrintSink previous = std::move(printSink());
  printSink() = std::move(sink);
  return previous;
}

std::uint64_t pushPrintSink(PrintSink sink) {
  std::lock_guard lock(printMutex());
  PushedSinks& s = pushedSinks();
  s.stack.emplace_back(s.next, std::move(sink));
  return s.next++;
}

void removePrintSink(std::uint64_t id) {
  std::lock_guard lock(printMutex());
  auto& stack = pushedSinks().stack;
  for (auto it = stack.begin(); it != stack.end(); ++it)
    if (it->first == id) {
      stack.erase(it);
      return;
    }
}

}  // namespace kovo

void* zkMalloc(std::size_t size) { return std::malloc(size ? size : 1); }
void* zkCalloc(std::size_t count, std::size_t size) { return std::calloc(count ? count : 1, size ? size : 1); }
void zkFree(void* block) { std::free(block); }

int zkVSNprintf(char* buffer, std::size_t size, char const* format, std::va_list args) {
  if (!format) return -1;
  int const n = std::vsnprintf(buffer, size, format, args);
  return n < 0 ? -1 : n;
}

int zkPrintf(char const* format, ...) {
  if (!format) return -1;
  std::va_list args;
  va_start(args, format);
  std::va_list again;
  va_copy(again, args);
  int const n = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (n < 0) {
    va_end(again);
    return -1;
  }
  std::vector<char> text(static_cast<std::size_t>(n) + 1);
  std::vsnprintf(text.data(), text.size(), format, again);
  va_end(again);

  // Under the host lock: a sink is removed (and what it writes to freed)
  // under that lock too, so it cannot go away while it runs here.
  std::lock_guard hostLock(kovo::hostMutex());
  kovo::PrintSink sink;
  {
    std::lock_guard lock(kovo::printMutex());
    sink = kovo::currentSink();
  }
  if (sink) {
    sink(std::string_view(text.data(), static_cast<std::size_t>(n)));
  } else {
    std::fwrite(text.data(), 1, static_cast<std::size_t>(n), stdout);
    std::fflush(stdout);
  }
  return n;
}
