// Host arrays.
#include <kovo/HostArray.hpp>
#include <kovo/Object.hpp>
#include <kovo/Text.hpp>

#include "BlockCache.hpp"
#include "Internal.hpp"

#include <array>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace kovo {

namespace {

std::atomic<std::size_t> gLiveArrays{0};

std::size_t elementSize(ClassID cls) {
  switch (cls) {
    case ClassID::Double: return sizeof(double);
    case ClassID::Int32: return sizeof(std::int32_t);
    case ClassID::Logical: return sizeof(std::uint8_t);
    case ClassID::Char: return sizeof(char16_t);
    case ClassID::Object: return sizeof(COSInterfacePtr);
  }
  return 1;
}

// Refuses sizes that overflow or exceed the cap before anything is allocated.
std::size_t checkedCount(std::size_t rows, std::size_t cols) {
  if (rows != 0 && cols > HostArray::kMaxElements / rows)
    throw HostError("Requested array exceeds the maximum array size.");
  return rows * cols;
}

}  // namespace

char const* classIDName(ClassID id) {
  switch (id) {
    case ClassID::Double: return "double";
    case ClassID::Int32: return "int32";
    case ClassID::Logical: return "logical";
    case ClassID::Char: return "char";
    case ClassID::Object: return "object";
  }
  return "unknown";
}

HostArray::HostArray(ClassID cls, std::size_t rows, std::size_t cols, Interned objClass)
    : fClass(cls), fRows(rows), fCols(cols), fObjectClass(objClass) {
  std::size_t const n = checkedCount(rows, cols);
  static_assert(alignof(COSInterfacePtr) <= 8 && alignof(double) <= 8 && sizeof(COSInterfacePtr) <= 8);
  if (n != 0) {
    if (n * elementSize(cls) <= sizeof fStore.inline_) {
      fPlace = Place::Inline;
    } else {
      fStore.heap = std::calloc(n, elementSize(cls));
      if (!fStore.heap) throw std::bad_alloc();
      fPlace = Place::Heap;
    }
    if (cls == ClassID::Object) {
      auto* slots = static_cast<COSInterfacePtr*>(data());
      for (std::size_t i = 0; i < n; ++i) new (slots + i) COSInterfacePtr();
    }
  }
  gLiveArrays.fetch_add(1, std::memory_order_relaxed);
}

// One malloc chunk of 48 bytes per array: keep it that way.
static_assert(sizeof(HostArray) <= 40);

HostArray::~HostArray() {
  if (fClass == ClassID::Object && data()) {
    auto* slots = static_cast<COSInterfacePtr*>(data());
    for (std::size_t i = 0, n = numel(); i < n; ++i) slots[i].~COSInterfacePtr();
  }
  if (fPlace == Place::Heap) std::free(fStore.heap);
  gLiveArrays.fetch_sub(1, std::memory_order_relaxed);
}

using ArrayBlocks = detail::BlockCache<sizeof(HostArray)>;

void* HostArray::operator new(std::size_t) { return ArrayBlocks::take(); }  // final: one size

void HostArray::operator delete(void* block) noexcept { ArrayBlocks::give(block); }

