// Brendax: start-up of the window program. Its one optional argument is a
// project file (a batch job, "anlage.brendax.json"), opened once the window
// is shown.
#include <QApplication>
#include <QTimer>

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
  if (const QStringList args = QApplication::arguments(); args.size() > 1)
    QTimer::singleShot(0, &window, [&window, path = args.at(1)] { window.OpenProject(path); });
  return QApplication::exec();
}
