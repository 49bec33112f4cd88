#include "ui/field_binding_ui.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <cstdio>
#include <cstdlib>

#include "ui/controls_ui.h"
#include "ui/seams_ui.h"

namespace field_binding {

QWidget* Control(QWidget* root, const char* name) {
  if (root->objectName() == QLatin1String(name)) return root;
  if (auto* w = root->findChild<QWidget*>(QLatin1String(name))) return w;
  std::fprintf(stderr, "field binding: no control named %s in %s\n", name, qPrintable(root->objectName()));
  std::abort();
}

std::string ReadText(const QWidget* c) {
  if (auto* e = qobject_cast<const LabeledEdit*>(c)) return ToAnsi(e->text());
  if (auto* e = qobject_cast<const QLineEdit*>(c)) return ToAnsi(e->text());
  if (auto* m = qobject_cast<const QPlainTextEdit*>(c)) {
    QString text = m->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return ToAnsi(text);
  }
  if (auto* b = qobject_cast<const QComboBox*>(c)) return ToAnsi(b->currentText());
  std::fprintf(stderr, "field binding: %s holds no text\n", qPrintable(c->objectName()));
  std::abort();
}

void WriteText(QWidget* c, const std::string& cp1252) {
  if (auto* e = qobject_cast<LabeledEdit*>(c)) return e->setText(FromAnsi(cp1252));
  if (auto* e = qobject_cast<QLineEdit*>(c)) return e->setText(FromAnsi(cp1252));
  if (auto* m = qobject_cast<QPlainTextEdit*>(c)) {
    QString text = FromAnsi(cp1252);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return m->setPlainText(text);
  }
  if (auto* b = qobject_cast<QComboBox*>(c)) {
    if (b->isEditable()) return b->setEditText(FromAnsi(cp1252));
    return b->setCurrentIndex(b->findText(FromAnsi(cp1252)));
  }
  std::fprintf(stderr, "field binding: %s holds no text\n", qPrintable(c->objectName()));
  std::abort();
}

bool ReadCheck(const QWidget* c) {
  if (auto* b = qobject_cast<const QCheckBox*>(c)) return b->isChecked();
  std::fprintf(stderr, "field binding: %s is no check box\n", qPrintable(c->objectName()));
  std::abort();
}

void WriteCheck(QWidget* c, bool on) {
  if (auto* b = qobject_cast<QCheckBox*>(c)) return b->setChecked(on);
  std::fprintf(stderr, "field binding: %s is no check box\n", qPrintable(c->objectName()));
  std::abort();
}

int ReadIndex(const QWidget* c) {
  if (auto* g = qobject_cast<const RadioGroup*>(c)) return g->itemIndex();
  if (auto* b = qobject_cast<const QComboBox*>(c)) return b->currentIndex();
  std::fprintf(stderr, "field binding: %s is no list\n", qPrintable(c->objectName()));
  std::abort();
}

void WriteIndex(QWidget* c, int index) {
  if (auto* g = qobject_cast<RadioGroup*>(c)) return g->setItemIndex(index);
  if (auto* b = qobject_cast<QComboBox*>(c)) return b->setCurrentIndex(index);
  std::fprintf(stderr, "field binding: %s is no list\n", qPrintable(c->objectName()));
  std::abort();
}

}  // namespace field_binding
