// Host arrays: every host value is an array. Scalars are 1-by-1 arrays,
// text is a 1-by-N UTF-16 character array, objects live in object arrays.
// Arrays are reference counted; a COSValue word that carries an array points
// at one reference that its producer hands over (see Class.hpp for who owns it).
#pragma once

#include <kovo/Core.hpp>

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kovo {

class COSInterface;

// Intrusive smart pointer for the host's counted types (HostArray, COSInterface).
template <class T>
class Ptr {
 public:
  Ptr() = default;
  Ptr(T* p, bool addRef = true) : fP(p) {
    if (fP && addRef) fP->addRef();
  }
  Ptr(Ptr const& o) : fP(o.fP) {
    if (fP) fP->addRef();
  }
  Ptr(Ptr&& o) noexcept : fP(std::exchange(o.fP, nullptr)) {}
  Ptr& operator=(Ptr o) noexcept {
    std::swap(fP, o.fP);
    return *this;
  }
  ~Ptr() {
    if (fP) fP->release();
  }
  T* get() const { return fP; }
  T* operator->() const { return fP; }
  T& operator*() const { return *fP; }
  explicit operator bool() const { return fP != nullptr; }
  // Gives up ownership of the reference without releasing it.
  T* detach() { return std::exchange(fP, nullptr); }
  friend bool operator==(Ptr const& a, Ptr const& b) { return a.fP == b.fP; }

 private:
  T* fP = nullptr;
};

using COSInterfacePtr = Ptr<COSInterface>;

enum class ClassID : std::uint8_t { Double, Int32, Logical, Char, Object };

// Name of an element class as a host user sees it: "double", "int32",
// "logical", "char", or the object class name for object arrays.
char const* classIDName(ClassID id);

class HostArray final {
 public:
  // Largest element count an array may have; larger requests are refused
  // with a HostError before anything is allocated.
  static constexpr std::size_t kMaxElements = std::size_t{1} << 28;

  // Numeric and logical arrays, zero-filled.
  static HostArray* create(ClassID cls, std::size_t rows, std::size_t cols);
  static HostArray* createDouble(double v);
  static HostArray* createInt32(std::int32_t v);
  static HostArray* createLogical(bool v);
  // 1-by-N character array; the empty text gives a 0-by-0 character array.
  static HostArray* createString(std::u16string_view text);
  static HostArray* createString(std::string_view utf8);
  // Object array of `rows` x `cols` empty slots of class `cls`; 0x0 is the
  // empty array of that class (an empty handle as the host user sees it).
  static HostArray* createObjects(Interned cls, std::size_t rows, std::size_t cols);
  // 1-by-1 object array holding `obj`.
  static HostArray* createObject(COSInterface* obj);
  // The empty double array [].
  static HostArray* createEmpty();

  void addRef() { fRefs.fetch_add(1, std::memory_order_relaxed); }
  void release();

  ClassID classID() const { return fClass; }
  std::size_t rows() const { return fRows; }
  std::size_t cols() const { return fCols; }
  std::size_t numel() const { return fRows * fCols; }
  bool isEmpty() const { return numel() == 0; }
  bool isScalar() const { return numel() == 1; }
  // Object arrays: the class name given at creation (for 1x1 arrays made
  // from an object, that object's class). Other arrays: classIDName.
  Interned className() const;

  double* doubles() { return static_cast<double*>(data()); }
  std::int32_t* int32s() { return static_cast<std::int32_t*>(data()); }
  std::uint8_t* logicals() { return static_cast<std::uint8_t*>(data()); }
  char16_t* chars() { return static_cast<char16_t*>(data()); }
  COSInterfacePtr* objects() { return static_cast<COSInterfacePtr*>(data()); }
  double const* doubles() const { return static_cast<double const*>(data()); }
  std::int32_t const* int32s() const { return static_cast<std::int32_t const*>(data()); }
  std::uint8_t const* logicals() const { return static_cast<std::uint8_t const*>(data()); }
  char16_t const* chars() const { return static_cast<char16_t const*>(data()); }
  COSInterfacePtr const* objects() const { return static_cast<COSInterfacePtr const*>(data()); }

  // Element i of a numeric or logical array as a double (no check of class).
  double numberAt(std::size_t i) const;
  std::u16string ustring() const;  // character arrays only
  std::string utf8() const;        // character arrays only

  // Live arrays in the process, for leak checks.
  static std::size_t live();

  HostArray(HostArray const&) = delete;
  HostArray& operator=(HostArray const&) = delete;

  // Arrays are made and dropped in bursts: their blocks are reused.
  static void* operator new(std::size_t size);
  static void operator delete(void* block) noexcept;

 private:
  HostArray(ClassID cls, std::size_t rows, std::size_t cols, Interned objClass);
  ~HostArray();

  // Null for an empty array.
  void* data() { return const_cast<void*>(std::as_const(*this).data()); }
  void const* data() const {
    return fPlace == Place::Heap ? fStore.heap : fPlace == Place::Inline ? fStore.inline_ : nullptr;
  }

  std::atomic<int> fRefs{1};
  ClassID fClass;
  enum class Place : std::uint8_t { None, Inline, Heap } fPlace = Place::None;
  std::size_t fRows, fCols;
  Interned fObjectClass;
  // Arrays of up to 8 bytes (a scalar, one handle) keep their elements
  // inline: no second allocation for the most common values.
  union Store {
    void* heap;
    alignas(8) unsigned char inline_[8];
  } fStore{};
};

using ArrayPtr = Ptr<HostArray>;

// Releases one reference (the host's "destroy an array").
inline void destroyArray(HostArray* a) {
  if (a) a->release();
}

// Element i of an object array (empty pointer for an empty slot).
COSInterfacePtr omGetArrayElement(HostArray const* a, std::size_t i);
COSInterfacePtr cosiGetArrayElement(HostArray const* a, std::size_t i);

}  // namespace kovo

namespace matrix {
// Reads a character array as UTF-16 text (empty for an empty array).
std::u16string get_ustring(kovo::HostArray const* a);
}  // namespace matrix
