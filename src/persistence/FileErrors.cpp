#include "persistence/FileErrors.h"

#include "framework/data/Messages.h"

namespace umbrinex {

void ShowFileWarning(const std::string& text)
{
  ShowWarning(text);
}

}  // namespace umbrinex
