// Change events and transactions through the public host API, on the types
// module's elements.
#include "support/HostFixture.hpp"

#include <chrono>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillon::testing {
namespace {

// Collects the texts of what reaches the error sink while it lives.
struct SinkCapture {
  SinkCapture()
      : previous(Host::setErrorSink([this](std::exception_ptr p) {
          try {
            std::rethrow_exception(p);
          } catch (std::exception const& e) {
            texts.push_back(e.what());
          }
        })) {}
  ~SinkCapture() { Host::setErrorSink(previous); }
  SinkCapture(SinkCapture const&) = delete;
  SinkCapture& operator=(SinkCapture const&) = delete;
  mutable std::vector<std::string> texts;
  Host::ErrorSink previous;
};

class ChangeEvents : public HostFixture {
 protected:
  Value make(std::string const& cls, std::vector<Value> const& args) const { return host.construct(T(cls), args); }
  Value list(Value const& e, char const* p) const { return host.get(e, p); }

  // A value as the event lines show it.
  std::string text(Value const& v) const {
    if (v.isObject() && v.numel() == 1) return host.invoke(v, "toString", {}).toString();
    if (v.isEmpty()) return "[]";
    switch (v.type()) {
      case Value::Type::Int32: return std::to_string(v.toInt32());
      case Value::Type::Double: return std::to_string(v.toDouble()).substr(0, 4);
      case Value::Type::Logical: return v.toBool() ? "true" : "false";
      case Value::Type::Char: return '"' + v.toString() + '"';
      case Value::Type::Object: break;
    }
    return v.className();
  }
  std::string line(ChangeEvent const& e) const {
    std::string s = std::string(e.kind()) + " " + std::string(e.property()) + " " + text(e.oldValue()) + " -> " +
                    text(e.newValue());
    if (e.position()) s += " @" + std::to_string(e.position());
    return s;
  }
  // Every event of `target` as a line, into `lines`.
  Subscription record(Value const& target, std::vector<std::string>& lines) const {
    return host.observe(target, [this, &lines](ChangeEvent const& e) { lines.push_back(line(e)); });
  }
  std::vector<std::string> compare(Value const& a, Value const& b) const {
    std::vector<std::string> out;
    for (Value const& l : host.sequence(host.call("Ozo.Model", "compare", {a, b}))) out.push_back(l.toString());
    return out;
  }
  // A copy under another Uri, made from the model's own document.
  Value copyOf(Value const& m) const {
    std::string text = host.invoke(m, "toJson", {}).toString();
    std::string const uri = "\"uri\":\"" + host.get(m, "Uri").toString();
    text.insert(text.find(uri) + uri.size(), "-copy" + std::to_string(++fCopies));
    return host.call("Ozo.Model", "fromJson", {text});
  }
  mutable int fCopies = 0;
  std::size_t modelObjects() const { return host.counter("model objects"); }
};

std::string const kAxis = "Zorvan.metamodel.types.Axis";

// Each kind, with the values a read gave before and after; positions 1-based.
TEST_F(ChangeEvents, EveryKindCarriesItsValues) {
  Value const m = model();
  Value const ax = make("Axis", {m});
  Value const e = make("Enumeration", {m, "Colour"});
  Value const red = make("EnumerationLiteral", {m, 1, 0, e, "RED"});
  Value const blue = make("EnumerationLiteral", {m, 2, 0, Value::objects({}), "BLUE"});
  Value const other = make("Enumeration", {m, "Other"});
  std::vector<std::string> seen;
  Subscription const s = record(m, seen);

  host.set(ax, "Dimensions", 4);
  host.set(ax, "Name", "speed");
  host.set(e, "DefaultValue", 2.5);  // the derived GroundValue changes too, and sends nothing
  host.set(e, "DefaultValue", Value());
  Value const symbols = list(ax, "SymbolicDimensions");
  host.invoke(symbols, "append", {"n"});
  host.invoke(symbols, "insert", {1, "m"});
  host.invoke(symbols, "replace", {2, "k"});
  host.invoke(symbols, "erase", {1});
  host.invoke(symbols, "append", {"j"});
  host.invoke(symbols, "clear", {});
  Value const literals = list(e, "OwnedLiteral");
  host.invoke(literals, "append", {blue});           // an add and the owner end
  host.invoke(literals, "insert", {1, blue});        // a move within the sequence
  host.set(blue, "enumeration", other);              // away to another owner, from its owner end
  Value const i = make("Integer", {m});
  host.set(ax, "BaseType", i);
  host.set(ax, "BaseType", Value::objects({}));
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "set Dimensions 0 -> 4",
                      "set Name [] -> \"speed\"",
                      "set DefaultValue [] -> 2.50",
                      "unset DefaultValue 2.50 -> []",
                      "add SymbolicDimensions [] -> \"n\" @1",
                      "add SymbolicDimensions [] -> \"m\" @1",
                      "set SymbolicDimensions \"n\" -> \"k\" @2",
                      "remove SymbolicDimensions \"m\" -> [] @1",
                      "add SymbolicDimensions [] -> \"j\" @2",
                      "clear SymbolicDimensions [\"k\", \"j\"] -> []",
                      "add OwnedLiteral [] -> " + T("EnumerationLiteral") + " \"BLUE\" @2",
                      "set enumeration [] -> " + T("Enumeration") + " \"Colour\"",
                      "move OwnedLiteral 2 -> 1 @1",
                      "remove OwnedLiteral " + T("EnumerationLiteral") + " \"BLUE\" -> [] @1",
                      "add OwnedLiteral [] -> " + T("EnumerationLiteral") + " \"BLUE\" @1",
                      "set enumeration " + T("Enumeration") + " \"Colour\" -> " + T("Enumeration") + " \"Other\"",
                      "create  [] -> []",
                      "set BaseType [] -> " + T("Integer"),
                      "unset BaseType " + T("Integer") + " -> []",
                  }));
  (void)red;
}

