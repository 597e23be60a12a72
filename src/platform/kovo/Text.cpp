// Text conversions between UTF-8 and UTF-16.
#include <kovo/Text.hpp>

namespace kovo {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Decodes UTF-8 into UTF-16 code units, handing each to `emit`.
template <class Emit>
void decodeUtf8(std::string_view s, Emit emit) {
  while (!s.empty()) {
    Utf8Char const ch = decodeUtf8Char(s);
    s.remove_prefix(ch.length ? ch.length : 1);
    if (ch.code >= 0x10000) {
      char32_t const c = ch.code - 0x10000;
      emit(static_cast<char16_t>(0xD800 + (c >> 10)));
      emit(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      emit(static_cast<char16_t>(ch.code));
    }
  }
}

}  // namespace

Utf8Char decodeUtf8Char(std::string_view utf8) noexcept {
  auto const* p = reinterpret_cast<unsigned char const*>(utf8.data());
  unsigned char const lead = p[0];
  if (lead < 0x80) return {lead, 1};
  constexpr Utf8Char bad{kReplacement, 0};
  std::size_t need = 0;
  char32_t c = 0;
  char32_t min = 0;
  if ((lead & 0xE0) == 0xC0) { need = 1; c = lead & 0x1Fu; min = 0x80; }
  else if ((lead & 0xF0) == 0xE0) { need = 2; c = lead & 0x0Fu; min = 0x800; }
  else if ((lead & 0xF8) == 0xF0) { need = 3; c = lead & 0x07u; min = 0x10000; }
  else return bad;
  if (need >= utf8.size()) return bad;
  for (std::size_t k = 1; k <= need; ++k) {
    if ((p[k] & 0xC0) != 0x80) return bad;
    c = (c << 6) | (p[k] & 0x3Fu);
  }
  if (c < min || c > 0x10FFFF || isSurrogate(c)) return bad;
  return {c, need + 1};
}

std::u16string utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  decodeUtf8(utf8, [&](char16_t u) { out.push_back(u); });
  return out;
}

std::size_t utf16Length(std::string_view utf8) noexcept {
  std::size_t n = 0;
  decodeUtf8(utf8, [&](char16_t) { ++n; });
  return n;
}

std::string utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00u);
      ++i;
    } else if (isSurrogate(c)) {
      c = kReplacement;
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

}  // namespace kovo
