// Models as documents at the runtime's level: contents, the JSON form read
// and written, files, copies and comparisons, over the test classes (one
// property of every stored kind).
#include "platform/ozo/TestClasses.hpp"

#include <Ozo/Compare.hpp>
#include <Ozo/Contents.hpp>
#include <Ozo/Document.hpp>
#include <Ozo/Internal.hpp>
#include <Ozo/Library.hpp>

#include <algorithm>
#include <cmath>
#include <functional>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

namespace {

using namespace ozotest;
namespace fs = std::filesystem;

Ozo::Object makeThing(Ozo::Model const& m) { return asObject(thing(m)); }
Ozo::Object makeOther(Ozo::Model const& m) {
  Ozo::ClassObject const o = Ozo::createObject(m, kOtherMethods);
  return asObject(o);
}

// A class whose elements have names, as most model classes do.
constexpr char kNamedType[] = "Test.Named";
constexpr Ozo::meta::PropertyDef kNamedProperties[] = {
    {"Name", K::String, M::ZeroOne},
    {"Peer", K::Element, M::ZeroOne, kNamedType},
};
constexpr Ozo::meta::ClassDef kNamed{"Named", "Test", &Ozo::NSInterface::ClassObjectIntf::sClassDef,
                                     kNamedProperties, std::size(kNamedProperties)};
constexpr Ozo::IntrospectiveMethods kNamedMethods{&kNamed, &Ozo::kElementAccessors<kNamed>};

Ozo::ClassObject named(Ozo::Model const& m, std::u16string const& name) {
  Ozo::ClassObject const o = Ozo::createObject(m, kNamedMethods);
  kNamedMethods.accessors->set(o, 1, Ozo::String(name));
  return o;
}
void setPeer(Ozo::ClassObject const& o, Ozo::ClassObject const& peer) {
  kNamedMethods.accessors->set(o, 2, asObject(peer));
}

[[maybe_unused]] bool const registered = [] {
  Ozo::registerElementClass(kThing, &makeThing);
  Ozo::registerElementClass(kOther, &makeOther);
  return true;
}();

Ozo::ElementBase& core(Ozo::ClassObject const& o) { return *o.get()->elementCore(); }
Ozo::String text(std::u16string s) { return Ozo::String(std::move(s)); }

// The document after its first line (which names the model).
std::string body(std::string const& json) { return json.substr(json.find('\n')); }

class Documents : public LiveCountTest {
 protected:
  // A model with every stored kind set, owned elements, references inside
  // and into a second model.
  void build() {
    set(a, Count, Ozo::Integer(-7));
    set(a, Limit, Ozo::Real(-0.0));
    set(a, Flag, Ozo::Boolean(true));
    // An unpaired surrogate, a pair, a quote and a control character.
    set(a, Label, text(u"x\xD800y \U0001F600 \"q\" \x01"));
    set(a, Peer, asObject(b));
    set(a, Part, asObject(c));
    collection(a, Parts).push_back(asObject(d));
    collection(a, Parts).push_back(asObject(e));
    collection(a, Tags).push_back(text(u""));
    collection(a, Tags).push_back(text(std::u16string(1, u'\0') + u"\xDC00"));
    collection(a, Amounts).push_back(Ozo::Integer(std::numeric_limits<std::int32_t>::min()));
    collection(a, Peers).push_back(asObject(e));
    collection(a, Peers).push_back(asObject(far));
    collection(a, Peers).push_back(asObject(e));
    set(b, Limit, Ozo::Real(std::numeric_limits<double>::infinity()));
    set(c, Limit, Ozo::Real(std::nan("")));
    set(d, Peer, asObject(far));  // into the other model
    set(e, Label, text(u""));     // set, and empty
  }

