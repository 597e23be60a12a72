// Sequence and cursor host classes, all made by one builder: the runtime's
// sequences of model objects and of primitives (strings, integers, reals),
// and a module's sequences of its own value types.
//
// What differs between "SequenceOfAxis", "Ozo.ImmutableSequenceOfString" or
// "Zorvan.metamodel.types.TimeIterator" is data: a shape shared by every
// class of one kind (role, views, element kind, method rows) and the class's
// names. The method rows find both as their context's class data.
#pragma once

#include <kovo/Class.hpp>
#include <xb/Convert.hpp>
#include <xb/Methods.hpp>

#include <cstdint>
#include <span>
#include <string_view>

namespace Ozo::xb {

enum class SequenceRole : std::uint8_t { Sequence, Iterator };

// What the elements are: model objects, the runtime's primitives, or values
// of a module's own types (converted by the types of the class's rows).
enum class ElementKind : std::uint8_t { Ref, Integer, Real, String, Value };

// One constant per kind of class.
struct SequenceShape {
  SequenceRole role;
  bool modifiable;         // sequences: edits allowed; cursors: the class of a modifiable sequence's cursors
  bool immutableElements;  // model objects are handed out in their immutable view
  ElementKind kind;
  std::span<MethodRow const> methods;
  std::span<MethodRow const> moreMethods;  // declared after `methods` (a modifiable sequence's edits)
  kovo::SequenceAccess const* access = nullptr;  // sequences: the bulk access of the class
};

// What one sequence or cursor class carries: five words, as many as any
// sequence class has ever carried.
struct SequenceFacts {
  SequenceShape const* shape;
  kovo::Interned self;       // the class's full name
  kovo::Interned partner;    // sequences: the class of their cursors ("begin", "end")
  kovo::Interned element;    // model objects: their host class
  kovo::InternedList bases;  // sequences of model objects: the modifiable host classes of the model superclasses
};

inline SequenceFacts const& sequenceFactsOf(Context ctx) { return *static_cast<SequenceFacts const*>(ctx.classData); }

// Adds the class `facts.self` to `package` (addToPackage). Its superclasses
// follow from its names when it is first used: a sequence of X is a sequence
// of the same kind over each of `bases`; a modifiable sequence is also the
// immutable sequence of the same elements, and an immutable sequence of
// modifiable model objects the immutable sequence of immutable ones; a
// modifiable cursor class "XIterator" is also "XImmutableIterator". Only
// classes the host knows are declared.
void addSequenceClass(kovo::COSPackage* package, kovo::Interned description, SequenceFacts const& facts);

// Adds "Ozo.SequenceOfString", "Ozo.ImmutableSequenceOfString", their
// iterators and the Integer and Real counterparts to the package `ozo`.
void registerPrimitiveSequenceClasses(kovo::COSPackage* ozo);

// Adds the four sequence and four iterator classes over the elements of one
// model class to `package`: the elements are "<prefix>.<modifiable>" and
// "<prefix>.<immutable>"; `base` (full name, may be empty) is the modifiable
// host class of the model superclass.
void addElementCollections(kovo::COSPackage* package, std::string_view prefix, std::string_view modifiable,
                           std::string_view immutable, std::string_view base);

}  // namespace Ozo::xb
