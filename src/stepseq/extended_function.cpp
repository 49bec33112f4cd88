// The step-sequence function of the extended step sequence: head and
// interface, the info network with banner and generator settings, the
// initialisation, one step network and one switching network per step, and
// the end network.
#include <string>
#include <string_view>

#include "stepseq/extended_step.h"
#include "text/banner.h"
#include "text/line_writer.h"
#include "text/text_routines.h"

namespace brendax {
namespace {

class StepFunctionWriter {
 public:
  StepFunctionWriter(Lines& lines, const ExtendedStepValues& values, const MnemonicSet& mnemonics)
      : out_(lines), values_(values), params_(*values.params), mnemonics_(mnemonics) {}

  void Write() {
    Head();
    InfoNetwork();
    Initialisation();
    Section2Info();
    // The steps run first, first + distance, ..., last; a distance below 1
    // would never reach the last step.
    if (values_.distance >= 1) {
      for (int step = values_.firstStep; step <= values_.lastStep; step += values_.distance) StepNetwork(step);
    }
    Section3Info();
    if (values_.distance >= 1) {
      for (int step = values_.firstStep; step <= values_.lastStep; step += values_.distance) SwitchingNetwork(step);
    }
    EndNetwork();
  }

 private:
  // `prefix` "DB".Member[index] `suffix`, the index unpadded.
  void DbElementLine(std::string_view prefix, std::string_view member, int index, std::string_view suffix) {
    out_.Line(prefix, "\"", params_.dbName, "\".", member, "[", index, "]", suffix);
  }
  // A mnemonic instruction on an element: "      U     "DB".Step[5];".
  void DbElementInstruction(std::string_view mnemonic, std::string_view member, int index) {
    out_.Instruction(mnemonic, "     \"", params_.dbName, "\".", member, "[", index, "];");
  }
  void ReleaseInstruction(const std::string& release) { out_.Instruction(mnemonics_.MnemAnd, "     #", release, ";"); }

  void Head() {
    out_.Line("FUNCTION \"", params_.fcName, "\" : VOID");
    out_.Fixed({"TITLE =", "VERSION : 0.1", "", "", "VAR_INPUT", "  Init : BOOL ;"});
    out_.Line("  ", params_.release1, " : BOOL ;");
    out_.Line("  ", params_.release2, " : BOOL ;");
    if (values_.input3) out_.Line("  ", params_.release3, " : BOOL ;");
    if (values_.input4Forward || values_.input4Backward) out_.Line("  ", params_.release4, " : BOOL ;");
    out_.Fixed({"END_VAR", "VAR_TEMP", "  n : INT ;", "  DwPointer : DWORD ;", "  Eins : BOOL ;", "  Null : BOOL ;",
                "END_VAR", "BEGIN"});
  }

  void Setting(std::string_view caption, std::string_view value) {
    out_.Line(RightPad(JoinPieces({"//    ", caption}), 55), "#");
    out_.Line(FrameValue(value));
  }

  void InfoNetwork() {
    out_.Fixed({"NETWORK", "TITLE =Info", "", "      NOP   0;", ""});
    AppendBannerHead(out_.lines(), "// Das Grundger\xFCst dieses Bausteines wurde erzeugt mit #");
    out_.Fixed({"// Dieser Baustein gliedert sich in 3 Hauptabschnitte  #",
                "// 1. Initialisierung                                  #",
                "//    Ist der Bausteineingang Init = True dann werden  #",
                "//    hier alle Schritte deaktiviert und der/ die      #",
                "//    Initialschritt(e) aktiviert.                     #",
                FrameEmpty(),
                "// 2. Schritte + Transitionen                          #",
                "//    Dieser Abschnitt beinhaltet die eigentliche      #",
                "//    Schrittkette.                                    #",
                "//    An den markierten Stellen muss der               #",
                "//    Anwendungsspeziefische Code ergaenzt werden.     #",
                FrameEmpty(),
                "// 3. Weiterschaltung                                  #",
                "//    hier erfolgt die Weiterschaltung der Schritte.   #",
                "//    Pro SPS-Zyklus erfolgt maximal eine              #",
                "//    Weiterschaltung.                                 #",
                "//    Damit ist auch garantiert, dass jeder Schritt    #",
                "//    fuer mindestens einen SPS-Zyklus aktiv ist.      #",
                "//    Anpassungen sind hier nur notwendig, wenn        #",
                "//    Alternativ- oder/ und Simultanverzweigungen      #",
                "//    programmiert werden sollen.                      #",
                FrameEmpty(),
                FrameEmpty(),
                "// Labels:                                             #",
                "//    S... Schritt                                     #",
                "//    T... Transition                                  #"});
    if (params_.backward) out_.Fixed({"//    R... Rueckwaertstransition                       #"});
    out_.Fixed({"//    F... Weiterschaltung (<F>orward)                 #"});
    if (params_.backward) out_.Fixed({"//    B... Rueckwaertsschaltung (<B>ackward)           #"});
    out_.Fixed({FrameEmpty(), FrameRule(), FrameEmpty(), "// Die Generatoreinstellungen                          #",
                "// f. diesen Baustein waren:                           #"});
    Setting("FC-Nummer:", values_.fcAddress);
    Setting("FC-Name:", params_.fcName);
    Setting("DB-Nummer:", values_.dbAddress);
    Setting("DB-Name:", params_.dbName);
    Setting("Erzeuge interne Timer:", params_.timers ? "On" : "Off");
    if (params_.timers) {
      Setting("FC-Nummer Timer:", values_.timerFcAddress);
      Setting("FC-Name Timer:", params_.timerFcName);
    }
    Setting("Max.Anzahl Schritte:", params_.maxSteps);
    Setting("Nr. 1. Schritt:", params_.firstStep);
    Setting("Nr. Initialschritt:", params_.initialStep);
    Setting("Anzahl Schritte:", params_.count);
    Setting("Schrittabstand:", params_.distance);
    Setting("Erzeuge Rueckwaertstransitionen:", params_.backward ? "On" : "Off");
    Setting("In-Variable Freig. 1:", params_.release1);
    Setting("In-Variable Freig. 2:", params_.release2);
    Setting("In-Variable Freig. 3:", params_.release3);
    Setting("In-Variable Freig. 4:", params_.release4);
    out_.Fixed({FrameEmpty(), FrameRule(), ""});
  }

