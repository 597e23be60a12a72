// Walks over a model's ownership trees.
#include <Ozo/Contents.hpp>
#include <Ozo/Internal.hpp>

#include <algorithm>

namespace Ozo {

std::vector<ElementBase*> contentsOf(NSInterface::ModelIntf* model) {
  std::vector<ElementBase*> roots;
  for (ElementBase* e : detail::elementsOf(model))
    if (!e->containerCore()) roots.push_back(e);
  return roots;
}

std::vector<ElementBase*> ownedBy(ElementBase& element) { return element.children(); }

std::vector<ElementBase*> allContentsOf(NSInterface::ModelIntf* model) { return treesUnder(contentsOf(model)); }

std::vector<ElementBase*> treesUnder(std::vector<ElementBase*> const& roots) {
  std::vector<ElementBase*> out;
  std::vector<ElementBase*> stack(roots.rbegin(), roots.rend());
  while (!stack.empty()) {
    ElementBase* const e = stack.back();
    stack.pop_back();
    out.push_back(e);
    std::vector<ElementBase*> const owned = e->children();
    stack.insert(stack.end(), owned.rbegin(), owned.rend());
  }
  return out;
}

std::u16string nameOf(ElementBase& element) {
  auto const& cls = static_cast<detail::ClassImpl const&>(*element.classIntf());
  detail::PropertyImpl const* const p = cls.propertyNamed("Name");
  if (!p || p->def().kind != meta::ValueKind::String || p->isMany()) return {};
  if (!element.isSet(p->declaring(), p->id())) return {};
  Object const v = element.get(p->declaring(), p->id());
  return v.isValid() ? String(v).text() : std::u16string();
}

ElementBase* findByPath(NSInterface::ModelIntf* model, std::u16string_view path) {
  if (path.empty()) return nullptr;
  // One name at a time: the candidates are the roots, then what the
  // matches of the previous name own.
  std::vector<ElementBase*> level = contentsOf(model);
  for (;;) {
    std::size_t const slash = path.find(u'/');
    std::u16string_view const name = path.substr(0, slash);
    std::vector<ElementBase*> matches;
    for (ElementBase* e : level)
      if (nameOf(*e) == name) matches.push_back(e);
    if (slash == std::u16string_view::npos) return matches.empty() ? nullptr : matches.front();
    path.remove_prefix(slash + 1);
    level.clear();
    for (ElementBase* m : matches) {
      std::vector<ElementBase*> const owned = m->children();
      level.insert(level.end(), owned.begin(), owned.end());
    }
    if (level.empty()) return nullptr;
  }
}

}  // namespace Ozo
