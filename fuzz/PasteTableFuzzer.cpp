// Pastes arbitrary bytes as the grids' private clipboard table into the load
// case table of a design. Any outcome but a paste or a clean refusal (a
// crash, a hang, an exception, a leak, a batch left open) is a finding.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "bend/Bend.h"
#include "framework/data/Messages.h"
#include "framework/grid/GridCore.h"

namespace {

class TSilentPresenter : public umbrinex::IMessagePresenter {
 public:
  int Present(const umbrinex::TMessageRequest&) override { return umbrinex::maYes; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  using namespace umbrinex;
  static TSilentPresenter presenter;
  SetMessagePresenter(&presenter);
  auto bend = New<TBend>();
  TGridCore counter;
  counter.SetFixedRows(0);
  counter.Column(0).VarNum = vnNumberOfLoadCases;
  counter.Column(0).VarType = vtCard;
  counter.SetDataObject(bend.get());
  TGridCore grid;
  grid.SetFixedRows(2);
  grid.Column(0).VarType = vtIndex;
  for (const int varNum : {vnLoadCaseTension, vnLoadCaseAngle, vnLoadCaseABR}) grid.AddColumn(varNum, vtReal);
  grid.AddColumn(vnState1Included, vtBool);
  grid.AddColumn(vnState2Included, vtBool);
  grid.SetCounter(&counter);
  grid.SetDataObject(bend.get());
  grid.MoveTo(size % grid.ColCount(), grid.FixedRows() + static_cast<int>(size % 3));
  grid.Paste(TGridClipboard{{}, std::vector<std::uint8_t>(data, data + size)});
  if (bend->BatchDepth() != 0) std::abort();
  return 0;
}
