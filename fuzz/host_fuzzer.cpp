// Fuzzes the host surface (all but the methods that touch files): an input
// is a program of host API steps (construct, static calls, method calls,
// property reads and writes, sequence walks, dropping and destroying
// objects) over every class of the published packages, read from the host's
// own descriptions at start-up.
// Objects the steps make go to a pool that later steps use as receivers
// and arguments, so programs build real object graphs.
//
// Besides what the sanitizers catch, two rules are checked:
//  - a refused step (a host error) changes nothing that can be read of the
//    objects it was given: their properties and what their size, item and
//    toString say are the same before and after;
//  - once the pool is released, every live counter is where it was before
//    the input ran.
//
// QUILLON_FUZZ_SEEDS=<dir> host_fuzzer writes the seed corpus instead: for
// each class a short program that makes an object of it (or calls its
// statics) and then uses each of its members once.
#include "FuzzSupport.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <limits>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

using quillon::Error;
using quillon::Host;
using quillon::MethodDesc;
using quillon::PropertyDesc;
using quillon::Value;
using quillon::fuzz::Input;
using quillon::fuzz::Output;

constexpr char const* kPackages[] = {"Ozo", "Zorvan.metamodel.foundation", "Zorvan.metamodel.types"};

// ---------------------------------------------------------------------------
// The surface, as the host describes it.

enum class Prim { Int32, Double, Logical, Text, Int32s, Doubles, Logicals, Object, Other };

struct TypeRef {
  Prim prim = Prim::Other;
  int cls = -1;  // for Prim::Object: the class index
};

struct Method {
  std::string name;
  bool explicitSelf = false;  // the object is the first of `args`
  std::vector<TypeRef> args;  // the inputs after the object (or all, for statics and constructors)
};

struct Property {
  std::string name;
  TypeRef type;
  bool writable = false;
};

struct ClassInfo {
  std::string name;
  std::vector<int> ancestors;  // sorted, itself included
  std::vector<Method> constructors, statics, instance;
  std::vector<Property> properties;  // readable instance properties (all of them)
  std::vector<std::size_t> writable;  // indices into properties
  std::vector<std::string> readers;  // zero-argument reads a snapshot adds: size, item, toString
  bool sequence = false;
  bool hasToString = false;
};

struct Literal {
  int cls;
  std::string method;
};

struct Surface {
  std::vector<ClassInfo> classes;
  std::unordered_map<std::string, int> index;
  std::vector<std::string> memberNames;  // every member name of every class, once
  std::vector<Literal> literals;         // enumeration literals: static, no inputs, own class
  std::vector<std::string> texts;        // texts worth trying: literal names, value texts, class names

  bool conforms(int cls, int to) const {
    auto const& a = classes[static_cast<std::size_t>(cls)].ancestors;
    return std::binary_search(a.begin(), a.end(), to);
  }
};

TypeRef typeOf(Surface const& s, std::string_view t) {
  static std::map<std::string_view, Prim> const prims = {
      {"int32 scalar", Prim::Int32},   {"double scalar", Prim::Double}, {"logical scalar", Prim::Logical},
      {"char vector", Prim::Text},     {"char", Prim::Text},            {"ozoint32", Prim::Int32s},
      {"ozodouble", Prim::Doubles},    {"ozological", Prim::Logicals}};
  if (auto p = prims.find(t); p != prims.end()) return {p->second, -1};
  if (auto c = s.index.find(std::string(t)); c != s.index.end()) return {Prim::Object, c->second};
  return {};
}

