#pragma once
// Captions that show item values and unit names: "%21047%" is replaced by
// the text of item 21047, "%FF.LL^2%" by the current unit names, "%%" by
// one percent sign.

#include <string>

namespace umbrinex {

class TDataObject;

// A pair of percent signs whose inside the object cannot answer stays as
// it is, signs included; so does an unpaired sign and all text after it.
std::string ExpandCaption(const std::string& text, TDataObject* dataObject);

// A caption without accelerator marks: "&&" stays as one "&".
std::string StripAccelerators(const std::string& caption);

}  // namespace umbrinex
