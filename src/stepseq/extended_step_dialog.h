#pragma once

#include <QDialog>

class TForm1;

// The extended step-sequence dialog ("AWL-Schrittkette-Extended").
class TForm8AWL_Schrittkette : public QDialog {
  Q_OBJECT

 public:
  explicit TForm8AWL_Schrittkette(TForm1& main);

 private:
  TForm1& main_;
};