Surface const& surface() {
  static Surface const s = [] {
    Host& h = quillon::fuzz::host();
    Surface out;
    for (char const* pkg : kPackages)
      for (std::string const& c : h.describePackage(pkg).classes) {
        out.index.emplace(c, static_cast<int>(out.classes.size()));
        out.classes.push_back({});
        out.classes.back().name = c;
      }
    std::set<std::string> names, fileMembers;
    for (ClassInfo& ci : out.classes) {
      // Ancestors, walked without recursion.
      std::set<int> seen{out.index.at(ci.name)};
      std::vector<std::string> todo{ci.name};
      while (!todo.empty()) {
        std::string const c = todo.back();
        todo.pop_back();
        for (std::string_view sup : h.describeClass(c).superclasses)
          if (auto it = out.index.find(std::string(sup)); it != out.index.end() && seen.insert(it->second).second)
            todo.emplace_back(sup);
      }
      ci.ancestors.assign(seen.begin(), seen.end());

      for (PropertyDesc const& p : h.allProperties(ci.name)) {
        if (p.isStatic) continue;
        if (!p.readOnly) ci.writable.push_back(ci.properties.size());
        ci.properties.push_back({std::string(p.name), typeOf(out, p.type), !p.readOnly});
      }
      for (std::string const& member : h.memberNames(ci.name)) {
        names.insert(member);
        for (MethodDesc const& m : h.methods(ci.name, member)) {
          // Methods that read or write files (a "path" argument: saving and
          // loading models) are left to model_file_fuzzer: programs here
          // must not touch the file system.
          // Nor are their names called on any object ("foreign" calls).
          if (std::find(m.argumentNames.begin(), m.argumentNames.end(), "path") != m.argumentNames.end()) {
            fileMembers.insert(std::string(m.name));
            continue;
          }
          Method made{std::string(m.name), m.kind == "explicit", {}};
          for (std::string_view a : m.arguments) made.args.push_back(typeOf(out, a));
          if (made.explicitSelf && !made.args.empty()) made.args.erase(made.args.begin());
          if (m.kind == "constructor") ci.constructors.push_back(made);
          else if (m.kind == "static") ci.statics.push_back(made);
          else ci.instance.push_back(made);
          if (m.kind == "static" && m.arguments.empty() && m.result == ci.name) {
            out.literals.push_back({out.index.at(ci.name), made.name});
            out.texts.push_back(made.name);
          }
          if (m.kind == "instance" && m.arguments.empty() &&
              (made.name == "size" || made.name == "item" || made.name == "toString") &&
              std::find(ci.readers.begin(), ci.readers.end(), made.name) == ci.readers.end())
            ci.readers.push_back(made.name);
        }
      }
      ci.hasToString = std::find(ci.readers.begin(), ci.readers.end(), "toString") != ci.readers.end();
      ci.sequence = std::find(ci.readers.begin(), ci.readers.end(), "size") != ci.readers.end() &&
                    std::any_of(ci.instance.begin(), ci.instance.end(), [](Method const& m) { return m.name == "at"; });
    }
    for (std::string const& name : fileMembers) names.erase(name);
    out.memberNames.assign(names.begin(), names.end());
    for (char const* t : {"", "Byte", "8 Byte", "1 Bit", "3 Min", "-1 Byte", "4294967296 Bit", "1e400 S", "nan Ms",
                          " 8 Byte ", "x", "Zorvan.metamodel.types.Axis", "Zorvan.metamodel.types.Factory", "Ozo.Model",
                          "Axis", "untitled"})
      out.texts.emplace_back(t);
    for (ClassInfo const& ci : out.classes) out.texts.push_back(ci.name);
    return out;
  }();
  return s;
}

// ---------------------------------------------------------------------------
// The program.

enum Op : std::uint8_t { kConstruct, kStatic, kInvoke, kGet, kSet, kWalk, kDrop, kDestroy, kForeign, kOpCount };

enum ValueKind : std::uint8_t {
  kTyped,       // a usual value of the declared type (an object of the pool for a class)
  kInt32,       // an int32 edge or raw bits
  kDouble,      // NaN, infinities, -0.0, edges, or raw bits
  kLogical,
  kUtf16,       // any UTF-16 units: lone surrogates, NUL, U+FEFF
  kText,        // a text of the dictionary
  kEmpty,       // []
  kDoubles,     // 1xN arrays
  kInt32s,
  kLogicals,
  kPoolObject,  // any object of the pool
  kObjects,     // a 1xN object array of pool objects
  kLiteral,     // an enumeration literal
  kValueKindCount
};

constexpr std::size_t kPoolSize = 64;

