#pragma once
// The messages a run in this process shows, recorded and answered with OK.

#include <string>
#include <vector>

#include "framework/data/Messages.h"

namespace umbrinex::testing {

class TRecordedMessages final : public IMessagePresenter {
 public:
  TRecordedMessages() : FPrevious(SetMessagePresenter(this)) {}
  ~TRecordedMessages() override { SetMessagePresenter(FPrevious); }
  TRecordedMessages(const TRecordedMessages&) = delete;
  TRecordedMessages& operator=(const TRecordedMessages&) = delete;
  int Present(const TMessageRequest& request) override
  {
    Texts.push_back(request.Text);
    return maOk;
  }
  std::vector<std::string> Texts;

 private:
  IMessagePresenter* FPrevious;
};

}  // namespace umbrinex::testing
