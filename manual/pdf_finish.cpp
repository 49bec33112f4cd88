// Reads the objects of the PDF by its cross-reference table, changes the
// catalogue (bookmarks) and the document information (creation date), adds
// the bookmark objects and writes the file anew with one fresh table.
#include "pdf_finish.h"

#include <QByteArray>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTimeZone>
#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {

struct PdfFile {
  QByteArray header;             // before the first object
  QMap<int, QByteArray> bodies;  // "N 0 obj ... endobj", by number
  QList<int> order;              // numbers in the order of the file
  int size = 0;                  // the trailer's /Size
  int root = 0;
  int info = 0;
};

std::optional<int> Reference(const QByteArray& text, const char* key) {
  const QRegularExpression pattern(QStringLiteral("/%1\\s+(\\d+)\\s+0\\s+R").arg(QLatin1String(key)));
  const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(text));
  if (!match.hasMatch()) return std::nullopt;
  return match.captured(1).toInt();
}

// Parses the file as QPdfWriter writes it: objects, one cross-reference table
// at "startxref", and its trailer.
std::optional<PdfFile> Parse(const QByteArray& bytes) {
  const qsizetype start = bytes.lastIndexOf("startxref");
  if (start < 0) return std::nullopt;
  bool ok = false;
  const qsizetype xref = bytes.mid(start + 9, 24).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
  if (!ok || xref <= 0 || xref >= bytes.size() || !bytes.mid(xref).startsWith("xref")) return std::nullopt;
  const qsizetype trailer = bytes.indexOf("trailer", xref);
  if (trailer < 0) return std::nullopt;

  QMap<qsizetype, int> byOffset;
  const QList<QByteArray> lines = bytes.mid(xref + 4, trailer - xref - 4).split('\n');
  int number = 0;
  for (const QByteArray& raw : lines) {
    const QList<QByteArray> fields = raw.simplified().split(' ');
    if (fields.size() == 2) {  // a subsection: first number, count
      number = fields[0].toInt();
    } else if (fields.size() == 3) {
      if (fields[2] == "n") byOffset.insert(fields[0].toLongLong(), number);
      ++number;
    }
  }
  if (byOffset.isEmpty()) return std::nullopt;

  PdfFile file;
  const QByteArray trailerText = bytes.mid(trailer);
  const QRegularExpressionMatch size =
      QRegularExpression(QStringLiteral("/Size\\s+(\\d+)")).match(QString::fromLatin1(trailerText));
  const std::optional<int> root = Reference(trailerText, "Root");
  const std::optional<int> info = Reference(trailerText, "Info");
  if (!size.hasMatch() || !root) return std::nullopt;
  file.size = size.captured(1).toInt();
  file.root = *root;
  file.info = info.value_or(0);
  file.header = bytes.left(byOffset.firstKey());
  for (auto it = byOffset.begin(); it != byOffset.end(); ++it) {
    const auto next = std::next(it);
    const qsizetype end = next == byOffset.end() ? xref : next.key();
    file.bodies.insert(it.value(), bytes.mid(it.key(), end - it.key()));
    file.order.append(it.value());
  }
  return file;
}

// A text string as PDF keeps any text: UTF-16BE with a byte-order mark.
QByteArray TextString(const QString& text) {
  QByteArray hex = "<FEFF";
  for (const QChar ch : text) hex += QByteArray::number(ch.unicode(), 16).rightJustified(4, '0').toUpper();
  return hex + ">";
}

QByteArray Object(int number, const QByteArray& dictionary) {
  return QByteArray::number(number) + " 0 obj\n" + dictionary + "\nendobj\n";
}

// Adds entries to the dictionary of an object, before its closing ">>".
bool AddToDictionary(QByteArray& body, const QByteArray& entries) {
  const qsizetype end = body.lastIndexOf(">>", body.lastIndexOf("endobj"));
  if (end < 0) return false;
  body.insert(end, entries);
  return true;
}

// The objects of the outline, numbered from `first`, with the first one its root.
QList<QByteArray> OutlineObjects(const QList<Bookmark>& bookmarks, const QList<int>& pages, int first) {
  const int root = first;
  const int count = static_cast<int>(bookmarks.size());
  const auto numberOf = [&](int index) { return root + 1 + index; };
  // Parent, previous and next sibling, first and last child of every entry.
  QList<int> parent(count, -1), previous(count, -1), next(count, -1), firstChild(count, -1), lastChild(count, -1),
      children(count, 0);
  int lastTop = -1;
  int firstTop = -1;
  int topCount = 0;
  int chapter = -1;
  for (int i = 0; i < count; ++i) {
    const bool child = bookmarks[i].level > 1 && chapter >= 0;
    if (child) {
      parent[i] = chapter;
      if (lastChild[chapter] >= 0) {
        previous[i] = lastChild[chapter];
        next[lastChild[chapter]] = i;
      } else {
        firstChild[chapter] = i;
      }
      lastChild[chapter] = i;
      ++children[chapter];
    } else {
      chapter = i;
      if (lastTop >= 0) {
        previous[i] = lastTop;
        next[lastTop] = i;
      } else {
        firstTop = i;
      }
      lastTop = i;
      ++topCount;
    }
  }
  QList<QByteArray> objects;
  QByteArray rootText = "<<\n/Type /Outlines\n";
  if (firstTop >= 0) {
    rootText += "/First " + QByteArray::number(numberOf(firstTop)) + " 0 R\n/Last " +
                QByteArray::number(numberOf(lastTop)) + " 0 R\n";
  }
  rootText += "/Count " + QByteArray::number(topCount) + "\n>>";
  objects.append(Object(root, rootText));
  for (int i = 0; i < count; ++i) {
    const Bookmark& mark = bookmarks[i];
    QByteArray text = "<<\n/Title " + TextString(mark.title) + "\n/Parent " +
                      QByteArray::number(parent[i] >= 0 ? numberOf(parent[i]) : root) + " 0 R\n";
    if (previous[i] >= 0) text += "/Prev " + QByteArray::number(numberOf(previous[i])) + " 0 R\n";
    if (next[i] >= 0) text += "/Next " + QByteArray::number(numberOf(next[i])) + " 0 R\n";
    if (firstChild[i] >= 0) {
      // Chapters start closed: the viewer lists the chapters, a click opens the sections.
      text += "/First " + QByteArray::number(numberOf(firstChild[i])) + " 0 R\n/Last " +
              QByteArray::number(numberOf(lastChild[i])) + " 0 R\n/Count " + QByteArray::number(-children[i]) + "\n";
    }
    const int page = pages[std::clamp(mark.page, 0, static_cast<int>(pages.size()) - 1)];
    text +=
        "/Dest [" + QByteArray::number(page) + " 0 R /XYZ null " + QByteArray::number(mark.top, 'f', 2) + " null]\n>>";
    objects.append(Object(numberOf(i), text));
  }
  return objects;
}

}  // namespace

