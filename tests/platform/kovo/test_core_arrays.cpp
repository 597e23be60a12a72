// Interning, host arrays and the platform's one UTF-8 / UTF-16 decoder and
// encoder.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/ErrorOf.hpp"

#include <kovo/HostArray.hpp>
#include <kovo/Object.hpp>
#include <kovo/OpenTable.hpp>
#include <kovo/Text.hpp>

#include <climits>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace kovo {
namespace {

TEST(Interning, SameTextSameIdAndEmptyIsTheEmptyId) {
  std::string a = "Zorvan.metamodel";
  std::string b = "Zorvan.metamodel";
  EXPECT_EQ(intern(a).c_str(), intern(b.c_str()).c_str());
  EXPECT_EQ(intern(a).c_str(), internal::makeInterned(b.c_str()));
  EXPECT_NE(intern("x"), intern("y"));
  EXPECT_TRUE(intern(static_cast<char const*>(nullptr)).empty());
  EXPECT_TRUE(intern(std::string_view()).empty());
  EXPECT_EQ(intern(""), Interned());
}

// A name spelled from pieces is the name spelled whole, on the stack or, past
// its room, on the heap; no pieces, or empty ones, spell the empty id.
TEST(Interning, PiecesSpellTheWholeName) {
  EXPECT_EQ(intern({"Zorvan.metamodel", ".", "types"}).c_str(), intern("Zorvan.metamodel.types").c_str());
  EXPECT_EQ(intern({"", "Ab", "", "c"}).view(), "Abc");
  std::string const longPart(300, 'p');
  EXPECT_EQ(intern({"Long.", longPart, ".End"}).c_str(), intern("Long." + longPart + ".End").c_str());
  EXPECT_TRUE(intern({"", ""}).empty());
  EXPECT_TRUE(intern(std::initializer_list<std::string_view>{}).empty());
}

// Interning remembers the id found for a text's address: a buffer reused
// for another name must get that name's id, not the one remembered.
TEST(Interning, AReusedBufferIsInternedByItsNewText) {
  char buffer[32] = "Some.First.Name";
  char const* const first = intern(buffer).c_str();
  std::snprintf(buffer, sizeof buffer, "%s", "Some.Other.Name");
  EXPECT_EQ(intern(buffer).view(), "Some.Other.Name");
  EXPECT_EQ(internal::makeInterned(buffer), intern("Some.Other.Name").c_str());
  std::snprintf(buffer, sizeof buffer, "%s", "Some.First.Name");
  EXPECT_EQ(intern(buffer).c_str(), first);
}

// Stored copies are packed together: many names, short and long, keep their
// ids and texts (a store that moved or overlapped copies would break them).
TEST(Interning, ManyNamesKeepTheirIdsAndTexts) {
  std::vector<std::pair<std::string, char const*>> kept;
  for (int i = 0; i < 4000; ++i) {
    std::string name = "Interning.Many." + std::to_string(i);
    if (i % 500 == 0) name.append(std::size_t(6000 + i), 'x');  // longer than a block's share
    char const* const id = intern(name).c_str();
    kept.emplace_back(std::move(name), id);
  }
  for (auto const& [name, id] : kept) {
    EXPECT_EQ(std::string_view(id), name);
    EXPECT_EQ(intern(name).c_str(), id);
  }
}

// Equal lists are one stored list; order and length tell lists apart.
TEST(Interning, ListsAreStoredOncePerContent) {
  Interned const a = intern("ListA"), b = intern("ListB");
  std::vector<Interned> const ab{a, b}, ba{b, a}, abCopy{a, b};
  InternedList const first = internList(ab.data(), ab.size());
  InternedList const again = internList(abCopy.data(), abCopy.size());
  EXPECT_EQ(first.begin(), again.begin());
  EXPECT_EQ(std::vector<Interned>(first.begin(), first.end()), ab);
  InternedList const reversed = internList(ba.data(), ba.size());
  EXPECT_NE(reversed.begin(), first.begin());
  EXPECT_EQ(reversed[0], b);
  EXPECT_NE(internList(ab.data(), 1).begin(), first.begin());
  EXPECT_EQ(internList(ab.data(), 1).size(), 1u);
  EXPECT_TRUE(internList(ab.data(), 0).empty());
}

// A table keyed by a hash is searched with a match: entries that share the
// key but do not match are passed over, also after erasures and growth.
// Keyed by length here, so that keys collide all the time (real names' hashes
// almost never do, so nothing else reaches this path).
// Keys are often addresses of records made one after another: whatever the
// step, they must spread. A bare multiply by the golden ratio put runs of
// hundreds together for steps whose product with it is near a whole number
// (144 bytes: about 21 places past home on average; 504: about 74).
TEST(OpenTables, AddressesInStepsSpreadWhateverTheStep) {
  struct ByValue {
    static std::uintptr_t key(std::uintptr_t k) { return k; }
    static bool isFree(std::uintptr_t k) { return k == 0; }
  };
  constexpr std::uintptr_t kBase = 0x7f0000001000;
  constexpr std::size_t kCount = 20000;
  for (std::uintptr_t step = 8; step <= 512; step += 8) {
    OpenTable<std::uintptr_t, ByValue> table;
    for (std::size_t i = 0; i < kCount; ++i) table.insert(kBase + step * i);
    std::size_t total = 0;
    for (std::size_t i = 0; i < kCount; ++i) {
      std::uintptr_t const* const e = table.find(kBase + step * i);
      ASSERT_NE(e, nullptr);
      total += table.displacement(e);
    }
    EXPECT_LT(static_cast<double>(total) / kCount, 3.0) << "step " << step;
  }
}

TEST(OpenTables, EntriesSharingAKeyAreToldApartByTheMatch) {
  struct ByLength {
    static std::uintptr_t key(char const* s) { return std::strlen(s); }
    static bool isFree(char const* s) { return s == nullptr; }
  };
  OpenTable<char const*, ByLength> table;
  std::vector<std::string> const names{"a", "b", "c", "dd", "ee", "fff"};
  auto const find = [&table](std::string const& n) {
    char const* const* e = table.find(n.size(), [&n](char const* s) { return n == s; });
    return e ? *e : nullptr;
  };
  for (std::string const& n : names) table.insert(n.c_str());
  for (std::string const& n : names) EXPECT_EQ(find(n), n.c_str()) << n;
  EXPECT_EQ(find("z"), nullptr);  // its key's run holds a, b and c
  table.erase(table.find(1, [](char const* s) { return *s == 'a'; }));
  EXPECT_EQ(find("a"), nullptr);
  EXPECT_EQ(find("b"), names[1].c_str());
  EXPECT_EQ(find("c"), names[2].c_str());
  std::vector<std::string> many;
  for (int i = 0; i < 200; ++i)
    many.push_back(std::string(std::size_t(1 + i % 3), char('g' + i % 20)) + std::to_string(i));
  for (std::string const& n : many) table.insert(n.c_str());
  for (std::string const& n : many) EXPECT_EQ(find(n), n.c_str()) << n;
  EXPECT_EQ(find("c"), names[2].c_str());
}

TEST(HostArrays, ShapesClassesAndEmptiness) {
  std::size_t const before = HostArray::live();
  {
    ArrayPtr m(HostArray::create(ClassID::Int32, 2, 3), false);
    EXPECT_EQ(m->numel(), 6u);
    EXPECT_EQ(m->int32s()[5], 0);
    EXPECT_EQ(m->className().view(), "int32");
    ArrayPtr e(HostArray::createEmpty(), false);
    EXPECT_TRUE(e->isEmpty());
    EXPECT_EQ(e->classID(), ClassID::Double);
    // The empty value is one shared array, not counted among the live ones.
    EXPECT_EQ(ArrayPtr(HostArray::createEmpty(), false).get(), e.get());
    ArrayPtr s(HostArray::createString(std::string_view()), false);
    EXPECT_EQ(s->classID(), ClassID::Char);
    EXPECT_EQ(s->rows(), 0u);
    EXPECT_EQ(s->cols(), 0u);
    // An empty object array still names its class: it is an empty handle.
    ArrayPtr h(HostArray::createObjects(intern("Some.Class"), 0, 0), false);
    EXPECT_EQ(h->className().view(), "Some.Class");
    EXPECT_FALSE(omGetArrayElement(h.get(), 0));
    EXPECT_EQ(HostArray::live(), before + 3);
    ArrayPtr copy = m;
    EXPECT_EQ(HostArray::live(), before + 3);
  }
  EXPECT_EQ(HostArray::live(), before);
}

// Small arrays keep their elements inside the array, larger ones in a block
// of their own: both start zeroed and never share storage.
TEST(HostArrays, SmallAndLargeArraysAreZeroFilledAndIndependent) {
  for (std::size_t cols : {1u, 2u, 4u, 5u, 9u}) {
    ArrayPtr a(HostArray::create(ClassID::Char, 1, cols), false);
    ArrayPtr b(HostArray::create(ClassID::Char, 1, cols), false);
    for (std::size_t i = 0; i < cols; ++i) EXPECT_EQ(a->chars()[i], 0) << cols;
    for (std::size_t i = 0; i < cols; ++i) a->chars()[i] = static_cast<char16_t>(u'a' + i);
    EXPECT_EQ(a->ustring().size(), cols);
    EXPECT_EQ(a->ustring()[cols - 1], static_cast<char16_t>(u'a' + cols - 1));
    EXPECT_EQ(b->ustring(), std::u16string(cols, u'\0'));
  }
  // Small integers are shared and uncounted; others are arrays of their own.
  std::size_t const before = HostArray::live();
  ArrayPtr small(HostArray::createInt32(7), false), again(HostArray::createInt32(7), false);
  ArrayPtr edge(HostArray::createInt32(-16), false), last(HostArray::createInt32(1023), false);
  EXPECT_EQ(small.get(), again.get());
  EXPECT_EQ(edge->int32s()[0], -16);
  EXPECT_EQ(last->int32s()[0], 1023);
  EXPECT_EQ(HostArray::live(), before);
  ArrayPtr big(HostArray::createInt32(1024), false), big2(HostArray::createInt32(1024), false);
  ArrayPtr low(HostArray::createInt32(-17), false);
  EXPECT_NE(big.get(), big2.get());
  EXPECT_EQ(big->int32s()[0], 1024);
  EXPECT_EQ(low->int32s()[0], -17);
  EXPECT_EQ(HostArray::live(), before + 3);
  ArrayPtr l(HostArray::create(ClassID::Logical, 2, 4), false);
  for (std::size_t k = 0; k < 8; ++k) EXPECT_EQ(l->logicals()[k], 0);
}

TEST(HostArrays, SizeLimitsAreCheckedBeforeAllocating) {
  std::size_t const before = HostArray::live();
  auto expectRefused = [](std::size_t rows, std::size_t cols) {
    EXPECT_EQ(testsupport::errorOf<HostError>([&] { HostArray::create(ClassID::Double, rows, cols); }),
              "Requested array exceeds the maximum array size.")
        << rows << "x" << cols;
  };
  expectRefused(1, HostArray::kMaxElements + 1);
  expectRefused(SIZE_MAX, 2);  // rows * cols wraps around
  expectRefused(std::size_t{1} << 32, std::size_t{1} << 32);
  EXPECT_THROW(HostArray::createObjects(intern("C"), HostArray::kMaxElements, 2), HostError);
  EXPECT_EQ(HostArray::live(), before);
  ArrayPtr zero(HostArray::create(ClassID::Double, 0, SIZE_MAX), false);  // empty: nothing to allocate
  EXPECT_TRUE(zero->isEmpty());
}

// ---------------------------------------------------------------------------
TEST(Text, WellFormedTextRoundTrips) {
  // One character of each length, the last one astral, and the largest.
  std::string const utf8 = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF";
  std::u16string const utf16 = u"a\u00e9\u20ac\U0001F600\U0010FFFF";
  EXPECT_EQ(utf8ToUtf16(utf8), utf16);
  EXPECT_EQ(utf16ToUtf8(utf16), utf8);
  EXPECT_EQ(utf16Length(utf8), utf16.size());
  // A leading U+FEFF or U+FFFE is a character, never a byte-order mark.
  EXPECT_EQ(utf8ToUtf16("\xEF\xBB\xBFx"), u"\uFEFFx");
  EXPECT_EQ(utf8ToUtf16("\xEF\xBF\xBEx"), u"\uFFFEx");
  EXPECT_EQ(utf16ToUtf8(u"\uFEFFx"), "\xEF\xBB\xBFx");
  EXPECT_EQ(utf8ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Text, MalformedUtf8BecomesOneReplacementPerBadByte) {
  struct Case {
    char const* utf8;
    char16_t const* utf16;
  };
  Case const cases[] = {
      {"a\xFF" "b", u"a\uFFFDb"},
      {"\x80x", u"\uFFFDx"},                      // a stray continuation byte
      {"\xE2\x82", u"\uFFFD\uFFFD"},              // truncated
      {"x\xC3", u"x\uFFFD"},                      // truncated at the end
      {"\xC0\xAF", u"\uFFFD\uFFFD"},              // overlong
      {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},    // overlong in three bytes
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},    // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
      {"\xF5\x80\x80", u"\uFFFD\uFFFD\uFFFD"},    // lead bytes that never start a character
      {"\xF8\x80\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"\xE2\x28\xA1", u"\uFFFD(\uFFFD"},         // the byte that breaks a sequence is read again
  };
  for (Case const& c : cases) {
    std::u16string const want(c.utf16);
    EXPECT_EQ(utf8ToUtf16(c.utf8), want) << c.utf8;
    EXPECT_EQ(utf16Length(c.utf8), want.size()) << c.utf8;
  }
}

TEST(Text, DecodingOneCharacterTellsMalformedFromAnEncodedReplacement) {
  Utf8Char const encoded = decodeUtf8Char("\xEF\xBF\xBD!");
  EXPECT_EQ(encoded.code, U'\uFFFD');
  EXPECT_EQ(encoded.length, 3u);
  Utf8Char const bad = decodeUtf8Char("\xED\xA0\x80");
  EXPECT_EQ(bad.code, U'\uFFFD');
  EXPECT_EQ(bad.length, 0u);
  EXPECT_EQ(decodeUtf8Char("\xF0\x9F\x98").length, 0u);  // one byte short
  EXPECT_EQ(decodeUtf8Char("z").length, 1u);
}

TEST(Text, LoneSurrogatesBecomeReplacementsInUtf8) {
  EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
  EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
  // A high surrogate followed by something other than a low one stands alone.
  std::u16string const broken{char16_t(0xD83D), u'x', char16_t(0xDE00), char16_t(0xD83D)};
  EXPECT_EQ(utf16ToUtf8(broken), "\xEF\xBF\xBDx\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace kovo