struct Slot {
  Value value;
  int cls;
};

// What can be read of one object, and the values read, kept alive so that
// objects compare by identity between two snapshots.
struct Snapshot {
  std::vector<std::string> lines;
  std::vector<Value> keep;
};

class Program {
 public:
  Program(Input& in, bool tracing) : fIn(in), fS(surface()), fH(quillon::fuzz::host()), fTracing(tracing) {}

  void run() {
    while (!fIn.done()) step();
  }

  std::set<int> const& reached() const { return fReached; }
  // Classes whose methods ran only on their empty handle (no object of
  // them was at hand): the call reaches the class's own method, which
  // refuses it.
  std::set<int> const& reachedEmpty() const { return fReachedEmpty; }
  std::vector<Slot> const& pool() const { return fPool; }
  // Whether the last step ran to the end without a host error.
  bool lastStepSucceeded() const { return fLastOk; }
  void step();

 private:
  ClassInfo const& info(int cls) const { return fS.classes[static_cast<std::size_t>(cls)]; }
  int readClass() { return static_cast<int>(fIn.below(fS.classes.size())); }

  void add(Value const& v) {
    if (!v.isObject() || v.isEmpty()) return;
    for (std::size_t i = 0; i < v.numel() && i < 4; ++i) {
      Value e = v.numel() == 1 ? v : v.element(i);
      auto it = fS.index.find(fH.classOf(e));
      if (it == fS.index.end()) continue;
      if (fPool.size() == kPoolSize) fPool.erase(fPool.begin());
      fPool.push_back({std::move(e), it->second});
    }
  }

  // The receiver of a step: a pool slot, or the most recent-but-`pick`
  // object of a class. -1 when there is none.
  int target(int& cls) {
    std::uint8_t const b = fIn.u8();
    if (b & 0x80) {
      cls = readClass();
      int pick = b & 0x7f;
      for (std::size_t i = fPool.size(); i-- > 0;)
        if (fS.conforms(fPool[i].cls, cls) && pick-- == 0) return static_cast<int>(i);
      return -1;
    }
    if (fPool.empty()) return -1;
    int const slot = b % static_cast<int>(fPool.size());
    cls = fPool[static_cast<std::size_t>(slot)].cls;
    return slot;
  }

  Value poolObject(int cls, std::uint8_t pick, std::vector<int>& touched) {
    for (std::size_t i = fPool.size(); i-- > 0;)
      if ((cls < 0 || fS.conforms(fPool[i].cls, cls)) && pick-- == 0) {
        touched.push_back(static_cast<int>(i));
        return fPool[i].value;
      }
    return Value();
  }

