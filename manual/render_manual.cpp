// Renders the German manual from its Markdown chapters into one PDF with Qt's
// own text layout, so the build needs nothing beyond Qt.
//
//   render_manual OUTPUT.pdf [--examples EXAMPLES.txt] CHAPTER.md...
//
// Chapters are joined in the order given. Every first-level heading after the
// first starts a new page. An image line "![caption](path)" is resolved against
// the chapter's folder; a path with "*" stands for every matching file. Images
// that do not exist are left out with a note on standard error, so a chapter
// may name pictures that are added later. Each image is scaled down to the
// text width and followed by its caption in italics.
//
// A line "<!-- example: NAME -->" shows the command-line example NAME of the
// examples file (its format is described there; a test runs the same
// examples); "<!-- contents -->" is replaced by the table of contents with
// the page of every chapter and section after it. Code is set on a shaded
// block and never wrapped inside a word: a line too long for the page is
// broken between two arguments and continued after " \" (as the shell reads
// it), a comment line after "#". The PDF gets bookmarks for the chapters and
// sections, page numbers, and the date SOURCE_DATE_EPOCH names, so that two
// builds of one source give the same bytes.
#include <QAbstractTextDocumentLayout>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QMap>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "pdf_finish.h"

namespace {

constexpr char kContentsMark[] = "BRENDAX-CONTENTS-MARK";

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

// The lines each example shows, by name: everything but the lines that are
// only run ("! ") or checked ("? "); "> TEXT" shows TEXT, a file block shows
// the file's name and its lines indented.
bool ReadExamples(const QString& path, QMap<QString, QStringList>& examples) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  QString name;
  bool inFile = false;
  for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
    if (inFile) {
      if (line == QLatin1String("@end")) {
        inFile = false;
      } else {
        examples[name] << QStringLiteral("  ") + line;
      }
      continue;
    }
    if (line.startsWith('[') && line.endsWith(']')) {
      name = line.mid(1, line.size() - 2);
      examples[name];
    } else if (name.isEmpty() || line.startsWith(QLatin1String("! ")) || line.startsWith(QLatin1String("? "))) {
      continue;
    } else if (line.startsWith(QLatin1String("> "))) {
      examples[name] << line.mid(2);
    } else if (line.startsWith(QLatin1String("@file "))) {
      examples[name] << line.mid(6) + ':';
      inFile = true;
    } else {
      examples[name] << line;
    }
  }
  for (QStringList& lines : examples) {
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
  }
  return true;
}

