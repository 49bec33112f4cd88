// Brendax: start-up of the window program.
#include <QApplication>

#include "app/main_window.h"
#include "app/settings_path_ui.h"
#include "core/heap_tuning.h"
#include "ui/seams_ui.h"

int main(int argc, char** argv) {
  brendax::TuneHeapForLargeOutputs();
  QApplication app(argc, argv);
  QApplication::setApplicationName("Brendax");
  DesktopSeams seams;
  TForm1 window(seams, ResolveSettingsPath());
  window.show();
  return QApplication::exec();
}
