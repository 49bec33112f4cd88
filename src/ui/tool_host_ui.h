// What a tool dialog may use of the main window: the shared state (mnemonic
// set, settings record, expert mode), the desktop seams, and the output
// views. Dialogs talk to this interface only, never to the window itself.
#pragma once

#include <QString>

#include "core/generator_result.h"
#include "core/mnemonics.h"
#include "core/settings.h"
#include "project/run_record.h"

class QWidget;
class Seams;

class ToolHost {
 public:
  virtual ~ToolHost() = default;

  virtual Seams& seams() = 0;
  virtual const brendax::MnemonicSet& mnemonics() const = 0;
  virtual brendax::SettingsRecord& settings() = 0;
  // Writes the settings record; on failure shows the message and keeps the
  // record in memory. Returns whether it was written.
  virtual bool SaveSettings() = 0;
  virtual bool expertMode() const = 0;
  // The main window's menus show texts that dialogs own (template names).
  virtual void RefreshMenus() = 0;

  // The output views.
  virtual void SetLastGenerator(int code) = 0;
  virtual void PrepareSymbolOutput() = 0;
  virtual void PrepareSourceOutput() = 0;
  virtual void PrepareSourceAndSymbolOutput() = 0;
  // A successful run: writes the result's symbol rows and lines into the
  // prepared views, then shows its notices. A failed run: writes only the
  // rows it kept, then the error message box (ErrorBoxText).
  virtual void ShowGeneratorResult(const brendax::GeneratorResult& result, QWidget* messageParent) = 0;
  // A generated run of a dialog: while a project is open, the window keeps
  // it as the project's run (in place of the run of the same generator and
  // block, else as a new one). Nothing happens without a project.
  virtual void RecordRun(const brendax::RunRecord& record) { (void)record; }
};
