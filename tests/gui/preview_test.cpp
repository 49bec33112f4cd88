// The preview pane of every generator dialog: it shows what "Generieren"
// writes, follows the typing, marks the field whose check refuses a value,
// and leaves the fields, the window, the settings and the clipboard alone.
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

#include "datablocks/db_image_dialog.h"
#include "datablocks/db_source_dialog.h"
#include "datablocks/message_db_dialog.h"
#include "datablocks/target_actual_dialog.h"
#include "stepseq/extended_step_dialog.h"
#include "stepseq/simple_step_dialog.h"
#include "support/fake_tool_host.h"
#include "support/recording_seams.h"
#include "symbols/symbol_dialog.h"
#include "ui/controls_ui.h"
#include "ui/generator_preview_ui.h"

namespace {

struct Generator {
  const char* name;
  const char* screenshot;  // the dialog with its defaults (the others' pictures come from their own tests)
  std::function<GeneratorDialog*(ToolHost&)> make;
};

template <class Dialog>
Generator Make(const char* name, const char* screenshot = "") {
  return {name, screenshot, [](ToolHost& host) -> GeneratorDialog* { return new Dialog(host, nullptr); }};
}

// Every generator dialog; the DB image reads a small file of its own.
std::vector<Generator> Generators() {
  return {Make<TForm10AWL_SchrittketteEinfach>("step-simple", "simple_step_dialog.png"),
          Make<TForm8AWL_Schrittkette>("step-extended", "extended_step_dialog.png"),
          Make<TForm2>("symbols"),
          Make<TForm5QuelleDB>("db", "db_source_dialog.png"),
          Make<TForm6Melde_DB_UDT>("message-db", "db_message_dialog.png"),
          Make<TForm3>("target-actual-db"),
          Make<TForm7QuelleDBFileKopieBin>("db-image")};
}

// Waits until the pane shows the run of the fields as they stand.
bool Settled(GeneratorPreview* preview) {
  QElapsedTimer clock;
  clock.start();
  while (preview->Busy() && clock.elapsed() < 10000) QTest::qWait(5);
  return !preview->Busy();
}

QLineEdit* Edit(QWidget* dialog, const char* name) {
  return dialog->findChild<LabeledEdit*>(QLatin1String(name))->edit();
}

// Types into a field as the user does: key by key.
void Type(QLineEdit* edit, const QString& text) {
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
}

}  // namespace

class PreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    image_ = dir_.filePath("image.bin");
    QFile file(image_);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("AB\r'\xFF", 5);
  }

  // With the defaults, the pane holds exactly what "Generieren" then writes,
  // and it has written nothing itself.
  void showsWhatGenerierenWritesForTheDefaults() {
    for (const Generator& g : Generators()) {
      FakeToolHost host;
      std::unique_ptr<GeneratorDialog> dialog(g.make(host));
      dialog->show();
      if (auto* image = qobject_cast<TForm7QuelleDBFileKopieBin*>(dialog.get())) image->LabeledEdit1->setText(image_);
      GeneratorPreview* preview = dialog->Preview();
      QVERIFY(Settled(preview));
      QVERIFY2(preview->MessageText().isEmpty(), g.name);
      QVERIFY2(host.results.empty() && host.prepared.isEmpty() && host.lastGenerator == 0, g.name);
      QVERIFY2(host.saveCount == 0 && host.recorder.clipboard.isEmpty() && host.recorder.messages.isEmpty(), g.name);

      if (*g.screenshot != '\0') SaveScreenshot(dialog.get(), g.screenshot);
      const QString shown = preview->ShownText();
      const int rows = preview->ShownRowCount();
      dialog->Button1->click();
      QCOMPARE(host.results.size(), std::size_t{1});
      QString written = host.LastText();
      written.replace("\r\n", "\n");
      QVERIFY2(!written.isEmpty() || !host.results.back().symbols.empty(), g.name);
      QVERIFY2(written.startsWith(shown), g.name);
      QCOMPARE(rows, static_cast<int>(host.results.back().symbols.size()));
      const std::size_t lines = host.results.back().lines.size();
      if (lines <= GeneratorPreview::kShownLines)
        QCOMPARE(shown, written);
      else
        QVERIFY2(preview->CountText().startsWith(QString("%1 Zeilen (die ersten 500").arg(lines)), g.name);
    }
  }

  // One refused value per generator, typed key by key: the pane keeps its
  // output greyed, shows the message box text and marks the field the check
  // reads; the typed text stays as typed. A good value removes the mark and
  // gives the field its own tool tip back.
  void marksTheFieldOfARefusedValue() {
    struct Case {
      const char* generator;
      const char* field;
      const char* refused;
      const char* box;
      const char* good;
    } cases[] = {
        {"step-simple", "LabeledEdit9", " 99 ", "Error: 31 / Erste Schrittnr. ist ungültig !", "5"},
        {"step-extended", "LabeledEdit2", "0", "Error: 23 / \"DB- Nummer\" ist ungültig !", "80"},
        {"symbols", "LabeledEdit1", "50", "Error: 4 / Startadresse ungültig !", "50.0"},
        {"db", "LabeledEdit4", "0", "Fehler: 20 / Fehler im Feld \"Anzahl Variablen\"", "8"},
        {"message-db", "LabeledEdit1", "10001", "Error: 3 / Anzahl Meldungen ungültig !", "16"},
        {"target-actual-db", "LabeledEdit2", "33", "Fehler: 10", "2"},
        {"db-image", "LabeledEdit5", "1A", "Error: 13 / Name der Arrayvariable ist ungültig !", "Feld"},
    };
    const auto generators = Generators();
    for (const Case& c : cases) {
      const auto g = std::find_if(generators.begin(), generators.end(),
                                  [&c](const Generator& g) { return QLatin1String(g.name) == c.generator; });
      FakeToolHost host;
      std::unique_ptr<GeneratorDialog> dialog(g->make(host));
      dialog->show();
      if (auto* image = qobject_cast<TForm7QuelleDBFileKopieBin*>(dialog.get())) image->LabeledEdit1->setText(image_);
      GeneratorPreview* preview = dialog->Preview();
      QVERIFY(Settled(preview));
      const QString good = preview->ShownText();
      QLineEdit* edit = Edit(dialog.get(), c.field);
      const QString ownTip = edit->toolTip();

      Type(edit, QString::fromUtf8(c.refused));
      QVERIFY(Settled(preview));
      const QString box = QString::fromUtf8(c.box);
      QCOMPARE(preview->MessageText(), box);
      QCOMPARE(preview->MarkedControl(), static_cast<QWidget*>(edit));
      QCOMPARE(edit->toolTip(), box);
      QVERIFY2(preview->ShowsStaleOutput() && preview->ShownText() == good, c.generator);
      QCOMPARE(edit->text(), QString::fromUtf8(c.refused));
      QVERIFY2(host.results.empty() && host.recorder.messages.isEmpty(), c.generator);
      if (QLatin1String(c.generator) == "step-simple") SaveScreenshot(dialog.get(), "preview_error_mark.png");

      Type(edit, QString::fromUtf8(c.good));
      QVERIFY(Settled(preview));
      QVERIFY2(preview->MessageText().isEmpty() && !preview->ShowsStaleOutput(), c.generator);
      QCOMPARE(preview->MarkedControl(), static_cast<QWidget*>(nullptr));
      QCOMPARE(edit->toolTip(), ownTip);
    }
  }

  // "Vorschau" hides the pane in every dialog for the rest of the session;
  // a hidden pane runs nothing.
  void vorschauIsOneSwitchForTheSession() {
    FakeToolHost host;
    TForm6Melde_DB_UDT first(host, nullptr);
    first.show();
    QVERIFY(Settled(first.Preview()));
    first.Preview()->CheckBox1->click();
    QVERIFY(!GeneratorPreview::SessionVisible());
    first.hide();
    TForm5QuelleDB second(host, nullptr);
    second.show();
    QVERIFY(!second.Preview()->CheckBox1->isChecked());
    Type(Edit(&second, "LabeledEdit4"), "0");
    QVERIFY(!second.Preview()->Busy());
    QVERIFY(second.Preview()->MessageText().isEmpty());
    second.Preview()->CheckBox1->click();
    QVERIFY(Settled(second.Preview()));
    QCOMPARE(second.Preview()->MessageText(), QString("Fehler: 20 / Fehler im Feld \"Anzahl Variablen\""));
  }

 private:
  QTemporaryDir dir_;
  QString image_;
};

QTEST_MAIN(PreviewTest)
#include "preview_test.moc"
