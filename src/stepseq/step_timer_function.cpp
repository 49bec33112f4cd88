// The step timer function that every step of the extended step sequence
// calls when internal timers are on. It reads the free-running millisecond
// clock of SFC 64 and works as a time limit (L) or an on-delay (D).
#include <string>
#include <string_view>

#include "stepseq/extended_step.h"
#include "text/banner.h"
#include "text/cp1252.h"

namespace brendax {

void AppendStepTimerFunction(std::vector<std::string>& lines, const ExtendedStepValues& values,
                             const MnemonicSet& mnemonics) {
  static const std::string neededFor = Ansi("// welcher für die \"AWL-Schrittkette\"                  #");
  const MnemonicSet& m = mnemonics;
  Lines& out = lines;

  out.push_back("FUNCTION \"" + values.timerFcName + "\" : VOID");
  out.push_back("TITLE =");
  out.push_back("VERSION : 0.1");
  out.push_back("");
  out.push_back("");
  out.push_back("  VAR_INPUT");
  out.push_back("  Aktion_L : BOOL ;\t//Limt|Zeitbegrenzt|Abfallverzoegert");
  out.push_back("  Aktion_D : BOOL ;\t//Delay|Zeitverzoegert|Anzugsverzoegert");
  out.push_back("  Ausloesezeit : TIME ;");
  out.push_back("END_VAR");
  out.push_back("VAR_IN_OUT");
  out.push_back("  Startzeit : TIME ;");
  out.push_back("  Flankenmerker : BOOL ;");
  out.push_back("  Q : BOOL ;\t//Ausgang");
  out.push_back("END_VAR");
  out.push_back("VAR_TEMP");
  out.push_back("  AktuelleZeit : TIME ;");
  out.push_back("  StartZeitTmp : TIME ;");
  out.push_back("END_VAR");
  out.push_back("BEGIN");

  // Info network with the banner.
  out.push_back("NETWORK");
  out.push_back("TITLE =Info");
  out.push_back("");
  out.push_back("      NOP   0;");
  out.push_back("");
  AppendBannerHead(out, "// Dieser Baustein wurde automatisch erzeugt mit       #");
  out.push_back("// Dieser Baustein ist ein spezieller Zeitbaustein,    #");
  out.push_back(neededFor);
  out.push_back("// (erzeugt mit oben genannten Tool)                   #");
  out.push_back("// benoetigt wird.                                     #");
  out.push_back(FrameEmpty());
  out.push_back(FrameRule());
  out.push_back("");

  // The timer itself.
  out.push_back("NETWORK");
  out.push_back("TITLE =");
  out.push_back("");
  out.push_back("");
  out.push_back(InstructionLine(m.MnemAnd, "N    #Aktion_L;"));
  out.push_back(InstructionLine(m.MnemAnd, "N    #Aktion_D;"));
  out.push_back(InstructionLine(m.MnemJumpIfNot, "  Strt;"));
  out.push_back("");
  out.push_back("// Reset wenn L=0 und D=0");
  out.push_back("      SET   ;");
  out.push_back("      R     #Flankenmerker;");
  out.push_back("      R     #Q;");
  out.push_back("      BE    ;");
  out.push_back("");
  out.push_back("Strt: CALL SFC 64 (");
  out.push_back("           RET_VAL                  := #AktuelleZeit);");
  out.push_back("");
  out.push_back("      CLR   ;");
  out.push_back(InstructionLine(m.MnemAnd, "N    #Flankenmerker;"));
  out.push_back(InstructionLine(m.MnemJumpIfNot, "  T10;"));
  out.push_back("");
  out.push_back("// Starte Timer");
  out.push_back("      SET   ;");
  out.push_back("      S     #Flankenmerker;");
  out.push_back("      L     #AktuelleZeit;");
  out.push_back("      T     #Startzeit;");
  out.push_back("// Setze Q auf Anfangszustand");
  out.push_back(InstructionLine(m.MnemAnd, "     #Aktion_L;"));
  out.push_back("      S     #Q;");
  out.push_back(InstructionLine(m.MnemAnd, "     #Aktion_D;"));
  out.push_back("      R     #Q;");
  out.push_back("");
  out.push_back("T10:  CLR   ;");
  out.push_back(InstructionLine(m.MnemAnd, "     #Aktion_L;"));
  out.push_back(InstructionLine(m.MnemJumpIf, "   L0;"));
  out.push_back(InstructionLine(m.MnemAnd, "     #Aktion_D;"));
  out.push_back(InstructionLine(m.MnemJumpIf, "   D0;"));
  out.push_back("      BE    ;");
  out.push_back("");
  out.push_back("// Abfallverzoegerung");
  out.push_back("L0:   CLR   ;");
  out.push_back(InstructionLine(m.MnemAnd, "N    #Q;"));
  out.push_back(InstructionLine(m.MnemBlockEndCond, "   ; // Zeit bereits abgelaufen / mache nichts"));
  out.push_back(InstructionLine(m.MnemJump, "   T50;"));
  out.push_back("");
  out.push_back("// Anzugsverzoegerung");
  out.push_back("D0:   CLR   ;");
  out.push_back(InstructionLine(m.MnemAnd, "     #Q;"));
  out.push_back(InstructionLine(m.MnemBlockEndCond, "   ; // Zeit bereits abgelaufen / mache nichts"));
  out.push_back("");
  out.push_back("// Zeitgeber hatte Nulldurchgang?");
  out.push_back("T50:  CLR   ;");
  out.push_back("      L     #AktuelleZeit;");
  out.push_back("      L     #Startzeit;");
  out.push_back("      T     #StartZeitTmp;");
  out.push_back("      <D    ;");
  out.push_back(InstructionLine(m.MnemJumpIfNot, "  T60;"));
  out.push_back("      L     L#2147483647;");
  out.push_back("      -D    ;");
  out.push_back("      T     #StartZeitTmp;");
  out.push_back("");
  out.push_back("T60:  CLR   ;");
  out.push_back("// Zeit erreicht?");
  out.push_back("");
  out.push_back("      L     #AktuelleZeit;");
  out.push_back("      L     #StartZeitTmp;");
  out.push_back("      -D    ;");
  out.push_back("      L     #Ausloesezeit;");
  out.push_back("      <D    ;");
  out.push_back(InstructionLine(m.MnemBlockEndCond, "   ; // Zeit noch nicht erreicht"));
  out.push_back("");
  out.push_back("// Zeit erreicht - Ausgang negieren");
  out.push_back("      CLR   ;");
  out.push_back(InstructionLine(m.MnemAnd, "N    #Q;"));
  out.push_back("      =     #Q;");
  out.push_back("");
  out.push_back("END_FUNCTION");
  out.push_back("");
}

}  // namespace brendax
