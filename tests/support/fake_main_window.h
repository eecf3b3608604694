#pragma once

#include "model/main_window_services.h"

#include <string>
#include <vector>

namespace tarvek::test {

// Records every call to the main window's services, in order, as text:
// "CALCULATE 1", "toggleProjection", "setData 0", "RemoteSetData",
// "tubeLength 5", "ShowHelp 0", "status 4 12 Bonds",
// "setVirusMode 1 Virus Geometry #6, T=9, (h,k) = (3,0)".
class FakeMainWindow : public MainWindowServices {
public:
  void CALCULATE(bool resetView) override
  {
    calls.push_back(std::string("CALCULATE ") + (resetView ? "1" : "0"));
  }
  void toggleProjection() override { calls.emplace_back("toggleProjection"); }
  void setData(bool noFill) override
  {
    calls.push_back(std::string("setData ") + (noFill ? "1" : "0"));
  }
  void RemoteSetData() override { calls.emplace_back("RemoteSetData"); }
  void setTubeLengthField(const std::string& text) override
  {
    calls.push_back("tubeLength " + text);
    tubeLengthField = text;
  }
  void ShowHelp(std::int32_t context) override { calls.push_back("ShowHelp " + std::to_string(context)); }

  void setStatusPanel(int panel, const std::string& text) override
  {
    calls.push_back("status " + std::to_string(panel) + " " + text);
  }

  void setVirusMode(int mode, const std::string& title) override
  {
    calls.push_back("setVirusMode " + std::to_string(mode) + " " + title);
  }

  std::vector<std::string> calls;
  std::string tubeLengthField;
};

} // namespace tarvek::test
