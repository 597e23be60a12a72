// A host method in one line (form, signature, attributes when set), so that a
// class's whole method table compares as one list of texts.
#pragma once

#include <quillon/host.hpp>

#include <string>
#include <vector>

namespace testsupport {

inline std::string shapeOf(quillon::MethodDesc const& m) {
  return std::string(m.kind) + " " + m.signatureText() + (m.attributes ? " @" + std::to_string(m.attributes) : "");
}

inline std::vector<std::string> shapesOf(quillon::ClassDesc const& c) {
  std::vector<std::string> out;
  for (quillon::MethodDesc const& m : c.methods) out.push_back(shapeOf(m));
  return out;
}

}  // namespace testsupport