  static double specialDouble(std::uint8_t b) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    static double const table[] = {0.0,  -0.0, 1.0,  -1.0, std::numeric_limits<double>::quiet_NaN(), inf, -inf,
                                   0.5,  2147483647.0, 2147483648.0, -2147483648.0, -2147483649.0, 1e308,
                                   std::numeric_limits<double>::denorm_min(), 4294967296.0, 9007199254740993.0};
    return table[b % std::size(table)];
  }

  // An edge from the table for `b` below its size, else raw bits.
  std::int32_t int32Value(std::uint8_t b) {
    static std::int32_t const table[] = {0, 1, -1, 2, 3, std::numeric_limits<std::int32_t>::min(),
                                         std::numeric_limits<std::int32_t>::max(), -2, 4, 100, 65535};
    if (b < std::size(table)) return table[b];
    return static_cast<std::int32_t>(fIn.u32());
  }

  double doubleValue(std::uint8_t b) {
    if (b < 16) return specialDouble(b);
    std::uint64_t bits = fIn.u64();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }

  // One byte says what the value is: its kind, and in what is left of it
  // (0 to 19) the edge, the length, or which pool object. A single
  // mutated byte therefore gives a whole other value.
  Value value(TypeRef t, std::vector<int>& touched) {
    std::uint8_t const b = fIn.u8();
    auto const kind = static_cast<ValueKind>(b % kValueKindCount);
    auto const param = static_cast<std::uint8_t>(b / kValueKindCount);
    switch (kind) {
      case kTyped:
        switch (t.prim) {
          case Prim::Int32: return Value(1);
          case Prim::Double: return Value(1.0);
          case Prim::Logical: return Value::logical(true);
          case Prim::Text: return Value("a");
          case Prim::Int32s: return Value::int32s({1});
          case Prim::Doubles: return Value::doubles({1.0});
          case Prim::Logicals: return Value::logicals({true});
          case Prim::Object: return poolObject(t.cls, param, touched);
          case Prim::Other: return Value();
        }
        return Value();
      case kInt32: return Value::int32(int32Value(param));
      case kDouble: return Value(doubleValue(param));
      case kLogical: return Value::logical(param & 1);
      case kUtf16: {
        std::u16string text(param, u'\0');
        for (char16_t& c : text) {
          std::uint8_t const u = fIn.u8();
          static char16_t const interesting[] = {0, 0xD800, 0xDBFF, 0xDC00, 0xDFFF, 0xFEFF, 0xFFFE, 0xFFFF, u' ', u'-'};
          c = u < 0x80 ? static_cast<char16_t>(u) : u < 0xc0 ? interesting[u % std::size(interesting)] : fIn.u16();
        }
        return Value(std::u16string_view(text));
      }
      case kText: return Value(fS.texts[fIn.below(fS.texts.size())]);
      case kEmpty: return Value();
      case kDoubles: {
        std::vector<double> v(param % 5);
        for (double& d : v) d = doubleValue(fIn.u8());
        return Value::doubles(v);
      }
      case kInt32s: {
        std::vector<std::int32_t> v(param % 5);
        for (std::int32_t& i : v) i = int32Value(fIn.u8());
        return Value::int32s(v);
      }
      case kLogicals: {
        std::vector<bool> v(param % 5);
        for (std::size_t i = 0; i < v.size(); ++i) v[i] = fIn.u8() & 1;
        return Value::logicals(v);
      }
      case kPoolObject: return poolObject(-1, param, touched);
      case kObjects: {
        std::vector<Value> elements;
        for (int n = 2 + param % 3; n > 0; --n)
          if (Value e = poolObject(t.prim == Prim::Object ? t.cls : -1, fIn.u8(), touched); !e.isEmpty())
            elements.push_back(e);
        if (elements.empty()) return Value();
        return Value::objects(elements);
      }
      case kLiteral: {
        if (fS.literals.empty()) return Value();
        Literal const& l = fS.literals[fIn.below(fS.literals.size())];
        return fH.call(info(l.cls).name, l.method, {});
      }
      case kValueKindCount: break;
    }
    return Value();
  }

  std::vector<Value> args(std::vector<TypeRef> const& types, std::vector<int>& touched) {
    std::vector<Value> out;
    out.reserve(types.size());
    for (TypeRef t : types) out.push_back(value(t, touched));
    return out;
  }

  // Everything a snapshot reads of one object.
  void snapshot(Value const& object, int cls, Snapshot& snap) {
    ClassInfo const& ci = info(cls);
    auto record = [&](std::string const& what, auto&& read) {
      try {
        Value v = read();
        std::string line = what + ": " + quillon::fuzz::describe(v);
        if (v.isObject())
          for (std::size_t i = 0; i < v.numel(); ++i) {
            Value e = v.numel() == 1 ? v : v.element(i);
            auto it = fS.index.find(fH.classOf(e));
            // Values (enumerations, DataSize, Time) and sequences say what
            // they hold; a new host object of an equal value is no change.
            if (it != fS.index.end() && info(it->second).hasToString)
              line += " " + fH.invoke(e, "toString", {}).toString();
            else
              line += " #" + std::to_string(e.identity());
            snap.keep.push_back(std::move(e));
          }
        snap.lines.push_back(std::move(line));
      } catch (Error const& e) {
        snap.lines.push_back(what + " refused: " + e.what());
      }
    };
    snap.lines.push_back(ci.name + " #" + std::to_string(object.identity()));
    for (Property const& p : ci.properties) record(p.name, [&] { return fH.get(object, p.name); });
    for (std::string const& r : ci.readers) record(r + "()", [&] { return fH.invoke(object, r, {}); });
  }

  Snapshot snapshotAll(std::vector<int> const& touched) {
    Snapshot snap;
    std::set<int> done;
    for (int slot : touched)
      if (done.insert(slot).second && done.size() <= 3)
        snapshot(fPool[static_cast<std::size_t>(slot)].value, fPool[static_cast<std::size_t>(slot)].cls, snap);
    return snap;
  }

  // Runs a step's host call. A refused call must leave the objects it was
  // given as they were.
  template <class F>
  void guarded(char const* what, std::string const& detail, std::vector<int> const& touched, int cls, F&& call) {
    if (fTracing) std::fprintf(stderr, "  %s %s\n", what, detail.c_str());
    Snapshot before = snapshotAll(touched);
    try {
      call();
      fLastOk = true;
      if (cls >= 0) fReached.insert(cls);
    } catch (Error const& e) {
      if (fTracing) std::fprintf(stderr, "    refused: %s\n", e.what());
      Snapshot after = snapshotAll(touched);
      if (after.lines != before.lines) {
        std::string report = std::string("a refused ") + what + " " + detail + " changed what it was given.\nerror: " +
                             e.what() + "\n";
        for (std::size_t i = 0; i < std::max(before.lines.size(), after.lines.size()); ++i) {
          std::string const& b = i < before.lines.size() ? before.lines[i] : "";
          std::string const& a = i < after.lines.size() ? after.lines[i] : "";
          if (a != b) report += "  before: " + b + "\n  after:  " + a + "\n";
        }
        quillon::fuzz::fail(report);
      }
    }
  }

  Input& fIn;
  Surface const& fS;
  Host& fH;
  bool fTracing;
  bool fLastOk = false;
  std::vector<Slot> fPool;
  std::set<int> fReached;
  std::set<int> fReachedEmpty;
};

