// The last touches to the PDF that QPdfWriter wrote: bookmarks (the outline
// a PDF viewer shows beside the pages) and a creation date of our choosing,
// so that one source gives the same bytes at every build.
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

struct Bookmark {
  QString title;
  int level = 1;   // 1 chapter, 2 section (below the chapter before it)
  int page = 0;    // counted from 0
  double top = 0;  // in PDF points from the bottom of the page
};

// Rewrites the file with the bookmarks and the creation date. Returns an
// empty text, or what went wrong.
QString FinishPdf(const QString& path, const QList<Bookmark>& bookmarks, const QDateTime& created);

// The creation date: SOURCE_DATE_EPOCH when it is set (reproducible builds),
// otherwise now.
QDateTime CreationDate();
