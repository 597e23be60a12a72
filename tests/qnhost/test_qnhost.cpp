// The command-line host, run as the program users run.
#include <gtest/gtest.h>

#include "../../tools/qnhost/Json.hpp"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string out, err;
};

fs::path programDir() { return fs::read_symlink("/proc/self/exe").parent_path(); }

std::string slurp(fs::path const& p) {
  std::ifstream in(p);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs qnhost (built next to this test) with simple word arguments. A
// missing program is a failure, not a reason to skip.
Outcome qnhost(std::string const& args) {
  fs::path const exe = programDir() / "qnhost";
  if (!fs::exists(exe)) {
    ADD_FAILURE() << exe << " is not built";
    return {};
  }
  fs::path const tmp = fs::temp_directory_path() / ("qnhost-test-" + std::to_string(::getpid()));
  std::string const cmd = "'" + exe.string() + "' " + args + " >'" + tmp.string() + ".out' 2>'" + tmp.string() + ".err'";
  int const raw = std::system(cmd.c_str());
  Outcome r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = slurp(tmp.string() + ".out");
  r.err = slurp(tmp.string() + ".err");
  fs::remove(tmp.string() + ".out");
  fs::remove(tmp.string() + ".err");
  return r;
}

TEST(Json, EscapesAndNesting) {
  EXPECT_EQ(qnhost::JsonWriter::escape("a\"b\\c\n\t\x01\x7f \xC2\xB5"), "a\\\"b\\\\c\\n\\t\\u0001\\u007f \xC2\xB5");
  std::ostringstream out;
  qnhost::JsonWriter w(out);
  w.beginObject();
  w.key("list");
  w.value(std::vector<std::string>{"x", "y"});
  w.key("none");
  w.beginArray();
  w.endArray();
  w.key("self");
  w.null();
  w.key("n");
  w.value(-3);
  w.endObject();
  EXPECT_EQ(out.str(), "{\n  \"list\": [\n    \"x\",\n    \"y\"\n  ],\n  \"none\": [],\n  \"self\": null,\n  \"n\": -3\n}\n");
}

TEST(Qnhost, UsageAndFailuresAreOneLineMessages) {
  Outcome r = qnhost("");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.rfind("qnhost: no command given\nusage: qnhost", 0), 0u) << r.err;
  for (char const* args : {"--load", "frobnicate X", "package --xml X", "describe A B"})
    EXPECT_EQ(qnhost(args).status, 2) << args;
  EXPECT_EQ(qnhost("--help").status, 0);

  r = qnhost("--load no_such_module package X");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "qnhost: Cannot load module \"no_such_module\": libno_such_module.so not found in the module path\n");
  EXPECT_TRUE(r.out.empty());
  r = qnhost("describe --json No.Such.Class");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "qnhost: Unknown class \"No.Such.Class\".\n");
}

// Text in JSON output: valid UTF-8 whatever the input, no byte-order mark
// taken or made, NUL and control characters escaped, astral characters kept.
TEST(Json, TextBoundaries) {
  using qnhost::JsonWriter;
  EXPECT_EQ(JsonWriter::escape(std::string_view("a\0b", 3)), "a\\u0000b");
  EXPECT_EQ(JsonWriter::escape("\xEF\xBB\xBFspeed"), "\\ufeffspeed");
  EXPECT_EQ(JsonWriter::escape("\xEF\xBF\xBEspeed"), "\xEF\xBF\xBEspeed");  // U+FFFE is a character
  EXPECT_EQ(JsonWriter::escape("x\xF0\x9F\x98\x80y"), "x\xF0\x9F\x98\x80y");
  // A lone surrogate (as the host's UTF-8 of it, or encoded directly) and
  // other malformed bytes become U+FFFD, never invalid output.
  EXPECT_EQ(JsonWriter::escape("a\xEF\xBF\xBD"), "a\xEF\xBF\xBD");
  EXPECT_EQ(JsonWriter::escape("\xED\xA0\x80"), "\\ufffd\\ufffd\\ufffd");
  EXPECT_EQ(JsonWriter::escape("\xC3"), "\\ufffd");
  EXPECT_EQ(JsonWriter::escape("\x80z\xF0\x9F\x98"), "\\ufffdz\\ufffd\\ufffd\\ufffd");
  EXPECT_EQ(JsonWriter::escape("\xC0\xAF"), "\\ufffd\\ufffd");  // overlong
}

