// The assertion facility and the runtime's errors.
#include <Ozo/Except.hpp>
#include <Ozo/Meta.hpp>

#include <gtest/gtest.h>

#include "support/ErrorOf.hpp"

#include <boost/exception_ptr.hpp>

#include <clocale>
#include <cstring>
#include <string>

namespace {

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
