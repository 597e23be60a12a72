// Fuzzes the model file reader: an input is the bytes of a model file,
// loaded through the host as a user would (Ozo.Model.load). The bytes reach
// the reader unchanged: they are written to an in-memory file whose path is
// given to the host.
//
// Besides what the sanitizers catch, three rules are checked:
//  - a refused file creates nothing: every live counter is where it was;
//  - a file that loads saves to a document that loads again under another
//    Uri, with no structural difference and the same bytes after the header;
//  - once both models are dropped, every live counter is back where it was.
//
// QUILLON_FUZZ_SEEDS=<dir> model_file_fuzzer writes the seed corpus instead:
// for each class of the types package a saved model holding one element of
// it with its primitive properties set, and one model holding all of them.
#include "FuzzSupport.hpp"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using quillon::Error;
using quillon::Host;
using quillon::Value;

// One in-memory file for the whole run, rewritten for each input.
class MemoryFile {
 public:
  MemoryFile() : fFd(::memfd_create("model", 0)) {
    if (fFd < 0) quillon::fuzz::fail("memfd_create failed");
    fPath = "/proc/self/fd/" + std::to_string(fFd);
  }
  std::string const& write(void const* data, std::size_t size) {
    if (::ftruncate(fFd, 0) != 0) quillon::fuzz::fail("ftruncate failed");
    std::size_t done = 0;
    while (done < size) {
      ssize_t const n = ::pwrite(fFd, static_cast<char const*>(data) + done, size - done, static_cast<off_t>(done));
      if (n <= 0) quillon::fuzz::fail("pwrite failed");
      done += static_cast<std::size_t>(n);
    }
    return fPath;
  }

 private:
  int fFd;
  std::string fPath;
};

MemoryFile& file() {
  static MemoryFile f;
  return f;
}

// The document after its first line (the header names the model's Uri).
std::string body(std::string const& json) {
  std::size_t const nl = json.find('\n');
  return nl == std::string::npos ? std::string() : json.substr(nl);
}

void checkRoundTrip(Host& host, Value const& model) {
  std::string const saved = host.invoke(model, "toJson", {}).toString();
  std::string const& path = file().write(saved.data(), saved.size());
  Value again;
  try {
    again = host.call("Ozo.Model", "load", {Value(path), Value("fuzz:again")});
  } catch (Error const& e) {
    quillon::fuzz::fail("a saved model does not load again: " + std::string(e.what()) + "\n" + saved);
  }
  Value const lines = host.call("Ozo.Model", "compare", {model, again});
  if (!host.sequence(lines).empty())
    quillon::fuzz::fail("a saved model loads with differences: " + host.sequence(lines).at(0).toString());
  if (body(host.invoke(again, "toJson", {}).toString()) != body(saved))
    quillon::fuzz::fail("a saved model saves to other bytes once loaded:\n" + saved);
}

void runInput(std::uint8_t const* data, std::size_t size) {
  Host& host = quillon::fuzz::host();
  quillon::fuzz::Counters const before = host.counters();
  {
    std::string const& path = file().write(data, size);
    Value model;
    try {
      model = host.call("Ozo.Model", "load", {Value(path), Value("fuzz:input")});
    } catch (Error const&) {
    }
    if (model.isObject() && !model.isEmpty()) checkRoundTrip(host, model);
  }
  quillon::fuzz::checkCounters(before, "after the input");
}

// ---------------------------------------------------------------------------
// Seeds.

void writeFile(std::string const& path, std::string const& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

// Gives each settable primitive property of `e` a value other than its default.
void fill(Host& host, Value const& e, std::string const& cls) {
  for (quillon::PropertyDesc const& p : host.allProperties(cls)) {
    if (p.readOnly || p.isStatic) continue;
    Value v;
    if (p.type == "int32 scalar") v = Value(3);
    else if (p.type == "double scalar") v = Value(2.5);
    else if (p.type == "logical scalar") v = Value(true);
    else if (p.type == "char vector") v = Value(std::string(p.name) + " \xC2\xB5");
    else continue;
    try {
      host.set(e, p.name, v);
    } catch (Error const&) {
    }
  }
}

void writeSeeds(std::string const& dir) {
  Host& host = quillon::fuzz::host();
  quillon::PackageDesc const pkg = host.describePackage("Zorvan.metamodel.types");
  Value const all = host.construct("Ozo.Model", {});
  int n = 0;
  for (std::string const& cls : pkg.classes) {
    std::vector<quillon::MethodDesc> ctors;
    for (quillon::MethodDesc const& m : host.describeClass(cls).methods)
      if (m.kind == "constructor" && m.arguments.size() == 1 && m.arguments[0] == "Ozo.Model") ctors.push_back(m);
    if (ctors.empty()) continue;
    for (Value const& model : {host.construct("Ozo.Model", {}), all}) {
      Value e;
      try {
        e = host.construct(cls, {model});
      } catch (Error const&) {
        continue;
      }
      fill(host, e, cls);
      if (!model.sameObject(all))
        writeFile(dir + "/" + cls.substr(cls.rfind('.') + 1) + ".json", host.invoke(model, "toJson", {}).toString());
    }
    ++n;
  }
  writeFile(dir + "/all.json", host.invoke(all, "toJson", {}).toString());
  std::printf("wrote %d seeds and all.json to %s\n", n, dir.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  quillon::fuzz::host();
  if (char const* dir = std::getenv("QUILLON_FUZZ_SEEDS")) {
    writeSeeds(dir);
    std::exit(0);
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
  runInput(data, size);
  return 0;
}
