#pragma once

#include <QDialog>

class TForm1;

// The simple step-sequence dialog ("AWL-Schrittkette-Simple").
class TForm10AWL_SchrittketteEinfach : public QDialog {
  Q_OBJECT

 public:
  explicit TForm10AWL_SchrittketteEinfach(TForm1& main);

 private:
  TForm1& main_;
};