QDateTime CreationDate() {
  bool ok = false;
  const qint64 epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&ok);
  if (ok) return QDateTime::fromSecsSinceEpoch(epoch, QTimeZone::utc());
  return QDateTime::currentDateTimeUtc();
}

QString FinishPdf(const QString& path, const QList<Bookmark>& bookmarks, const QDateTime& created) {
  QFile in(path);
  if (!in.open(QIODevice::ReadOnly)) return QStringLiteral("cannot read %1").arg(path);
  std::optional<PdfFile> file = Parse(in.readAll());
  in.close();
  if (!file) return QStringLiteral("%1 is not a PDF file as QPdfWriter writes it").arg(path);

  // The pages in their order, from the page tree of the catalogue.
  const std::optional<int> pagesNumber = Reference(file->bodies.value(file->root), "Pages");
  if (!pagesNumber) return QStringLiteral("%1 has no page tree").arg(path);
  const QRegularExpressionMatch kids = QRegularExpression(QStringLiteral("/Kids\\s*\\[([^\\]]*)\\]"))
                                           .match(QString::fromLatin1(file->bodies.value(*pagesNumber)));
  QList<int> pages;
  for (const QRegularExpressionMatch& ref :
       QRegularExpression(QStringLiteral("(\\d+)\\s+0\\s+R")).globalMatch(kids.captured(1))) {
    pages.append(ref.captured(1).toInt());
  }
  if (pages.isEmpty()) return QStringLiteral("%1 has no pages").arg(path);

  const int outline = file->size;
  QList<QByteArray> added = bookmarks.isEmpty() ? QList<QByteArray>{} : OutlineObjects(bookmarks, pages, outline);
  if (!added.isEmpty() && !AddToDictionary(file->bodies[file->root], "/Outlines " + QByteArray::number(outline) +
                                                                         " 0 R\n/PageMode /UseOutlines\n")) {
    return QStringLiteral("%1: the catalogue is not a dictionary").arg(path);
  }
  if (file->info != 0) {
    const QByteArray date = "/CreationDate (D:" + created.toUTC().toString("yyyyMMddHHmmss").toLatin1() + "Z)";
    QByteArray& info = file->bodies[file->info];
    const QString text = QString::fromLatin1(info);
    const QRegularExpressionMatch old = QRegularExpression(QStringLiteral("/CreationDate\\s*\\([^)]*\\)")).match(text);
    if (old.hasMatch()) {
      info.replace(old.capturedStart(), old.capturedLength(), date);
    } else if (!AddToDictionary(info, date + "\n")) {
      return QStringLiteral("%1: the document information is not a dictionary").arg(path);
    }
  }

  QByteArray out = file->header;
  QMap<int, qsizetype> offsets;
  for (const int number : file->order) {
    offsets.insert(number, out.size());
    out += file->bodies.value(number);
  }
  for (qsizetype i = 0; i < added.size(); ++i) {
    offsets.insert(outline + static_cast<int>(i), out.size());
    out += added[i];
  }
  const int size = outline + static_cast<int>(added.size());
  const qsizetype xref = out.size();
  out += "xref\n0 " + QByteArray::number(size) + "\n";
  for (int number = 0; number < size; ++number) {
    if (offsets.contains(number)) {
      out += QByteArray::number(offsets.value(number)).rightJustified(10, '0') + " 00000 n \n";
    } else {
      out += "0000000000 65535 f \n";
    }
  }
  out += "trailer\n<<\n/Size " + QByteArray::number(size) + "\n";
  if (file->info != 0) out += "/Info " + QByteArray::number(file->info) + " 0 R\n";
  out += "/Root " + QByteArray::number(file->root) + " 0 R\n>>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";

  QFile result(path);
  if (!result.open(QIODevice::WriteOnly | QIODevice::Truncate) || result.write(out) != out.size() || !result.flush()) {
    return QStringLiteral("cannot write %1").arg(path);
  }
  return {};
}
