#include "fake_tool_host.h"

bool FakeToolHost::SaveSettings() {
  ++saveCount;
  return saveSucceeds;
}

void FakeToolHost::ShowGeneratorResult(const brendax::GeneratorResult& result, QWidget* messageParent) {
  results.push_back(result);
  if (!result.ok()) {
    recorder.ShowMessage(messageParent, FromAnsi(brendax::ErrorBoxText(result)));
    return;
  }
  for (const auto& notice : result.notices) recorder.ShowMessage(messageParent, FromAnsi(notice));
}

QString FakeToolHost::LastText() const {
  if (results.empty()) return {};
  return FromAnsi(brendax::JoinLinesCrLf(results.back().lines));
}
