// The Info dialog: program name, version line, and four coloured panels
// whose secret click sequence switches the expert mode.
#pragma once

#include <QDialog>
#include <QFrame>
#include <array>
#include <functional>

class QLabel;
class QPushButton;
class ToolHost;

// A coloured panel that reports clicks.
class ClickPanel : public QFrame {
  Q_OBJECT

 public:
  ClickPanel(QColor colour, QWidget* parent);
  void SetColour(QColor colour);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

class TForm4 : public QDialog {
  Q_OBJECT

 public:
  // The panels (1 to 4) to click, in this order, to switch the expert mode on.
  static constexpr std::array<int, 7> kExpertSequence = {1, 3, 2, 4, 4, 2, 1};

  TForm4(ToolHost& host, QWidget* parent);

  // The translated texts; `languageText` picks one side of a bilingual text.
  void ApplyCaptions(const std::function<QString(const QString&)>& languageText);

  // A click on panel n (1 to 4).
  void PanelClick(int n);
  // Clicks of the sequence matched so far.
  int SequenceProgress() const { return progress_; }
  // Colours the panels: green while the expert mode is on.
  void ShowPanelColours();

  QLabel* Label1 = nullptr;  // program name
  QLabel* Label2 = nullptr;  // version line
  std::array<ClickPanel*, 4> Panels{};
  QPushButton* Button1 = nullptr;  // OK

 signals:
  // The panel sequence asks the main window to switch the expert mode.
  void expertModeChanged(bool on);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  ToolHost& host_;
  int progress_ = 0;
};
