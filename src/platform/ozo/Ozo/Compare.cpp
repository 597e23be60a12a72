// Copying and comparing model content.
#include <Ozo/Compare.hpp>
#include <Ozo/Contents.hpp>
#include <Ozo/Document.hpp>
#include <Ozo/Internal.hpp>
#include <Ozo/Library.hpp>
#include <kovo/Text.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <unordered_map>
#include <utility>

namespace Ozo {

namespace {

using detail::ClassImpl;
using detail::ElementAccess;
using detail::PropertyImpl;
using meta::ValueKind;

ClassImpl const& classOf(ElementBase const& e) { return static_cast<ClassImpl const&>(*e.classIntf()); }

// ---------------------------------------------------------------------------
// Paths: one text per element of a model, unique within it.
class Paths {
 public:
  explicit Paths(NSInterface::ModelIntf* model) {
    fRoots = contentsOf(model);
    // Roots have no order of their own: by name, then class, so that two
    // models made in different orders give the same paths.
    std::vector<std::pair<std::u16string, ElementBase*>> named;
    for (ElementBase* r : fRoots) named.emplace_back(nameOf(*r), r);
    std::stable_sort(named.begin(), named.end(), [](auto const& a, auto const& b) {
      if (a.first != b.first) return a.first < b.first;
      return std::string_view(classOf(*a.second).qualified()) < std::string_view(classOf(*b.second).qualified());
    });
    for (std::size_t i = 0; i < named.size(); ++i) fRoots[i] = named[i].second;
    name(fRoots, "");
    std::vector<ElementBase*> stack(fRoots.rbegin(), fRoots.rend());
    while (!stack.empty()) {
      ElementBase* const e = stack.back();
      stack.pop_back();
      std::vector<ElementBase*> const owned = e->children();
      name(owned, fPaths[e] + "/");
      stack.insert(stack.end(), owned.rbegin(), owned.rend());
    }
  }

  std::vector<ElementBase*> const& roots() const { return fRoots; }
  std::string const& of(ElementBase* e) const { return fPaths.at(e); }

 private:
  void name(std::vector<ElementBase*> const& siblings, std::string const& prefix) {
    std::vector<std::string> segments;
    std::map<std::string, std::size_t> count;
    for (ElementBase* e : siblings) {
      std::u16string const n = nameOf(*e);
      segments.push_back(n.empty() ? "(" + classOf(*e).name() + ")" : kovo::utf16ToUtf8(n));
      ++count[segments.back()];
    }
    std::map<std::string, std::size_t> seen;
    for (std::size_t i = 0; i < siblings.size(); ++i) {
      std::string s = segments[i];
      if (count[s] > 1) s += "[" + std::to_string(++seen[segments[i]]) + "]";
      fPaths[siblings[i]] = prefix + s;
    }
  }

  std::vector<ElementBase*> fRoots;
  std::unordered_map<ElementBase*, std::string> fPaths;
};

std::string realText(double d) {
  if (std::isnan(d)) return "NaN";
  if (std::isinf(d)) return d > 0 ? "Infinity" : "-Infinity";
  char buffer[32];
  auto const r = std::to_chars(buffer, buffer + sizeof buffer, d);
  return std::string(buffer, r.ptr);
}

// Texts of values for comparison lines.
class Texts {
 public:
  Texts(NSInterface::ModelIntf* model, Paths const& paths) : fModel(model), fPaths(paths) {}

