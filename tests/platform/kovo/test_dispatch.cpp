// The dispatcher: overloads, conversions, calls, constructors, properties, errors.
#include <gtest/gtest.h>

#include "platform/kovo/Support.hpp"

#include <cmath>
#include "support/ErrorOf.hpp"

namespace kovo {
namespace {

using testsupport::errorOf;

using namespace test;
using factory::basic::BindingRegistry;

int gInvoked = 0;

COSValue textWord(std::string const& s) { return fromArray(HostArray::createString(s)); }

Body answer(std::string s) {
  return [s](int&, COSValue* out, int, COSValue const*) {
    ++gInvoked;
    out[0] = textWord(s);
  };
}

struct Refused : std::runtime_error {
  using std::runtime_error::runtime_error;
};

COSValue gLabel = 0, gOptional = 0, gCount = fromDouble(2.5);

void defineBase(COSClass* c) {
  addMethod(c, {.name = "", .result = "KD.Base", .args = {"int32 scalar"}, .constructor = true,
                .body = constructNative("KD.Base")});
  addMethod(c, {.name = "", .result = "KD.Base", .args = {"char vector"}, .constructor = true,
                .body = [](int&, COSValue*, int, COSValue const*) { throw Refused("bad text"); }});
  addMethod(c, {.name = "", .result = "KD.Base", .args = {"logical scalar"}, .constructor = true,
                .body = [](int&, COSValue*, int, COSValue const*) {}});  // forgets to bind
  addMethod(c, {.name = "who", .result = "char vector", .self = "KD.Base",
                .body = [](int&, COSValue* out, int, COSValue const* in) {
                  ++gInvoked;
                  bool const none = toArray(in[0])->isEmpty();
                  out[0] = textWord(none ? "empty self" : "base " + std::to_string(nativeOf(in[0])->value));
                }});
  addMethod(c, {.name = "add", .result = "int32 scalar", .self = "KD.Base", .args = {"int32 scalar"},
                .body = [](int&, COSValue* out, int, COSValue const* in) {
                  out[0] = fromInt32(nativeOf(in[0])->value + toInt32(in[1]));
                }});
  addMethod(c, {.name = "explicitly", .result = "char vector", .args = {"KD.Base", "int32 scalar"},
                .flags = factory::kFlagExplicit, .body = answer("explicit")});
  addMethod(c, {.name = "make", .result = "KD.Base", .args = {"int32 scalar"}, .body = makeNative("KD.Base")});
  c->addProperty(new NativeValue("KD.Base"));
  c->addProperty(new TestProperty("Label", "char", &gLabel));
  c->addProperty(new TestProperty("Optional", "ozodouble", &gOptional));
  c->addProperty(new TestProperty("Count", "double scalar", &gCount, true));
}

void defineCalc(COSClass* c) {
  addMethod(c, {.name = "f", .result = "char vector", .args = {"int32 scalar"},
                .body = [](int&, COSValue* out, int, COSValue const* in) {
                  out[0] = textWord("int32 " + std::to_string(toInt32(in[0])));
                }});
  addMethod(c, {.name = "f", .result = "char vector", .args = {"double scalar"}, .body = answer("double")});
  addMethod(c, {.name = "f", .result = "char vector", .args = {"char vector"}, .body = answer("text")});
  addMethod(c, {.name = "f", .result = "char vector", .args = {"KD.Base"}, .body = answer("base")});
  addMethod(c, {.name = "f", .result = "char vector", .args = {"logical scalar"}, .body = answer("logical")});
  addMethod(c, {.name = "g", .result = "int32 scalar", .args = {"int32 scalar"},
                .body = [](int&, COSValue* out, int, COSValue const* in) { out[0] = in[0]; }});
  addMethod(c, {.name = "sum", .result = "double scalar", .args = {"double scalar", "double scalar"},
                .body = [](int&, COSValue* out, int, COSValue const* in) { out[0] = fromDouble(toDouble(in[0]) + toDouble(in[1])); }});
  addMethod(c, {.name = "not", .result = "logical scalar", .args = {"logical scalar"},
                .body = [](int&, COSValue* out, int, COSValue const* in) { out[0] = fromLogical(!toLogical(in[0])); }});
  addMethod(c, {.name = "ints", .result = "ozoint32", .args = {"ozoint32"},
                .body = [](int&, COSValue* out, int, COSValue const* in) {
                  toArray(in[0])->addRef();  // borrowed: the result needs its own reference
                  out[0] = in[0];
                }});
  addMethod(c, {.name = "nothing", .result = "KD.Base", .body = [](int&, COSValue*, int, COSValue const*) {}});
  addMethod(c, {.name = "nada", .result = "ozodouble", .body = [](int&, COSValue* out, int, COSValue const*) {
                  out[0] = fromArray(BindingRegistry::announce(nullptr, intern("ozodouble")));
                }});
  addMethod(c, {.name = "done", .body = [](int& nlhs, COSValue*, int, COSValue const*) { EXPECT_EQ(nlhs, 1); }});
  addMethod(c, {.name = "boom", .result = "char vector", .body = [](int&, COSValue* out, int, COSValue const*) {
                  out[0] = textWord("half-made");  // must not leak when the call fails
                  throw Refused("boom");
                }});
}

class Dispatch : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    factory::registerKovoPackage("KD", [](COSPackage* pkg) {
      pkg->addClass(new TestClass("Base", defineBase), 2);
      pkg->addClass(new TestClass("Derived", [](COSClass* c) {
        c->addSuperclass(intern("KD.Base"), 1, 0, 1);
        addMethod(c, {.name = "who", .result = "char vector", .self = "KD.Derived", .body = answer("derived")});
      }), 2);
      pkg->addClass(new TestClass("Calc", defineCalc), 2);
      pkg->addClass(new TestClass("Abstract", nullptr), 2);
    });
  }
  void TearDown() override { before.expectUnchanged(); }
  static ArrayPtr call(std::string_view m, std::vector<ArrayPtr> args) {
    return Runtime::callStatic(Runtime::requireClass("KD.Calc"), m, args);
  }
  static std::string callText(std::string_view m, std::vector<ArrayPtr> args) { return call(m, std::move(args))->utf8(); }
  LiveCounts const before{};
  int const destroyed = TestClass::destroyCalls();
};