void Program::step() {
  fLastOk = false;
  std::uint8_t const op = fIn.u8() % kOpCount;
  // Building the arguments may itself be refused (a literal, an object
  // array of mixed classes): then the step is over.
  try {
    switch (op) {
      case kConstruct: {
        int const cls = readClass();
        ClassInfo const& ci = info(cls);
        std::size_t const k = fIn.u8();
        std::vector<int> touched;
        std::vector<Value> in = ci.constructors.empty()
                                    ? std::vector<Value>{}
                                    : args(ci.constructors[k % ci.constructors.size()].args, touched);
        guarded("construct", ci.name, touched, cls, [&] { add(fH.construct(ci.name, in)); });
        break;
      }
      case kStatic: {
        int const cls = readClass();
        ClassInfo const& ci = info(cls);
        std::size_t const k = fIn.u8();
        if (ci.statics.empty()) break;
        Method const& m = ci.statics[k % ci.statics.size()];
        std::vector<int> touched;
        std::vector<Value> in = args(m.args, touched);
        guarded("static", ci.name + "." + m.name, touched, cls, [&] { add(fH.call(ci.name, m.name, in)); });
        break;
      }
      case kInvoke: {
        int cls = -1;
        int const slot = target(cls);
        std::size_t const k = fIn.u8();
        std::uint8_t const how = fIn.u8();
        if (cls < 0 || info(cls).instance.empty()) break;
        ClassInfo const& ci = info(cls);
        Method const& m = ci.instance[k % ci.instance.size()];
        std::vector<int> touched;
        Value self;  // none in the pool: the class's empty handle
        if (slot >= 0) {
          touched.push_back(slot);
          self = fPool[static_cast<std::size_t>(slot)].value;
        }
        std::vector<Value> in = args(m.args, touched);
        std::string const& owner = slot >= 0 ? info(fPool[static_cast<std::size_t>(slot)].cls).name : ci.name;
        if (slot < 0) fReachedEmpty.insert(cls);
        guarded("invoke", owner + "." + m.name, touched, slot >= 0 ? fPool[static_cast<std::size_t>(slot)].cls : -1, [&] {
          if (m.explicitSelf || (how & 1) || slot < 0) {
            std::vector<Value> all{self};
            all.insert(all.end(), in.begin(), in.end());
            add(fH.call(owner, m.name, all));
          } else {
            add(fH.invoke(self, m.name, in));
          }
        });
        break;
      }
      case kGet: {
        int cls = -1;
        int const slot = target(cls);
        std::size_t const k = fIn.u8();
        if (slot < 0) break;
        Slot const s = fPool[static_cast<std::size_t>(slot)];
        if (info(s.cls).properties.empty()) break;
        Property const& p = info(s.cls).properties[k % info(s.cls).properties.size()];
        // A read changes nothing by itself: no snapshots.
        guarded("get", info(s.cls).name + "." + p.name, {}, s.cls, [&] { add(fH.get(s.value, p.name)); });
        break;
      }
      case kSet: {
        int cls = -1;
        int const slot = target(cls);
        std::size_t const k = fIn.u8();
        if (slot < 0) break;
        Slot const s = fPool[static_cast<std::size_t>(slot)];
        ClassInfo const& ci = info(s.cls);
        if (ci.writable.empty()) break;
        Property const& p = ci.properties[ci.writable[k % ci.writable.size()]];
        std::vector<int> touched{slot};
        Value v = value(p.type, touched);
        guarded("set", ci.name + "." + p.name, touched, s.cls, [&] { fH.set(s.value, p.name, v); });
        break;
      }
      case kWalk: {
        int cls = -1;
        int const slot = target(cls);
        std::size_t limit = fIn.u8() % 16;
        if (slot < 0 || !info(fPool[static_cast<std::size_t>(slot)].cls).sequence) break;
        Slot const s = fPool[static_cast<std::size_t>(slot)];
        guarded("walk", info(s.cls).name, {}, s.cls, [&] {
          quillon::Sequence const seq = fH.sequence(s.value);
          std::size_t const n = seq.size();
          for (Value item : seq) {
            if (limit-- == 0) break;
            add(item);
          }
          // One past the end is refused with the host's bounds error.
          try {
            seq.at(n);
          } catch (Error const&) {
            return;
          }
          quillon::fuzz::fail("a sequence of " + std::to_string(n) + " items gave an item at index " +
                              std::to_string(n));
        });
        break;
      }
      case kDrop: {
        std::uint8_t const b = fIn.u8();
        if (!fPool.empty()) fPool.erase(fPool.begin() + b % static_cast<int>(fPool.size()));
        break;
      }
      case kDestroy: {
        int cls = -1;
        int const slot = target(cls);
        if (slot < 0) break;
        Value const v = fPool[static_cast<std::size_t>(slot)].value;
        guarded("destroy", info(fPool[static_cast<std::size_t>(slot)].cls).name, {}, -1, [&] { fH.destroy(v); });
        break;
      }
      case kForeign: {
        // Any member name of any class on this object: most are refused by
        // the host's lookup or overload resolution.
        int cls = -1;
        int const slot = target(cls);
        std::string const& name = fS.memberNames[fIn.below(fS.memberNames.size())];
        std::size_t const n = fIn.u8() % 4;
        if (slot < 0) break;
        std::vector<int> touched{slot};
        std::vector<Value> in;
        for (std::size_t i = 0; i < n; ++i) in.push_back(value({}, touched));
        Value const self = fPool[static_cast<std::size_t>(slot)].value;
        guarded("foreign", info(fPool[static_cast<std::size_t>(slot)].cls).name + "." + name, touched, -1,
                [&] { add(fH.invoke(self, name, in)); });
        break;
      }
      default: break;
    }
  } catch (Error const& e) {
    if (fTracing) std::fprintf(stderr, "    arguments refused: %s\n", e.what());
  }
}

