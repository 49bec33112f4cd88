// The step-sequence function of the extended step sequence: head and
// interface, the info network with banner and generator settings, the
// initialisation, one step network and one switching network per step, and
// the end network.
#include <string>
#include <string_view>

#include "stepseq/extended_step.h"
#include "text/banner.h"
#include "text/cp1252.h"
#include "text/text_routines.h"

namespace brendax {
namespace {

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

// "DB".Member[index] with the index unpadded.
std::string DbElement(const ExtendedStepValues& v, std::string_view member, int index) {
  return Quoted(v.dbName) + "." + std::string(member) + "[" + std::to_string(index) + "]";
}

void AppendHead(Lines& out, const ExtendedStepValues& v) {
  out.push_back("FUNCTION " + Quoted(v.fcName) + " : VOID");
  out.push_back("TITLE =");
  out.push_back("VERSION : 0.1");
  out.push_back("");
  out.push_back("");
  out.push_back("VAR_INPUT");
  out.push_back("  Init : BOOL ;");
  out.push_back("  " + v.release1 + " : BOOL ;");
  out.push_back("  " + v.release2 + " : BOOL ;");
  if (v.input3) out.push_back("  " + v.release3 + " : BOOL ;");
  if (v.input4Forward || v.input4Backward) out.push_back("  " + v.release4 + " : BOOL ;");
  out.push_back("END_VAR");
  out.push_back("VAR_TEMP");
  out.push_back("  n : INT ;");
  out.push_back("  DwPointer : DWORD ;");
  out.push_back("  Eins : BOOL ;");
  out.push_back("  Null : BOOL ;");
  out.push_back("END_VAR");
  out.push_back("BEGIN");
}

void AppendSetting(Lines& out, std::string_view caption, std::string_view value) {
  out.push_back(RightPad("//    " + std::string(caption), 55) + "#");
  out.push_back(FrameValue(value));
}

void AppendInfoNetwork(Lines& out, const ExtendedStepValues& v) {
  static const std::string created = Ansi("// Das Grundgerüst dieses Bausteines wurde erzeugt mit #");
  out.push_back("NETWORK");
  out.push_back("TITLE =Info");
  out.push_back("");
  out.push_back("      NOP   0;");
  out.push_back("");
  AppendBannerHead(out, created);
  out.push_back("// Dieser Baustein gliedert sich in 3 Hauptabschnitte  #");
  out.push_back("// 1. Initialisierung                                  #");
  out.push_back("//    Ist der Bausteineingang Init = True dann werden  #");
  out.push_back("//    hier alle Schritte deaktiviert und der/ die      #");
  out.push_back("//    Initialschritt(e) aktiviert.                     #");
  out.push_back(FrameEmpty());
  out.push_back("// 2. Schritte + Transitionen                          #");
  out.push_back("//    Dieser Abschnitt beinhaltet die eigentliche      #");
  out.push_back("//    Schrittkette.                                    #");
  out.push_back("//    An den markierten Stellen muss der               #");
  out.push_back("//    Anwendungsspeziefische Code ergaenzt werden.     #");
  out.push_back(FrameEmpty());
  out.push_back("// 3. Weiterschaltung                                  #");
  out.push_back("//    hier erfolgt die Weiterschaltung der Schritte.   #");
  out.push_back("//    Pro SPS-Zyklus erfolgt maximal eine              #");
  out.push_back("//    Weiterschaltung.                                 #");
  out.push_back("//    Damit ist auch garantiert, dass jeder Schritt    #");
  out.push_back("//    fuer mindestens einen SPS-Zyklus aktiv ist.      #");
  out.push_back("//    Anpassungen sind hier nur notwendig, wenn        #");
  out.push_back("//    Alternativ- oder/ und Simultanverzweigungen      #");
  out.push_back("//    programmiert werden sollen.                      #");
  out.push_back(FrameEmpty());
  out.push_back(FrameEmpty());
  out.push_back("// Labels:                                             #");
  out.push_back("//    S... Schritt                                     #");
  out.push_back("//    T... Transition                                  #");
  if (v.backward) out.push_back("//    R... Rueckwaertstransition                       #");
  out.push_back("//    F... Weiterschaltung (<F>orward)                 #");
  if (v.backward) out.push_back("//    B... Rueckwaertsschaltung (<B>ackward)           #");
  out.push_back(FrameEmpty());
  out.push_back(FrameRule());
  out.push_back(FrameEmpty());
  out.push_back("// Die Generatoreinstellungen                          #");
  out.push_back("// f. diesen Baustein waren:                           #");
  AppendSetting(out, "FC-Nummer:", v.fcAddress);
  AppendSetting(out, "FC-Name:", v.fcName);
  AppendSetting(out, "DB-Nummer:", v.dbAddress);
  AppendSetting(out, "DB-Name:", v.dbName);
  AppendSetting(out, "Erzeuge interne Timer:", v.timers ? "On" : "Off");
  if (v.timers) {
    AppendSetting(out, "FC-Nummer Timer:", v.timerFcAddress);
    AppendSetting(out, "FC-Name Timer:", v.timerFcName);
  }
  AppendSetting(out, "Max.Anzahl Schritte:", v.maxStepsText);
  AppendSetting(out, "Nr. 1. Schritt:", v.firstText);
  AppendSetting(out, "Nr. Initialschritt:", v.initialText);
  AppendSetting(out, "Anzahl Schritte:", v.countText);
  AppendSetting(out, "Schrittabstand:", v.distanceText);
  AppendSetting(out, "Erzeuge Rueckwaertstransitionen:", v.backward ? "On" : "Off");
  AppendSetting(out, "In-Variable Freig. 1:", v.release1);
  AppendSetting(out, "In-Variable Freig. 2:", v.release2);
  AppendSetting(out, "In-Variable Freig. 3:", v.release3);
  AppendSetting(out, "In-Variable Freig. 4:", v.release4);
  out.push_back(FrameEmpty());
  out.push_back(FrameRule());
  out.push_back("");
}

void AppendInitialisation(Lines& out, const ExtendedStepValues& v, const MnemonicSet& m) {
  out.push_back("NETWORK");
  out.push_back("TITLE =Initialisierung Schrittkette");
  out.push_back("");
  out.push_back("// Erzeuge Konstanten Null und Eins");
  out.push_back("      O     #Eins;");
  out.push_back("      ON    #Eins;");
  out.push_back("      =     #Eins;");
  out.push_back(InstructionLine(m.MnemAnd, "N    #Eins;"));
  out.push_back("      =     #Null;");
  out.push_back("");
  out.push_back("// Initialisieren");
  out.push_back(InstructionLine(m.MnemAnd, "     #Init;"));
  out.push_back(InstructionLine(m.MnemJumpIfNot, "  In_X; "));
  out.push_back("");
  out.push_back("// Ruecksetzen aller (Zeiten,) Schritte und Transitionen");
  out.push_back(InstructionLine(m.MnemOpenDB, "   " + Quoted(v.dbName) + ";"));
  out.push_back("      L     " + std::to_string(v.C) + ";");
  out.push_back("In_1: T     #n;");
  out.push_back("      L     1;");
  out.push_back("      -I    ;");
  out.push_back("      L     4;");
  out.push_back("      *I    ; // Nummer des zu loeschenden DWord");
  out.push_back("      SLD   3; // erzege Pointerformat");
  out.push_back("      T     #DwPointer;");
  out.push_back("      L     DW#16#0;");
  out.push_back("      T     DBD [#DwPointer]; // loesche aktuelles DWord");
  out.push_back("      L     #n;");
  out.push_back("      LOOP  In_1;");
  out.push_back("");
  out.push_back("      SET   ;");
  out.push_back(FrameRule());
  out.push_back(FrameEmpty());
  out.push_back("// Aktiviere Initialschritt(e)                         #");
  out.push_back(FrameEmpty());
  out.push_back("      S     " + DbElement(v, "Step", v.I) + ";");
  out.push_back(FrameEmpty());
  out.push_back(FrameRule());
  out.push_back("");
  out.push_back("In_X: CLR   ;");
  out.push_back("");
}

void AppendSection2Info(Lines& out) {
  out.push_back("NETWORK");
  out.push_back("TITLE =Info Abschnitt 2");
  out.push_back("");
  out.push_back("      NOP   0;");
  out.push_back("");
  out.push_back(FrameRule());
  out.push_back(FrameEmpty());
  out.push_back("//  A b    h i e r    f o l g e n    d i e             #");
  out.push_back("//  e i n z e l n e n    S c h r i t t e    u n d      #");
  out.push_back("//  T r a n s i t i o n e n                            #");
  out.push_back(FrameEmpty());
  out.push_back(FrameRule());
  out.push_back("");
}

void AppendStepNetwork(Lines& out, const ExtendedStepValues& v, const MnemonicSet& m, int n) {
  const std::string nnn = ThreeDigitNumber(n);
  out.push_back("NETWORK");
  out.push_back("TITLE =Schritt " + nnn);
  out.push_back("");
  out.push_back("      CLR   ;");
  out.push_back(InstructionLine(m.MnemAnd, "     " + DbElement(v, "Step", n) + ";"));
  out.push_back(InstructionLine(m.MnemJumpIfNot, "  T" + nnn + ";"));
  out.push_back(FrameRule());
  out.push_back("// Aktionen Schritt " + nnn + std::string(32, ' ') + "#");
  if (v.timers) {
    out.push_back("      CALL " + Quoted(v.timerFcName) + " (");
    out.push_back("           Aktion_L                 := #Null,");
    out.push_back("           Aktion_D                 := #Eins,");
    out.push_back("           Ausloesezeit             := T#10S,");
    out.push_back("           Startzeit                := " + DbElement(v, "SchrittTimerStartWert", n) + ",");
    out.push_back("           Flankenmerker            := " + DbElement(v, "SchrittTimerFLMerker", n) + ",");
    out.push_back("           Q                        := " + DbElement(v, "SchrittTimerQ", n) + ");");
  }
  out.push_back("      SET   ;");
  out.push_back("");
  out.push_back(FrameEmpty());
  out.push_back(FrameEmpty());
  out.push_back(FrameRule());
  out.push_back("T" + nnn + ": CLR   ;");
  out.push_back(FrameRule());
  out.push_back("// Transition / Weiterschaltbedingung                  #");
  out.push_back(InstructionLine(m.MnemAnd, "     #" + v.release1 + ";"));
  out.push_back(InstructionLine(m.MnemAnd, "     #" + v.release2 + ";"));
  if (v.input3) out.push_back(InstructionLine(m.MnemAnd, "     #" + v.release3 + ";"));
  if (v.input4Forward) out.push_back(InstructionLine(m.MnemAnd, "     #" + v.release4 + ";"));
  if (v.timers) out.push_back(InstructionLine(m.MnemAnd, "     " + DbElement(v, "SchrittTimerQ", n) + ";"));
  out.push_back(FrameEmpty());
  out.push_back(FrameEmpty());
  out.push_back(FrameRule());
  out.push_back("      =     " + DbElement(v, "Transition", n) + ";");
  if (v.backward) {
    out.push_back(FrameRule());
    out.push_back("// Transition / Weiterschaltbed. Rueckwaerts           #");
    out.push_back(InstructionLine(m.MnemAnd, "     #" + v.release1 + ";"));
    out.push_back(InstructionLine(m.MnemAnd, "     #" + v.release2 + ";"));
    out.push_back(InstructionLine(m.MnemAnd, "     #" + v.release4 + ";"));
    out.push_back(FrameEmpty());
    out.push_back(FrameEmpty());
    out.push_back(FrameRule());
    out.push_back("      =     " + DbElement(v, "TransitionBac", n) + ";");
  }
  out.push_back("");
}

void AppendSection3Info(Lines& out) {
  out.push_back("NETWORK");
  out.push_back("TITLE =Info Abschnitt 3");
  out.push_back("");
  out.push_back("      NOP   0;");
  out.push_back("");
  out.push_back(FrameRule());
  out.push_back(FrameEmpty());
  out.push_back("//  I m    f o l g e n d e n     A b s c h n i t t     #");
  out.push_back("//  e r f o l g t    d i e    W e i t e r -            #");
  out.push_back("//  s c h a l t u n g    d e r    S c h r i t t e      #");
  out.push_back(FrameEmpty());
  out.push_back("//  Anpassungen sind hier nur fuer Simultan- oder      #");
  out.push_back("//  Alternativverzweigungen erforderlich               #");
  out.push_back(FrameEmpty());
  out.push_back(FrameRule());
  out.push_back("");
}

// The switch itself, forward or backward: step n off, the target step on
// (and with timers the step's timer edge flag reset), then to the common exit.
void AppendSwitch(Lines& out, const ExtendedStepValues& v, const MnemonicSet& m, int n, int target) {
  static const std::string severalSteps = Ansi("//    hier können mehrere Schritte stehen              #");
  out.push_back(FrameRule());
  out.push_back(severalSteps);
  out.push_back("//    (Anfang einer Simultanverzweigung)               #");
  out.push_back("      R     " + DbElement(v, "Step", n) + ";");
  out.push_back("      S     " + DbElement(v, "Step", target) + ";");
  if (v.timers) {
    out.push_back("//    Reset Timer:");
    out.push_back("      R     " + DbElement(v, "SchrittTimerFLMerker", n) + ";");
  }
  out.push_back(FrameEmpty());
  out.push_back(FrameRule());
  out.push_back(InstructionLine(m.MnemJump, "   F_XX;"));
}

void AppendSwitchingNetwork(Lines& out, const ExtendedStepValues& v, const MnemonicSet& m, int n) {
  static const std::string severalStepsAnd = Ansi("//    hier können mehrere Schritte und                 #");
  const std::string nnn = ThreeDigitNumber(n);
  const bool last = n >= v.L;
  const int next = last ? v.F : n + v.D;
  // Where the sequence goes on when this step does not switch forward.
  const std::string onwards = last ? std::string("F_XX") : "F" + ThreeDigitNumber(n + v.D);
  const std::string forwardMiss = v.backward ? "B" + nnn : onwards;

  out.push_back("NETWORK");
  out.push_back("TITLE =Weiterschaltung " + nnn);
  out.push_back("F" + nnn + ": CLR   ;");
  out.push_back(FrameRule());
  out.push_back("//    hier koennen auch mehrere Schritte und           #");
  out.push_back("//    Transitionen stehen                              #");
  out.push_back("//    (Ende einer Simultanverzweigung)                 #");
  out.push_back(InstructionLine(m.MnemAnd, "     " + DbElement(v, "Step", n) + ";"));
  out.push_back(InstructionLine(m.MnemAnd, "     " + DbElement(v, "Transition", n) + ";"));
  out.push_back(FrameEmpty());
  out.push_back(FrameRule());
  out.push_back(InstructionLine(m.MnemJumpIfNot, "  " + forwardMiss + ";"));
  out.push_back("      SET   ; ");
  AppendSwitch(out, v, m, n, next);
  out.push_back("");
  out.push_back("");
  if (!v.backward) return;

  const int previous = n <= v.F ? v.L : n - v.D;
  out.push_back("B" + nnn + ": CLR   ;");
  out.push_back(FrameRule());
  out.push_back(severalStepsAnd);
  out.push_back("//    Transitionen stehen                              #");
  out.push_back(InstructionLine(m.MnemAnd, "     " + DbElement(v, "Step", n) + ";"));
  out.push_back(InstructionLine(m.MnemAnd, "     " + DbElement(v, "TransitionBac", n) + ";"));
  out.push_back(FrameEmpty());
  out.push_back(FrameRule());
  out.push_back(InstructionLine(m.MnemJumpIfNot, "  " + onwards + ";"));
  out.push_back("      SET   ;");
  AppendSwitch(out, v, m, n, previous);
  out.push_back("");
}

void AppendEndNetwork(Lines& out, const ExtendedStepValues& v, const MnemonicSet& m) {
  out.push_back("NETWORK");
  out.push_back("TITLE =Bausteinende");
  out.push_back("");
  out.push_back(InstructionLine(m.MnemJump, "   F_XX;"));
  // Never reached (the jump above precedes it); it names the first step's
  // forward label so that the label exists whatever the first step is.
  out.push_back(InstructionLine(m.MnemJump, "   F" + ThreeDigitNumber(v.F) + ";"));
  out.push_back("F_XX: NOP   0;");
  out.push_back("");
  out.push_back("END_FUNCTION");
  out.push_back("");
  out.push_back("");
  out.push_back("");
}

}  // namespace

void AppendStepSequenceFunction(std::vector<std::string>& lines, const ExtendedStepValues& values,
                                const MnemonicSet& mnemonics) {
  AppendHead(lines, values);
  AppendInfoNetwork(lines, values);
  AppendInitialisation(lines, values, mnemonics);
  AppendSection2Info(lines);
  // The steps run F, F + D, ..., L; a distance below 1 would never reach L.
  if (values.D >= 1) {
    for (int n = values.F; n <= values.L; n += values.D) AppendStepNetwork(lines, values, mnemonics, n);
  }
  AppendSection3Info(lines);
  if (values.D >= 1) {
    for (int n = values.F; n <= values.L; n += values.D) AppendSwitchingNetwork(lines, values, mnemonics, n);
  }
  AppendEndNetwork(lines, values, mnemonics);
}

}  // namespace brendax
