// Primitive values (boxing round trips, text), what reading allocates, the
// assertion facility and the runtime's errors.
#include "platform/ozo/TestClasses.hpp"
#include "support/AllocationProbe.hpp"

#include <Ozo/Except.hpp>

#include <boost/exception_ptr.hpp>

#include <clocale>
#include <cstring>
#include <limits>

namespace {

using namespace ozotest;

using testsupport::allocationsOf;

class Values : public ThingTest {};

TEST_F(Values, PrimitivesRoundTrip) {
  for (int v : {0, 1, -1, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()})
    EXPECT_EQ(Ozo::Integer(Ozo::Object(Ozo::Integer(v))).value(), v);
  for (double v : {0.0, -0.5, 1e300, std::numeric_limits<double>::denorm_min()})
    EXPECT_EQ(Ozo::Real(Ozo::Object(Ozo::Real(v))).value(), v);
  EXPECT_TRUE(Ozo::Boolean(Ozo::Object(Ozo::Boolean(true))).value());
  EXPECT_FALSE(Ozo::Boolean(Ozo::Object(Ozo::Boolean(false))).value());
  EXPECT_EQ(Ozo::String(Ozo::Object(Ozo::String(u"h\u00e9llo"))).text(), u"h\u00e9llo");

  EXPECT_EQ(Ozo::Object(Ozo::Integer(-7)).getMetaType().type()->name(), "Integer");
  EXPECT_EQ(Ozo::Object(Ozo::Integer(-7)).toString(), "-7");
  EXPECT_EQ(Ozo::Object(Ozo::Real(0.1)).toString(), "0.10000000000000001");  // every digit kept
  EXPECT_EQ(Ozo::Object(Ozo::Real(1.0)).getMetaType().type()->name(), "Real");
  EXPECT_EQ(Ozo::Object(Ozo::Boolean(false)).toString(), "false");
  EXPECT_EQ(Ozo::Object(Ozo::Boolean(true)).getMetaType().type()->name(), "Boolean");
  EXPECT_EQ(Ozo::Object(Ozo::String("abc")).getMetaType().type()->name(), "String");
}

// A text's units start inside the box's own padding: every length, the empty
// text and ones that end exactly there included, keeps all its units and
// nothing of its neighbours'.
TEST_F(Values, TextsOfEveryLengthRoundTrip) {
  std::vector<Ozo::Object> boxes;
  std::vector<std::u16string> texts;
  for (std::size_t n = 0; n <= 40; ++n) {
    std::u16string t;
    for (std::size_t i = 0; i < n; ++i) t.push_back(static_cast<char16_t>(u'a' + (i + n) % 26));
    if (n) t.back() = u'\u20ac';
    texts.push_back(t);
    boxes.push_back(Ozo::String(t));
  }
  for (std::size_t n = 0; n < boxes.size(); ++n) EXPECT_EQ(Ozo::String(boxes[n]).text(), texts[n]) << n;
}

// Boxing numbers and truth values, and an Integer property's read and write.
TEST_F(Values, BoxingAndIntegerPropertyAccessDoNotAllocate) {
  set(a, Count, Ozo::Integer(1));
  std::int64_t sum = 0;
  std::size_t const n = allocationsOf([&] {
    for (int i = 0; i < 100; ++i) {
      Ozo::Object const boxedInt = Ozo::Integer(i), boxedReal = Ozo::Real(i * 0.5),
                        boxedBool = Ozo::Boolean(i % 2 == 0);
      sum += Ozo::Integer(boxedInt).value() + static_cast<std::int64_t>(Ozo::Real(boxedReal).value()) +
             Ozo::Boolean(boxedBool).value();
      set(a, Count, Ozo::Integer(i));
      sum += Ozo::Integer(get(a, Count)).value();
    }
  }).count;
  EXPECT_EQ(n, 0u);
  EXPECT_GT(sum, 0);
  // Short texts travel in their handle; longer ones are counted objects.
  EXPECT_EQ(allocationsOf([] { Ozo::Object const s = Ozo::String(u"speed"); }).count, 0u);
  EXPECT_GT(allocationsOf([] { Ozo::Object const s = Ozo::String(u"velocity"); }).count, 0u);
}

// Texts of up to seven units of at most 0xFF travel in the handle's word:
// every unit value (0 and 0xFF too) and every length up to the limit and one
// past it read back whole, whichever way they were boxed; so do one unit
// above 0xFF, and the text a String property keeps.
TEST_F(Values, ShortTextsRoundTripAcrossTheLimit) {
  for (char16_t const unit : {u'\0', u'a', u'\u00e9', u'\u00ff', u'\u0100', u'\u20ac'}) {
    for (std::size_t n = 0; n <= 9; ++n) {
      std::u16string t;
      for (std::size_t i = 0; i < n; ++i) t.push_back(i % 2 ? unit : static_cast<char16_t>(u'k' + i));
      Ozo::Object const boxed = Ozo::String(t);
      EXPECT_EQ(Ozo::String(boxed).text(), t) << n << " units around " << int(unit);
      EXPECT_EQ(Ozo::String(Ozo::String(boxed).text()), Ozo::String(t));
      EXPECT_EQ(boxed.toString(), Ozo::String(t).utf8());
      EXPECT_EQ(boxed.getMetaType().type()->name(), "String");
    }
  }
  set(a, Label, Ozo::String(u"h\u00e9"));
  EXPECT_EQ(Ozo::String(get(a, Label)).text(), u"h\u00e9");
  set(a, Label, Ozo::String(u""));
  EXPECT_EQ(Ozo::String(get(a, Label)).text(), u"");
  EXPECT_EQ(failure([] { Ozo::Integer(Ozo::Object(Ozo::String("t"))); }),
            "Assertion failed: Expected a value of type Integer, got Ozo.String at ozo/Ozo/Object_h:141: ");
}

// A walk over derived children reads one list made after the last change,
// not a new list on every size and at (a quadratic walk).
TEST_F(Values, WalkingDerivedChildrenMakesOneList) {
  auto const parts = collection(a, Parts);
  for (int i = 0; i < 200; ++i) parts.push_back(asObject(thing(m)));
  auto const& root = Ozo::NSInterface::ClassObjectIntf::sIntrospectiveMethods;
  Ozo::Collection<Ozo::ImmutableObject> const children(root.accessors->get(a, 4));
  std::size_t const n = allocationsOf([&] {
    for (std::size_t i = 0; i < children.size(); ++i) EXPECT_TRUE(children.at(i).isValid());
  }).count;
  EXPECT_LT(n, 100u) << "growing one list takes a few; a list per size and at takes 400 or more";
}

TEST_F(Values, UnboxingAnotherTypeFails) {
  EXPECT_EQ(failure([] { Ozo::Integer(Ozo::Object(Ozo::Real(1.5))); }),
            "Assertion failed: Expected a value of type Integer, got Ozo.Real at ozo/Ozo/Object_h:141: ");
  EXPECT_EQ(failure([] { Ozo::Real(Ozo::Object(Ozo::Integer(1))); }),
            "Assertion failed: Expected a value of type Real, got Ozo.Integer at ozo/Ozo/Object_h:152: ");
  EXPECT_EQ(failure([] { Ozo::Boolean(Ozo::Object(Ozo::String("t"))); }),
            "Assertion failed: Expected a value of type Boolean, got Ozo.String at ozo/Ozo/Object_h:163: ");
  EXPECT_EQ(failure([&] { Ozo::String(Ozo::Object(m)); }),
            "Assertion failed: Expected a value of type String, got Ozo.Model at ozo/Ozo/Object_h:174: ");
  EXPECT_EQ(failure([] { Ozo::Integer(Ozo::Object{}); }),
            testsupport::kNullRef);
}

// ---------------------------------------------------------------------------
std::string failureOf(Ozo::AsserterEx<Ozo::Exception> const& a, char const* file, int line) {
  try {
    Ozo::LocalAsserter at{file, line, ""};
    at = a;
  } catch (Ozo::Exception const& e) {
    return e.what();
  }
  return "";
}

TEST(Assertions, MessagesAreCutTo4096Characters) {
  std::string const longText(5000, 'x');
  std::string const text = failureOf(Ozo::Asserter::Make<Ozo::Exception>(false, "%s", longText.c_str()), "h", 1);
  EXPECT_EQ(text, "Assertion failed: " + std::string(4096, 'x') + " at h:1: ");
  EXPECT_EQ(std::strlen(Ozo::Asserter::fLogBuf), 4096u);
}

TEST(Assertions, FormattingFailureClearsTheWholeBuffer) {
  // A wide character the "C" locale cannot encode makes the formatter fail.
  // The process's locale is put back whatever happens here.
  struct RestoreLocale {
    std::string saved = std::setlocale(LC_ALL, nullptr);
    ~RestoreLocale() { std::setlocale(LC_ALL, saved.c_str()); }
  } restore;
  std::setlocale(LC_ALL, "C");
  std::memset(Ozo::Asserter::fLogBuf, 'z', sizeof Ozo::Asserter::fLogBuf - 1);
  std::string const text = failureOf(Ozo::Asserter::Make<Ozo::Exception>(false, "%ls", L"\u00e9t\u00e9"), "h", 9);
  EXPECT_EQ(text, "Assertion failed:  at h:9: ");
  for (char c : Ozo::Asserter::fLogBuf) ASSERT_EQ(c, '\0');
}

// An empty object handle's message is checked with the values and elements.
TEST(Assertions, EmptyModelHandleReportsTheNullRefMessage) {
  EXPECT_EQ(testsupport::errorOf<Ozo::Exception>([] { (void)Ozo::Model().checkedModel(); }),
            testsupport::nullRefText("ozo/Ozo/Model_h", 84));
}

TEST(Assertions, OutOfMemoryIsACopyableBadAlloc) {
  using Thrown = boost::exception_detail::clone_impl<foundation::core::except::detail::bad_alloc_impl>;
  bool caught = false;
  try {
    Ozo::throwOutOfMemory();
  } catch (Thrown const& e) {
    caught = true;
    EXPECT_STREQ(e.what(), "Out of memory.");
    // Boost can carry it across an exception pointer.
    boost::exception_ptr const p = boost::current_exception();
    EXPECT_THROW(boost::rethrow_exception(p), std::bad_alloc);
  }
  EXPECT_TRUE(caught);
}

}  // namespace
