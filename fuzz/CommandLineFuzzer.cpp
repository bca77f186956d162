// Splits arbitrary bytes at NUL bytes into the arguments of the batch
// program, parses them, and enters every --set into the default design as a
// run would, then lists the items as text and JSON; nothing is opened,
// saved or calculated. Any outcome but a parse, a usage error or a refused
// value (a crash, a hang, another exception, JSON that cannot be written)
// is a finding.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "bend/Bend.h"
#include "cli/Cli.h"
#include "cli/ItemListing.h"
#include "framework/data/Messages.h"

namespace {

class TSilentPresenter : public umbrinex::IMessagePresenter {
 public:
  int Present(const umbrinex::TMessageRequest&) override { return umbrinex::maOk; }
};

std::vector<std::string> Arguments(const std::uint8_t* data, std::size_t size)
{
  std::vector<std::string> arguments{"umbrinex-cli"};
  const char* text = reinterpret_cast<const char*>(data);
  std::size_t start = 0;
  for (std::size_t i = 0; i <= size; ++i) {
    if (i < size && data[i] != 0) continue;
    arguments.emplace_back(text + start, i - start);
    start = i + 1;
  }
  return arguments;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  using namespace umbrinex;
  static TSilentPresenter presenter;
  SetMessagePresenter(&presenter);
  if (size > 4096) return -1;  // a command line, not a file
  const std::vector<std::string> arguments = Arguments(data, size);
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  TCliOptions options;
  std::ostringstream out, err;
  if (ParseCommandLine(static_cast<int>(argv.size()), argv.data(), options, out, err)) return 0;

  auto bend = New<TBend>();
  for (const std::string& argument : options.Settings) {
    const std::optional<TItemSetting> setting = ParseItemSetting(argument);
    if (!setting) continue;
    const TAccessStatus status = EnterItemText(*bend, setting->VarNum, std::max(setting->Row - 1, 0), setting->Text);
    (void)status.Text();
  }
  ListItems(*bend, out);
  // The strict dump throws on text that is not UTF-8, which entry must have
  // refused; the program's own never throws.
  const nlohmann::ordered_json items = ItemsJson(*bend);
  (void)items.dump();
  (void)JsonText(items);
  return 0;
}
