// Interning and the host utilities.
#include <kovo/Core.hpp>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <mutex>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace kovo {

namespace {

struct NameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

struct InternTable {
  std::mutex mutex;
  // Node-based: a stored string never moves, so its c_str() is the id.
  std::unordered_set<std::string, NameHash, std::equal_to<>> names;
};

// Never destroyed: ids must stay valid while other libraries' static
// destructors still run at exit.
InternTable& internTable() {
  static InternTable* table = new InternTable;
  return *table;
}

char const* internView(std::string_view text) {
  InternTable& t = internTable();
  std::lock_guard lock(t.mutex);
  auto it = t.names.find(text);
  if (it == t.names.end()) it = t.names.emplace(text).first;
  return it->c_str();
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
char const* internRemembered(char const* text) {
  struct Entry {
    char const* text;
    char const* id;
  };
  thread_local std::array<Entry, 256> recent{};
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

namespace internal {
std::size_t internedCount() {
  InternTable& t = internTable();
  std::lock_guard lock(t.mutex);
  return t.names.size();
}
}  // namespace internal

std::recursive_mutex& hostMutex() {
  static std::recursive_mutex* m = new std::recursive_mutex;
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
