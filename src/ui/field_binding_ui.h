// Binds a generator's field table to the controls of its dialog, found by
// their object names: the record as the controls hold it, and back.
#pragma once

#include <QStringList>
#include <QWidget>
#include <string>

#include "core/field_table.h"

namespace field_binding {

// The control named `name` below `root`; aborts with a clear message when a
// table names a control that the dialog lacks (a programming error).
QWidget* Control(QWidget* root, const char* name);

// Value access for the supported controls: LabeledEdit, QLineEdit,
// QPlainTextEdit (lines joined with CR LF), an editable QComboBox (its text),
// QCheckBox, RadioGroup and QComboBox (the item index).
std::string ReadText(const QWidget* control);
void WriteText(QWidget* control, const std::string& cp1252);
bool ReadCheck(const QWidget* control);
void WriteCheck(QWidget* control, bool on);
int ReadIndex(const QWidget* control);
void WriteIndex(QWidget* control, int index);

// The item captions of the table's choice field with that option, as the
// dialog's radio group or list shows them.
template <class Params>
QStringList ItemCaptions(const brendax::FieldTable<Params>& table, const char* option) {
  QStringList captions;
  if (const auto* f = brendax::FindFieldByOption(table, option))
    for (const std::string& caption : f->items) captions << QString::fromStdString(caption);
  return captions;
}

}  // namespace field_binding

template <class Params>
class FieldBinder {
 public:
  FieldBinder(const brendax::FieldTable<Params>& table, QWidget* root) : table_(table), root_(root) {}

  Params Read() const {
    Params p{};
    for (const auto& f : table_) {
      QWidget* c = field_binding::Control(root_, f.control);
      switch (f.kind) {
        case brendax::FieldKind::kText: p.*(f.text) = field_binding::ReadText(c); break;
        case brendax::FieldKind::kCheck: p.*(f.check) = field_binding::ReadCheck(c); break;
        case brendax::FieldKind::kChoice: p.*(f.choice) = field_binding::ReadIndex(c); break;
      }
    }
    return p;
  }

  // Writes every field of the table; members outside the table stay as the
  // controls hold them.
  void Write(const Params& p) const {
    for (const auto& f : table_) {
      QWidget* c = field_binding::Control(root_, f.control);
      switch (f.kind) {
        case brendax::FieldKind::kText: field_binding::WriteText(c, p.*(f.text)); break;
        case brendax::FieldKind::kCheck: field_binding::WriteCheck(c, p.*(f.check)); break;
        case brendax::FieldKind::kChoice: field_binding::WriteIndex(c, p.*(f.choice)); break;
      }
    }
  }

  const brendax::FieldTable<Params>& table() const { return table_; }

 private:
  const brendax::FieldTable<Params>& table_;
  QWidget* root_;
};