  void Initialisation() {
    out_.Fixed({"NETWORK", "TITLE =Initialisierung Schrittkette", "", "// Erzeuge Konstanten Null und Eins",
                "      O     #Eins;", "      ON    #Eins;", "      =     #Eins;"});
    out_.Instruction(mnemonics_.MnemAnd, "N    #Eins;");
    out_.Fixed({"      =     #Null;", "", "// Initialisieren"});
    out_.Instruction(mnemonics_.MnemAnd, "     #Init;");
    out_.Instruction(mnemonics_.MnemJumpIfNot, "  In_X; ");
    out_.Fixed({"", "// Ruecksetzen aller (Zeiten,) Schritte und Transitionen"});
    out_.Instruction(mnemonics_.MnemOpenDB, "   \"", params_.dbName, "\";");
    out_.Line("      L     ", values_.clearWords, ";");
    out_.Fixed({"In_1: T     #n;", "      L     1;", "      -I    ;", "      L     4;",
                "      *I    ; // Nummer des zu loeschenden DWord", "      SLD   3; // erzege Pointerformat",
                "      T     #DwPointer;", "      L     DW#16#0;",
                "      T     DBD [#DwPointer]; // loesche aktuelles DWord", "      L     #n;", "      LOOP  In_1;", "",
                "      SET   ;", FrameRule(), FrameEmpty(), "// Aktiviere Initialschritt(e)                         #",
                FrameEmpty()});
    DbElementLine("      S     ", "Step", values_.initialStep, ";");
    out_.Fixed({FrameEmpty(), FrameRule(), "", "In_X: CLR   ;", ""});
  }

  void Section2Info() {
    out_.Fixed({"NETWORK", "TITLE =Info Abschnitt 2", "", "      NOP   0;", "", FrameRule(), FrameEmpty(),
                "//  A b    h i e r    f o l g e n    d i e             #",
                "//  e i n z e l n e n    S c h r i t t e    u n d      #",
                "//  T r a n s i t i o n e n                            #", FrameEmpty(), FrameRule(), ""});
  }

  void StepNetwork(int step) {
    const std::string label = ThreeDigitNumber(step);
    out_.Fixed({"NETWORK"});
    out_.Line("TITLE =Schritt ", label);
    out_.Fixed({"", "      CLR   ;"});
    DbElementInstruction(mnemonics_.MnemAnd, "Step", step);
    out_.Instruction(mnemonics_.MnemJumpIfNot, "  T", label, ";");
    out_.Fixed({FrameRule()});
    out_.Line("// Aktionen Schritt ", label, "                                #");
    if (params_.timers) {
      out_.Line("      CALL \"", params_.timerFcName, "\" (");
      out_.Fixed({"           Aktion_L                 := #Null,", "           Aktion_D                 := #Eins,",
                  "           Ausloesezeit             := T#10S,"});
      DbElementLine("           Startzeit                := ", "SchrittTimerStartWert", step, ",");
      DbElementLine("           Flankenmerker            := ", "SchrittTimerFLMerker", step, ",");
      DbElementLine("           Q                        := ", "SchrittTimerQ", step, ");");
    }
    out_.Fixed({"      SET   ;", "", FrameEmpty(), FrameEmpty(), FrameRule()});
    out_.Line("T", label, ": CLR   ;");
    out_.Fixed({FrameRule(), "// Transition / Weiterschaltbedingung                  #"});
    ReleaseInstruction(params_.release1);
    ReleaseInstruction(params_.release2);
    if (values_.input3) ReleaseInstruction(params_.release3);
    if (values_.input4Forward) ReleaseInstruction(params_.release4);
    if (params_.timers) DbElementInstruction(mnemonics_.MnemAnd, "SchrittTimerQ", step);
    out_.Fixed({FrameEmpty(), FrameEmpty(), FrameRule()});
    DbElementLine("      =     ", "Transition", step, ";");
    if (params_.backward) {
      out_.Fixed({FrameRule(), "// Transition / Weiterschaltbed. Rueckwaerts           #"});
      ReleaseInstruction(params_.release1);
      ReleaseInstruction(params_.release2);
      ReleaseInstruction(params_.release4);
      out_.Fixed({FrameEmpty(), FrameEmpty(), FrameRule()});
      DbElementLine("      =     ", "TransitionBac", step, ";");
    }
    out_.Empty();
  }

