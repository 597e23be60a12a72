// Model objects as the runtime sees them, their handles, and primitive values.
#pragma once

#include <Ozo/Base.hpp>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace Ozo {

class ImmutableType;
class ImmutableModel;

namespace NSInterface {

// Every model object, meta object, model and boxed value.
class ObjectIntf : public ReferenceCountingIntf {
 public:
  // The object's meta type (for elements their meta class).
  virtual ImmutableType getMetaType(Deviant const& d) const = 0;
  // The object's own host class name for the immutable or modifiable view.
  virtual char const* getKovoName(bool immutable) const = 0;
  // The model the object belongs to (an empty handle for objects outside models).
  virtual ImmutableModel getModel(Deviant const& d) const;
  // Text for diagnostics and the host's display.
  virtual std::string toString(Deviant const& d) const;
};

}  // namespace NSInterface

// A counted interface pointer with its deviant. Copying adds a reference,
// destroying releases it. An empty handle holds a null pointer.
template <class Intf>
class Handle {
 public:
  Handle() = default;
  Handle(Intf* p, Deviant d) : fIntf(p), fDeviant(d) {
    if (fIntf) fIntf->addRef();
  }
  Handle(Handle const& o) : Handle(o.fIntf, o.fDeviant) {}
  Handle(Handle&& o) noexcept : fIntf(std::exchange(o.fIntf, nullptr)), fDeviant(o.fDeviant) {}
  Handle& operator=(Handle o) noexcept {
    std::swap(fIntf, o.fIntf);
    std::swap(fDeviant, o.fDeviant);
    return *this;
  }
  ~Handle() {
    if (fIntf) fIntf->release();
  }
  // Takes over a reference the caller already holds.
  static Handle adopt(Intf* p, Deviant d) {
    Handle h;
    h.fIntf = p;
    h.fDeviant = d;
    return h;
  }

  bool isValid() const { return fIntf != nullptr; }
  Intf* get() const { return fIntf; }
  Deviant const& deviant() const { return fDeviant; }
  // The interface, or the NULL-ref failure named at the given place.
  Intf* checked(char const* header = "ozo/Ozo/Object_h", int line = 83) const {
    OZO_ASSERT_AT(header, line, fIntf != nullptr, "%s", kNullRefMessage);
    return fIntf;
  }
  friend bool operator==(Handle const& a, Handle const& b) {
    return a.fIntf == b.fIntf && a.fDeviant == b.fDeviant;
  }

 protected:
  Intf* fIntf = nullptr;
  Deviant fDeviant{};
};

// Handle of any object through its immutable view.
class ImmutableObject : public Handle<NSInterface::ObjectIntf> {
 public:
  using Handle::Handle;
  ImmutableObject() = default;
  ImmutableObject(Handle const& h) : Handle(h) {}
  // The meta type of the object; the NULL-ref failure on an empty handle.
  ImmutableType getMetaType() const;
  std::string toString() const;
};

// Handle of any object through its modifiable view.
class Object : public ImmutableObject {
 public:
  using ImmutableObject::ImmutableObject;
  Object() = default;
  // An immutable handle taken as modifiable (the caller decides the view).
  static Object fromImmutable(ImmutableObject const& o) { return Object(o.get(), o.deviant()); }
};

// ---------------------------------------------------------------------------
// Primitive values. Boxing an Integer, Real or Boolean into an Object and
// back does not allocate: the value travels in the deviant word of a handle
// to a shared immortal box object. Strings are boxed in counted objects.
namespace detail {
// What sets the three boxed types apart: the C++ value, the type name, and
// the line that an unboxing failure reports.
struct IntegerTag {
  using Value = std::int32_t;
  static constexpr char const* kName = "Integer";
  static constexpr int kLine = 141;
};
struct RealTag {
  using Value = double;
  static constexpr char const* kName = "Real";
  static constexpr int kLine = 152;
};
struct BooleanTag {
  using Value = bool;
  static constexpr char const* kName = "Boolean";
  static constexpr int kLine = 163;
};
}  // namespace detail

template <class Tag>
class Boxed {
 public:
  using Value = typename Tag::Value;
  constexpr Boxed() = default;
  constexpr explicit Boxed(Value v) : fValue(v) {}
  explicit Boxed(ImmutableObject const& o);  // fails unless `o` boxes this type
  operator Object() const;
  constexpr Value value() const { return fValue; }
  friend constexpr bool operator==(Boxed a, Boxed b) { return a.fValue == b.fValue; }

 private:
  Value fValue{};
};

using Integer = Boxed<detail::IntegerTag>;
using Real = Boxed<detail::RealTag>;
using Boolean = Boxed<detail::BooleanTag>;
extern template class Boxed<detail::IntegerTag>;
extern template class Boxed<detail::RealTag>;
extern template class Boxed<detail::BooleanTag>;

// UTF-16 text; conversions to and from UTF-8 as in kovo/Text.hpp.
class String {
 public:
  String() = default;
  explicit String(std::u16string text) : fText(std::move(text)) {}
  explicit String(std::string_view utf8);
  explicit String(ImmutableObject const& o);
  operator Object() const;
  std::u16string const& text() const { return fText; }
  std::string utf8() const;
  bool empty() const { return fText.empty(); }
  friend bool operator==(String const& a, String const& b) { return a.fText == b.fText; }

 private:
  std::u16string fText;
};

}  // namespace Ozo