// An element's observer sees its own changes only; a refused call and a
// read send nothing; a closed subscription nothing more.
TEST_F(ChangeEvents, ElementTargetsRefusalsAndClosing) {
  Value const m = model();
  Value const a = make("Axis", {m}), b = make("Axis", {m});
  std::vector<std::string> seen;
  Subscription s = record(a, seen);
  host.set(b, "Dimensions", 2);
  EXPECT_NE(errorOf([&] { host.set(a, "Dimensions", "x"); }), "");
  (void)host.get(a, "Dimensions");
  host.set(a, "Dimensions", 3);
  s.close();
  s.close();  // again: nothing
  EXPECT_FALSE(s.isOpen());
  host.set(a, "Dimensions", 5);
  EXPECT_EQ(seen, (std::vector<std::string>{"set Dimensions 0 -> 3"}));
}

TEST_F(ChangeEvents, OnlyElementsAndModelsCanBeObserved) {
  auto const ignore = [](ChangeEvent const&) {};
  std::string const text = "Only an element or a model can be observed";
  EXPECT_EQ(errorOf([&] { (void)host.observe(3, ignore); }), text);
  EXPECT_EQ(errorOf([&] { (void)host.observe(Value::objects({}), ignore); }), text);
  EXPECT_EQ(errorOf([&] { (void)host.observe(host.construct(T("DataSize"), {}), ignore); }),
            "Assertion failed: Only an element or a model can be observed at ozo_xb/Changes:20: ");
}

