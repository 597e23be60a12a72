// Command-line host: `package` lists a package, `describe` a class; `check`,
// `tree` and `diff` read saved models.
#include "qnhost.hpp"

#include "Json.hpp"

#include <quillon/host.hpp>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <map>
#include <optional>

namespace qnhost {

namespace {

constexpr char const* kUsage =
    "usage: qnhost [--load MODULE]... package [--json] NAME\n"
    "       qnhost [--load MODULE]... describe [--json] CLASS\n"
    "       qnhost [--load MODULE]... check [--with FILE]... FILE\n"
    "       qnhost [--load MODULE]... tree [--with FILE]... FILE\n"
    "       qnhost [--load MODULE]... diff [--with FILE]... LEFT RIGHT\n"
    "(--with FILE loads a model that FILE's references point into first;\n"
    " check exits 1 when the model has an error; diff exits 0 when the models\n"
    " are the same, 1 when they differ, 2 on an error)\n";

constexpr char const* kDefaultModule = "mm_types_xb";

struct UsageError {
  std::string message;
};

struct Command {
  std::vector<std::string> modules;
  std::string verb;
  std::string name;
  std::vector<std::string> files;  // check, tree, diff: the model files
  std::vector<std::string> with;   // models loaded first
  bool json = false;
};

bool readsModels(std::string const& verb) { return verb == "check" || verb == "tree" || verb == "diff"; }

Command parse(std::vector<std::string> const& args) {
  Command c;
  bool loadGiven = false;
  std::size_t i = 0;
  for (; i < args.size(); ++i) {
    std::string const& a = args[i];
    if (a == "--load") {
      if (i + 1 >= args.size()) throw UsageError{"--load needs a module name"};
      c.modules.push_back(args[++i]);
      loadGiven = true;
    } else if (a.rfind("--load=", 0) == 0) {
      c.modules.push_back(a.substr(7));
      loadGiven = true;
    } else {
      break;
    }
  }
  if (i >= args.size()) throw UsageError{"no command given"};
  c.verb = args[i++];
  if (c.verb != "package" && c.verb != "describe" && !readsModels(c.verb))
    throw UsageError{"unknown command \"" + c.verb + "\""};
  std::vector<std::string> names;
  for (; i < args.size(); ++i) {
    if (args[i] == "--json" && !readsModels(c.verb)) {
      c.json = true;
    } else if (args[i] == "--with" && readsModels(c.verb)) {
      if (i + 1 >= args.size()) throw UsageError{"--with needs a file"};
      c.with.push_back(args[++i]);
    } else if (args[i].rfind("--", 0) == 0) {
      throw UsageError{"unknown option \"" + args[i] + "\""};
    } else {
      names.push_back(args[i]);
    }
  }
  if (readsModels(c.verb)) {
    std::size_t const wanted = c.verb == "diff" ? 2 : 1;
    if (names.size() != wanted) throw UsageError{c.verb == "diff" ? "give two model files" : "give one model file"};
    c.files = names;
  } else {
    if (names.size() != 1) throw UsageError{c.verb == "package" ? "give one package name" : "give one class name"};
    c.name = names[0];
  }
  for (std::string const& m : c.modules)
    if (m.empty()) throw UsageError{"--load needs a module name"};
  if (!loadGiven) c.modules.push_back(kDefaultModule);
  return c;
}

// --- JSON ----------------------------------------------------------------

void writePackage(JsonWriter& w, quillon::PackageDesc const& p) {
  w.beginObject();
  w.field("name", p.name);
  w.field("classes", p.classes);
  w.field("functions", p.functions);
  w.endObject();
}

// Every item of `items` as one JSON object, written by `members`.
template <class Item, class Members>
void writeObjects(JsonWriter& w, std::string_view key, std::vector<Item> const& items, Members members) {
  w.key(key);
  w.beginArray();
  for (Item const& item : items) {
    w.beginObject();
    members(item);
    w.endObject();
  }
  w.endArray();
}

void writeClass(JsonWriter& w, quillon::ClassDesc const& c) {
  w.beginObject();
  w.field("name", c.name);
  w.field("shortName", c.shortName);
  w.field("description", c.description);
  w.field("superclasses", c.superclasses);
  writeObjects(w, "methods", c.methods, [&](auto const& m) {
    w.field("name", m.name);
    w.field("kind", m.kind);
    w.field("attributes", static_cast<std::int64_t>(m.attributes));
    w.field("flags", static_cast<std::int64_t>(m.flags));
    w.field("argumentNames", m.argumentNamesText);
    w.field("result", m.result);
    w.field("self", m.self);
    w.field("arguments", m.arguments);
  });
  writeObjects(w, "properties", c.properties, [&](auto const& p) {
    w.field("name", p.name);
    w.field("type", p.type);
    w.field("multiplicity", p.multiplicity);
    w.field("readOnly", p.readOnly);
    w.field("attributes", static_cast<std::int64_t>(p.attributes));
    w.field("index", p.index);
  });
  writeObjects(w, "metaProperties", c.metaProperties, [&](auto const& m) {
    w.field("name", m.name);
    w.field("id", m.id);
    w.field("declaredBy", m.declaredBy);
  });
  w.endObject();
}

// --- text ----------------------------------------------------------------

// Prints rows as columns padded to the widest cell, the header row first.
void printTable(std::ostream& out, std::vector<std::vector<std::string>> const& rows) {
  std::vector<std::size_t> widths;
  for (auto const& row : rows)
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (widths.size() <= i) widths.push_back(0);
      widths[i] = std::max(widths[i], row[i].size());
    }
  for (auto const& row : rows) {
    std::string line = "  ";
    for (std::size_t i = 0; i < row.size(); ++i) {
      line += row[i];
      if (i + 1 < row.size()) line += std::string(widths[i] - row[i].size() + 2, ' ');
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out << line << '\n';
  }
}

std::string hex(std::uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%x", v);
  return buf;
}

std::string plural(std::size_t n, char const* one, char const* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

void printPackage(std::ostream& out, quillon::PackageDesc const& p) {
  out << "Package " << p.name << "\n\n" << plural(p.classes.size(), "class", "classes") << ":\n";
  for (auto const& c : p.classes) out << "  " << c << '\n';
  out << '\n' << plural(p.functions.size(), "function", "functions") << ":\n";
  for (auto const& f : p.functions) out << "  " << f << '\n';
}

std::string multiplicityText(std::optional<int> m) {
  if (!m) return "-";
  switch (*m) {
    case 0: return "0..1";
    case 1: return "1";
    case 2: return "*";
    default: return std::to_string(*m);
  }
}

void printClass(std::ostream& out, quillon::ClassDesc const& c) {
  out << "Class " << c.name << " (" << c.shortName << ")\n";
  if (!c.description.empty()) out << "  " << c.description << '\n';
  out << "\nSuperclasses:\n";
  if (c.superclasses.empty()) out << "  (none)\n";
  for (auto const& s : c.superclasses) out << "  " << s << '\n';

  out << "\nMethods:\n";
  if (c.methods.empty()) {
    out << "  (none)\n";
  } else {
    std::vector<std::vector<std::string>> rows{{"KIND", "SIGNATURE", "ATTRIBUTES", "FLAGS"}};
    for (auto const& m : c.methods)
      rows.push_back({std::string(m.kind), m.signatureText(), hex(static_cast<std::uint32_t>(m.attributes)), hex(m.flags)});
    printTable(out, rows);
  }

  out << "\nProperties:\n";
  if (c.properties.empty()) {
    out << "  (none)\n";
  } else {
    std::vector<std::vector<std::string>> rows{{"NAME", "TYPE", "MULTIPLICITY", "ACCESS", "INDEX", "ATTRIBUTES"}};
    for (auto const& p : c.properties)
      rows.push_back({std::string(p.name), std::string(p.type), multiplicityText(p.multiplicity), p.readOnly ? "read-only" : "read-write",
                      p.index ? std::to_string(*p.index) : "-", hex(p.attributes)});
    printTable(out, rows);
  }

  if (!c.metaProperties.empty()) {
    out << "\nMeta-properties:\n";
    std::vector<std::vector<std::string>> rows{{"NAME", "ID", "DECLARED BY"}};
    for (auto const& m : c.metaProperties) rows.push_back({std::string(m.name), std::to_string(m.id), std::string(m.declaredBy)});
    printTable(out, rows);
  }
}

// --- saved models ----------------------------------------------------------

std::string shortName(std::string const& className) { return className.substr(className.rfind('.') + 1); }

// The objects of a host array, in order.
std::vector<quillon::Value> objectsOf(quillon::Value const& array) {
  std::vector<quillon::Value> out;
  for (std::size_t i = 0, n = array.isObject() ? array.numel() : 0; i < n; ++i) out.push_back(array.element(i));
  return out;
}

// Reads saved models through the host, as any host user would.
class Models {
 public:
  explicit Models(quillon::Host const& host) : fHost(host) {}

  quillon::Value load(std::string const& path) const { return fHost.call("Ozo.Model", "load", {path}); }
  quillon::Value loadAs(std::string const& path, std::string const& uri) const {
    return fHost.call("Ozo.Model", "load", {path, uri});
  }

  // "Name" of an element whose class has one, else empty.
  std::string nameOf(quillon::Value const& e) {
    std::string const cls = fHost.classOf(e);
    auto it = fHasName.find(cls);
    if (it == fHasName.end()) {
      std::vector<std::string> const members = fHost.memberNames(cls);
      it = fHasName.emplace(cls, std::find(members.begin(), members.end(), "Name") != members.end()).first;
    }
    return it->second ? fHost.get(e, "Name").toString() : std::string();
  }

  // The summary, then every problem validation finds; true when one is an error.
  bool check(std::ostream& out, quillon::Value const& model) {
    std::vector<quillon::Value> const all = objectsOf(fHost.invoke(model, "allContents", {}));
    out << "Model " << fHost.get(model, "Name").toString() << "\n  Uri: " << fHost.get(model, "Uri").toString()
        << "\n  " << plural(all.size(), "element", "elements") << '\n';
    std::map<std::string, std::size_t> perClass;
    for (quillon::Value const& e : all) ++perClass[fHost.classOf(e)];
    std::vector<std::vector<std::string>> rows{{"CLASS", "ELEMENTS"}};
    for (auto const& [cls, n] : perClass) rows.push_back({cls, std::to_string(n)});
    if (!perClass.empty()) printTable(out, rows);

    std::vector<quillon::Value> const found = objectsOf(fHost.invoke(model, "validate", {}));
    if (found.empty()) {
      out << "No problems found.\n";
      return false;
    }
    std::size_t errors = 0;
    std::vector<std::vector<std::string>> problems{{"SEVERITY", "ELEMENT", "PROPERTY", "RULE", "MESSAGE"}};
    for (quillon::Value const& d : found) {
      std::string const severity = fHost.get(d, "Severity").toString();
      errors += severity == "error" ? 1 : 0;
      quillon::Value const e = fHost.get(d, "Element");
      std::string element = shortName(fHost.classOf(e));
      if (std::string const name = nameOf(e); !name.empty()) element += " \"" + name + '"';
      std::string const property = fHost.get(d, "Property").toString();
      problems.push_back({severity, element, property.empty() ? "-" : property, fHost.get(d, "Rule").toString(),
                          fHost.get(d, "Message").toString()});
    }
    out << plural(errors, "error", "errors") << ", " << plural(found.size() - errors, "warning", "warnings") << ":\n";
    printTable(out, problems);
    return errors != 0;
  }

  // One line per element, indented by how deep it is owned.
  void tree(std::ostream& out, quillon::Value const& model) {
    std::map<std::uintptr_t, std::size_t> depth;
    for (quillon::Value const& e : objectsOf(fHost.invoke(model, "allContents", {}))) {
      quillon::Value const owner = fHost.invoke(e, "getOwner", {});
      std::size_t const d = owner.isObject() && !owner.isEmpty() ? depth[owner.objectKey()] + 1 : 0;
      depth[e.objectKey()] = d;
      std::string const name = nameOf(e);
      out << std::string(2 * d, ' ') << shortName(fHost.classOf(e));
      if (!name.empty()) out << " \"" << name << '"';
      out << '\n';
    }
  }

 private:
  quillon::Host const& fHost;
  std::map<std::string, bool> fHasName;
};

// Error texts go out on one line.
std::string oneLine(std::string s) {
  std::replace(s.begin(), s.end(), '\n', ' ');
  std::replace(s.begin(), s.end(), '\r', ' ');
  return s;
}

}  // namespace

int qnhostMain(std::vector<std::string> args, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    out << kUsage;
    return 0;
  }
  Command cmd;
  try {
    cmd = parse(args);
  } catch (UsageError const& e) {
    err << "qnhost: " << e.message << '\n' << kUsage;
    return 2;
  }
  try {
    quillon::Host host;
    for (std::string const& m : cmd.modules) host.load(m);
    if (readsModels(cmd.verb)) {
      Models models(host);
      std::vector<quillon::Value> keep;
      for (std::string const& f : cmd.with) keep.push_back(models.load(f));
      if (cmd.verb == "check") {
        bool const failed = models.check(out, models.load(cmd.files[0]));
        out.flush();
        return failed ? 1 : 0;
      } else if (cmd.verb == "tree") {
        models.tree(out, models.load(cmd.files[0]));
      } else {
        // Two versions of one model share a Uri: each is read under its own.
        quillon::Value const left = models.loadAs(cmd.files[0], "qnhost:left");
        quillon::Value const right = models.loadAs(cmd.files[1], "qnhost:right");
        quillon::Sequence const lines = host.sequence(host.call("Ozo.Model", "compare", {left, right}));
        for (quillon::Value const& line : lines) out << line.toString() << '\n';
        out.flush();
        return lines.empty() ? 0 : 1;
      }
      out.flush();
      return 0;
    }
    if (cmd.verb == "package") {
      quillon::PackageDesc const p = host.describePackage(cmd.name);
      if (cmd.json) {
        JsonWriter w(out);
        writePackage(w, p);
      } else {
        printPackage(out, p);
      }
    } else {
      quillon::ClassDesc const c = host.describeClass(cmd.name);
      if (cmd.json) {
        JsonWriter w(out);
        writeClass(w, c);
      } else {
        printClass(out, c);
      }
    }
    out.flush();
    return 0;
  } catch (std::exception const& e) {
    err << "qnhost: " << oneLine(e.what()) << '\n';
    return cmd.verb == "diff" ? 2 : 1;  // diff's 1 means "the models differ"
  }
}

}  // namespace qnhost