  std::string of(PropertyImpl const& p, ImmutableObject const& v) {
    if (!v.isValid()) return "(unset)";
    switch (p.def().kind) {
      case ValueKind::Integer: return std::to_string(Integer(v).value());
      case ValueKind::Real: return realText(Real(v).value());
      case ValueKind::Boolean: return Boolean(v).value() ? "true" : "false";
      case ValueKind::String: return jsonString(String(v).text());
      case ValueKind::Element: return reference(ElementAccess::coreOf(v.get()));
      case ValueKind::Value: break;
    }
    ValueCodec const* const codec = valueCodec(p.def().typeName ? p.def().typeName : "");
    if (!codec) return v.toString();
    ValueParts const parts = codec->split(v);
    switch (parts.shape) {
      case ValueParts::Shape::Literal: return parts.literal;
      case ValueParts::Shape::WholeAmount: return std::to_string(parts.whole) + " " + parts.literal;
      case ValueParts::Shape::RealAmount: return realText(parts.real) + " " + parts.literal;
    }
    return {};
  }

  // A property's value: "(unset)", the value, or a list "[a, b]".
  std::string ofProperty(ElementBase& e, PropertyImpl const& p) {
    if (!e.isSet(p.declaring(), p.id())) return p.isMany() ? "[]" : "(unset)";
    Object const v = e.get(p.declaring(), p.id());
    if (!p.isMany()) return of(p, v);
    Collection<Object> const list(v);
    std::string out = "[";
    for (std::size_t i = 0, n = list.size(); i < n; ++i) {
      if (i) out += ", ";
      out += of(p, list.at(i));
    }
    return out + "]";
  }

 private:
  std::string reference(ElementBase* target) {
    if (!target) return "(none)";
    NSInterface::ModelIntf* const m = target->modelIntf();
    if (m == fModel) return fPaths.of(target);
    auto it = fOthers.find(m);
    if (it == fOthers.end()) it = fOthers.emplace(m, Paths(m)).first;
    return m->name() + ":" + it->second.of(target);
  }