// A callback's own changes are delivered after the event it is handling has
// reached every observer, in the order they were made.
TEST_F(ChangeEvents, ChangesOfCallbacksFollowTheEventDelivered) {
  Value const m = model();
  Value const ax = make("Axis", {m});
  std::vector<std::string> order;
  SinkCapture const errors;
  Subscription const first = host.observe(m, [&](ChangeEvent const& e) {
    order.push_back("first " + std::string(e.property()));
    if (e.property() == "Dimensions") {
      host.set(ax, "Name", "a");
      host.set(ax, "Vf", Value());  // refused: a sequence: no event
    }
  });
  Subscription const second =
      host.observe(m, [&](ChangeEvent const& e) { order.push_back("second " + std::string(e.property())); });
  host.set(ax, "Dimensions", 1);  // the callback's refused write is its own: it goes to the sink
  EXPECT_EQ(errors.texts, std::vector<std::string>{assertionText("You cannot set a multi-valued property",
                                                           "ozo_xb/marshal/OzoxbPrimitiveSequenceProperty", 60)});
  order.clear();
  host.invoke(list(ax, "SymbolicDimensions"), "append", {"x"});
  host.set(ax, "Dimensions", 2);
  EXPECT_EQ(order, (std::vector<std::string>{"first SymbolicDimensions", "second SymbolicDimensions",
                                             "first Dimensions", "second Dimensions", "first Name",
                                             "second Name"}));
}

// An event's values are made when read, but they are those of its change:
// a callback that edits the property first still reads what this change did.
TEST_F(ChangeEvents, ValuesReadLateAreThoseOfTheChange) {
  Value const m = model();
  Value const ax = make("Axis", {m});
  host.set(ax, "Dimensions", 1);
  std::vector<std::string> seen;
  Subscription const s = host.observe(ax, [&](ChangeEvent const& e) {
    if (e.property() != "Dimensions") return;
    if (host.get(ax, "Dimensions").toInt32() == 2) host.set(ax, "Dimensions", 3);
    seen.push_back(text(e.oldValue()) + " -> " + text(e.newValue()) + " on " + e.element().className());
  });
  host.set(ax, "Dimensions", 2);
  EXPECT_EQ(seen, (std::vector<std::string>{"1 -> 2 on " + kAxis, "2 -> 3 on " + kAxis}));
}

// A callback that throws: the change stays, the next observer still gets
// it, and the error reaches the sink.
TEST_F(ChangeEvents, RaisingCallbackReportsToTheSink) {
  Value const m = model();
  Value const ax = make("Axis", {m});
  std::vector<std::string> seen;
  SinkCapture const errors;
  {
    Subscription const bad = host.observe(m, [](ChangeEvent const&) { throw std::runtime_error("boom"); });
    Subscription const good = record(m, seen);
    host.set(ax, "Dimensions", 7);
  }
  EXPECT_EQ(host.get(ax, "Dimensions").toInt32(), 7);
  EXPECT_EQ(errors.texts, std::vector<std::string>{"boom"});
  EXPECT_EQ(seen, std::vector<std::string>{"set Dimensions 0 -> 7"});
}

// A callback may destroy the host object of its own target and close its
// own subscription; the model lives on, and nothing leaks.
TEST_F(ChangeEvents, CallbackThatDestroysItsTarget) {
  Value const m = model();
  std::optional<Subscription> s;
  int calls = 0;
  {
    Value const ax = make("Axis", {m});
    s = host.observe(ax, [&](ChangeEvent const& e) {
      ++calls;
      host.destroy(e.element());
      s->close();
    });
    host.set(ax, "Dimensions", 1);
    EXPECT_NE(errorOf([&] { host.set(ax, "Dimensions", 2); }), "");
  }
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(s->isOpen());
}

// ---------------------------------------------------------------------------
// Transactions.

// The model's elements before: an axis with a type, an enumeration of two
// literals, another empty one.
struct Content {
  Value ax, e, red, blue, other;
};

