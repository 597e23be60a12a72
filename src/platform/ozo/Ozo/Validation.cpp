// Validation of a whole model: the runtime's own rules and the table of the
// rules model libraries register.
#include <Ozo/Contents.hpp>
#include <Ozo/Internal.hpp>
#include <Ozo/Library.hpp>
#include <Ozo/Validation.hpp>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace Ozo {

namespace {

using detail::ClassImpl;
using detail::ElementAccess;
using detail::PropertyImpl;

// Never destroyed: libraries register at start-up and the tables serve until
// the process ends.
struct Registry {
  std::unordered_map<meta::ClassDef const*, std::vector<ValidationRule>> rules;
  std::unordered_set<meta::PropertyDef const*> allowedUnset;
};

Registry& registry() {
  static auto* r = new Registry;
  return *r;
}

// What the run does with the elements of one class, worked out once per run.
struct Plan {
  std::vector<PropertyImpl const*> required;    // single references that must be set
  std::vector<PropertyImpl const*> references;  // stored references, single or many
  std::vector<ValidationRule> rules;            // the ancestors' first
};

Plan planFor(ClassImpl const& cls) {
  Registry const& reg = registry();
  Plan plan;
  // The most specific statement of each slot, the owner end of an
  // ownership pair included (a literal outside any enumeration lacks its
  // required owner).
  std::vector<PropertyImpl const*> last(cls.slotCount(), nullptr);
  for (unsigned i = 0; i < cls.slotCount(); ++i) last[cls.bySlot(i).slot()] = &cls.bySlot(i);
  for (unsigned k = 0; k < cls.slotCount(); ++k) {
    PropertyImpl const* const p = last[k];
    if (!p || cls.bySlot(k).slot() != k) continue;
    meta::PropertyDef const& d = p->def();
    bool const required = d.kind == meta::ValueKind::Element && d.multiplicity == meta::Multiplicity::One &&
                          (!p->isDerived() || p->isOwnerLink()) && !reg.allowedUnset.contains(&d);
    if (required) plan.required.push_back(p);
  }
  for (PropertyImpl const* p : cls.stored())
    if (p->def().kind == meta::ValueKind::Element) plan.references.push_back(p);
  std::vector<ClassImpl const*> chain;
  for (ClassImpl const* c = &cls; c; c = c->super()) chain.push_back(c);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    if (auto const found = reg.rules.find(&(*it)->def()); found != reg.rules.end())
      plan.rules.insert(plan.rules.end(), found->second.begin(), found->second.end());
  return plan;
}

// The runtime's own rules for one element.
void checkReferences(ElementBase& e, ImmutableObject const& self, Plan const& plan, Validation& v) {
  for (PropertyImpl const* p : plan.references) {
    detail::Slot const* const s = ElementAccess::slotOf(e, p->slot());
    if (!s) continue;
    std::size_t gone = 0;
    if (p->isMany()) {
      if (s->many())
        for (detail::Link const& l : s->many()->entries()) gone += l.dangling() ? 1 : 0;
    } else if (s->set && s->value.dangling()) {
      gone = 1;
    }
    if (gone == 0) continue;
    std::string const name = hostNameOf(p->def());
    v.error(self, &p->def(), "reference-gone",
            p->isMany() ? name + " holds " + std::to_string(gone) +
                              (gone == 1 ? " reference" : " references") + " to elements of a model that is gone"
                        : name + " refers to an element of a model that is gone");
  }
  for (PropertyImpl const* p : plan.required) {
    if (e.isSet(p->declaring(), p->id())) continue;
    detail::Slot const* const s = ElementAccess::slotOf(e, p->slot());
    if (s && s->set && s->value.dangling()) continue;  // reported above
    v.error(self, &p->def(), "required-reference", std::string(hostNameOf(p->def())) + " is required but not set");
  }
}

}  // namespace

char const* severityText(Severity s) { return s == Severity::Error ? "error" : "warning"; }

void Validation::report(Severity severity, ImmutableObject const& element, meta::PropertyDef const* property,
                        char const* rule, std::string message) {
  fDiagnostics.push_back(
      Diagnostic{severity, element, property ? hostNameOf(*property) : std::string(), rule, std::move(message)});
}

void registerValidationRule(meta::ClassDef const& def, ValidationRule rule) {
  std::vector<ValidationRule>& rules = registry().rules[&def];
  if (std::find(rules.begin(), rules.end(), rule) == rules.end()) rules.push_back(rule);
}

void allowUnset(meta::ClassDef const& def, unsigned index) { registry().allowedUnset.insert(propertyOf(def, index)); }

bool refersIntoGoneModel(ImmutableObject const& element, meta::ClassDef const& declaring, unsigned index) {
  ElementBase* const e = ElementAccess::coreOf(element.checked());
  if (!e) return false;
  PropertyImpl const& p = static_cast<PropertyImpl const&>(*detail::classImpl(declaring).ownProperties()[index - 1]);
  // The slot of the statement in the element's own class (a redefinition shares it).
  detail::Slot const* const s = ElementAccess::slotOf(*e, p.slot());
  return s && !p.isMany() && s->set && s->value.dangling();
}

std::vector<Diagnostic> validate(ImmutableModel const& model) {
  NSInterface::ModelIntf* const m = model.checkedModel();
  Validation v;
  std::unordered_map<ClassImpl const*, Plan> plans;
  for (ElementBase* e : allContentsOf(m)) {
    auto const& cls = static_cast<ClassImpl const&>(*e->classIntf());
    auto it = plans.find(&cls);
    if (it == plans.end()) it = plans.emplace(&cls, planFor(cls)).first;
    Plan const& plan = it->second;
    ImmutableObject const self(e->self(), Deviant{});
    checkReferences(*e, self, plan, v);
    for (ValidationRule rule : plan.rules) rule(self, v);
  }
  return v.take();
}

}  // namespace Ozo
