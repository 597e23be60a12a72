// The lists behind Ozo::MakeSequence for the package's value types.
#include "sequences/Lists.hpp"

#include <types/Types.hpp>

namespace Ozo {

template <class T>
Generic::SequenceIntf* newSequenceImplementation(SequenceImplementation kind, bool unique) {
  switch (kind) {
    case STD_VECTOR: return new ListQImpl<T>();
    case MULTI_INDEX:
      if (unique) return new MultiIndexImpl<T, true>();
      return new MultiIndexImpl<T, false>();
  }
  return nullptr;
}

namespace types = Zorvan::metamodel::types;
template Generic::SequenceIntf* newSequenceImplementation<types::CompuMethodCategory>(SequenceImplementation, bool);
template Generic::SequenceIntf* newSequenceImplementation<types::DataSizeUnitKind>(SequenceImplementation, bool);
template Generic::SequenceIntf* newSequenceImplementation<types::FloatingPointKind>(SequenceImplementation, bool);
template Generic::SequenceIntf* newSequenceImplementation<types::SwGenericAxisParamTypeCategory>(SequenceImplementation,
                                                                                               bool);
template Generic::SequenceIntf* newSequenceImplementation<types::TimeUnitKind>(SequenceImplementation, bool);
template Generic::SequenceIntf* newSequenceImplementation<types::DataSize>(SequenceImplementation, bool);
template Generic::SequenceIntf* newSequenceImplementation<types::Time>(SequenceImplementation, bool);

}  // namespace Ozo
