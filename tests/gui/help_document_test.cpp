// Where "Hilfe" looks for the manual and what it says when it finds none.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/help_document_ui.h"

namespace {

void Touch(const QString& path) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("%PDF-1.4\n");
}

}  // namespace

class HelpDocumentTest : public QObject {
  Q_OBJECT

 private slots:
  void foldersInOrder() {
    QCOMPARE(HelpDocumentFolders("/usr/bin", "/home/anna"),
             QStringList({"/usr/bin", "/usr/share/brendax", "/home/anna"}));
    // The working folder is the program's folder: searched once.
    QCOMPARE(HelpDocumentFolders("/opt/b/bin", "/opt/b/bin/"), QStringList({"/opt/b/bin", "/opt/b/share/brendax"}));
    QCOMPARE(HelpDocumentFolders("", "/tmp"), QStringList({"/tmp"}));
  }

  // Which copies exist -> which one is opened ("" = none).
  void lookUp_data() {
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("expected");
    QTest::newRow("nowhere") << QStringList{} << QString();
    QTest::newRow("beside the program") << QStringList{"bin"} << "bin";
    QTest::newRow("installed data folder") << QStringList{"share/brendax"} << "share/brendax";
    QTest::newRow("working folder only") << QStringList{"work"} << "work";
    QTest::newRow("program folder wins") << QStringList{"work", "share/brendax", "bin"} << "bin";
    QTest::newRow("data folder before working folder") << QStringList{"work", "share/brendax"} << "share/brendax";
    QTest::newRow("a folder of that name is no document") << QStringList{"bin/"} << QString();
  }

  void lookUp() {
    QFETCH(QStringList, present);
    QFETCH(QString, expected);
    QTemporaryDir root;
    for (const QString& folder : present) {
      if (folder.endsWith('/'))
        QDir().mkpath(root.filePath(folder + "Brendax_de.pdf"));
      else
        Touch(root.filePath(folder + "/Brendax_de.pdf"));
    }
    const QStringList folders = HelpDocumentFolders(root.filePath("bin"), root.filePath("work"));
    const QString found = FindHelpDocument(folders, "Brendax_de.pdf");
    QCOMPARE(found, expected.isEmpty() ? QString() : QDir(root.filePath(expected)).filePath("Brendax_de.pdf"));
  }

  void messagesNameTheDocumentAndTheFolders() {
    const QString missing = HelpDocumentMissingText("Brendax_de.pdf", {"/usr/bin", "/usr/share/brendax", "/home/a"});
    QCOMPARE(missing, QString("Das Handbuch \"Brendax_de.pdf\" wurde nicht gefunden.\r\rGesucht in:"
                              "\r/usr/bin\r/usr/share/brendax\r/home/a"));
    const QString closed = HelpDocumentNotOpenedText("/usr/share/brendax/Brendax_de.pdf");
    QVERIFY(closed.startsWith("Das Handbuch \"/usr/share/brendax/Brendax_de.pdf\" konnte nicht ge\u00F6ffnet werden."));
  }
};

QTEST_MAIN(HelpDocumentTest)
#include "help_document_test.moc"