// Replaces the example lines by code blocks, the contents line by its
// mark and every image line by references to loaded pictures. An unknown
// example is an error: the manual shows no command that is not run.
bool ExpandChapter(QString& markdown, const QDir& base, const QMap<QString, QStringList>& examples,
                   QList<Picture>& pictures) {
  static const QRegularExpression imageLine(QStringLiteral(R"(^\s*!\[([^\]]*)\]\(([^)\s]+)\)\s*$)"));
  static const QRegularExpression exampleLine(QStringLiteral(R"(^<!-- example: (\S+) -->\s*$)"));
  QStringList out;
  for (const QString& line : markdown.split('\n')) {
    if (const QRegularExpressionMatch example = exampleLine.match(line); example.hasMatch()) {
      const auto found = examples.find(example.captured(1));
      if (found == examples.end()) {
        std::fprintf(stderr, "render_manual: no example %s\n", qPrintable(example.captured(1)));
        return false;
      }
      out << QString() << QStringLiteral("```example-") + example.captured(1);
      out << *found;
      out << QStringLiteral("```") << QString();
      continue;
    }
    if (line.trimmed() == QLatin1String("<!-- contents -->")) {
      out << QString() << QLatin1String(kContentsMark) << QString();
      continue;
    }
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
  markdown = out.join('\n');
  return true;
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

bool IsCode(const QTextBlock& block) { return block.blockFormat().hasProperty(QTextFormat::BlockCodeLanguage); }

// Two lines of one code block: an example is a fenced block whose language
// is its name, so that two examples in a row stay two blocks.
bool SameCode(const QTextBlock& first, const QTextBlock& second) {
  return first.isValid() && second.isValid() && IsCode(first) && IsCode(second) &&
         first.blockFormat().stringProperty(QTextFormat::BlockCodeLanguage) ==
             second.blockFormat().stringProperty(QTextFormat::BlockCodeLanguage);
}

// A code line as lines that fit `fits`: broken at a blank outside quotes
// that leaves room for the continuation mark, preferably before an option
// (so that an option stays with its value), continued indented.
QStringList WrapCodeLine(const QString& line, const std::function<bool(const QString&)>& fits) {
  QStringList lines;
  const qsizetype indent = line.size() - QString(line).remove(QRegularExpression(QStringLiteral("^ +"))).size();
  const bool comment = line.mid(indent).startsWith('#');
  const QString lead(indent, ' ');
  const QString continuation = comment ? lead + QStringLiteral("#   ") : lead + QStringLiteral("    ");
  const QString mark = comment ? QString() : QStringLiteral(" \\");
  QString rest = line;
  while (!fits(rest)) {
    qsizetype anyBlank = -1;
    qsizetype beforeOption = -1;
    QChar quote;
    for (qsizetype i = indent + 1; i + 1 < rest.size(); ++i) {
      const QChar ch = rest.at(i);
      if (!quote.isNull()) {
        if (ch == quote) quote = QChar();
      } else if (ch == '"' || ch == '\'') {
        quote = ch;
      } else if (ch == ' ' && rest.at(i - 1) != ' ' && rest.at(i + 1) != ' ') {
        if (!fits(rest.left(i) + mark)) break;
        anyBlank = i;
        if (rest.at(i + 1) == '-') beforeOption = i;
      }
    }
    const qsizetype breakAt = !comment && beforeOption > indent ? beforeOption : anyBlank;
    if (breakAt < 0) break;  // one word longer than the line: left as it is
    lines << rest.left(breakAt) + mark;
    rest = continuation + rest.mid(breakAt + 1);
  }
  lines << rest;
  return lines;
}

// Code: a monospaced font, no wrapping inside a line, long lines broken
// between arguments, every run of code lines on one shaded block with a
// little air above and below the text. The text width is in device units,
// `pixel` of them to a length of the formats.
void ShapeCode(QTextDocument& document, qreal textWidth, qreal pixel, QPaintDevice* device) {
  QFont font(QStringLiteral("DejaVu Sans Mono"), 8);
  font.setStyleHint(QFont::Monospace);
  const QFontMetricsF metrics(font, device);
  const qreal indent = 5;
  const auto fits = [&](const QString& text) {
    return metrics.horizontalAdvance(text) <= textWidth - 2 * indent * pixel;
  };
  const QColor shade(238, 238, 238);

  struct CodeLine {
    QTextBlock block;
    bool first;  // of a run of code lines
    bool last;
  };
  QList<CodeLine> code;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (IsCode(block)) code.append({block, !SameCode(block.previous(), block), !SameCode(block, block.next())});
  }
  QTextCursor cursor(&document);
  cursor.beginEditBlock();
  for (const auto& [block, first, last] : code) {
    QTextBlockFormat format = block.blockFormat();
    format.setNonBreakableLines(true);
    format.setBackground(shade);
    format.setTopMargin(0);
    format.setBottomMargin(0);
    format.setLeftMargin(0);
    format.setTextIndent(indent);
    QTextCharFormat characters;
    characters.setFont(font);
    const QStringList lines = WrapCodeLine(block.text(), fits);

    cursor.setPosition(block.position());
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    cursor.setBlockFormat(format);
    cursor.insertText(lines.first(), characters);
    for (qsizetype l = 1; l < lines.size(); ++l) {
      cursor.insertBlock(format, characters);
      cursor.insertText(lines[l], characters);
    }
    // The air: a low shaded line above the first and below the last line.
    QTextBlockFormat air = format;
    air.clearProperty(QTextFormat::BlockCodeLanguage);
    air.clearProperty(QTextFormat::BlockCodeFence);
    QTextCharFormat airCharacters;
    QFont airFont = font;
    airFont.setPointSizeF(3);
    airCharacters.setFont(airFont);
    if (last) {
      air.setBottomMargin(8);
      cursor.insertBlock(air, airCharacters);
    }
    if (first) {
      QTextCursor before(&document);
      before.setPosition(block.position());
      air.setBottomMargin(0);
      air.setTopMargin(2);
      before.insertBlock(air, airCharacters);
      // insertBlock splits: the new block before carries the code's format.
      before.movePosition(QTextCursor::PreviousBlock);
      before.setBlockFormat(air);
      before.setBlockCharFormat(airCharacters);
      before.movePosition(QTextCursor::NextBlock);
      before.setBlockFormat(format);
      before.setBlockCharFormat(characters);
    }
  }
  cursor.endEditBlock();
}

// Page breaks before chapters; pictures no wider than the text (in device
// units, `pixel` of them to a length of the formats); tables.
void ShapeDocument(QTextDocument& document, const QList<Picture>& pictures, qreal textWidth, qreal pixel) {
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
        // Screenshots are set at 0.75 lengths per pixel of the screen.
        const qreal width = std::min<qreal>(picture.image.width() * 0.75, textWidth / pixel);
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

struct Heading {
  QTextBlock block;
  int level;
};

// The chapters and sections after the contents mark (all of them without one).
QList<Heading> HeadingsAfter(const QTextDocument& document, const QTextBlock& mark) {
  QList<Heading> headings;
  bool after = !mark.isValid();
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block == mark) after = true;
    const int level = block.blockFormat().headingLevel();
    if (after && (level == 1 || level == 2)) headings.append({block, level});
  }
  return headings;
}