TEST_F(Dispatch, TheCheapestFittingOverloadWins) {
  ArrayPtr derived = makeObject("KD.Derived", 1);
  EXPECT_EQ(callText("f", {i32(-3)}), "int32 -3");
  EXPECT_EQ(callText("f", {num(3)}), "double");  // the exact class beats a conversion
  EXPECT_EQ(callText("f", {logical(true)}), "logical");
  EXPECT_EQ(callText("f", {text("x")}), "text");
  EXPECT_EQ(callText("f", {empty()}), "text");  // the empty text beats an empty handle
  EXPECT_EQ(callText("f", {derived}), "base");  // through inheritance
  ArrayPtr handle(HostArray::createObjects(intern("KD.Abstract"), 0, 0), false);
  EXPECT_EQ(callText("f", {handle}), "base");  // an empty handle fits any class
}

TEST_F(Dispatch, NoFittingSignatureNamesTheGivenTypesAndTheCandidates) {
  ArrayPtr two(HostArray::create(ClassID::Double, 1, 2), false);
  EXPECT_EQ(errorOf([&] { call("f", {i32(1), two}); }),
            "No signature of \"f\" in class \"KD.Calc\" accepts (int32, 1x2 double array); candidates: f(int32 scalar), "
            "f(double scalar), f(char vector), f(KD.Base), f(logical scalar).");
  ArrayPtr abstract = makeObject("KD.Abstract", 0);
  EXPECT_EQ(errorOf([&] { call("sum", {abstract, ArrayPtr(HostArray::createObjects(intern("KD.Base"), 0, 0), false)}); }),
            "No signature of \"sum\" in class \"KD.Calc\" accepts (KD.Abstract, empty); candidates: "
            "sum(double scalar, double scalar).");
  ArrayPtr base = makeObject("KD.Base", 4);
  EXPECT_EQ(errorOf([&] { Runtime::callMethod(base, "add", std::vector<ArrayPtr>{text("x")}); }),
            "No signature of \"add\" in class \"KD.Base\" accepts (KD.Base, char); candidates: "
            "add(KD.Base, int32 scalar).");
  EXPECT_EQ(errorOf([&] { call("missing", {}); }), "No method \"missing\" in class \"KD.Calc\".");
  EXPECT_EQ(errorOf([&] { Runtime::callMethod(num(1), "who", {}); }), "No method \"who\" in class \"double\".");
  EXPECT_EQ(errorOf([&] { Runtime::requireClass("KD.Nope"); }), "Unknown class \"KD.Nope\".");
  EXPECT_EQ(errorOf([&] { Runtime::requirePackage("KD.sub"); }), "Unknown package \"KD.sub\".");
  EXPECT_EQ(errorOf([&] { Runtime::callFunction(Runtime::requirePackage("KD"), "Nope", {}); }),
            "No function \"Nope\" in package \"KD\".");
}