  Ozo::Model const other = Ozo::Model::create("doc-other");
  Ozo::ClassObject const far = thing(other);
  Ozo::Model const m = Ozo::Model::create("doc-main");
  Ozo::ClassObject const a = thing(m), b = thing(m), c = thing(m), d = thing(m), e = thing(m);
};

TEST_F(Documents, EveryKindReadsBackTheSameAndSavesToTheSameBytes) {
  build();
  std::string const saved = Ozo::toJson(m);
  Ozo::Model const loaded = Ozo::fromJson(saved, "test", "doc-again");
  EXPECT_EQ(loaded.get()->name(), "doc-again");
  EXPECT_TRUE(Ozo::compareModels(m, loaded).empty());
  std::string const again = Ozo::toJson(loaded);
  EXPECT_EQ(body(again), body(saved));
  EXPECT_NE(saved.find("\\ud800y"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\"Limit\":-0.0"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\"Limit\":\"NaN\""), std::string::npos) << saved;
  EXPECT_NE(saved.find("{\"model\":\"doc-other\",\"id\":1}"), std::string::npos) << saved;

  // The loaded elements are the same values, not only the same text.
  Ozo::ElementBase* const la = Ozo::findByPath(loaded.get(), u"");
  EXPECT_EQ(la, nullptr);
  std::vector<Ozo::ElementBase*> const all = Ozo::allContentsOf(loaded.get());
  ASSERT_EQ(all.size(), 5u);
  Ozo::ClassObject const la2(all[0]->self(), Ozo::Deviant{});
  EXPECT_EQ(Ozo::String(get(la2, Label)).text(), u"x\xD800y \U0001F600 \"q\" \x01");
  EXPECT_TRUE(std::signbit(Ozo::Real(get(la2, Limit)).value()));
  EXPECT_EQ(collection(la2, Tags).at(1).get() ? Ozo::String(collection(la2, Tags).at(1)).text() : u"",
            std::u16string(1, u'\0') + u"\xDC00");
  EXPECT_EQ(get(la2, Peers).get() ? collection(la2, Peers).at(1).get() : nullptr, far.get())
      << "a reference into the other model resolves to its element";
  EXPECT_EQ(all[0]->id(), core(a).id()) << "ids are kept";
}

TEST_F(Documents, ContentsListOwnersBeforeWhatTheyOwnAndPathsFindByName) {
  build();
  Ozo::ClassObject const g = thing(m);
  set(g, Label, text(u"g"));
  collection(e, Parts).push_back(asObject(g));
  std::vector<Ozo::ElementBase*> const roots = Ozo::contentsOf(m.get());
  ASSERT_EQ(roots.size(), 2u);  // a and b; c, d, e are owned
  EXPECT_EQ(roots[0], &core(a));
  EXPECT_EQ(roots[1], &core(b));
  std::vector<Ozo::ElementBase*> const all = Ozo::allContentsOf(m.get());
  std::vector<Ozo::ElementBase*> const expected{&core(a), &core(d), &core(e), &core(g), &core(c), &core(b)};
  EXPECT_EQ(all, expected) << "depth first, owned elements in property order (Parts before Part)";
}

// A bad document fails naming the place and the element, and leaves no model,
// element or value behind.
TEST_F(Documents, BadDocumentsFailClearlyAndCreateNothing) {
  build();
  std::string const good = Ozo::toJson(m);
  auto const replaced = [&good](std::string const& from, std::string const& to) {
    std::string s = good;
    std::size_t const at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? s : s.replace(at, from.size(), to);
  };
  std::string const head = R"({"format":"quillon-model","version":1,"name":"n","uri":"n","elements":[)";
  struct Case {
    std::string text, message;
  };
  std::vector<Case> const cases{
      {"", "f: the file is empty"},
      {"{\"format\":", "f:1:11: not valid JSON: invalid value"},
      {replaced("\"uri\":\"doc-main\"", "\"uri\":\"doc-free\"").substr(0, good.size() / 2), "not valid JSON"},
      {"0e54", "this is not a model document: it is not a JSON object"},
      {head + R"({"id":1,"class":"Test.Thing","properties":{"Limit":1e999}}]})", "not valid JSON: number too big to be stored in double"},
      {"[1]", "f:1:1: this is not a model document: it is not a JSON object"},
      {R"({"format":"other"})", "f:1:11: this is not a model document: its format is not \"quillon-model\""},
      {R"({"type":1})", "this is not a model document: its first key is \"type\", not \"format\""},
      {R"({"format":"quillon-model","version":2})", "the document has version 2, newer than this program reads (1)"},
      {R"({"format":"quillon-model","version":1,"uri":"n"})", "expected the key \"name\" here, found \"uri\""},
      {head + R"({"id":1,"class":"Test.Nothing","properties":{}}]})", "element 1: unknown class \"Test.Nothing\""},
      {head + R"({"id":1,"class":"Test.Abstract","properties":{}}]})", "element 1: unknown class \"Test.Abstract\""},
      {head + R"({"id":1,"class":"Test.Thing","properties":{"Size":1}}]})",
       "element 1: Test.Thing has no property \"Size\""},
      {head + R"({"id":1,"class":"Test.Thing","properties":{"Count":"7"}}]})",
       "element 1: property \"Count\" of Test.Thing takes a whole number, got a string"},
      {head + R"({"id":1,"class":"Test.Thing","properties":{"Count":4294967296}}]})",
       "takes a whole number, got a number out of its range"},
      {head + R"({"id":1,"class":"Test.Thing","properties":{"Tags":"a"}}]})", "takes an array"},
      {head + R"({"id":1,"class":"Test.Thing","properties":{"Label":["a"]}}]})", "takes a single value, not an array"},
      {head + R"({"id":1,"class":"Test.Thing","properties":{"Count":1,"Count":2}}]})", "property \"Count\" of Test.Thing is given twice"},
      {head + R"({"id":1,"class":"Test.Thing","properties":{"Holder":2}}]})", "property \"Holder\" of Test.Thing is derived and is not saved"},
      {head + R"({"id":1,"class":"Test.Thing","properties":{}},{"id":1,"class":"Test.Thing","properties":{}}]})",
       "the id 1 is given twice"},
      {head + R"({"id":1,"class":"Test.Thing","properties":{"Peer":9}}]})",
       "element 1: property \"Peer\" refers to element 9, which is not in the document"},
      {head + R"({"id":1,"class":"Test.Thing","properties":{"Peer":2}},{"id":2,"class":"Test.Other","properties":{}}]})",
       "element 1: property \"Peer\" takes a Test.Thing, but element 2 is a Test.Other"},
      {head + R"({"id":1,"class":"Test.Thing","properties":{"Part":2}},{"id":2,"class":"Test.Thing","properties":{"Part":1}}]})",
       "ownership cycle: element 2 would own element 1, which owns it"},
      {head + R"({"id":1,"class":"Test.Thing","properties":{"Part":1}}]})", "ownership cycle"},
      {head + R"({"id":1,"class":"Test.Thing","properties":{"Part":3}},{"id":2,"class":"Test.Thing","properties":{"Parts":[3]}},{"id":3,"class":"Test.Thing","properties":{}}]})",
       "element 3 is owned twice: by elements 1 and 2"},
      {head + R"({"id":1,"class":"Test.Thing","properties":{"Peer":{"model":"nowhere","id":1}}}]})",
       "refers to model \"nowhere\", which is not loaded (load that model first)"},
      {head + R"({"id":1,"class":"Test.Thing","properties":{"Peer":{"model":"doc-other","id":5}}}]})",
       "refers to element 5 of model \"doc-other\", which has no such element"},
      {head + R"({"id":1,"class":"Test.Thing","properties":{"Tags":[[[[[[1]]]]]]}}]})", "unexpected array"},
      {head + R"({"id":1,"class":"Test.Thing","properties":{"Count":null}}]})", "null is not a value of a model document"},
      {head + "{\"id\":1,\"class\":\"Test.Thing\",\"properties\":{\"Label\":\"\xff\"}}]}", "the text is not valid UTF-8"},
      {head + R"({"id":0,"class":"Test.Thing","properties":{}}]})", "an element's id must be a whole number from 1 to 4294967295"},
      {head + R"({"class":"Test.Thing"}]})", "an element: expected the key \"id\" here, found \"class\""},
      {head + R"({"id":1,"class":"Test.Thing"}]})", "element 1 has no key \"properties\""},
      {head + "]}x", "not valid JSON: the document root must not be followed by other values"},
      {std::string("{\"format\"\0", 10), "f:1:10: the text holds a NUL byte"},
      {replaced("\"uri\":\"doc-main\"", "\"uri\":\"doc-other\""), "a live model already has the Uri \"doc-other\""},
  };
  std::vector<std::string> const models = Ozo::ModelCache::names();
  std::size_t const live = Ozo::ReferenceCountingIntf::live();
  for (Case const& bad : cases) {
    std::string const message = failure([&] { Ozo::fromJson(bad.text, "f"); });
    EXPECT_NE(message.find(bad.message), std::string::npos) << "got: " << message << "\nfor: " << bad.text;
    EXPECT_EQ(Ozo::ReferenceCountingIntf::live(), live) << "something was left from: " << bad.text;
    EXPECT_EQ(Ozo::ModelCache::names(), models) << bad.text;
  }
}

// ---------------------------------------------------------------------------
class Files : public Documents {
 protected:
  Files() { fs::create_directories(dir); }
  ~Files() override { fs::remove_all(dir); }
  std::vector<std::string> listing() const {
    std::vector<std::string> names;
    for (auto const& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  fs::path const dir = fs::temp_directory_path() / ("ozo-documents-" + std::to_string(::getpid()));
};

std::string slurp(fs::path const& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST_F(Files, SavingReplacesTheFileWholeAndAFailedSaveLeavesItAndNoTemporaryFile) {
  build();
  std::string const path = (dir / "m.json").string();
  Ozo::saveModel(m, path);
  std::string const first = slurp(path);
  EXPECT_EQ(first, Ozo::toJson(m));
  // A read-only model can be saved.
  m.get()->setReadOnly(true);
  Ozo::saveModel(m, path);
  m.get()->setReadOnly(false);
  // The target is a folder: the rename fails after the temporary file was written.
  fs::create_directory(dir / "folder.json");
  std::string const message = failure([&] { Ozo::saveModel(m, (dir / "folder.json").string()); });
  EXPECT_EQ(message.rfind("Cannot save \"" + (dir / "folder.json").string() + "\": ", 0), 0u) << message;
  EXPECT_EQ(listing(), (std::vector<std::string>{"folder.json", "m.json"})) << "no temporary file is left";
  EXPECT_NE(failure([&] { Ozo::saveModel(m, (dir / "nowhere" / "m.json").string()); }).find("No such file"),
            std::string::npos);
}

TEST_F(Files, LoadingAMissingFileOrAFolderNamesIt) {
  std::string const missing = (dir / "missing.json").string();
  EXPECT_EQ(failure([&] { Ozo::loadModel(missing); }), "Cannot load \"" + missing + "\": No such file or directory");
  EXPECT_EQ(failure([&] { Ozo::loadModel(dir.string()); }), "Cannot load \"" + dir.string() + "\": it is a folder");
  std::ofstream(dir / "bad.json") << "{\n  \"format\": 1}";
  EXPECT_EQ(failure([&] { Ozo::loadModel((dir / "bad.json").string()); }),
            (dir / "bad.json").string() + ":2:13: this is not a model document: its format is not \"quillon-model\"");
}

// ---------------------------------------------------------------------------
TEST_F(Documents, ACopyPointsAtItsOwnPartsAndStillAtWhatLiesOutside) {
  build();
  // Inside a's tree: d, e, c; outside it: b and far.
  Ozo::ClassObject const copy(Ozo::copyElement(m, core(a)).get()->castTo<Ozo::VisitationDomain, Ozo::NSInterface::ClassObjectIntf>(), Ozo::Deviant{});
  ASSERT_TRUE(copy.isValid());
  EXPECT_EQ(Ozo::contentsOf(m.get()).size(), 3u) << "the copy is a new root";
  auto const peers = collection(copy, Peers);
  ASSERT_EQ(peers.size(), 3u);
  Ozo::ImmutableObject const copiedE = collection(copy, Parts).at(1);
  EXPECT_NE(copiedE.get(), e.get());
  EXPECT_EQ(peers.at(0).get(), copiedE.get()) << "a reference among the copied elements points to the copy";
  EXPECT_EQ(peers.at(2).get(), copiedE.get());
  EXPECT_EQ(peers.at(1).get(), far.get()) << "a reference outside stays";
  EXPECT_EQ(get(copy, Peer).get(), b.get());
  EXPECT_NE(get(copy, Part).get(), c.get());
  EXPECT_EQ(Ozo::String(get(copy, Label)).text(), Ozo::String(get(a, Label)).text());

  // Into another model, which then holds an equal tree.
  Ozo::Model const n = Ozo::Model::create("doc-copy");
  Ozo::copyElement(n, core(a));
  Ozo::copyElement(n, core(b));
  // The copy's Peer still points at b in m (it lies outside what was
  // copied), and m holds the first copy of a besides.
  EXPECT_EQ(Ozo::compareModels(m, n),
            (std::vector<std::string>{"(Thing)[1]: Peer: (Thing)[2] != doc-main:(Thing)[2]",
                                      "(Thing)[3]: class: Test.Thing != (none)"}));
  // A read-only model refuses before it makes anything.
  n.get()->setReadOnly(true);
  std::size_t const before = Ozo::allContentsOf(n.get()).size();
  EXPECT_FALSE(failure([&] { Ozo::copyElement(n, core(a)); }).empty());
  EXPECT_EQ(Ozo::allContentsOf(n.get()).size(), before);
}

TEST_F(Documents, CompareFindsEachChangedPropertyAndIgnoresIdsOrderAndNames) {
  build();
  Ozo::Model const same = Ozo::fromJson(Ozo::toJson(m), "t", "doc-same");
  EXPECT_TRUE(Ozo::compareModels(m, same).empty());
  // Made in the other order, named otherwise: still the same.
  Ozo::Model const x = Ozo::Model::create("doc-x"), y = Ozo::Model::create("doc-y");
  Ozo::ClassObject const x1 = named(x, u"one"), x2 = named(x, u"two");
  Ozo::ClassObject const y2 = named(y, u"two"), y1 = named(y, u"one");
  setPeer(x1, x2);
  setPeer(y1, y2);
  EXPECT_TRUE(Ozo::compareModels(x, y).empty());
  setPeer(y1, y1);
  EXPECT_EQ(Ozo::compareModels(x, y), std::vector<std::string>{"one: Peer: two != one"});

  // One edit of each kind in the loaded copy: exactly one line for it.
  std::vector<Ozo::ElementBase*> const all = Ozo::allContentsOf(same.get());
  Ozo::ClassObject const sa(all[0]->self(), Ozo::Deviant{});
  struct Edit {
    std::function<void()> apply, undo;
    std::string line;
  };
  std::vector<Edit> const edits{
      {[&] { set(sa, Count, Ozo::Integer(8)); }, [&] { set(sa, Count, Ozo::Integer(-7)); }, "Count: -7 != 8"},
      {[&] { set(sa, Flag, Ozo::Boolean(false)); }, [&] { set(sa, Flag, Ozo::Boolean(true)); }, "Flag: true != false"},
      {[&] { collection(sa, Amounts).push_back(Ozo::Integer(5)); }, [&] { collection(sa, Amounts).erase(1); },
       "Amounts: [-2147483648] != [-2147483648, 5]"},
      {[&] { unset(sa, Peer); }, [&] { set(sa, Peer, asObject(Ozo::ClassObject(all[4]->self(), Ozo::Deviant{}))); },
       "Peer: (Thing)[2] != (unset)"},
      {[&] { collection(sa, Tags).replace(0, text(u"t")); }, [&] { collection(sa, Tags).replace(0, text(u"")); },
       "Tags: [\"\", \"\\u0000\\udc00\"] != [\"t\", \"\\u0000\\udc00\"]"},
  };
  for (Edit const& edit : edits) {
    edit.apply();
    std::vector<std::string> const lines = Ozo::compareModels(m, same);
    ASSERT_EQ(lines.size(), 1u) << edit.line;
    EXPECT_NE(lines[0].find(edit.line), std::string::npos) << lines[0];
    edit.undo();
  }
}

}  // namespace
