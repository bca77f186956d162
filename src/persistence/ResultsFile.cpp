#include "persistence/ResultsFile.h"

#include "bend/Bend.h"
#include "persistence/TaggedFile.h"

namespace umbrinex {

// Filled in with the comparison of stored results.
void WriteResults(TBend& /*bend*/, TTaggedFile& /*file*/) {}
void CompareResults(TBend& /*bend*/, TTaggedFile& /*file*/) {}

}  // namespace umbrinex