  NSInterface::ModelIntf* fModel;
  Paths const& fPaths;
  std::unordered_map<NSInterface::ModelIntf*, Paths> fOthers;
};

std::string classText(ElementBase* e) { return e ? classOf(*e).qualified() : "(none)"; }

}  // namespace

// ---------------------------------------------------------------------------
Object copyElement(Model const& model, ElementBase& element) {
  NSInterface::ModelIntf* const into = model.checkedModel();
  DeviantAssertions::assertWritable(into);
  std::vector<ElementBase*> const originals = treesUnder({&element});
  std::vector<RegisteredClass const*> classes;
  for (ElementBase* e : originals) {
    RegisteredClass const* const reg = registeredClass(classOf(*e).qualified());
    if (!reg) throw Exception(std::string("Cannot copy an element of class ") + classOf(*e).qualified());
    classes.push_back(reg);
  }
  std::unordered_map<ElementBase const*, ElementBase*> copies;
  std::vector<Object> made;  // holds the copies until they are linked
  for (std::size_t i = 0; i < originals.size(); ++i) {
    made.push_back(classes[i]->create(model));
    copies.emplace(originals[i], ElementAccess::coreOf(made.back().get()));
  }
  auto const mapped = [&copies](ImmutableObject const& v) -> Object {
    ElementBase* const e = ElementAccess::coreOf(v.get());
    auto const it = e ? copies.find(e) : copies.end();
    return it == copies.end() ? Object::fromImmutable(v) : Object(it->second->self(), Deviant{});
  };
  for (ElementBase* original : originals) {
    ElementBase* const copy = copies.at(original);
    for (PropertyImpl const* p : classOf(*original).stored()) {
      if (!original->isSet(p->declaring(), p->id())) continue;
      Object const v = original->get(p->declaring(), p->id());
      bool const isElement = p->def().kind == ValueKind::Element;
      if (p->isMany()) {
        Collection<Object> const from(v), to(copy->get(p->declaring(), p->id()));
        for (std::size_t k = 0, n = from.size(); k < n; ++k) {
          Object const item = from.at(k);
          if (item.isValid()) to.insert(to.size(), isElement ? mapped(item) : item);
        }
      } else {
        copy->set(p->declaring(), p->id(), isElement ? mapped(v) : v);
      }
    }
  }
  return made.front();
}

std::vector<std::string> compareModels(ImmutableModel const& left, ImmutableModel const& right) {
  NSInterface::ModelIntf* const a = left.checkedModel();
  NSInterface::ModelIntf* const b = right.checkedModel();
  Paths const pathsA(a), pathsB(b);
  Texts textsA(a, pathsA), textsB(b, pathsB);
  std::vector<std::string> lines;
  auto const line = [&lines](std::string const& path, std::string const& what, std::string const& l,
                             std::string const& r) { lines.push_back(path + ": " + what + ": " + l + " != " + r); };

  // Roots pair up by class and name, in their order within each key.
  std::vector<std::pair<ElementBase*, ElementBase*>> pairs;
  {
    using Key = std::pair<std::string, std::u16string>;
    auto const key = [](ElementBase* e) { return Key(classOf(*e).qualified(), nameOf(*e)); };
    std::map<Key, std::vector<ElementBase*>> byKey;
    for (ElementBase* r : pathsB.roots()) byKey[key(r)].push_back(r);
    std::map<Key, std::size_t> used;
    for (ElementBase* r : pathsA.roots()) {
      Key const k = key(r);
      std::vector<ElementBase*> const& candidates = byKey[k];
      std::size_t& n = used[k];
      pairs.emplace_back(r, n < candidates.size() ? candidates[n] : nullptr);
      ++n;
    }
    for (auto const& [k, candidates] : byKey)
      for (std::size_t i = used[k]; i < candidates.size(); ++i) pairs.emplace_back(nullptr, candidates[i]);
  }
  std::vector<std::pair<ElementBase*, ElementBase*>> stack(pairs.rbegin(), pairs.rend());

  while (!stack.empty()) {
    auto const [ea, eb] = stack.back();
    stack.pop_back();
    if (!ea || !eb) {
      line(ea ? pathsA.of(ea) : pathsB.of(eb), "class", classText(ea), classText(eb));
      continue;
    }
    if (&classOf(*ea) != &classOf(*eb)) {
      line(pathsA.of(ea), "class", classText(ea), classText(eb));
      continue;
    }
    std::vector<std::pair<ElementBase*, ElementBase*>> owned;
    std::vector<char const*> const& names = storedNames(classOf(*ea));
    for (std::size_t k = 0; k < classOf(*ea).stored().size(); ++k) {
      PropertyImpl const* const p = classOf(*ea).stored()[k];
      std::string const name = names[k];
      if (!p->def().composite) {
        std::string const l = textsA.ofProperty(*ea, *p), r = textsB.ofProperty(*eb, *p);
        if (l != r) line(pathsA.of(ea), name, l, r);
        continue;
      }
      // Owned elements pair up by position.
      auto const items = [p](ElementBase& e) {
        std::vector<ElementBase*> out;
        if (!e.isSet(p->declaring(), p->id())) return out;
        Object const v = e.get(p->declaring(), p->id());
        if (!p->isMany()) {
          out.push_back(ElementAccess::coreOf(v.get()));
          return out;
        }
        Collection<Object> const list(v);
        for (std::size_t i = 0, n = list.size(); i < n; ++i) out.push_back(ElementAccess::coreOf(list.at(i).get()));
        return out;
      };
      std::vector<ElementBase*> const ia = items(*ea), ib = items(*eb);
      for (std::size_t i = 0; i < std::max(ia.size(), ib.size()); ++i) {
        ElementBase* const ca = i < ia.size() ? ia[i] : nullptr;
        ElementBase* const cb = i < ib.size() ? ib[i] : nullptr;
        if (ca && cb && &classOf(*ca) == &classOf(*cb)) {
          owned.emplace_back(ca, cb);
          continue;
        }
        std::string const what = p->isMany() ? name + "[" + std::to_string(i + 1) + "]" : name;
        line(pathsA.of(ea), what, classText(ca), classText(cb));
      }
    }
    stack.insert(stack.end(), owned.rbegin(), owned.rend());
  }
  return lines;
}

}  // namespace Ozo
