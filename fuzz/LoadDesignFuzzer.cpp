// Opens arbitrary bytes as a design file of both kinds and checks the values
// read as a calculation would. Any outcome but a clean load or a file error,
// and a clean check or a refused value (a crash, a hang, another exception,
// a leak) is a finding.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bend/Bend.h"
#include "framework/data/Messages.h"
#include "persistence/BendFile.h"
#include "persistence/FileErrors.h"

namespace {

class TSilentPresenter : public umbrinex::IMessagePresenter {
 public:
  int Present(const umbrinex::TMessageRequest&) override { return umbrinex::maOk; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  using namespace umbrinex;
  static TSilentPresenter presenter;
  SetMessagePresenter(&presenter);
  const std::vector<std::uint8_t> bytes(data, data + size);
  for (const TFileClass* fileClass : {&DataFileClass, &OldDataFileClass}) {
    auto bend = New<TBend>();
    try {
      LoadFromMemory(*bend, bytes, *fileClass);
    } catch (const EFileError&) {
    }
    // Whatever was read is checked as a calculation would check it.
    try {
      bend->CheckItemValues();
    } catch (const EBendDataError&) {
    }
  }
  return 0;
}
