#include "stepseq/extended_step_dialog.h"

#include "app/main_window.h"

TForm8AWL_Schrittkette::TForm8AWL_Schrittkette(TForm1& main) : QDialog(&main), main_(main) {
  setWindowTitle("AWL-Schrittkette-Extended");
}
