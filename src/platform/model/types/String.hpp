// String: text of a bounded size.
#pragma once

#include <types/PrimitiveType.hpp>

namespace Zorvan::metamodel::types {

namespace NSInterface {
class StringIntf : public PrimitiveTypeIntf {
 public:
  static Ozo::meta::ClassDef const sClassDef;
  static Ozo::IntrospectiveMethods const sIntrospectiveMethods;
};
}  // namespace NSInterface

class ImmutableString : public Ozo::ImmutableHandle<NSInterface::StringIntf, ImmutablePrimitiveType> {
 public:
  using ImmutableHandle::ImmutableHandle;
  static ImmutableString cast(Ozo::ImmutableObject const& o) { return Ozo::handleCast<ImmutableString>(o); }
  std::optional<Ozo::Integer> getSwFillCharacter() const {
    return prop::get<Intf, 1, std::optional<Ozo::Integer>>(*this);
  }
  Ozo::Integer getSwMaxTextSize() const { return prop::get<Intf, 2, Ozo::Integer>(*this); }
  Ozo::Boolean getIsVariableSize() const { return prop::get<Intf, 3, Ozo::Boolean>(*this); }
  ImmutableSwRecordLayout getSwRecordLayout() const;
  Ozo::Boolean getIsApplication() const { return prop::get<Intf, 5, Ozo::Boolean>(*this); }
  Ozo::String getCategory() const { return prop::get<Intf, 6, Ozo::String>(*this); }
};

template <class B>
class StringMutators : public B {
  using M = NSInterface::StringIntf;

 public:
  using B::B;
  StringMutators() = default;
  void setSwFillCharacter(std::optional<Ozo::Integer> v) const { prop::set<M, 1>(*this, v); }
  void setSwMaxTextSize(Ozo::Integer v) const { prop::set<M, 2>(*this, v); }
  void setIsVariableSize(Ozo::Boolean v) const { prop::set<M, 3>(*this, v); }
  void setSwRecordLayout(ImmutableSwRecordLayout const& v) const { prop::set<M, 4>(*this, v); }
  void setIsApplication(Ozo::Boolean v) const { prop::set<M, 5>(*this, v); }
};

class String : public StringMutators<PrimitiveTypeMutators<detail::ValueTypeBase<ImmutableString>>> {
 public:
  using StringMutators::StringMutators;
  static String create(Ozo::Model const& model);
  static String create(Ozo::Model model, Ozo::Integer swMaxTextSize, Ozo::String name);
  static constexpr CreateWith<Ozo::Integer, Ozo::String> kCreateWith{" aSwMaxTextSize, aName"};
};

}  // namespace Zorvan::metamodel::types
