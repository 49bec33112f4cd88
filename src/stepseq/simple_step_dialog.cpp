#include "stepseq/simple_step_dialog.h"

#include "app/main_window.h"

TForm10AWL_SchrittketteEinfach::TForm10AWL_SchrittketteEinfach(TForm1& main) : QDialog(&main), main_(main) {
  setWindowTitle("AWL-Schrittkette-Simple");
}