TEST(QnhostWithModule, PackageListingAndClassDescription) {
  Outcome r = qnhost("package --json Zorvan.metamodel.types");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("{\n  \"name\": \"Zorvan.metamodel.types\",\n  \"classes\": [\n", 0), 0u) << r.out.substr(0, 200);
  EXPECT_NE(r.out.find("\"Zorvan.metamodel.types.ImmutableAxis\""), std::string::npos);
  EXPECT_NE(r.out.find("\"functions\": [\n    \"MetaPackage\"\n  ]"), std::string::npos);
  Outcome text = qnhost("package Zorvan.metamodel.types");
  EXPECT_NE(text.out.find("1 function:\n  MetaPackage\n"), std::string::npos) << text.out.substr(0, 300);

  r = qnhost("describe --json Zorvan.metamodel.types.Axis");
  ASSERT_EQ(r.status, 0) << r.err;
  for (char const* field : {"\"shortName\": \"Axis\"", "\"superclasses\": [", "\"kind\": \"constructor\"",
                            "\"self\": null", "\"metaProperties\": []"})
    EXPECT_NE(r.out.find(field), std::string::npos) << field;
  text = qnhost("describe Zorvan.metamodel.types.ImmutableAxis");
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("Class Zorvan.metamodel.types.ImmutableAxis (ImmutableAxis)"), std::string::npos);
  EXPECT_NE(text.out.find("Dimensions"), std::string::npos);
}

// A folder of model files written by hand, removed at the end.
class QnhostModels : public ::testing::Test {
 protected:
  void SetUp() override {
    fDir = fs::temp_directory_path() / ("qnhost-models-" + std::to_string(::getpid()));
    fs::create_directories(fDir);
    write("gears.json", gears("\"D\",\"Value\":1"));
  }
  void TearDown() override { fs::remove_all(fDir); }

  static std::string gears(std::string const& last) {
    return "{\"format\":\"quillon-model\",\"version\":1,\"name\":\"gears\",\"uri\":\"gears\",\"elements\":[\n"
           "{\"id\":1,\"class\":\"Zorvan.metamodel.types.Enumeration\",\"properties\":{\"Name\":\"Gear\","
           "\"OwnedLiteral\":[2,3]}},\n"
           "{\"id\":2,\"class\":\"Zorvan.metamodel.types.EnumerationLiteral\",\"properties\":{\"Name\":\"P\","
           "\"Value\":0}},\n"
           "{\"id\":3,\"class\":\"Zorvan.metamodel.types.EnumerationLiteral\",\"properties\":{\"Name\":" +
           last + "}},\n{\"id\":4,\"class\":\"Zorvan.metamodel.types.Unit\",\"properties\":{\"Name\":\"km\"}}\n]}\n";
  }
  std::string write(std::string const& name, std::string const& text) {
    std::ofstream(fDir / name) << text;
    return (fDir / name).string();
  }
  std::string path(std::string const& name) const { return (fDir / name).string(); }

  fs::path fDir;
};

TEST_F(QnhostModels, CheckCountsElementsPerClass) {
  Outcome r = qnhost("check " + path("gears.json"));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Model gears\n  Uri: gears\n  4 elements\n"
            "  CLASS                                      ELEMENTS\n"
            "  Zorvan.metamodel.types.Enumeration         1\n"
            "  Zorvan.metamodel.types.EnumerationLiteral  2\n"
            "  Zorvan.metamodel.types.Unit                1\n"
            "No problems found.\n");
  EXPECT_TRUE(r.err.empty());

  // A broken file: one line naming the file, line and column; no output.
  write("cut.json", gears("\"D\",\"Value\":1").substr(0, 120));
  r = qnhost("check " + path("cut.json"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("qnhost: " + path("cut.json") + ":2:", 0), 0u) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
  EXPECT_TRUE(r.out.empty());
}

