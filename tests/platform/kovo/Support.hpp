// In-process host classes for the host runtime tests: a class description
// whose members come from lambdas, and native objects that count themselves.
#pragma once

#include <kovo/Runtime.hpp>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace kovo::test {

using Body = std::function<void(int& nlhs, COSValue* out, int nrhs, COSValue const* in)>;

// Stable storage for method bodies; a binding's data points at one.
inline std::deque<Body>& bodies() {
  static std::deque<Body> b;
  return b;
}

inline void runBody(factory::impl::Binding const& b, COSClient*, int& nlhs, COSValue* out, int nrhs,
                    COSValue const* in) {
  (*static_cast<Body const*>(b.data))(nlhs, out, nrhs, in);
}

struct MethodDef {
  char const* name;
  char const* result = "void";
  char const* self = nullptr;
  std::vector<char const*> args = {};
  std::uint32_t flags = 0;
  bool constructor = false;
  Body body = {};
  std::int32_t attributes = 0;
};

inline void addMethod(COSClass* cls, MethodDef def) {
  COSMethodInfo* m = def.constructor
                         ? static_cast<COSMethodInfo*>(
                               new factory::impl::KovoConstructor(cls->getShortName(), {def.attributes}, ""))
                         : new factory::impl::MethodImpl(def.name, {def.attributes}, "");
  m->flags() = def.flags;
  factory::impl::Invoker::createSignature(*m, "", def.result, def.self, def.args);
  bodies().push_back(std::move(def.body));
  m->binding().invoker = &runBody;
  m->binding().data = &bodies().back();
  cls->addMethod(m);
}

// A native object with a live count; destroyInstance deletes it.
struct Native {
  explicit Native(int v) : value(v) { ++live(); }
  ~Native() { --live(); }
  static int& live() {
    static int n = 0;
    return n;
  }
  int value;
};

class TestClass : public COSClassInfo {
 public:
  TestClass(std::string name, std::function<void(COSClass*)> init, bool removeBinding = true)
      : fName(std::move(name)), fInit(std::move(init)), fRemove(removeBinding) {}
  char const* getName() const override { return fName.c_str(); }
  char const* getDescription() const override { return "a test class"; }
  void initializeClass(COSClass* cls, COSClient*) override {
    ++initCalls()[fName];
    if (fInit) fInit(cls);
  }
  void destroyInstance(void*, void* instance) override {
    ++destroyCalls();
    if (fRemove) factory::basic::BindingRegistry::remove(instance);
    delete static_cast<Native*>(instance);
  }
  static std::map<std::string, int>& initCalls() {
    static std::map<std::string, int> m;
    return m;
  }
  static int& destroyCalls() {
    static int n = 0;
    return n;
  }

 private:
  std::string fName;
  std::function<void(COSClass*)> fInit;
  bool fRemove;
};

// A property whose value lives in the test; counts releases.
class TestProperty : public COSPropInfo {
 public:
  TestProperty(char const* name, char const* type, COSValue* slot, bool isStatic = false, Facts facts = {})
      : COSPropInfo(name, type, 0), fSlot(slot), fStatic(isStatic), fFacts(std::move(facts)) {}
  Facts facts() const override { return fFacts; }
  COSValue getValue(COSInterface*) override {
    if (isScalarDataType(intern(getDataType()))) return *fSlot;
    HostArray* a = toArray(*fSlot);
    if (a) a->addRef();
    return *fSlot;
  }
  void setValue(COSInterface*, COSValue v) override {
    if (!isScalarDataType(intern(getDataType()))) {
      destroyArray(toArray(*fSlot));
      if (HostArray* a = toArray(v)) a->addRef();
    }
    *fSlot = v;
  }
  void releaseValue(COSInterface* t, COSValue v) override {
    ++releases;
    COSPropInfo::releaseValue(t, v);
  }
  bool isStatic() const override { return fStatic; }
  int releases = 0;

 private:
  COSValue* fSlot;
  bool fStatic;
  Facts fFacts;
};

inline ArrayPtr num(double v) { return ArrayPtr(HostArray::createDouble(v), false); }
inline ArrayPtr i32(std::int32_t v) { return ArrayPtr(HostArray::createInt32(v), false); }
inline ArrayPtr logical(bool v) { return ArrayPtr(HostArray::createLogical(v), false); }
inline ArrayPtr text(std::string_view s) { return ArrayPtr(HostArray::createString(s), false); }
inline ArrayPtr empty() { return ArrayPtr(HostArray::createEmpty(), false); }

// A bound object of class `cls` around a new Native.
inline ArrayPtr makeObject(std::string const& cls, int value) {
  return ArrayPtr(factory::basic::BindingRegistry::announce(new Native(value), intern(cls)), false);
}

inline Native* nativeOf(COSValue w) {
  COSInterfacePtr o = omGetArrayElement(toArray(w), 0);
  return o ? static_cast<Native*>(o->lookup(intern("any"))) : nullptr;
}

// Method bodies over Natives of class `cls`: a constructor taking the value,
// and a static factory returning a new object.
inline Body constructNative(char const* cls) {
  return [cls](int&, COSValue* out, int, COSValue const* in) {
    factory::basic::BindingRegistry::announceForConstructor(new Native(toInt32(in[0])), intern(cls), toArray(out[0]),
                                                            true);
  };
}
inline Body makeNative(char const* cls) {
  return [cls](int&, COSValue* out, int, COSValue const* in) {
    out[0] = fromArray(factory::basic::BindingRegistry::announce(new Native(toInt32(in[0])), intern(cls)));
  };
}

// The property "Value": Native::value of an object of class `cls`.
class NativeValue : public COSPropInfo {
 public:
  explicit NativeValue(char const* cls, std::uint32_t attributes = 0, Facts facts = {})
      : COSPropInfo("Value", "int32 scalar", attributes), fClass(intern(cls)), fFacts(std::move(facts)) {}
  Facts facts() const override { return fFacts; }
  COSValue getValue(COSInterface* t) override { return fromInt32(native(t)->value); }
  void setValue(COSInterface* t, COSValue v) override { native(t)->value = toInt32(v); }

 private:
  Native* native(COSInterface* t) const {
    auto* n = t ? static_cast<Native*>(t->lookup(fClass)) : nullptr;
    if (!n) throw std::logic_error("no object behind the handle");
    return n;
  }
  Interned fClass;
  Facts fFacts;
};

// The live counts when a test starts; everything it made must be gone at its end.
struct LiveCounts {
  std::size_t objects = COSInterface::live(), bindings = factory::basic::BindingRegistry::size(),
              arrays = HostArray::live();
  int natives = Native::live();
  void expectUnchanged() const {
    EXPECT_EQ(COSInterface::live(), objects);
    EXPECT_EQ(factory::basic::BindingRegistry::size(), bindings);
    EXPECT_EQ(HostArray::live(), arrays);
    EXPECT_EQ(Native::live(), natives);
  }
};

}  // namespace kovo::test
