// The step timer function that every step of the extended step sequence
// calls when internal timers are on. It reads the free-running millisecond
// clock of SFC 64 and works as a time limit (L) or an on-delay (D).
#include "stepseq/extended_step.h"
#include "text/banner.h"
#include "text/line_writer.h"

namespace brendax {

void AppendStepTimerFunction(std::vector<std::string>& lines, const ExtendedStepValues& values,
                             const MnemonicSet& mnemonics) {
  const MnemonicSet& m = mnemonics;
  LineWriter out(lines);

  out.Line("FUNCTION \"", values.params->timerFcName, "\" : VOID");
  out.Fixed({"TITLE =", "VERSION : 0.1", "", "", "  VAR_INPUT",
             "  Aktion_L : BOOL ;\t//Limt|Zeitbegrenzt|Abfallverzoegert",
             "  Aktion_D : BOOL ;\t//Delay|Zeitverzoegert|Anzugsverzoegert", "  Ausloesezeit : TIME ;", "END_VAR",
             "VAR_IN_OUT", "  Startzeit : TIME ;", "  Flankenmerker : BOOL ;", "  Q : BOOL ;\t//Ausgang", "END_VAR",
             "VAR_TEMP", "  AktuelleZeit : TIME ;", "  StartZeitTmp : TIME ;", "END_VAR", "BEGIN"});

  // Info network with the banner.
  out.Fixed({"NETWORK", "TITLE =Info", "", "      NOP   0;", ""});
  AppendBannerHead(lines, "// Dieser Baustein wurde automatisch erzeugt mit       #");
  out.Fixed({"// Dieser Baustein ist ein spezieller Zeitbaustein,    #",
             "// welcher f\xFCr die \"AWL-Schrittkette\"                  #",
             "// (erzeugt mit oben genannten Tool)                   #",
             "// benoetigt wird.                                     #", FrameEmpty(), FrameRule(), ""});

  // The timer itself.
  out.Fixed({"NETWORK", "TITLE =", "", ""});
  out.Instruction(m.MnemAnd, "N    #Aktion_L;");
  out.Instruction(m.MnemAnd, "N    #Aktion_D;");
  out.Instruction(m.MnemJumpIfNot, "  Strt;");
  out.Fixed({"", "// Reset wenn L=0 und D=0", "      SET   ;", "      R     #Flankenmerker;", "      R     #Q;",
             "      BE    ;", "", "Strt: CALL SFC 64 (", "           RET_VAL                  := #AktuelleZeit);", "",
             "      CLR   ;"});
  out.Instruction(m.MnemAnd, "N    #Flankenmerker;");
  out.Instruction(m.MnemJumpIfNot, "  T10;");
  out.Fixed({"", "// Starte Timer", "      SET   ;", "      S     #Flankenmerker;", "      L     #AktuelleZeit;",
             "      T     #Startzeit;", "// Setze Q auf Anfangszustand"});
  out.Instruction(m.MnemAnd, "     #Aktion_L;");
  out.Fixed({"      S     #Q;"});
  out.Instruction(m.MnemAnd, "     #Aktion_D;");
  out.Fixed({"      R     #Q;", "", "T10:  CLR   ;"});
  out.Instruction(m.MnemAnd, "     #Aktion_L;");
  out.Instruction(m.MnemJumpIf, "   L0;");
  out.Instruction(m.MnemAnd, "     #Aktion_D;");
  out.Instruction(m.MnemJumpIf, "   D0;");
  out.Fixed({"      BE    ;", "", "// Abfallverzoegerung", "L0:   CLR   ;"});
  out.Instruction(m.MnemAnd, "N    #Q;");
  out.Instruction(m.MnemBlockEndCond, "   ; // Zeit bereits abgelaufen / mache nichts");
  out.Instruction(m.MnemJump, "   T50;");
  out.Fixed({"", "// Anzugsverzoegerung", "D0:   CLR   ;"});
  out.Instruction(m.MnemAnd, "     #Q;");
  out.Instruction(m.MnemBlockEndCond, "   ; // Zeit bereits abgelaufen / mache nichts");
  out.Fixed({"", "// Zeitgeber hatte Nulldurchgang?", "T50:  CLR   ;", "      L     #AktuelleZeit;",
             "      L     #Startzeit;", "      T     #StartZeitTmp;", "      <D    ;"});
  out.Instruction(m.MnemJumpIfNot, "  T60;");
  out.Fixed({"      L     L#2147483647;", "      -D    ;", "      T     #StartZeitTmp;", "", "T60:  CLR   ;",
             "// Zeit erreicht?", "", "      L     #AktuelleZeit;", "      L     #StartZeitTmp;", "      -D    ;",
             "      L     #Ausloesezeit;", "      <D    ;"});
  out.Instruction(m.MnemBlockEndCond, "   ; // Zeit noch nicht erreicht");
  out.Fixed({"", "// Zeit erreicht - Ausgang negieren", "      CLR   ;"});
  out.Instruction(m.MnemAnd, "N    #Q;");
  out.Fixed({"      =     #Q;", "", "END_FUNCTION", ""});
}

}  // namespace brendax
