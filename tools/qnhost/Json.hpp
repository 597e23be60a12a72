// A small streaming JSON writer: indented output, strings escaped.
#pragma once

#include <quillon/host.hpp>

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qnhost {

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : fOut(out) {}

  void beginObject() { open('{'); }
  void endObject() { close('}'); }
  void beginArray() { open('['); }
  void endArray() { close(']'); }

  // The key of the next member of the current object.
  void key(std::string_view k) {
    separate();
    writeString(k);
    fOut << ": ";
    fAfterKey = true;
  }

  void value(std::string_view s) {
    separate();
    writeString(s);
  }
  void value(char const* s) { value(std::string_view(s)); }
  void value(std::int64_t v) {
    separate();
    fOut << v;
  }
  void value(int v) { value(static_cast<std::int64_t>(v)); }
  void value(unsigned v) { value(static_cast<std::int64_t>(v)); }
  void value(bool b) {
    separate();
    fOut << (b ? "true" : "false");
  }
  void null() {
    separate();
    fOut << "null";
  }
  template <class Text>
  void value(std::vector<Text> const& items) {
    beginArray();
    for (auto const& s : items) value(s);
    endArray();
  }
  template <class T>
  void value(std::optional<T> const& v) {
    if (v)
      value(*v);
    else
      null();
  }
  // One member of the current object.
  template <class T>
  void field(std::string_view k, T const& v) {
    key(k);
    value(v);
  }

  // Escapes quotes, backslashes and control characters (NUL included). The
  // output is always valid UTF-8: well-formed characters pass as they are
  // (astral ones too), every malformed byte (an encoded surrogate, a stray
  // continuation byte, a truncated sequence) becomes \ufffd. U+FEFF is
  // written as \ufeff so that no reader can take it for a byte-order mark.
  static std::string escape(std::string_view s) {
    std::string out;
    out.reserve(s.size() + 2);
    auto const* p = reinterpret_cast<unsigned char const*>(s.data());
    std::size_t const n = s.size();
    for (std::size_t i = 0; i < n;) {
      unsigned char const c = p[i];
      if (c >= 0x80) {
        std::size_t const len = quillon::utf8CharLength(s.substr(i));
        if (len == 0) {
          out += "\\ufffd";
          ++i;
        } else if (len == 3 && p[i] == 0xEF && p[i + 1] == 0xBB && p[i + 2] == 0xBF) {
          out += "\\ufeff";
          i += 3;
        } else {
          out.append(s.substr(i, len));
          i += len;
        }
        continue;
      }
      switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
          if (c < 0x20 || c == 0x7f) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
          } else {
            out += static_cast<char>(c);
          }
      }
      ++i;
    }
    return out;
  }

 private:
  struct Level {
    bool empty = true;
  };

  void open(char c) {
    separate();
    fOut << c;
    fLevels.push_back({});
  }
  void close(char c) {
    bool const wasEmpty = fLevels.back().empty;
    fLevels.pop_back();
    if (!wasEmpty) newline();
    fOut << c;
    if (fLevels.empty()) fOut << '\n';
  }
  // Before any value or key: a comma and a new line inside containers,
  // nothing right after a key.
  void separate() {
    if (fAfterKey) {
      fAfterKey = false;
      return;
    }
    if (fLevels.empty()) return;
    if (!fLevels.back().empty) fOut << ',';
    fLevels.back().empty = false;
    newline();
  }
  void newline() {
    fOut << '\n';
    for (std::size_t i = 0; i < fLevels.size(); ++i) fOut << "  ";
  }
  void writeString(std::string_view s) { fOut << '"' << escape(s) << '"'; }

  std::ostream& fOut;
  std::vector<Level> fLevels;
  bool fAfterKey = false;
};

}  // namespace qnhost
