// The Info dialog's panel sequence and the expert mode it switches.
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "app/info_dialog.h"
#include "app/main_window.h"
#include "support/recording_seams.h"

namespace {

void ClickPanels(TForm4& info, const std::vector<int>& panels) {
  for (int n : panels) QTest::mouseClick(info.Panels[static_cast<std::size_t>(n - 1)], Qt::LeftButton);
}

std::vector<int> Sequence() { return {TForm4::kExpertSequence.begin(), TForm4::kExpertSequence.end()}; }

QColor PanelColour(TForm4& info, int n) {
  return info.Panels[static_cast<std::size_t>(n - 1)]->palette().color(QPalette::Window);
}

}  // namespace

class InfoDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void showsNameAndVersion() {
    MainWindowFixture f;
    QCOMPARE(InfoDialog(*f.window)->Label1->text(), QString("Brendax"));
    QCOMPARE(InfoDialog(*f.window)->Label2->text(), QString("Brendax Ver.: 03.09"));
    QCOMPARE(InfoDialog(*f.window)->windowTitle(), QString("Über Brendax"));
  }

  void sequenceSwitchesExpertModeThroughTheMenu() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    bool green = false;
    QTimer::singleShot(0, [&w, &green] {
      ClickPanels(*InfoDialog(w), Sequence());
      green = PanelColour(*InfoDialog(w), 1) == PanelColour(*InfoDialog(w), 4);
      InfoDialog(w)->Button1->click();
    });
    Action(w, "Info1")->trigger();
    QVERIFY(w.expertMode());
    QVERIFY(green);
    QVERIFY(Action(w, "SollIstDB1")->isVisible());
    // The caption changes at the next ApplyLanguage.
    QCOMPARE(w.windowTitle(), QString("Brendax"));
    w.ApplyLanguage();
    QCOMPARE(w.windowTitle(), QString("Brendax +"));

    // The next panel click switches it off again.
    QTimer::singleShot(0, [&w] {
      ClickPanels(*InfoDialog(w), {3});
      InfoDialog(w)->Button1->click();
    });
    w.Info1Click();
    QVERIFY(!w.expertMode());
    QVERIFY(!Action(w, "SollIstDB1")->isVisible());
    w.ApplyLanguage();
    QCOMPARE(w.windowTitle(), QString("Brendax"));
  }

  void wrongClickStartsOver() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    TForm4& info = *InfoDialog(w);
    const std::vector<int> seq = Sequence();
    // Six right clicks, then a wrong one.
    for (std::size_t i = 0; i + 1 < seq.size(); ++i) info.PanelClick(seq[i]);
    QCOMPARE(info.SequenceProgress(), 6);
    info.PanelClick(seq[6] == 3 ? 4 : 3);
    QCOMPARE(info.SequenceProgress(), 0);
    QVERIFY(!w.expertMode());
    // The rest of the sequence alone does not count.
    info.PanelClick(seq[6]);
    QVERIFY(!w.expertMode());
    // A wrong click that is the sequence's first panel begins it anew.
    info.PanelClick(seq[0]);
    info.PanelClick(seq[0] == seq[1] ? 4 : seq[0]);
    QCOMPARE(info.SequenceProgress(), seq[0] == seq[1] ? 0 : 1);
    for (std::size_t i = 1; i < seq.size(); ++i) info.PanelClick(seq[i]);
    QVERIFY(w.expertMode());
    QCOMPARE(PanelColour(info, 2), PanelColour(info, 3));
  }
};

QTEST_MAIN(InfoDialogTest)
#include "info_dialog_test.moc"