void HostArray::release() {
  if (fRefs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
}

std::size_t HostArray::live() { return gLiveArrays.load(std::memory_order_relaxed); }

HostArray* HostArray::create(ClassID cls, std::size_t rows, std::size_t cols) {
  if (cls == ClassID::Object) throw HostError("Object arrays need a class name.");
  return new HostArray(cls, rows, cols, Interned());
}

HostArray* HostArray::createDouble(double v) {
  HostArray* a = create(ClassID::Double, 1, 1);
  a->doubles()[0] = v;
  return a;
}

HostArray* HostArray::createInt32(std::int32_t v) {
  // Small integers (positions, counts, codes) are shared immutable arrays,
  // made on first use and, like the empty array, never freed nor counted.
  constexpr std::int32_t kLow = -16, kHigh = 1024;
  static std::array<std::atomic<HostArray*>, kHigh - kLow> shared{};
  if (v < kLow || v >= kHigh) {
    HostArray* a = create(ClassID::Int32, 1, 1);
    a->int32s()[0] = v;
    return a;
  }
  std::atomic<HostArray*>& slot = shared[static_cast<std::size_t>(v - kLow)];
  HostArray* a = slot.load(std::memory_order_acquire);
  if (!a) {
    auto* made = new HostArray(ClassID::Int32, 1, 1, Interned());
    made->int32s()[0] = v;
    if (slot.compare_exchange_strong(a, made, std::memory_order_acq_rel, std::memory_order_acquire)) {
      gLiveArrays.fetch_sub(1, std::memory_order_relaxed);
      a = made;
    } else {
      delete made;  // another thread's went in first
    }
  }
  a->addRef();
  return a;
}

HostArray* HostArray::createLogical(bool v) {
  HostArray* a = create(ClassID::Logical, 1, 1);
  a->logicals()[0] = v ? 1 : 0;
  return a;
}

HostArray* HostArray::createString(std::u16string_view text) {
  HostArray* a = text.empty() ? create(ClassID::Char, 0, 0) : create(ClassID::Char, 1, text.size());
  if (!text.empty()) std::memcpy(a->chars(), text.data(), text.size() * sizeof(char16_t));
  return a;
}

HostArray* HostArray::createString(std::string_view utf8) {
  // Never longer in UTF-16 than in UTF-8: only a long text is measured, and
  // an oversized one is refused before its UTF-16 form is allocated.
  if (utf8.size() > kMaxElements) checkedCount(1, utf16Length(utf8));
  return createString(utf8ToUtf16(utf8));
}

HostArray* HostArray::createObjects(Interned cls, std::size_t rows, std::size_t cols) {
  return new HostArray(ClassID::Object, rows, cols, cls);
}

HostArray* HostArray::createObject(COSInterface* obj) {
  if (!obj) throw HostError("Invalid or deleted object.");
  HostArray* a = new HostArray(ClassID::Object, 1, 1, obj->getClass()->getName());
  a->objects()[0] = COSInterfacePtr(obj);
  return a;
}

HostArray* HostArray::createEmpty() {
  // Every empty double array is the same immutable value: one is shared by
  // all (void results, missing arguments), never freed and not counted live.
  static HostArray* const empty = [] {
    auto* a = new HostArray(ClassID::Double, 0, 0, Interned());
    gLiveArrays.fetch_sub(1, std::memory_order_relaxed);
    return a;
  }();
  empty->addRef();
  return empty;
}

Interned HostArray::className() const {
  if (fClass == ClassID::Object) return fObjectClass;
  return intern(classIDName(fClass));
}

double HostArray::numberAt(std::size_t i) const {
  switch (fClass) {
    case ClassID::Double: return doubles()[i];
    case ClassID::Int32: return int32s()[i];
    case ClassID::Logical: return logicals()[i] ? 1.0 : 0.0;
    case ClassID::Char: return chars()[i];
    case ClassID::Object: break;
  }
  return std::numeric_limits<double>::quiet_NaN();
}

std::u16string HostArray::ustring() const {
  if (fClass != ClassID::Char || isEmpty()) return {};
  return std::u16string(chars(), numel());
}

std::string HostArray::utf8() const { return utf16ToUtf8(ustring()); }

COSInterfacePtr omGetArrayElement(HostArray const* a, std::size_t i) {
  if (!a || a->classID() != ClassID::Object || i >= a->numel()) return {};
  return a->objects()[i];
}

COSInterfacePtr cosiGetArrayElement(HostArray const* a, std::size_t i) { return omGetArrayElement(a, i); }

}  // namespace kovo

namespace matrix {
std::u16string get_ustring(kovo::HostArray const* a) { return a ? a->ustring() : std::u16string(); }
}  // namespace matrix