// Runs one input; the pool is released before the counters are compared.
struct Reached {
  std::set<int> used, emptyOnly;
};

Reached runInput(std::uint8_t const* data, std::size_t size, bool tracing) {
  Host& h = quillon::fuzz::host();
  quillon::fuzz::Counters const before = h.counters();
  Reached reached;
  {
    Host::OutputCapture const quiet(h);  // "disp" prints
    Input in(data, size);
    Program p(in, tracing);
    p.run();
    reached.used = p.reached();
    reached.emptyOnly = p.reachedEmpty();
  }
  quillon::fuzz::checkCounters(before, "across one input, once its objects were released");
  return reached;
}

// ---------------------------------------------------------------------------
// Seeds: for each class, the shortest program found that leaves an object
// of it in the pool, then one use of each of its members.

// Usual arguments: kTyped, for an object the most recent one that fits.
std::vector<std::uint8_t> defaults(std::vector<TypeRef> const& types) {
  return std::vector<std::uint8_t>(types.size(), kTyped);
}

Output& target(Output& o, int cls) { return o.u8(0x80).u16(static_cast<std::uint16_t>(cls)); }

std::set<int> classesLeft(std::vector<std::uint8_t> const& program) {
  Input in(program.data(), program.size());
  Program p(in, false);
  Host::OutputCapture const quiet(quillon::fuzz::host());
  p.run();
  std::set<int> out;
  for (Slot const& s : p.pool()) out.insert(s.cls);
  return out;
}

