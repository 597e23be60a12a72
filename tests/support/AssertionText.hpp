// The texts of the runtime's failed assertions, as its errors carry them.
#pragma once

#include <string>
#include <string_view>

namespace testsupport {

// "Assertion failed: <message> at <source>:<line>: "
inline std::string assertionText(std::string_view message, std::string_view source, int line) {
  std::string text = "Assertion failed: ";
  text += message;
  text += " at ";
  text += source;
  text += ":" + std::to_string(line) + ": ";
  return text;
}

// The failure of a checked access through an empty handle, made at
// `source`:`line`.
inline std::string nullRefText(std::string_view source, int line) {
  return assertionText("Cannot access NULL ref. Use isValid() before calling methods", source, line);
}

// Where most empty handles are caught: the runtime's checked object access.
inline std::string const kNullRef = nullRefText("ozo/Ozo/Object_h", 83);

}  // namespace testsupport