TEST_F(Dispatch, ArgumentConversions) {
  EXPECT_EQ(call("g", {num(-4)})->int32s()[0], -4);
  EXPECT_EQ(call("g", {logical(true)})->int32s()[0], 1);
  EXPECT_THROW(call("g", {num(4.5)}), HostError);
  EXPECT_THROW(call("g", {num(3e9)}), HostError);
  EXPECT_EQ(call("sum", {i32(2), logical(true)})->doubles()[0], 3.0);
  EXPECT_EQ(call("not", {num(0.5)})->logicals()[0], 0);
  EXPECT_THROW(call("not", {num(std::nan(""))}), HostError);

  ArrayPtr m(HostArray::create(ClassID::Double, 2, 3), false);
  for (int i = 0; i < 6; ++i) m->doubles()[i] = i - 2;
  ArrayPtr r = call("ints", {m});
  EXPECT_EQ(r->classID(), ClassID::Int32);
  EXPECT_EQ(r->rows(), 2u);
  EXPECT_EQ(r->cols(), 3u);
  EXPECT_EQ(r->int32s()[0], -2);
  m->doubles()[5] = 0.5;
  EXPECT_THROW(call("ints", {m}), HostError);
  ArrayPtr none = call("ints", {empty()});
  EXPECT_EQ(none->classID(), ClassID::Int32);
  EXPECT_TRUE(none->isEmpty());

  ArrayPtr block(HostArray::create(ClassID::Char, 2, 2), false);
  EXPECT_THROW(call("f", {block}), HostError);  // "char vector" takes rows only
}

TEST_F(Dispatch, ResultsTakeTheSignaturesFormAndInvokerErrorsPassUnchanged) {
  // No result, no object and an empty optional all come back as the empty array.
  for (char const* m : {"done", "nothing", "nada"}) {
    ArrayPtr r = call(m, {});
    EXPECT_TRUE(r->isEmpty() && r->classID() == ClassID::Double) << m;
  }
  EXPECT_THROW(call("boom", {}), Refused);
  EXPECT_EQ(errorOf([&] { call("boom", {}); }), "boom");
}

