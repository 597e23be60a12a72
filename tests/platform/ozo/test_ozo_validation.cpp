// Validation at the runtime's level: its own rules (required references,
// references into a model that is gone) and how registered rules are run.
#include "platform/ozo/TestClasses.hpp"

#include <Ozo/Validation.hpp>

#include <string>
#include <vector>

namespace {

using namespace ozotest;

constexpr char kNodeType[] = "Test.Node";
constexpr Ozo::meta::ClassDef kBase{"Base", "Test", &Ozo::NSInterface::ClassObjectIntf::sClassDef, nullptr, 0};
constexpr Ozo::meta::PropertyDef kNodeProperties[] = {
    {"Target", K::Element, M::One, kNodeType},
    {"Peer", K::Element, M::ZeroOne, kNodeType},
    {"Peers", K::Element, M::Many, kNodeType},
    {"Spare", K::Element, M::One, kNodeType},  // unset means something: never reported
    {"Count", K::Integer, M::One},
};
enum : unsigned { Target = 1, Peer, Peers, Spare };
constexpr Ozo::meta::ClassDef kNode{"Node", "Test", &kBase, kNodeProperties, std::size(kNodeProperties)};
constexpr Ozo::IntrospectiveMethods kNodeMethods{&kNode, &Ozo::kElementAccessors<kNode>};
constexpr Ozo::IntrospectiveMethods kBaseMethods{&kBase, &Ozo::kElementAccessors<kBase>};

// Rules that say which element they saw, to show order and inheritance.
void baseRule(Ozo::ImmutableObject const& e, Ozo::Validation& v) { v.warning(e, nullptr, "base-rule", "base"); }
void nodeRule(Ozo::ImmutableObject const& e, Ozo::Validation& v) {
  // Per-run state: the number of nodes seen so far in this run.
  int& seen = v.memo<int>();
  v.error(e, Ozo::propertyOf(kNode, Peer), "node-rule", "node " + std::to_string(++seen));
}

[[maybe_unused]] bool const registered = [] {
  Ozo::registerValidationRule(kNode, &nodeRule);
  Ozo::registerValidationRule(kBase, &baseRule);
  Ozo::registerValidationRule(kBase, &baseRule);  // again: runs once
  Ozo::allowUnset(kNode, Spare);
  return true;
}();

Ozo::ClassObject node(Ozo::Model const& m) { return Ozo::createObject(m, kNodeMethods); }
void link(Ozo::ClassObject const& from, unsigned p, Ozo::ClassObject const& to) {
  kNodeMethods.accessors->set(from, p, asObject(to));
}
void add(Ozo::ClassObject const& from, Ozo::ClassObject const& to) {
  Ozo::Collection<Ozo::ImmutableObject>(kNodeMethods.accessors->get(from, Peers)).push_back(asObject(to));
}
bool is(Ozo::Diagnostic const& d, Ozo::ClassObject const& e) {
  return d.element.get() == static_cast<Ozo::NSInterface::ObjectIntf*>(e.get());
}

// "rule property: message" of each diagnostic that is not from the test
// rules, in order.
std::vector<std::string> ownFindings(Ozo::Model const& m) {
  std::vector<std::string> out;
  for (Ozo::Diagnostic const& d : Ozo::validate(m))
    if (d.rule != "base-rule" && d.rule != "node-rule")
      out.push_back(std::string(Ozo::severityText(d.severity)) + " " + d.rule + " " + d.property + ": " + d.message);
  return out;
}

class Validation : public LiveCountTest {};

TEST_F(Validation, RequiredReferenceUnsetIsAnErrorUntilSet) {
  Ozo::Model const m = Ozo::Model::create();
  Ozo::ClassObject const a = node(m);
  EXPECT_EQ(ownFindings(m), std::vector<std::string>{"error required-reference Target: Target is required but not set"});
  link(a, Target, a);
  EXPECT_TRUE(ownFindings(m).empty());
  // Optional references, many-valued ones and the allowed one are never required.
  kNodeMethods.accessors->unset(a, Target);
  EXPECT_EQ(ownFindings(m).size(), 1u);
  EXPECT_TRUE(Ozo::createObject(m, kBaseMethods).isValid());
  EXPECT_EQ(ownFindings(m).size(), 1u);
}

TEST_F(Validation, ReferencesIntoAModelThatIsGone) {
  Ozo::Model const m = Ozo::Model::create();
  Ozo::ClassObject const a = node(m);
  {
    Ozo::Model const other = Ozo::Model::create();
    Ozo::ClassObject const b = node(other);
    link(a, Target, b);
    link(a, Peer, b);
    add(a, b);
    add(a, a);
    add(a, b);
    EXPECT_TRUE(ownFindings(m).empty());
    EXPECT_FALSE(Ozo::refersIntoGoneModel(asObject(a), kNode, Peer));
  }
  // The other model is gone: a required reference into it is reported as
  // gone, not as unset, and an unset one is not gone.
  std::vector<std::string> const expected{
      "error reference-gone Target: Target refers to an element of a model that is gone",
      "error reference-gone Peer: Peer refers to an element of a model that is gone",
      "error reference-gone Peers: Peers holds 2 references to elements of a model that is gone"};
  EXPECT_EQ(ownFindings(m), expected);
  EXPECT_TRUE(Ozo::refersIntoGoneModel(asObject(a), kNode, Peer));
  EXPECT_FALSE(Ozo::refersIntoGoneModel(asObject(a), kNode, Spare));
  // The same in a read-only model: validation reads only.
  m.get()->setReadOnly(true);
  EXPECT_EQ(ownFindings(m), expected);
  m.get()->setReadOnly(false);
  kNodeMethods.accessors->unset(a, Peer);
  link(a, Target, a);
  EXPECT_EQ(ownFindings(m), std::vector<std::string>{expected[2]});
}

TEST_F(Validation, RegisteredRulesRunPerElementAncestorsFirst) {
  Ozo::Model const m = Ozo::Model::create();
  Ozo::ClassObject const a = node(m), base = Ozo::createObject(m, kBaseMethods), b = node(m);
  link(a, Target, b);
  std::vector<Ozo::Diagnostic> const found = Ozo::validate(m);
  std::vector<std::string> seen;
  for (Ozo::Diagnostic const& d : found)
    seen.push_back((is(d, a) ? "a " : is(d, b) ? "b " : is(d, base) ? "base " : "? ") + d.rule + " " + d.property +
                   " " + d.message);
  std::vector<std::string> const expected{
      "a base-rule  base", "a node-rule Peer node 1", "base base-rule  base",
      "b required-reference Target Target is required but not set", "b base-rule  base", "b node-rule Peer node 2"};
  EXPECT_EQ(seen, expected);
  // A new run starts with fresh state.
  EXPECT_EQ(Ozo::validate(m).back().message, "node 2");
}

TEST_F(Validation, AnEmptyModelHandleIsRefused) {
  EXPECT_EQ(failure([] { Ozo::validate(Ozo::ImmutableModel()); }),
            testsupport::assertionText(Ozo::kNullRefMessage, "ozo/Ozo/Model_h", 84));
}

}  // namespace