// The value byte of an edge of a type: int32 -1, minimum, maximum, 0; NaN,
// infinities, -0.0; lone surrogates and NUL in text; the empty array.
std::uint8_t edge(TypeRef t, std::size_t which) {
  auto const of = [](ValueKind kind, int param) { return static_cast<std::uint8_t>(kind + kValueKindCount * param); };
  switch (t.prim) {
    case Prim::Int32: { static int const p[] = {2, 5, 6, 0}; return of(kInt32, p[which % 4]); }
    case Prim::Double: { static int const p[] = {4, 5, 6, 1}; return of(kDouble, p[which % 4]); }
    case Prim::Text: return which % 2 ? of(kUtf16, 0) : of(kUtf16, 3);  // its units follow: read as zeros, NULs
    default: return of(kEmpty, 0);
  }
}

// A class name without "Immutable": both views of a class give the same.
std::string unviewed(std::string name) {
  for (std::size_t at; (at = name.find("Immutable")) != std::string::npos;) name.erase(at, 9);
  return name;
}

void writeSeeds(std::string const& dir) {
  Surface const& s = surface();
  int const n = static_cast<int>(s.classes.size());
  std::map<int, std::vector<std::uint8_t>> recipe;  // how to get an object of a class
  std::deque<int> todo;
  auto learn = [&](std::vector<std::uint8_t> const& program) {
    for (int c : classesLeft(program))
      if (!recipe.count(c)) {
        recipe[c] = program;
        todo.push_back(c);
      }
  };
  // Level one: every constructor and every static with usual arguments,
  // after a model.
  Output model;
  model.u8(kConstruct).u16(static_cast<std::uint16_t>(s.index.at("Ozo.Model"))).u8(0);
  learn(model.bytes());
  for (int c = 0; c < n; ++c) {
    ClassInfo const& ci = s.classes[static_cast<std::size_t>(c)];
    for (std::size_t k = 0; k < ci.constructors.size(); ++k)
      learn(Output(model).u8(kConstruct).u16(static_cast<std::uint16_t>(c)).u8(static_cast<std::uint8_t>(k))
                .append(defaults(ci.constructors[k].args)).bytes());
    for (std::size_t k = 0; k < ci.statics.size(); ++k)
      learn(Output(model).u8(kStatic).u16(static_cast<std::uint16_t>(c)).u8(static_cast<std::uint8_t>(k))
                .append(defaults(ci.statics[k].args)).bytes());
  }
  // Then what the objects known so far lead to: their properties and methods.
  while (!todo.empty()) {
    int const c = todo.front();
    todo.pop_front();
    ClassInfo const& ci = s.classes[static_cast<std::size_t>(c)];
    std::vector<std::uint8_t> const base = recipe[c];
    for (std::size_t k = 0; k < ci.properties.size(); ++k) {
      Output o(base);
      target(o.u8(kGet), c).u8(static_cast<std::uint8_t>(k));
      learn(o.bytes());
    }
    for (std::size_t k = 0; k < ci.instance.size(); ++k) {
      Output o(base);
      target(o.u8(kInvoke), c).u8(static_cast<std::uint8_t>(k)).u8(0).append(defaults(ci.instance[k].args));
      learn(o.bytes());
    }
    // Views: the casts of its superclasses and of its other view (the
    // object is the most recent one that fits their argument).
    for (int d = 0; d < n; ++d) {
      ClassInfo const& di = s.classes[static_cast<std::size_t>(d)];
      if (!s.conforms(c, d) && unviewed(di.name) != unviewed(ci.name)) continue;
      for (std::size_t k = 0; k < di.statics.size(); ++k)
        if (di.statics[k].name == "cast")
          learn(Output(base).u8(kStatic).u16(static_cast<std::uint16_t>(d)).u8(static_cast<std::uint8_t>(k))
                    .append(defaults(di.statics[k].args)).bytes());
    }
  }
  std::size_t files = 0, bytes = 0, reached = 0, emptyOnly = 0;
  for (int c = 0; c < n; ++c) {
    ClassInfo const& ci = s.classes[static_cast<std::size_t>(c)];
    Output o;
    if (auto r = recipe.find(c); r != recipe.end()) {
      o.append(r->second);
      for (std::size_t k = 0; k < ci.instance.size(); ++k)
        target(o.u8(kInvoke), c).u8(static_cast<std::uint8_t>(k)).u8(0).append(defaults(ci.instance[k].args));
      for (std::size_t k = 0; k < ci.properties.size(); ++k) target(o.u8(kGet), c).u8(static_cast<std::uint8_t>(k));
      // Each writable property: a usual value, then an edge (a different
      // one for each property, so that the corpus holds them all).
      for (std::size_t k = 0; k < ci.writable.size(); ++k) {
        target(o.u8(kSet), c).u8(static_cast<std::uint8_t>(k)).append(defaults({ci.properties[ci.writable[k]].type}));
        target(o.u8(kSet), c).u8(static_cast<std::uint8_t>(k)).u8(edge(ci.properties[ci.writable[k]].type, static_cast<std::size_t>(c) + k));
      }
      if (ci.sequence) target(o.u8(kWalk), c).u8(4);
    } else {
      // No object of it can be made: its methods on its empty handle, one
      // overload of each name.
      std::set<std::string> called;
      for (std::size_t k = 0; k < ci.instance.size(); ++k)
        if (called.insert(ci.instance[k].name).second)
          target(o.u8(kInvoke), c).u8(static_cast<std::uint8_t>(k)).u8(0).append(defaults(ci.instance[k].args));
    }
    for (std::size_t k = 0; k < ci.statics.size(); ++k)
      o.u8(kStatic).u16(static_cast<std::uint16_t>(c)).u8(static_cast<std::uint8_t>(k)).append(defaults(ci.statics[k].args));
    auto const& program = o.bytes();
    Reached const hit = runInput(program.data(), program.size(), false);
    if (hit.used.count(c)) ++reached;
    else if (hit.emptyOnly.count(c)) ++emptyOnly;
    else std::fprintf(stderr, "seed of %s does not reach it\n", ci.name.c_str());
    std::ofstream(dir + "/" + ci.name, std::ios::binary)
        .write(reinterpret_cast<char const*>(program.data()), static_cast<std::streamsize>(program.size()));
    ++files;
    bytes += program.size();
  }
  std::fprintf(stderr,
               "wrote %zu seeds (%zu bytes) to %s; of %d classes, %zu used on objects, %zu only on their empty "
               "handle\n",
               files, bytes, dir.c_str(), n, reached, emptyOnly);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  surface();  // descriptions once, before the first input
  if (char const* dir = std::getenv("QUILLON_FUZZ_SEEDS")) {
    writeSeeds(dir);
    std::exit(0);
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
  static bool const tracing = std::getenv("QUILLON_FUZZ_TRACE") != nullptr;
  runInput(data, size, tracing);
  return 0;
}
