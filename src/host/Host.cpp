// The public host API over the host runtime.
#include <quillon/host.hpp>

#include <kovo/Runtime.hpp>
#include <kovo/SmallBuffer.hpp>

#include "Guard.hpp"

#include <memory>
#include <span>
#include <unordered_set>

namespace quillon {

using host::arrayOf;
using kovo::ArrayPtr;
using kovo::COSClass;
using kovo::COSMethodInfo;
using kovo::COSPropInfo;
using kovo::HostArray;
using kovo::Runtime;

namespace {

// The arrays of a call's arguments, inline for the usual handful.
// The arrays of a call's arguments, borrowed from the caller's values for
// the call (see BorrowedArray): no reference is taken or given back.
class Arrays {
 public:
  explicit Arrays(std::span<Value const> values) : fValues(values), fArrays(values.size()) {
    for (std::size_t i = 0; i < values.size(); ++i)
      fArrays[i] = ArrayPtr(values[i].raw() ? static_cast<kovo::HostArray*>(values[i].raw())
                                            : kovo::HostArray::createEmpty(),
                            false);
  }
  ~Arrays() {
    for (std::size_t i = 0; i < fValues.size(); ++i)
      if (fValues[i].raw()) (void)fArrays[i].detach();
  }
  Arrays(Arrays const&) = delete;
  Arrays& operator=(Arrays const&) = delete;
  operator std::span<ArrayPtr const>() const { return fArrays.span(); }