TEST_F(Dispatch, InstanceExplicitAndStaticMethods) {
  ArrayPtr base = makeObject("KD.Base", 10);
  ArrayPtr derived = makeObject("KD.Derived", 20);
  std::vector<ArrayPtr> const none;
  EXPECT_EQ(Runtime::callMethod(base, "who", none)->utf8(), "base 10");
  EXPECT_EQ(Runtime::callMethod(derived, "who", none)->utf8(), "derived");  // the nearer class wins the tie
  EXPECT_EQ(Runtime::callMethod(derived, "add", std::vector<ArrayPtr>{num(5)})->int32s()[0], 25);
  EXPECT_EQ(Runtime::callMethod(base, "explicitly", std::vector<ArrayPtr>{i32(1)})->utf8(), "explicit");
  COSClass* baseClass = Runtime::requireClass("KD.Base");
  EXPECT_EQ(Runtime::callStatic(baseClass, "who", std::vector<ArrayPtr>{base})->utf8(), "base 10");
  EXPECT_EQ(Runtime::callStatic(baseClass, "explicitly", std::vector<ArrayPtr>{derived, i32(1)})->utf8(), "explicit");
  // An empty handle as self reaches the invoker, which reports it.
  ArrayPtr handle(HostArray::createObjects(intern("KD.Base"), 0, 0), false);
  EXPECT_EQ(Runtime::callStatic(baseClass, "who", std::vector<ArrayPtr>{handle})->utf8(), "empty self");
  EXPECT_EQ(Runtime::callMethod(handle, "who", none)->utf8(), "empty self");
  // Static methods are reachable through an object too.
  ArrayPtr made = Runtime::callMethod(base, "make", std::vector<ArrayPtr>{i32(3)});
  EXPECT_EQ(Runtime::classOf(made), baseClass);
  EXPECT_EQ(Runtime::callMethod(made, "add", std::vector<ArrayPtr>{i32(1)})->int32s()[0], 4);
}

TEST_F(Dispatch, DestroyedObjectsAreRefusedBeforeAnyInvokerRuns) {
  ArrayPtr base = makeObject("KD.Base", 1);
  ArrayPtr other = makeObject("KD.Base", 2);
  Runtime::destroy(other);
  EXPECT_EQ(TestClass::destroyCalls(), destroyed + 1);
  int const invokedBefore = gInvoked;
  std::string const deleted = "Invalid or deleted object.";
  EXPECT_EQ(errorOf([&] { call("f", {other}); }), deleted);
  EXPECT_EQ(errorOf([&] { Runtime::callMethod(other, "who", {}); }), deleted);
  EXPECT_EQ(errorOf([&] { Runtime::callMethod(base, "explicitly", std::vector<ArrayPtr>{other}); }), deleted);
  EXPECT_EQ(errorOf([&] { Runtime::getProperty(other, "Value"); }), deleted);
  EXPECT_EQ(errorOf([&] { Runtime::setProperty(base, "Label", other); }), deleted);
  ArrayPtr both(HostArray::createObjects(intern("KD.Base"), 1, 2), false);
  both->objects()[0] = omGetArrayElement(base.get(), 0);
  both->objects()[1] = omGetArrayElement(other.get(), 0);
  EXPECT_EQ(errorOf([&] { call("f", {both}); }), deleted);
  EXPECT_EQ(gInvoked, invokedBefore);
}

TEST_F(Dispatch, Constructors) {
  COSClass* baseClass = Runtime::requireClass("KD.Base");
  {
    ArrayPtr b = Runtime::construct(baseClass, std::vector<ArrayPtr>{num(42)});
    COSInterfacePtr o = omGetArrayElement(b.get(), 0);
    ASSERT_TRUE(o);
    EXPECT_EQ(BindingRegistry::find(o->bound()), o.get());
    EXPECT_EQ(Runtime::getProperty(b, "Value")->int32s()[0], 42);
  }
  EXPECT_EQ(TestClass::destroyCalls(), destroyed + 1);

  // A failing constructor drops its unbound object without destroyInstance.
  EXPECT_THROW(Runtime::construct(baseClass, std::vector<ArrayPtr>{text("x")}), Refused);
  EXPECT_EQ(errorOf([&] { Runtime::construct(baseClass, std::vector<ArrayPtr>{logical(true)}); }),
            "The constructor of class \"KD.Base\" did not create an object.");
  EXPECT_EQ(TestClass::destroyCalls(), destroyed + 1);
  EXPECT_EQ(errorOf([&] { Runtime::construct(baseClass, {}); }),
            "No signature of \"Base\" in class \"KD.Base\" accepts (); candidates: Base(int32 scalar), "
            "Base(char vector), Base(logical scalar).");
  EXPECT_EQ(errorOf([&] { Runtime::construct(Runtime::requireClass("KD.Derived"), std::vector<ArrayPtr>{i32(1)}); }),
            "Class \"KD.Derived\" has no constructor.");
}

