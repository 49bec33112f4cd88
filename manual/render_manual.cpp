// Renders the German manual from its Markdown chapters into one PDF with Qt's
// own text layout, so the build needs nothing beyond Qt.
//
//   render_manual OUTPUT.pdf CHAPTER.md...
//
// Chapters are joined in the order given. Every first-level heading after the
// first starts a new page. An image line "![caption](path)" is resolved against
// the chapter's folder; a path with "*" stands for every matching file. Images
// that do not exist are left out with a note on standard error, so a chapter
// may name pictures that are added later. Each image is scaled down to the
// text width and followed by its caption in italics.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextStream>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cstdio>

namespace {

struct Picture {
  QString url;
  QImage image;
};

// Files an image reference names: the file itself, or every match of a
// pattern with "*", sorted by name.
QStringList ResolveImage(const QDir& base, const QString& reference) {
  const QString path = QDir::cleanPath(base.filePath(reference));
  if (!reference.contains('*')) return QFileInfo::exists(path) ? QStringList{path} : QStringList{};
  const QFileInfo pattern(path);
  QStringList found;
  const QDir folder = pattern.dir();
  for (const QString& name : folder.entryList({pattern.fileName()}, QDir::Files, QDir::Name))
    found << folder.filePath(name);
  return found;
}

// Replaces every image line by references to loaded pictures; returns the text.
QString ResolveImages(const QString& markdown, const QDir& base, QList<Picture>& pictures) {
  static const QRegularExpression imageLine(QStringLiteral(R"(^\s*!\[([^\]]*)\]\(([^)\s]+)\)\s*$)"));
  QStringList out;
  for (const QString& line : markdown.split('\n')) {
    const QRegularExpressionMatch match = imageLine.match(line);
    if (!match.hasMatch()) {
      out << line;
      continue;
    }
    const QString caption = match.captured(1);
    const QStringList files = ResolveImage(base, match.captured(2));
    if (files.isEmpty()) {
      std::fprintf(stderr, "render_manual: no picture for %s, left out\n", qPrintable(match.captured(2)));
      continue;
    }
    for (const QString& file : files) {
      QImage image(file);
      if (image.isNull()) {
        std::fprintf(stderr, "render_manual: %s is not a readable picture, left out\n", qPrintable(file));
        continue;
      }
      // A file address rather than a document resource: printing lays out a
      // copy of the document, which loads the pictures again by address.
      const QString url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()).toString();
      pictures.append({url, image});
      out << QString() << QStringLiteral("![%1](%2)").arg(caption, url) << QString();
    }
    out << QStringLiteral("*%1*").arg(caption) << QString();
  }
  return out.join('\n');
}

// Tables span the text width with thin rules and a little air in the cells.
void ShapeTables(QTextFrame* frame) {
  for (QTextFrame* child : frame->childFrames()) {
    if (auto* table = qobject_cast<QTextTable*>(child)) {
      QTextTableFormat format = table->format();
      format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
      format.setBorder(0.5);
      format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
      format.setBorderBrush(QColor(160, 160, 160));
      format.setCellPadding(3);
      format.setCellSpacing(0);
      table->setFormat(format);
    }
    ShapeTables(child);
  }
}

// Page breaks before chapters; pictures no wider than the text; tables.
void ShapeDocument(QTextDocument& document, const QList<Picture>& pictures, qreal textWidth) {
  ShapeTables(document.rootFrame());
  bool first = true;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() == 1) {
      if (!first) {
        QTextCursor cursor(block);
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor.setBlockFormat(format);
      }
      first = false;
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.charFormat().isImageFormat()) continue;
      QTextImageFormat format = fragment.charFormat().toImageFormat();
      for (const Picture& picture : pictures) {
        if (picture.url != format.name()) continue;
        // Screenshots are taken at screen resolution: 0.75 pt per pixel keeps
        // their text close to the size it has on screen.
        const qreal width = std::min<qreal>(picture.image.width() * 0.75, textWidth);
        format.setWidth(width);
        format.setHeight(width * picture.image.height() / picture.image.width());
      }
      QTextCursor cursor(&document);
      cursor.setPosition(fragment.position());
      cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
      cursor.setCharFormat(format);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 3) {
    std::fprintf(stderr, "usage: render_manual OUTPUT.pdf CHAPTER.md...\n");
    return 2;
  }

  QList<Picture> pictures;
  QStringList chapters;
  for (qsizetype i = 2; i < args.size(); ++i) {
    QFile file(args[i]);
    if (!file.open(QIODevice::ReadOnly)) {
      std::fprintf(stderr, "render_manual: cannot read %s\n", qPrintable(args[i]));
      return 1;
    }
    chapters << ResolveImages(QString::fromUtf8(file.readAll()), QFileInfo(args[i]).dir(), pictures);
  }

  QPdfWriter writer(args[1]);
  writer.setTitle(QStringLiteral("Brendax – Handbuch"));
  writer.setCreator(QStringLiteral("Brendax"));
  writer.setPageLayout(
      QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter));

  QTextDocument document;
  QFont font(QStringLiteral("DejaVu Sans"), 10);
  font.setStyleHint(QFont::SansSerif);
  document.setDefaultFont(font);
  document.setMarkdown(chapters.join(QStringLiteral("\n\n")), QTextDocument::MarkdownDialectGitHub);

  const QRectF text = writer.pageLayout().paintRect(QPageLayout::Point);
  ShapeDocument(document, pictures, text.width() - 4);

  document.print(&writer);
  if (!QFileInfo(args[1]).size()) {
    std::fprintf(stderr, "render_manual: %s was not written\n", qPrintable(args[1]));
    return 1;
  }
  return 0;
}