// Lays the whole document out anew and returns its number of pages. After
// edits the layout only redoes the part it thinks changed and may leave
// blocks without lines, which would then be missing from the pages.
int LayOut(QTextDocument& document) {
  document.markContentsDirty(0, document.characterCount());
  return document.pageCount();
}

// Where a heading's text begins in the document: a page break before it
// moves its line, not the block's own top.
qreal TopOf(const QTextDocument& document, const QTextBlock& block) {
  const qreal top = document.documentLayout()->blockBoundingRect(block).top();
  const QTextLayout* layout = block.layout();
  return layout->lineCount() > 0 ? top + layout->lineAt(0).y() : top;
}

// The page of a heading (from 0): the page its first line's middle is on, as
// a heading moved to the next page may begin a rounding error before it.
int PageOf(const QTextDocument& document, const QTextBlock& block) {
  const QTextLayout* layout = block.layout();
  const qreal middle = TopOf(document, block) + (layout->lineCount() > 0 ? layout->lineAt(0).height() / 2 : 0);
  return static_cast<int>(middle / document.pageSize().height());
}

// Replaces the mark by one line per chapter and section, its page at the
// right edge (the text width in device units, `pixel` of them to a length
// of the formats); the pages are filled in once
// the layout stands (the lines do not change in number, so neither does any
// page).
void InsertContents(QTextDocument& document, qreal textWidth, qreal pixel) {
  QTextBlock mark;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block.text() == QLatin1String(kContentsMark)) mark = block;
  }
  if (!mark.isValid()) return;
  const QList<Heading> headings = HeadingsAfter(document, mark);
  QTextCursor cursor(mark);
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
  const QTextBlockFormat markFormat = mark.blockFormat();
  const QTextCharFormat markCharacters = mark.charFormat();
  QList<QTextBlock> lines;
  for (qsizetype i = 0; i < headings.size(); ++i) {
    QTextBlockFormat format = markFormat;
    // Tab positions are lengths of the formats. A section is indented by a
    // first tab (a margin would narrow the line but not move the tabs); the
    // page number ends a little short of the edge, so that it never wraps.
    const bool section = headings[i].level > 1;
    QList<QTextOption::Tab> tabs;
    if (section) tabs << QTextOption::Tab(16, QTextOption::LeftTab);
    tabs << QTextOption::Tab(textWidth / pixel - 1, QTextOption::RightTab);
    format.setTabPositions(tabs);
    format.setTopMargin(section ? 0 : 5);
    format.setBottomMargin(0);
    QTextCharFormat characters = markCharacters;
    characters.setFontWeight(section ? QFont::Normal : QFont::Bold);
    if (i == 0) {
      cursor.setBlockFormat(format);
    } else {
      cursor.insertBlock(format, characters);
    }
    cursor.insertText((section ? QStringLiteral("\t") : QString()) + headings[i].block.text() + QStringLiteral("\t0"),
                      characters);
    lines.append(cursor.block());
  }
  for (int round = 0; round < 3; ++round) {
    LayOut(document);
    bool changed = false;
    for (qsizetype i = 0; i < headings.size(); ++i) {
      const QString page = QString::number(PageOf(document, headings[i].block) + 1);
      const QTextBlock& line = lines[i];
      const int tab = static_cast<int>(line.text().lastIndexOf('\t'));
      if (line.text().mid(tab + 1) == page) continue;
      QTextCursor number(line);
      number.setPosition(line.position() + tab + 1);
      number.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
      number.insertText(page);
      changed = true;
    }
    if (!changed) break;
  }
}

}  // namespace

