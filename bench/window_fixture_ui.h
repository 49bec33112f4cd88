// The main window the window benchmarks fill: shown on a fresh settings
// path, with seams that never ask the user anything; and their main().
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "app/main_window.h"
#include "ui/seams_ui.h"

class SilentSeams : public Seams {
 public:
  void ShowMessage(QWidget*, const QString&) override {}
  void SetClipboardText(const QString&) override {}
  bool OpenDocument(const QString&) override { return true; }
  QString GetSaveFileName(QWidget*, const QString&, const QString&, const QString&, QString*) override { return {}; }
  bool AskYesNo(QWidget*, const QString&) override { return false; }
};

struct BenchWindow {
  BenchWindow() : window(seams, dir.filePath("brendax.set")) { window.show(); }
  SilentSeams seams;
  QTemporaryDir dir;
  TForm1 window;
};

// One window for all benchmarks of a program; it lives until the program ends.
inline BenchWindow& SharedWindow() {
  static BenchWindow* window = new BenchWindow;
  return *window;
}

// The main() of a window benchmark program: a QApplication on the offscreen
// platform (unless a display is chosen), then the benchmarks.
inline int RunWindowBenchmarks(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
