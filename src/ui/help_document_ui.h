// Where "Hilfe" finds the manual, and what it says when it cannot.
#pragma once

#include <QString>
#include <QStringList>

// The folders searched for the manual, in order: the program's own folder
// (the build tree and a Windows installation keep it there), the shared data
// folder of an installation (../share/brendax seen from the program's folder,
// /usr/share/brendax for /usr/bin/brendax), then the working folder.
// Repeated folders appear once.
QStringList HelpDocumentFolders(const QString& programDir, const QString& workDir);

// The full path of the first existing file `name` in `folders`; empty when
// there is none.
QString FindHelpDocument(const QStringList& folders, const QString& name);

// The message when the manual is nowhere: the name and every folder searched.
QString HelpDocumentMissingText(const QString& name, const QStringList& folders);

// The message when the manual exists but no program could open it.
QString HelpDocumentNotOpenedText(const QString& path);