int main(int argc, char** argv) {
  // The PDF engine writes its fonts in the order of a hash: the same seed at
  // every run gives the same bytes.
  QHashSeed::setDeterministicGlobalSeed();
  QGuiApplication app(argc, argv);
  QStringList args = app.arguments();
  QMap<QString, QStringList> examples;
  if (args.size() > 3 && args[2] == QLatin1String("--examples")) {
    if (!ReadExamples(args[3], examples)) {
      std::fprintf(stderr, "render_manual: cannot read %s\n", qPrintable(args[3]));
      return 1;
    }
    args.remove(2, 2);
  }
  if (args.size() < 3) {
    std::fprintf(stderr, "usage: render_manual OUTPUT.pdf [--examples EXAMPLES.txt] CHAPTER.md...\n");
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
    QString chapter = QString::fromUtf8(file.readAll());
    if (!ExpandChapter(chapter, QFileInfo(args[i]).dir(), examples, pictures)) return 1;
    chapters << chapter;
  }

  QPdfWriter writer(args[1]);
  writer.setTitle(QStringLiteral("Brendax – Handbuch"));
  writer.setCreator(QStringLiteral("Brendax"));
  writer.setPageLayout(
      QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 18, 20, 12), QPageLayout::Millimeter));
  // Device units: the writer's resolution. The page number sits in the last
  // 10 mm of the area the layout leaves.
  const qreal point = writer.resolution() / 72.0;
  const qreal pixel = writer.resolution() / 96.0;
  const qreal footer = 10 / 25.4 * writer.resolution();
  const QSizeF body(writer.width(), writer.height() - footer);

  QTextDocument document;
  QFont font(QStringLiteral("DejaVu Sans"), 10);
  font.setStyleHint(QFont::SansSerif);
  document.setDefaultFont(font);
  document.setMarkdown(chapters.join(QStringLiteral("\n\n")), QTextDocument::MarkdownDialectGitHub);
  document.documentLayout()->setPaintDevice(&writer);
  document.setDocumentMargin(0);
  document.setPageSize(body);

  ShapeDocument(document, pictures, body.width(), pixel);
  ShapeCode(document, body.width(), pixel, &writer);
  InsertContents(document, body.width(), pixel);

  // The pages one by one, each with its number centred below the text.
  QPainter painter(&writer);
  QFont numberFont = font;
  numberFont.setPointSizeF(9);
  const int pages = LayOut(document);
  for (int page = 0; page < pages; ++page) {
    if (page > 0) writer.newPage();
    painter.save();
    painter.translate(0, -page * body.height());
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(QPointF(0, page * body.height()), body);
    context.palette.setColor(QPalette::Text, Qt::black);  // not the platform's text colour
    painter.setClipRect(context.clip);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
    painter.setFont(numberFont);
    painter.drawText(QRectF(0, body.height(), body.width(), footer), Qt::AlignHCenter | Qt::AlignBottom,
                     QString::number(page + 1));
  }
  painter.end();

  // Bookmarks: every chapter and section where its heading stands.
  const QRectF paper = writer.pageLayout().fullRectPoints();
  const QRectF text = writer.pageLayout().paintRectPoints();
  QList<Bookmark> bookmarks;
  for (const Heading& heading : HeadingsAfter(document, QTextBlock())) {
    const qreal top = TopOf(document, heading.block);
    const int page = PageOf(document, heading.block);
    const qreal onPage = std::max<qreal>(0, top - page * body.height()) / point;
    bookmarks.append({heading.block.text(), heading.level, page, paper.height() - text.top() - onPage});
  }
  if (const QString error = FinishPdf(args[1], bookmarks, CreationDate()); !error.isEmpty()) {
    std::fprintf(stderr, "render_manual: %s\n", qPrintable(error));
    return 1;
  }
  if (!QFileInfo(args[1]).size()) {
    std::fprintf(stderr, "render_manual: %s was not written\n", qPrintable(args[1]));
    return 1;
  }
  return 0;
}