  void Section3Info() {
    out_.Fixed({"NETWORK", "TITLE =Info Abschnitt 3", "", "      NOP   0;", "", FrameRule(), FrameEmpty(),
                "//  I m    f o l g e n d e n     A b s c h n i t t     #",
                "//  e r f o l g t    d i e    W e i t e r -            #",
                "//  s c h a l t u n g    d e r    S c h r i t t e      #", FrameEmpty(),
                "//  Anpassungen sind hier nur fuer Simultan- oder      #",
                "//  Alternativverzweigungen erforderlich               #", FrameEmpty(), FrameRule(), ""});
  }

  // The switch itself, forward or backward: the step off, the target step on
  // (and with timers the step's timer edge flag reset), then to the common exit.
  void Switch(int step, int target) {
    out_.Fixed({FrameRule(), "//    hier k\xF6nnen mehrere Schritte stehen              #",
                "//    (Anfang einer Simultanverzweigung)               #"});
    DbElementLine("      R     ", "Step", step, ";");
    DbElementLine("      S     ", "Step", target, ";");
    if (params_.timers) {
      out_.Fixed({"//    Reset Timer:"});
      DbElementLine("      R     ", "SchrittTimerFLMerker", step, ";");
    }
    out_.Fixed({FrameEmpty(), FrameRule()});
    out_.Instruction(mnemonics_.MnemJump, "   F_XX;");
  }

  void SwitchingNetwork(int step) {
    const std::string label = ThreeDigitNumber(step);
    const bool lastStep = step >= values_.lastStep;
    const int next = lastStep ? values_.firstStep : step + values_.distance;
    // Where the sequence goes on when this step does not switch forward.
    const std::string onwards =
        lastStep ? std::string("F_XX") : JoinPieces({"F", ThreeDigitNumber(step + values_.distance)});
    const std::string forwardMiss = params_.backward ? JoinPieces({"B", label}) : onwards;

    out_.Fixed({"NETWORK"});
    out_.Line("TITLE =Weiterschaltung ", label);
    out_.Line("F", label, ": CLR   ;");
    out_.Fixed({FrameRule(), "//    hier koennen auch mehrere Schritte und           #",
                "//    Transitionen stehen                              #",
                "//    (Ende einer Simultanverzweigung)                 #"});
    DbElementInstruction(mnemonics_.MnemAnd, "Step", step);
    DbElementInstruction(mnemonics_.MnemAnd, "Transition", step);
    out_.Fixed({FrameEmpty(), FrameRule()});
    out_.Instruction(mnemonics_.MnemJumpIfNot, "  ", forwardMiss, ";");
    out_.Fixed({"      SET   ; "});
    Switch(step, next);
    out_.Empty(2);
    if (!params_.backward) return;

    const int previous = step <= values_.firstStep ? values_.lastStep : step - values_.distance;
    out_.Line("B", label, ": CLR   ;");
    out_.Fixed({FrameRule(), "//    hier k\xF6nnen mehrere Schritte und                 #",
                "//    Transitionen stehen                              #"});
    DbElementInstruction(mnemonics_.MnemAnd, "Step", step);
    DbElementInstruction(mnemonics_.MnemAnd, "TransitionBac", step);
    out_.Fixed({FrameEmpty(), FrameRule()});
    out_.Instruction(mnemonics_.MnemJumpIfNot, "  ", onwards, ";");
    out_.Fixed({"      SET   ;"});
    Switch(step, previous);
    out_.Empty();
  }

  void EndNetwork() {
    out_.Fixed({"NETWORK", "TITLE =Bausteinende", ""});
    out_.Instruction(mnemonics_.MnemJump, "   F_XX;");
    // Never reached (the jump above precedes it); it names the first step's
    // forward label so that the label exists whatever the first step is.
    out_.Instruction(mnemonics_.MnemJump, "   F", ThreeDigitNumber(values_.firstStep), ";");
    out_.Fixed({"F_XX: NOP   0;", "", "END_FUNCTION", "", "", ""});
  }

  LineWriter out_;
  const ExtendedStepValues& values_;
  const ExtendedStepParams& params_;
  const MnemonicSet& mnemonics_;
};

}  // namespace

void AppendStepSequenceFunction(std::vector<std::string>& lines, const ExtendedStepValues& values,
                                const MnemonicSet& mnemonics) {
  StepFunctionWriter(lines, values, mnemonics).Write();
}

}  // namespace brendax
