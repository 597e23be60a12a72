// The runtime's table of registered element classes and value types.
#include <Ozo/Internal.hpp>
#include <Ozo/Library.hpp>

#include <map>
#include <unordered_map>
#include <string>

namespace Ozo {

namespace {

// Never destroyed: libraries register at start-up and the tables serve until
// the process ends.
struct Tables {
  std::map<std::string, RegisteredClass, std::less<>> classes;
  std::map<std::string, ValueCodec, std::less<>> values;
  std::unordered_map<meta::PropertyDef const*, char const*> hostNames;
  std::uint64_t hostNamesVersion = 0;
};

Tables& tables() {
  static auto* t = new Tables;
  return *t;
}

}  // namespace

void registerElementClass(meta::ClassDef const& def, ElementCreator create) {
  tables().classes.try_emplace(std::string(def.packageName) + "." + def.name, RegisteredClass{&def, create});
}

RegisteredClass const* registeredClass(std::string_view qualifiedName) {
  auto const& classes = tables().classes;
  auto const it = classes.find(qualifiedName);
  return it == classes.end() ? nullptr : &it->second;
}

void registerHostName(meta::PropertyDef const& def, char const* hostName) {
  Tables& t = tables();
  auto const [it, added] = t.hostNames.try_emplace(&def, hostName);
  if (added) ++t.hostNamesVersion;
}

char const* hostNameOf(meta::PropertyDef const& def) {
  auto const& names = tables().hostNames;
  if (names.empty()) return def.name;
  auto const it = names.find(&def);
  return it == names.end() ? def.name : it->second;
}

std::uint64_t hostNamesVersion() { return tables().hostNamesVersion; }

void registerValueType(ValueCodec const& codec) { tables().values.try_emplace(codec.typeName, codec); }

ValueCodec const* valueCodec(std::string_view typeName) {
  auto const& values = tables().values;
  auto const it = values.find(typeName);
  return it == values.end() ? nullptr : &it->second;
}

}  // namespace Ozo
