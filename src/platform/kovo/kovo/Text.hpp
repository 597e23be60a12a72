// Text conversions between UTF-8 bytes and UTF-16 code units, written once
// for the whole platform. UTF-16 is handled as char16_t code units in the
// machine's order, never as bytes, so no byte order arises and a leading
// U+FEFF is a character like any other. Conversion never fails: malformed
// UTF-8 becomes U+FFFD byte by byte, and a lone surrogate (which UTF-8
// cannot carry) becomes U+FFFD in UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kovo {

// The character at the start of a UTF-8 text. `length` is its byte count,
// or 0 when the bytes there are malformed (an overlong form, an encoded
// surrogate, a value beyond U+10FFFF, a stray continuation byte or a
// truncated sequence); then `code` is U+FFFD and the bad byte stands alone.
struct Utf8Char {
  char32_t code;
  std::size_t length;
};
Utf8Char decodeUtf8Char(std::string_view utf8) noexcept;  // `utf8` not empty

std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view utf16);
// Length in UTF-16 code units of the UTF-8 text `utf8`, without converting it.
std::size_t utf16Length(std::string_view utf8) noexcept;

}  // namespace kovo
