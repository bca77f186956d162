#pragma once
// The copies a data form keeps so that Cancel can undo its changes: the
// edited object writes itself into an in-memory tagged file, and reads
// itself back from it on Cancel. Both run in quiet mode.

namespace umbrinex {

class TModelObject;

// Keeps a copy of the object; a failure abandons the copy (false).
bool StoreCopy(TModelObject& object);
// Puts the object back as it was when the copy was stored. False when there
// was no usable copy or the restore failed; the batch, loading and busy
// states end in every case.
bool RestoreCopy(TModelObject& object);
void DiscardCopy(TModelObject& object);

}  // namespace umbrinex