TEST_F(Dispatch, Properties) {
  ArrayPtr derived = makeObject("KD.Derived", 7);
  EXPECT_EQ(Runtime::getProperty(derived, "Value")->int32s()[0], 7);  // inherited
  Runtime::setProperty(derived, "Value", num(9));
  EXPECT_EQ(nativeOf(fromArray(derived.get()))->value, 9);
  EXPECT_EQ(errorOf([&] { Runtime::setProperty(derived, "Value", text("nine")); }),
            "Cannot set property \"Value\" of class \"KD.Derived\": expected int32 scalar, got char.");
  EXPECT_EQ(errorOf([&] { Runtime::getProperty(derived, "Nope"); }), "No property \"Nope\" in class \"KD.Derived\".");
  EXPECT_EQ(nativeOf(fromArray(derived.get()))->value, 9);

  auto* label = static_cast<TestProperty*>(Runtime::requireClass("KD.Base")->findProperty("Label"));
  Runtime::setProperty(derived, "Label", text("speed"));
  int const releases = label->releases;
  EXPECT_EQ(Runtime::getProperty(derived, "Label")->utf8(), "speed");
  EXPECT_EQ(label->releases, releases + 1);
  Runtime::setProperty(derived, "Label", empty());  // the empty text
  EXPECT_EQ(Runtime::getProperty(derived, "Label")->classID(), ClassID::Char);

  ArrayPtr row(HostArray::create(ClassID::Int32, 1, 2), false);
  Runtime::setProperty(derived, "Optional", row);
  ArrayPtr opt = Runtime::getProperty(derived, "Optional");
  EXPECT_EQ(opt->classID(), ClassID::Double);
  EXPECT_EQ(opt->numel(), 2u);

  COSClass* baseClass = Runtime::requireClass("KD.Base");
  EXPECT_EQ(Runtime::getStaticProperty(baseClass, "Count")->doubles()[0], 2.5);
  EXPECT_EQ(Runtime::getProperty(derived, "Count")->doubles()[0], 2.5);
  EXPECT_EQ(errorOf([&] { Runtime::getStaticProperty(baseClass, "Value"); }),
            "Property \"Value\" of class \"KD.Base\" needs an object.");
  // An empty handle reaches the descriptor with nothing bound.
  ArrayPtr handle(HostArray::createObjects(intern("KD.Base"), 0, 0), false);
  EXPECT_EQ(errorOf([&] { Runtime::getProperty(handle, "Value"); }), "no object behind the handle");

  destroyArray(toArray(gLabel));
  destroyArray(toArray(gOptional));
  gLabel = gOptional = 0;
}

TEST_F(Dispatch, Convert) {
  EXPECT_FALSE(Runtime::convert(num(1.5), intern("int32 scalar")));
  EXPECT_EQ(Runtime::convert(num(2), intern("int32 scalar"))->classID(), ClassID::Int32);
  ArrayPtr t = text("a");
  EXPECT_EQ(Runtime::convert(t, intern("char vector")), t);
  EXPECT_EQ(Runtime::convert(empty(), intern("char"))->classID(), ClassID::Char);
}

}  // namespace
}  // namespace kovo