class Transactions : public ChangeEvents {
 protected:
  Content fill(Value const& m) const {
    Content c;
    c.ax = make("Axis", {m});
    host.set(c.ax, "Name", "speed");
    host.set(c.ax, "Dimensions", 2);
    host.invoke(list(c.ax, "SymbolicDimensions"), "append", {"n"});
    host.invoke(list(c.ax, "Vf"), "append", {1.5});
    host.set(c.ax, "BaseType", make("Integer", {m}));
    c.e = make("Enumeration", {m, "Colour"});
    c.red = make("EnumerationLiteral", {m, 1, 0, c.e, "RED"});
    c.blue = make("EnumerationLiteral", {m, 2, 0, c.e, "BLUE"});
    c.other = make("Enumeration", {m, "Other"});
    (void)host.invoke(list(c.other, "OwnedLiteral"), "size", {});  // its list made now, not by the edits
    host.set(c.e, "Length", host.construct(T("DataSize"), {16, host.call(T("DataSizeUnitKind"), "Bit", {})}));
    return c;
  }
  // Edits of every property kind, ownership moves and creations.
  void edit(Value const& m, Content const& c) const {
    host.set(c.ax, "Name", "rpm");
    host.set(c.ax, "Dimensions", 5);
    host.set(c.ax, "BaseType", Value::objects({}));
    Value const symbols = list(c.ax, "SymbolicDimensions");
    host.invoke(symbols, "insert", {1, "a"});
    host.invoke(symbols, "replace", {2, "b"});
    host.invoke(list(c.ax, "Vf"), "clear", {});
    host.set(c.e, "DefaultValue", 1.0);
    host.set(c.e, "IsSigned", true);
    host.set(c.e, "Length", host.construct(T("DataSize"), {2, host.call(T("DataSizeUnitKind"), "Byte", {})}));
    host.invoke(list(c.e, "OwnedLiteral"), "insert", {1, c.blue});  // move
    host.set(c.red, "enumeration", c.other);                        // to another owner
    host.invoke(list(c.other, "OwnedLiteral"), "erase", {1});       // out of every owner
    Value const green = make("EnumerationLiteral", {m, 3, 0, c.e, "GREEN"});
    host.set(c.ax, "BaseType", make("Integer", {m}));
    host.set(green, "Name", "LIME");
    host.set(c.ax, "InputVariableType", make("Integer", {m}));
  }
};

TEST_F(Transactions, RollbackLeavesNothingBehind) {
  Value m = model();
  Content const c = fill(m);
  Value const before = copyOf(m);
  std::size_t const objects = modelObjects();
  {
    Transaction t(host, m);
    edit(m, c);
    EXPECT_FALSE(compare(m, before).empty());
  }  // not committed: rolled back
  EXPECT_EQ(compare(m, before), std::vector<std::string>{});
  EXPECT_EQ(modelObjects(), objects);
  EXPECT_EQ(host.invoke(m, "size", {}).toInt32(), 6);
  // The same elements, back in their places.
  EXPECT_TRUE(host.invoke(list(c.e, "OwnedLiteral"), "at", {1}).sameObject(c.red));
  EXPECT_TRUE(host.get(c.red, "enumeration").sameObject(c.e));
}

TEST_F(Transactions, ExplicitRollbackAndCreatedElementsTheHostHolds) {
  Value const m = model();
  Content const c = fill(m);
  Value const before = copyOf(m);
  Transaction t(host, m);
  Value const held = make("Axis", {m});
  host.set(c.ax, "SharedAxis", Value::objects({}));
  t.rollback();
  EXPECT_EQ(compare(m, before), std::vector<std::string>{});
  std::string const discarded =
      "Assertion failed: " + kAxis + " was discarded: the transaction that created it was rolled back "
      "at ozo/Ozo/Changes:40: ";
  EXPECT_EQ(errorOf([&] { host.set(held, "Dimensions", 1); }), discarded);
  EXPECT_EQ(host.get(held, "Dimensions").toInt32(), 0);  // still readable
  EXPECT_EQ(errorOf([&] { t.rollback(); }), assertionText("The transaction is not open", "ozo/Ozo/Changes", 80));
  EXPECT_EQ(errorOf([&] { t.undo(); }),
            assertionText("Only a committed transaction can be undone", "ozo/Ozo/Changes", 90));
}

