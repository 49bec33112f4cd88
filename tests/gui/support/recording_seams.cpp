#include "support/recording_seams.h"

#include <QFile>

#include "app/main_window.h"

void RecordingSeams::ShowMessage(QWidget*, const QString& text) { messages << text; }
void RecordingSeams::SetClipboardText(const QString& text) { clipboard << text; }
void RecordingSeams::OpenDocument(const QString& fileName) { opened << fileName; }
QString RecordingSeams::GetOpenFileName(QWidget*, const QString&, const QString& dir, const QString&) {
  openFolders << dir;
  return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
}

MainWindowFixture::MainWindowFixture() : MainWindowFixture(QString()) {}

MainWindowFixture::MainWindowFixture(const QString& path)
    : settingsPath(path.isEmpty() ? dir.filePath("brendax.set") : path) {
  window = std::make_unique<TForm1>(seams, settingsPath);
  window->show();
}

MainWindowFixture::~MainWindowFixture() = default;

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}