TEST_F(QnhostModels, ReferencesIntoAnotherModelNeedItLoadedFirst) {
  write("uses.json",
        "{\"format\":\"quillon-model\",\"version\":1,\"name\":\"uses\",\"uri\":\"uses\",\"elements\":[\n"
        "{\"id\":1,\"class\":\"Zorvan.metamodel.types.Dimension\",\"properties\":{\"Name\":\"L\","
        "\"BaseUnit\":{\"model\":\"gears\",\"id\":4}}}\n]}\n");
  Outcome r = qnhost("check " + path("uses.json"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "qnhost: " + path("uses.json") +
                       ":2:88: element 1: property \"BaseUnit\" refers to model \"gears\", which is not loaded "
                       "(load that model first)\n");
  r = qnhost("check --with " + path("gears.json") + " " + path("uses.json"));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Model uses\n  Uri: uses\n  1 element\n", 0), 0u) << r.out;
}

// Problems follow the summary, one row each; errors make the exit status 1,
// warnings alone do not.
TEST_F(QnhostModels, CheckListsProblemsAndFailsOnErrors) {
  write("clash.json", gears("\"P\",\"Value\":0"));
  Outcome r = qnhost("check " + path("clash.json"));
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_TRUE(r.err.empty()) << r.err;
  std::string const summaryEnd = "  Zorvan.metamodel.types.Unit                1\n";
  ASSERT_NE(r.out.find(summaryEnd), std::string::npos) << r.out;
  std::string const table = r.out.substr(r.out.find(summaryEnd) + summaryEnd.size());
  EXPECT_EQ(table,
            "2 errors, 0 warnings:\n"
            "  SEVERITY  ELEMENT             PROPERTY      RULE                       MESSAGE\n"
            "  error     Enumeration \"Gear\"  OwnedLiteral  enumeration-literal-value  "
            "Literals \"P\" and \"P\" have the same value 0\n"
            "  error     Enumeration \"Gear\"  OwnedLiteral  enumeration-literal-name   Two literals are named \"P\"\n");

  write("axis.json",
        "{\"format\":\"quillon-model\",\"version\":1,\"name\":\"axes\",\"uri\":\"axes\",\"elements\":[\n"
        "{\"id\":1,\"class\":\"Zorvan.metamodel.types.Axis\",\"properties\":{\"Name\":\"rpm\","
        "\"Dimensions\":3,\"SymbolicDimensions\":[\"N\"]}}\n]}\n");
  r = qnhost("check " + path("axis.json"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("0 errors, 1 warning:\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("  warning   Axis \"rpm\"  SymbolicDimensions  axis-symbolic-dimensions  "
                       "SymbolicDimensions names 1 point but Dimensions is 3\n"),
            std::string::npos)
      << r.out;
}

TEST_F(QnhostModels, TreeIndentsOwnedElements) {
  Outcome r = qnhost("tree " + path("gears.json"));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Enumeration \"Gear\"\n  EnumerationLiteral \"P\"\n  EnumerationLiteral \"D\"\nUnit \"km\"\n");
}

TEST_F(QnhostModels, DiffExitsZeroOneOrTwo) {
  // The same model under another name and Uri, its elements in another order.
  write("same.json",
        "{\"format\":\"quillon-model\",\"version\":1,\"name\":\"other\",\"uri\":\"other\",\"elements\":[\n"
        "{\"id\":9,\"class\":\"Zorvan.metamodel.types.Unit\",\"properties\":{\"Name\":\"km\"}},\n"
        "{\"id\":7,\"class\":\"Zorvan.metamodel.types.Enumeration\",\"properties\":{\"Name\":\"Gear\","
        "\"OwnedLiteral\":[5,6]}},\n"
        "{\"id\":5,\"class\":\"Zorvan.metamodel.types.EnumerationLiteral\",\"properties\":{\"Name\":\"P\","
        "\"Value\":0}},\n"
        "{\"id\":6,\"class\":\"Zorvan.metamodel.types.EnumerationLiteral\",\"properties\":{\"Name\":\"D\","
        "\"Value\":1}}\n]}\n");
  Outcome r = qnhost("diff " + path("gears.json") + " " + path("same.json"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out.empty()) << r.out;

  // Two versions of one model (one Uri) side by side.
  write("edited.json", gears("\"D\",\"Value\":4"));
  r = qnhost("diff " + path("gears.json") + " " + path("edited.json"));
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.out, "Gear/D: Value: 1 != 4\n");

  r = qnhost("diff " + path("gears.json") + " " + path("missing.json"));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "qnhost: Cannot load \"" + path("missing.json") + "\": No such file or directory\n");
  EXPECT_EQ(qnhost("diff " + path("gears.json")).status, 2);  // usage
}

}  // namespace
