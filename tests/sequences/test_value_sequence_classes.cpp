// The sequence and cursor classes of the value types as a host user sees
// them: method tables, 1-based positions with their exact messages, each
// row's target, and that a refused call leaves the whole list as it was.
#include "support/HostFixture.hpp"
#include "support/MethodShape.hpp"

#include <string>
#include <vector>

namespace quillon::testing {
namespace {

std::string const kIteratorNullRef = nullRefText("ozo/export/include/ozo/kernel/containers/iterator/Iterator", 85);

std::vector<std::string> const kValueTypes = {"CompuMethodCategory", "DataSizeUnitKind", "FloatingPointKind",
                                              "SwGenericAxisParamTypeCategory", "TimeUnitKind", "DataSize",
                                              "Time"};

TEST(ValueSequenceClasses, EachOfTheTwentyEightClassesListsItsMethodsInOrder) {
  Host host;
  host.load("mm_types_xb");
  for (std::string const& n : kValueTypes) {
    SCOPED_TRACE(n);
    std::string const v = T(n), seq = T("SequenceOf" + n), iseq = T("ImmutableSequenceOf" + n);
    std::string const it = T(n + "Iterator"), iit = T(n + "ImmutableIterator");
    std::string const self = "(self: " + seq, pos = "(" + seq + ", int32 scalar";
    ClassDesc const s = host.describeClass(seq);
    EXPECT_EQ(testsupport::shapesOf(s),
              (std::vector<std::string>{"instance append" + self + ", " + v + ")",
                                        "instance clear" + self + ")",
                                        "instance pop_back" + self + ")",
                                        "instance pop_front" + self + ")",
                                        "instance push_back" + self + ", " + v + ")",
                                        "instance push_front" + self + ", " + v + ")",
                                        "instance removeAll" + self + ", " + v + ") -> int32 scalar",
                                        "instance begin" + self + ") -> " + it,
                                        "instance end" + self + ") -> " + it,
                                        "instance erase" + self + ", " + it + ") -> " + it,
                                        "instance erase" + self + ", " + it + ", " + it + ") -> " + it,
                                        "explicit erase" + pos + ") @4096",
                                        "instance insert" + self + ", " + it + ", " + v + ") -> " + it + " @4096",
                                        "explicit insert" + pos + ", " + v + ") @4096",
                                        "explicit replace" + pos + ", " + v + ") @4096",
                                        "instance back" + self + ") -> " + v,
                                        "instance isEmpty" + self + ") -> logical scalar",
                                        "instance front" + self + ") -> " + v,
                                        "instance size" + self + ") -> int32 scalar",
                                        "explicit at" + pos + ") -> " + v + " @4096",
                                        "static make(Ozo.ImmutableModel) -> " + seq,
                                        "static make(Ozo.Model) -> " + seq,
                                        "static makeUnique(Ozo.ImmutableModel) -> " + seq,
                                        "static makeUnique(Ozo.Model) -> " + seq}));
    EXPECT_EQ(s.superclasses, std::vector<std::string_view>{iseq});
    EXPECT_EQ(s.description, "A sequence of " + n + " whose values can be changed");

    // A read-only sequence has exactly the seven reading methods.
    ClassDesc const r = host.describeClass(iseq);
    std::string const rself = "(self: " + iseq;
    EXPECT_EQ(testsupport::shapesOf(r),
              (std::vector<std::string>{"instance begin" + rself + ") -> " + iit,
                                        "instance end" + rself + ") -> " + iit,
                                        "instance back" + rself + ") -> " + v,
                                        "instance isEmpty" + rself + ") -> logical scalar",
                                        "instance front" + rself + ") -> " + v,
                                        "instance size" + rself + ") -> int32 scalar",
                                        "explicit at(" + iseq + ", int32 scalar) -> " + v + " @4096"}));
    EXPECT_TRUE(r.superclasses.empty());
    EXPECT_EQ(r.description, "A non-modifiable sequence of " + n + " whose values can be changed");

    for (std::string const& c : {it, iit}) {
      ClassDesc const d = host.describeClass(c);
      EXPECT_EQ(testsupport::shapesOf(d),
                (std::vector<std::string>{"explicit clone(" + c + ") -> " + c + " @4096",
                                          "instance eq(self: " + c + ", " + c + ") -> logical scalar",
                                          "instance ne(self: " + c + ", " + c + ") -> logical scalar",
                                          "explicit getNext(" + c + ") @4096", "explicit getPrev(" + c + ") @4096",
                                          "instance item(self: " + c + ") -> " + v}));
      EXPECT_EQ(d.description, "A iterator for traversing a modifiable list of " + n + " objects");
    }
    EXPECT_EQ(host.describeClass(it).superclasses, std::vector<std::string_view>{iit});
    EXPECT_TRUE(host.describeClass(iit).superclasses.empty());
  }
}

// ---------------------------------------------------------------------------
// The rows as a host user calls them. What the lists themselves check
// (positions and their messages, empty reads, unique refusals, removeAll,
// cursors made stale or orphaned) is proved on the lists' handles and by the
// random edit programs on DataSize lists; here: each row's target and what
// the host's converters add.
class ValueSequences : public HostFixture {
 protected:
  std::string const kSeq = T("SequenceOfTimeUnitKind");
  std::string const kIt = T("TimeUnitKindIterator");
  Value unit(char const* name) const { return host.call(T("TimeUnitKind"), name, {}); }
  Value list(std::vector<char const*> const& names) const {
    Value const s = host.call(kSeq, "make", {model()});
    for (char const* n : names) host.invoke(s, "append", {unit(n)});
    return s;
  }
  std::string text(Value const& v) const { return host.invoke(v, "toString", {}).toString(); }
  // The whole list, read through the host.
  std::vector<std::string> content(Value const& s) const {
    std::vector<std::string> out;
    int const n = host.invoke(s, "size", {}).toInt32();
    for (int i = 1; i <= n; ++i) out.push_back(text(host.call(kSeq, "at", {s, i})));
    return out;
  }
  using Names = std::vector<std::string>;
};

TEST_F(ValueSequences, EndsAndWhatTheHostMakesOfEmptyArguments) {
  // The "Ozo.ImmutableModel" overload, chosen through an empty model.
  Value const s = host.call(kSeq, "make", {Value()});
  EXPECT_EQ(host.classOf(s), kSeq);
  EXPECT_TRUE(host.invoke(s, "isEmpty", {}).toBool());
  // An empty enumeration argument is the literal of code 0.
  host.invoke(s, "append", {Value()});
  host.invoke(s, "push_front", {unit("Hrs")});
  host.invoke(s, "push_back", {unit("Wks")});
  EXPECT_EQ(content(s), (Names{"Hrs", "S", "Wks"}));
  EXPECT_EQ(text(host.invoke(s, "front", {})), "Hrs");
  EXPECT_EQ(text(host.invoke(s, "back", {})), "Wks");
  host.invoke(s, "clear", {});
  EXPECT_EQ(host.invoke(s, "size", {}).toInt32(), 0);

  // An empty array is a null sequence.
  std::string const nullSequence =
      "Assertion failed: Cannot access NULL sequence. Use MakeSequence to create sequences.See "
      "testSequenceCreation in ozo/kernel/unittest/sequence_tests. at "
      "ozo/export/include/ozo/kernel/containers/sequence/SequenceRef:108: ";
  EXPECT_EQ(errorOf([&] { host.call(kSeq, "at", {Value(), 1}); }), nullSequence);
  EXPECT_EQ(errorOf([&] { host.call(kSeq, "begin", {Value()}); }), nullSequence);
}

TEST_F(ValueSequences, CursorsWalkCloneAndCompare) {
  Value const s = list({"Wks", "Mos", "Yrs"});
  Value const it = host.invoke(s, "begin", {});
  EXPECT_EQ(host.classOf(it), kIt);
  EXPECT_EQ(text(host.invoke(it, "item", {})), "Wks");
  host.call(kIt, "getNext", {it});
  Value const kept = host.call(kIt, "clone", {it});
  host.call(kIt, "getNext", {it});
  EXPECT_EQ(text(host.invoke(it, "item", {})), "Yrs");
  EXPECT_EQ(text(host.invoke(kept, "item", {})), "Mos");
  EXPECT_TRUE(host.invoke(it, "ne", {kept}).toBool());
  host.call(kIt, "getPrev", {it});
  EXPECT_TRUE(host.invoke(it, "eq", {kept}).toBool());
  host.call(kIt, "getNext", {it});
  host.call(kIt, "getNext", {it});
  EXPECT_TRUE(host.invoke(it, "eq", {host.invoke(s, "end", {})}).toBool());
  EXPECT_FALSE(host.invoke(it, "eq", {Value()}).toBool()) << "an empty cursor is never equal";
  // Cloning an empty handle has no cursor to give back.
  EXPECT_EQ(errorOf([&] { host.call(kIt, "clone", {Value()}); }), kIteratorNullRef);

  // The read-only class's own "begin", called with the modifiable object.
  Value const r = host.call(T("ImmutableSequenceOfTimeUnitKind"), "begin", {s});
  EXPECT_EQ(host.classOf(r), T("TimeUnitKindImmutableIterator"));
  host.call(T("TimeUnitKindImmutableIterator"), "getNext", {r});
  EXPECT_EQ(text(host.invoke(r, "item", {})), "Mos");
  EXPECT_EQ(host.classOf(host.call(T("TimeUnitKindImmutableIterator"), "clone", {r})),
            T("TimeUnitKindImmutableIterator"));
  // A modifiable cursor is also a read-only one.
  host.call(T("TimeUnitKindImmutableIterator"), "getNext", {kept});
  EXPECT_EQ(text(host.invoke(kept, "item", {})), "Yrs");
}

TEST_F(ValueSequences, EditsAtCursors) {
  Value const s = list({"S", "Min", "Hrs"});
  Value const at = host.invoke(s, "begin", {});
  host.call(kIt, "getNext", {at});
  Value const inserted = host.invoke(s, "insert", {at, unit("Dys")});
  EXPECT_EQ(text(host.invoke(inserted, "item", {})), "Dys");
  EXPECT_EQ(content(s), (Names{"S", "Dys", "Min", "Hrs"}));
  Value const following = host.invoke(s, "erase", {inserted});
  EXPECT_EQ(text(host.invoke(following, "item", {})), "Min");
  EXPECT_EQ(content(s), (Names{"S", "Min", "Hrs"}));
  EXPECT_EQ(errorOf([&] { host.invoke(s, "insert", {Value(), unit("S")}); }), kIteratorNullRef);
  EXPECT_EQ(content(s), (Names{"S", "Min", "Hrs"}));
}

TEST_F(ValueSequences, DataSizeReadsAreCopiesAndEmptyValuesAreRefused) {
  std::string const seq = T("SequenceOfDataSize");
  Value const n = host.call(seq, "make", {model()});
  host.invoke(n, "append", {host.call(T("DataSize"), "fromString", {"2 Byte"})});
  // Each read is a copy of its own: changing it leaves the list as it was.
  Value const read = host.invoke(n, "front", {});
  host.set(read, "value", 5);
  EXPECT_EQ(host.invoke(host.call(seq, "at", {n, 1}), "toString", {}).toString(), "2 Byte");
  EXPECT_EQ(errorOf([&] { host.invoke(n, "append", {Value()}); }),
            "Cannot use an empty DataSize as a sequence element");
  EXPECT_EQ(host.invoke(n, "size", {}).toInt32(), 1);
}

}  // namespace
}  // namespace quillon::testing