TEST_F(Transactions, UndoAndRedo) {
  Value const m = model();
  Content const c = fill(m);
  Value const before = copyOf(m);
  Transaction t(host, m);
  edit(m, c);
  t.commit();
  Value const after = copyOf(m);
  std::vector<std::string> seen;
  Subscription const s = record(m, seen);
  t.undo();
  EXPECT_EQ(compare(m, before), std::vector<std::string>{});
  EXPECT_FALSE(seen.empty());  // observers see what undo does
  EXPECT_EQ(errorOf([&] { t.undo(); }),
            assertionText("Only a committed transaction can be undone", "ozo/Ozo/Changes", 90));
  t.redo();
  EXPECT_EQ(compare(m, after), std::vector<std::string>{});
  EXPECT_EQ(errorOf([&] { t.redo(); }),
            assertionText("Only an undone transaction can be redone", "ozo/Ozo/Changes", 92));
  t.undo();
  EXPECT_EQ(compare(m, before), std::vector<std::string>{});
}

// An undo that cannot be done whole, because the model was edited after the
// commit, does nothing: what it undid before the failure is done again.
TEST_F(Transactions, UndoThatFailsPartwayLeavesTheModelAsItWas) {
  Value const m = model();
  Content const c = fill(m);
  Transaction t(host, m);
  edit(m, c);
  t.commit();
  host.invoke(list(c.ax, "SymbolicDimensions"), "clear", {});  // the log's positions are gone
  Value const edited = copyOf(m);
  std::size_t const objects = modelObjects();
  for (int attempt = 0; attempt < 2; ++attempt) {
    EXPECT_NE(errorOf([&] { t.undo(); }), "");
    EXPECT_EQ(compare(m, edited), std::vector<std::string>{});
    EXPECT_EQ(modelObjects(), objects);
  }
  EXPECT_EQ(host.get(c.ax, "Name").toString(), "rpm");  // undone first, then done again
  EXPECT_EQ(errorOf([&] { t.redo(); }),
            assertionText("Only an undone transaction can be redone", "ozo/Ozo/Changes", 92));
}

TEST_F(Transactions, NestedReadOnlyAndNotAModel) {
  Value const m = model();
  Transaction const t(host, m);
  EXPECT_EQ(errorOf([&] { Transaction const u(host, m); }),
            assertionText("Model \"" + host.get(m, "Uri").toString() + "\" already has an open transaction",
                          "ozo/Ozo/Changes", 62));
  Value const r = model();
  host.invoke(r, "setReadOnly", {true});
  std::string const name = host.get(r, "Name").toString();
  EXPECT_EQ(errorOf([&] { Transaction const u(host, r); }),
            assertionText("Model \"" + name + "\" is read-only: it cannot have a transaction", "ozo/Ozo/Changes", 60));
  EXPECT_EQ(errorOf([&] { Transaction const u(host, make("Axis", {m})); }),
            assertionText("A transaction needs a model", "ozo_xb/Changes", 30));
  EXPECT_EQ(errorOf([&] { Transaction const u(host, 1); }), "A transaction needs a model");
}

// The transaction holds its model: dropped by the host meanwhile, the model
// goes when the transaction ends, after the rollback.
TEST_F(Transactions, OpenWhenTheModelIsDropped) {
  std::size_t const objects = modelObjects();
  std::optional<Transaction> t;
  {
    Value const m = model();
    t.emplace(host, m);
    (void)make("Axis", {m});
  }
  EXPECT_GT(modelObjects(), objects);
  t.reset();
  EXPECT_EQ(modelObjects(), objects);
}

// A rollback of n changes costs in proportion to n: ten times the changes
// take far less than a hundred times as long (a quadratic rollback would).
TEST_F(Transactions, RollbackOfCreationsIsLinear) {
  Value const m = model();
  auto const run = [&](int n) {
    Transaction t(host, m);
    for (int k = 0; k < n; ++k) (void)make("Axis", {m});
    auto const start = std::chrono::steady_clock::now();
    t.rollback();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  (void)run(200);
  double const small = run(2000), large = run(20000);
  EXPECT_LT(large, 40 * small + 0.05);
  EXPECT_EQ(host.invoke(m, "size", {}).toInt32(), 0);
}

}  // namespace
}  // namespace quillon::testing
