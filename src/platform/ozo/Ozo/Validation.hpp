// Checking a whole model at once. The runtime walks every element of a model
// once, applies its own rules (what any model must satisfy: required
// references set, no reference into a model that is gone) and the rules model
// libraries registered for the element's class or an ancestor, and collects
// what they find. Nothing is changed and nothing is refused: a model may be
// incomplete while it is being edited, and validation says what is missing.
#pragma once

#include <Ozo/Meta.hpp>

#include <any>
#include <cstdint>
#include <string>
#include <typeindex>
#include <typeinfo>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Ozo {

class ElementBase;

enum class Severity : std::uint8_t { Error, Warning };

// "error" or "warning".
char const* severityText(Severity s);

struct Diagnostic {
  Severity severity = Severity::Error;
  ImmutableObject element;  // the element at fault (kept alive by the diagnostic)
  std::string property;     // the host name of the property at fault, empty for the element as a whole
  std::string rule;         // a short id: "required-reference", "axis-dimensions", ...
  std::string message;
};

// One run over a model: what rules report into, and state they share for
// the length of the run (so that a rule that follows links from element to
// element can remember what it found instead of walking again).
class Validation {
 public:
  void report(Severity severity, ImmutableObject const& element, meta::PropertyDef const* property, char const* rule,
              std::string message);
  void error(ImmutableObject const& element, meta::PropertyDef const* property, char const* rule, std::string message) {
    report(Severity::Error, element, property, rule, std::move(message));
  }
  void warning(ImmutableObject const& element, meta::PropertyDef const* property, char const* rule,
               std::string message) {
    report(Severity::Warning, element, property, rule, std::move(message));
  }

  // State of type T for this run, made empty on first use.
  template <class T>
  T& memo() {
    std::any& slot = fMemos[std::type_index(typeid(T))];
    if (!slot.has_value()) slot.emplace<T>();
    return std::any_cast<T&>(slot);
  }

  std::vector<Diagnostic> const& diagnostics() const { return fDiagnostics; }
  std::vector<Diagnostic> take() { return std::move(fDiagnostics); }

 private:
  std::vector<Diagnostic> fDiagnostics;
  std::unordered_map<std::type_index, std::any> fMemos;
};

// A rule checks one element (of its class or a subclass) and reports what is
// wrong with it. It must not change the model, and it must not walk the whole
// model: what it needs from elsewhere it reaches through the element's links.
using ValidationRule = void (*)(ImmutableObject const& element, Validation& validation);

// Registers a rule for the elements of `def` and its subclasses. Rules of a
// class run after the runtime's own and after those of its ancestors, in the
// order they were registered. Registering a rule again changes nothing.
void registerValidationRule(meta::ClassDef const& def, ValidationRule rule);

// A required (multiplicity one) reference whose absence the model gives a
// meaning (a type without a memory layout is an application type): the
// runtime does not report it unset.
void allowUnset(meta::ClassDef const& def, unsigned index);

// The property `index` (1-based) of `def`'s own table.
inline meta::PropertyDef const* propertyOf(meta::ClassDef const& def, unsigned index) {
  return &def.properties[index - 1];
}

// True when the single-valued reference `index` of `declaring` was set to an
// element of another model that is gone since (it then reads as unset).
bool refersIntoGoneModel(ImmutableObject const& element, meta::ClassDef const& declaring, unsigned index);

// Every problem of the model's elements, in the order of allContentsOf, the
// runtime's own rules first for each element. Linear in the model's size
// when the rules are.
std::vector<Diagnostic> validate(ImmutableModel const& model);

}  // namespace Ozo
