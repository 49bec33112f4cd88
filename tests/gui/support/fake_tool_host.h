// A ToolHost for dialog tests without the main window: records what a
// dialog hands over (the last-generator code, the views it prepared, the
// results) and keeps a settings record in memory.
#pragma once

#include <QStringList>
#include <vector>

#include "recording_seams.h"
#include "ui/tool_host_ui.h"

class FakeToolHost : public ToolHost {
 public:
  Seams& seams() override { return recorder; }
  const brendax::MnemonicSet& mnemonics() const override { return mnemonicSet; }
  brendax::SettingsRecord& settings() override { return record; }
  bool SaveSettings() override;
  bool expertMode() const override { return expert; }
  void RefreshMenus() override { ++refreshCount; }
  void SetLastGenerator(int code) override { lastGenerator = code; }
  void PrepareSymbolOutput() override { prepared << "symbols"; }
  void PrepareSourceOutput() override { prepared << "source"; }
  void PrepareSourceAndSymbolOutput() override { prepared << "source+symbols"; }
  void ShowGeneratorResult(const brendax::GeneratorResult& result, QWidget* messageParent) override;

  // The memo text of the last successful result: each line with CR LF.
  QString LastText() const;

  RecordingSeams recorder;
  brendax::MnemonicSet mnemonicSet = brendax::GermanMnemonics();
  brendax::SettingsRecord record;
  bool expert = false;
  bool saveSucceeds = true;  // what SaveSettings reports (a failure shows no message here)
  int saveCount = 0;
  int refreshCount = 0;
  int lastGenerator = 0;
  QStringList prepared;
  std::vector<brendax::GeneratorResult> results;  // every result handed over
};
