// Host values of the public API: a counted reference to a host array.
#include <quillon/host.hpp>

#include <kovo/HostArray.hpp>
#include <kovo/Object.hpp>
#include <kovo/ObjectKeys.hpp>
#include <kovo/Class.hpp>
#include <kovo/Text.hpp>

#include "Guard.hpp"

#include <cmath>
#include <limits>

namespace quillon {

using kovo::ClassID;
using kovo::HostArray;

namespace {

HostArray* arr(void* p) { return static_cast<HostArray*>(p); }

std::string quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

HostArray const& checkedElement(void* p, std::size_t i) {
  static_assert(sizeof(std::size_t) >= 4);
  HostArray const* a = arr(p);
  std::size_t const n = a ? a->numel() : 0;
  if (i >= n)
    throw Error("Index " + std::to_string(i) + " is out of range for a value of " + std::to_string(n) +
                (n == 1 ? " element." : " elements."));
  return *a;
}

std::string classNameOf(HostArray const* a) { return a ? std::string(a->className().view()) : "double"; }

HostArray const& numericElement(void* p, std::size_t i) {
  HostArray const& a = checkedElement(p, i);
  ClassID const c = a.classID();
  if (c != ClassID::Double && c != ClassID::Int32 && c != ClassID::Logical)
    throw Error("Value of class " + quoted(classNameOf(&a)) + " is not numeric.");
  return a;
}

template <class T, class Fill>
void* rowOf(ClassID cls, std::vector<T> const& values, Fill fill) {
  Value::checkSize(values.size());
  return host::guarded([&] {
    kovo::ArrayPtr a(HostArray::create(cls, values.empty() ? 0 : 1, values.size()), false);
    for (std::size_t i = 0; i < values.size(); ++i) fill(*a, i, values[i]);
    return static_cast<void*>(a.detach());
  });
}

}  // namespace

// A new array touches nothing shared but the array counter (atomic): the
// scalar values need no host lock.
Value::Value() : fArray(host::translated([] { return static_cast<void*>(HostArray::createEmpty()); })) {}
Value::Value(int v) : fArray(host::translated([v] { return static_cast<void*>(HostArray::createInt32(v)); })) {}
Value::Value(double v) : fArray(host::translated([v] { return static_cast<void*>(HostArray::createDouble(v)); })) {}
Value::Value(bool v) : fArray(host::translated([v] { return static_cast<void*>(HostArray::createLogical(v)); })) {}
Value::Value(char const* utf8) : Value(std::string_view(utf8 ? utf8 : "")) {}
Value::Value(std::string_view utf8)
    : fArray(host::guarded([utf8] { return static_cast<void*>(HostArray::createString(utf8)); })) {}
Value::Value(std::string const& utf8) : Value(std::string_view(utf8)) {}
Value::Value(std::u16string_view text)
    : fArray(host::guarded([text] { return static_cast<void*>(HostArray::createString(text)); })) {}

Value::Value(Value const& other) : fArray(other.fArray) {
  if (fArray) arr(fArray)->addRef();
}

// A moved-from value holds nothing and behaves as the empty array.
Value::Value(Value&& other) noexcept : fArray(std::exchange(other.fArray, nullptr)) {}

Value& Value::operator=(Value other) noexcept {
  std::swap(fArray, other.fArray);
  return *this;
}

Value::~Value() { kovo::destroyArray(arr(fArray)); }

Value Value::adopt(void* array) { return Value(Adopted{}, array); }

void Value::checkSize(std::size_t n) {
  static_assert(kMaxElements == HostArray::kMaxElements);
  if (n > kMaxElements) throw Error("Requested array exceeds the maximum array size.");
}

Value Value::int32(std::int32_t v) { return Value(static_cast<int>(v)); }
Value Value::logical(bool v) { return Value(v); }

Value Value::doubles(std::vector<double> const& values) {
  return adopt(rowOf(ClassID::Double, values, [](HostArray& a, std::size_t i, double v) { a.doubles()[i] = v; }));
}

Value Value::int32s(std::vector<std::int32_t> const& values) {
  return adopt(rowOf(ClassID::Int32, values, [](HostArray& a, std::size_t i, std::int32_t v) { a.int32s()[i] = v; }));
}

Value Value::logicals(std::vector<bool> const& values) {
  return adopt(rowOf(ClassID::Logical, values, [](HostArray& a, std::size_t i, bool v) { a.logicals()[i] = v; }));
}

Value Value::objects(std::vector<Value> const& elements) {
  if (elements.empty()) return Value();
  checkSize(elements.size());
  for (Value const& e : elements)
    if (e.identity() == 0) throw Error("Every element of an object array must be a single object.");
  return adopt(host::guarded([&] {
    HostArray const* first = arr(elements.front().fArray);
    kovo::ArrayPtr a(HostArray::createObjects(first->className(), 1, elements.size()), false);
    for (std::size_t i = 0; i < elements.size(); ++i) a->objects()[i] = arr(elements[i].fArray)->objects()[0];
    return static_cast<void*>(a.detach());
  }));
}

Value::Type Value::type() const {
  if (!fArray) return Type::Double;
  switch (arr(fArray)->classID()) {
    case ClassID::Double: return Type::Double;
    case ClassID::Int32: return Type::Int32;
    case ClassID::Logical: return Type::Logical;
    case ClassID::Char: return Type::Char;
    case ClassID::Object: return Type::Object;
  }
  return Type::Double;
}

std::size_t Value::rows() const { return fArray ? arr(fArray)->rows() : 0; }
std::size_t Value::cols() const { return fArray ? arr(fArray)->cols() : 0; }
std::size_t Value::numel() const { return fArray ? arr(fArray)->numel() : 0; }
std::string Value::className() const { return classNameOf(arr(fArray)); }

double Value::toDouble(std::size_t i) const { return numericElement(fArray, i).numberAt(i); }

std::int32_t Value::toInt32(std::size_t i) const {
  HostArray const& a = numericElement(fArray, i);
  if (a.classID() == ClassID::Int32) return a.int32s()[i];
  double const v = a.numberAt(i);
  if (!std::isfinite(v) || v != std::trunc(v) || v < std::numeric_limits<std::int32_t>::min() ||
      v > std::numeric_limits<std::int32_t>::max())
    throw Error("Value " + std::to_string(v) + " cannot be converted to int32.");
  return static_cast<std::int32_t>(v);
}

bool Value::toBool(std::size_t i) const {
  double const v = numericElement(fArray, i).numberAt(i);
  if (std::isnan(v)) throw Error("NaN cannot be converted to logical.");
  return v != 0;
}

std::u16string Value::toU16String() const {
  HostArray const* a = arr(fArray);
  if (!a || a->isEmpty()) return {};
  if (a->classID() != ClassID::Char) throw Error("Value of class " + quoted(classNameOf(a)) + " is not text.");
  return a->ustring();
}

std::string Value::toString() const { return kovo::utf16ToUtf8(toU16String()); }

std::size_t utf8CharLength(std::string_view utf8) noexcept { return kovo::decodeUtf8Char(utf8).length; }

Value Value::element(std::size_t i) const {
  HostArray const& a = checkedElement(fArray, i);
  return adopt(host::guarded([&] {
    HostArray* e = nullptr;
    switch (a.classID()) {
      case ClassID::Double: e = HostArray::createDouble(a.doubles()[i]); break;
      case ClassID::Int32: e = HostArray::createInt32(a.int32s()[i]); break;
      case ClassID::Logical: e = HostArray::createLogical(a.logicals()[i] != 0); break;
      case ClassID::Char: e = HostArray::createString(std::u16string_view(a.chars() + i, 1)); break;
      case ClassID::Object:
        if (kovo::COSInterface* o = a.objects()[i].get()) e = HostArray::createObject(o);
        else e = HostArray::createObjects(a.className(), 0, 0);
        break;
    }
    return static_cast<void*>(e);
  }));
}

std::uintptr_t Value::identity() const {
  HostArray const* a = arr(fArray);
  if (!a || a->classID() != ClassID::Object || a->numel() != 1) return 0;
  return reinterpret_cast<std::uintptr_t>(a->objects()[0].get());
}

void* Value::frontWord() const {
  std::uintptr_t const id = identity();
  return id ? reinterpret_cast<kovo::COSInterface const*>(id)->frontWord() : nullptr;
}

void Value::setFrontWord(void* word) const {
  if (std::uintptr_t const id = identity()) reinterpret_cast<kovo::COSInterface*>(id)->setFrontWord(word);
}

std::string_view Value::objectClassName() const {
  // No lock: an object's class is fixed when it is made, and class names are
  // never freed; this value's reference keeps the object.
  std::uintptr_t const id = identity();
  if (id == 0) return {};
  return reinterpret_cast<kovo::COSInterface const*>(id)->getClass()->getName().view();
}

std::uintptr_t Value::objectKey() const {
  std::uintptr_t const id = identity();
  if (id == 0) return 0;
  return host::guarded([id] {
    auto const* object = reinterpret_cast<kovo::COSInterface const*>(id);
    if (object->isValueObject() || object->isDeleted() || !object->isBound()) return id;
    return reinterpret_cast<std::uintptr_t>(kovo::objectOfBound(object->bound()));
  });
}

int Value::objectRefCount() const {
  std::uintptr_t const id = identity();
  return id ? reinterpret_cast<kovo::COSInterface const*>(id)->refCount() : 0;
}

}  // namespace quillon
