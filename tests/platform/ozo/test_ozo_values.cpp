// Primitive values (boxing round trips, boxing without allocation, text), the
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

TEST_F(Values, BoxingIntegersRealsAndBooleansDoesNotAllocate) {
  std::int64_t sum = 0;
  std::size_t const n = allocationsOf([&] {
    for (int i = 0; i < 100; ++i) {
      Ozo::Object const boxedInt = Ozo::Integer(i), boxedReal = Ozo::Real(i * 0.5),
                        boxedBool = Ozo::Boolean(i % 2 == 0);
      sum += Ozo::Integer(boxedInt).value() + static_cast<std::int64_t>(Ozo::Real(boxedReal).value()) +
             Ozo::Boolean(boxedBool).value();
    }
  }).count;
  EXPECT_EQ(n, 0u);
  EXPECT_GT(sum, 0);
  // Strings are counted objects.
  EXPECT_GT(allocationsOf([] { Ozo::Object const s = Ozo::String(u"x"); }).count, 0u);
}

TEST_F(Values, ReadingAndWritingAnIntegerPropertyDoesNotAllocate) {
  set(a, Count, Ozo::Integer(1));
  int total = 0;
  std::size_t const n = allocationsOf([&] {
    for (int i = 0; i < 100; ++i) {
      set(a, Count, Ozo::Integer(i));
      total += Ozo::Integer(get(a, Count)).value();
    }
  }).count;
  EXPECT_EQ(n, 0u);
  EXPECT_EQ(total, 4950);
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
  EXPECT_EQ(failure([] { Ozo::Integer(Ozo::Object()); }),
            "Assertion failed: Cannot access NULL ref. Use isValid() before calling methods at ozo/Ozo/Object_h:83: ");
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

TEST(Assertions, FailedCheckComposesTheMessageLayout) {
  EXPECT_EQ(failureOf(Ozo::Asserter::Make<Ozo::Exception>(false, "bad %s %d", "index", 7), "ozo/Ozo/X_h", 12),
            "Assertion failed: bad index 7 at ozo/Ozo/X_h:12: ");
  EXPECT_EQ(testsupport::errorOf<Ozo::Exception>([&] { OZO_FAIL_AT("hdr", 3, "%s", "always"); }),
            "Assertion failed: always at hdr:3: ");
}

TEST(Assertions, MessagesAreCutTo4096Characters) {
  std::string const longText(5000, 'x');
  std::string const text = failureOf(Ozo::Asserter::Make<Ozo::Exception>(false, "%s", longText.c_str()), "h", 1);
  EXPECT_EQ(text, "Assertion failed: " + std::string(4096, 'x') + " at h:1: ");
  EXPECT_EQ(std::strlen(Ozo::Asserter::fLogBuf), 4096u);
}

TEST(Assertions, PassingCheckLeavesTheBufferAlone) {
  std::strcpy(Ozo::Asserter::fLogBuf, "previous message");
  auto const ok = Ozo::Asserter::Make<Ozo::Exception>(true, "%s", "never formatted");
  EXPECT_TRUE(ok.ok());
  EXPECT_EQ(failureOf(ok, "h", 1), "");
  EXPECT_STREQ(Ozo::Asserter::fLogBuf, "previous message");
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
            "Assertion failed: Cannot access NULL ref. Use isValid() before calling methods at ozo/Ozo/Model_h:84: ");
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
  alignas(Thrown) unsigned char block[sizeof(Thrown)];
  foundation::core::except::bad_alloc(block);
  auto* const built = reinterpret_cast<Thrown*>(block);
  EXPECT_STREQ(built->what(), "Out of memory.");
  built->~Thrown();
}

}  // namespace