 private:
  std::span<Value const> fValues;
  kovo::SmallBuffer<ArrayPtr, 6> fArrays;
};

Value valueOf(ArrayPtr a) { return Value::adopt(a.detach()); }

char const* kindName(COSMethodInfo::Kind k) {
  switch (k) {
    case COSMethodInfo::Kind::Static: return "static";
    case COSMethodInfo::Kind::Instance: return "instance";
    case COSMethodInfo::Kind::Explicit: return "explicit";
    case COSMethodInfo::Kind::Constructor: return "constructor";
    case COSMethodInfo::Kind::Function: return "function";
  }
  return "static";
}

MethodDesc describeMethod(COSMethodInfo const& m, std::string_view declaredIn) {
  MethodDesc d;
  auto const& s = m.signature();
  d.name = m.getName();
  d.kind = kindName(m.kind());
  d.attributes = m.attributes().value;
  d.flags = m.flags();
  d.argumentNames.reserve(s.argNames.size());
  for (kovo::Interned n : s.argNames) d.argumentNames.push_back(n.view());
  d.argumentNamesText = s.argNamesText.view();
  d.result = s.result.view();
  if (!s.self.empty()) d.self = s.self.view();
  d.arguments.reserve(s.argTypes.size());
  for (kovo::Interned t : s.argTypes) d.arguments.push_back(t.view());
  if (char const* text = m.getDescription()) d.description = text;
  d.declaredIn = declaredIn;
  return d;
}

PropertyDesc describeProperty(COSPropInfo const& p, std::string_view declaredIn) {
  PropertyDesc d;
  COSPropInfo::Facts const f = p.facts();
  d.name = p.getName();
  if (char const* type = p.getDataType()) d.type = type;
  if (f.multiplicity >= 0) d.multiplicity = f.multiplicity;
  d.readOnly = f.readOnly;
  d.attributes = p.attributes();
  if (f.index != 0) d.index = f.index;
  d.isStatic = p.isStatic();
  d.declaredIn = declaredIn;
  return d;
}

}  // namespace

std::string MethodDesc::signatureText() const {
  std::string out(name);
  out += '(';
  char const* separator = "";
  auto part = [&](std::string_view label, std::string_view type) {
    out.append(separator).append(label);
    if (!label.empty()) out += ": ";
    out.append(type);
    separator = ", ";
  };
  if (self) part("self", *self);
  bool const named = argumentNames.size() == arguments.size();
  for (std::size_t i = 0; i < arguments.size(); ++i) part(named ? argumentNames[i] : std::string_view(), arguments[i]);
  out += ')';
  if (!result.empty() && result != "void") out.append(" -> ").append(result);
  return out;
}

Host::Host() = default;

void Host::load(std::string const& module) {
  host::guarded([&] { Runtime::loadModule(module); });
}

void Host::addModuleDirectory(std::string const& dir) {
  host::guarded([&] { Runtime::addModuleDirectory(dir); });
}

bool Host::hasClass(std::string_view fullName) const {
  return host::guarded([&] { return COSClass::find(fullName) != nullptr; });
}

bool Host::hasPackage(std::string_view fullName) const {
  return host::guarded([&] { return kovo::COSPackage::find(fullName) != nullptr; });
}

PackageDesc Host::describePackage(std::string_view fullName) const {
  return host::guarded([&] {
    kovo::COSPackage* pkg = Runtime::requirePackage(fullName);
    PackageDesc d;
    d.name = std::string(pkg->getName().view());
    for (COSClass* c : pkg->classes()) d.classes.emplace_back(c->getName().view());
    std::unordered_set<std::string> seen;
    for (auto* f : pkg->functions())
      if (seen.insert(f->getName()).second) d.functions.emplace_back(f->getName());
    return d;
  });
}

ClassDesc Host::describeClass(std::string_view fullName) const {
  return host::guarded([&] {
    COSClass* cls = Runtime::requireClass(fullName);
    ClassDesc d;
    d.name = cls->getName().view();
    d.shortName = cls->getShortName();
    d.description = cls->getDescription();
    d.superclasses.reserve(cls->superclassNames().size());
    for (kovo::Interned s : cls->superclassNames()) d.superclasses.push_back(s.view());
    d.methods.reserve(cls->ownMethods().size());
    for (auto const& m : cls->ownMethods()) d.methods.push_back(describeMethod(*m, d.name));
    d.properties.reserve(cls->ownProperties().size());
    for (auto const& p : cls->ownProperties()) {
      COSPropInfo::Facts const f = p->facts();
      if (f.metaId >= 0) d.metaProperties.push_back({p->getName(), f.metaId, f.declaredBy.view()});
      else d.properties.push_back(describeProperty(*p, d.name));
    }
    return d;
  });
}

std::vector<MethodDesc> Host::methods(std::string_view fullName, std::string_view method) const {
  return host::guarded([&] {
    std::vector<MethodDesc> out;
    std::vector<COSClass::Ancestor> scratch;
    for (COSClass::Ancestor const& a : Runtime::requireClass(fullName)->lineage(scratch))
      for (auto const& m : a.cls->ownMethods())
        if (method == m->getName()) out.push_back(describeMethod(*m, a.cls->getName().view()));
    return out;
  });
}

std::vector<PropertyDesc> Host::allProperties(std::string_view fullName) const {
  return host::guarded([&] {
    std::vector<PropertyDesc> out;
    std::unordered_set<std::string> seen;
    std::vector<COSClass::Ancestor> scratch;
    for (COSClass::Ancestor const& a : Runtime::requireClass(fullName)->lineage(scratch))
      for (auto const& p : a.cls->ownProperties())
        if (seen.insert(p->getName()).second) out.push_back(describeProperty(*p, a.cls->getName().view()));
    return out;
  });
}

std::vector<std::string> Host::memberNames(std::string_view fullName) const {
  return host::guarded([&] { return Runtime::requireClass(fullName)->memberNames(); });
}

namespace {

std::span<Value const> spanOf(std::initializer_list<Value> args) { return {args.begin(), args.size()}; }

Value staticCall(std::string_view className, std::string_view method, std::span<Value const> args) {
  return host::guarded([&] {
    Arrays const in(args);
    return valueOf(Runtime::callStatic(Runtime::requireClass(className), method, in));
  });
}

Value functionCall(std::string_view package, std::string_view function, std::span<Value const> args) {
  return host::guarded([&] {
    Arrays const in(args);
    return valueOf(Runtime::callFunction(Runtime::requirePackage(package), function, in));
  });
}

}  // namespace

Value Host::call(std::string_view className, std::string_view method, std::vector<Value> const& args) const {
  return staticCall(className, method, args);
}

Value Host::call(std::string_view className, std::string_view method, std::initializer_list<Value> args) const {
  return staticCall(className, method, spanOf(args));
}

Value Host::callFunction(std::string_view package, std::string_view function, std::vector<Value> const& args) const {
  return functionCall(package, function, args);
}

Value Host::callFunction(std::string_view package, std::string_view function,
                         std::initializer_list<Value> args) const {
  return functionCall(package, function, spanOf(args));
}

Value Host::construct(std::string_view className, std::vector<Value> const& args) const {
  return construct(className, args.data(), args.size());
}

Value Host::construct(std::string_view className, std::initializer_list<Value> args) const {
  return construct(className, args.begin(), args.size());
}

Value Host::construct(std::string_view className, Value const* args, std::size_t count) const {
  return host::guarded([&] {
    Arrays const in(std::span<Value const>(args, count));
    return valueOf(Runtime::construct(Runtime::requireClass(className), in));
  });
}

Value Host::invoke(Value const& object, std::string_view method, std::vector<Value> const& args) const {
  return invoke(object, method, args.data(), args.size());
}

Value Host::invoke(Value const& object, std::string_view method, std::initializer_list<Value> args) const {
  return invoke(object, method, args.begin(), args.size());
}

Value Host::invoke(Value const& object, std::string_view method, Value const* args, std::size_t count) const {
  return host::guarded([&] {
    Arrays const in(std::span<Value const>(args, count));
    return valueOf(Runtime::callMethod(arrayOf(object), method, in));
  });
}

Value Host::get(Value const& object, std::string_view property) const {
  return host::guarded([&] { return valueOf(Runtime::getProperty(arrayOf(object), property)); });
}

Value Host::getStatic(std::string_view className, std::string_view property) const {
  return host::guarded(
      [&] { return valueOf(Runtime::getStaticProperty(Runtime::requireClass(className), property)); });
}

void Host::set(Value const& object, std::string_view property, Value const& value) const {
  host::guarded([&] { Runtime::setProperty(arrayOf(object), property, arrayOf(value)); });
}

void Host::destroy(Value const& object) const {
  host::guarded([&] { Runtime::destroy(arrayOf(object)); });
}

std::string Host::classOf(Value const& object) const {
  return host::guarded([&] { return std::string(Runtime::classOf(arrayOf(object))->getName().view()); });
}

std::vector<std::pair<std::string, std::size_t>> Host::counters() const {
  return host::guarded([] { return Runtime::counters(); });
}

std::size_t Host::counter(std::string_view name) const {
  for (auto const& [n, count] : counters())
    if (n == name) return count;
  return 0;
}

// Each capture installs its own sink and removes exactly that one, so
// captures may end in any order.
Host::OutputCapture::OutputCapture(Host const&) {
  auto text = std::make_unique<std::string>();
  std::string* sink = text.get();
  fSink = host::guarded([sink] { return kovo::pushPrintSink([sink](std::string_view s) { sink->append(s); }); });
  fText = text.release();
}

Host::OutputCapture::~OutputCapture() {
  {
    std::lock_guard lock(kovo::hostMutex());
    kovo::removePrintSink(fSink);
  }
  delete fText;
}

}  // namespace quillon
