#include "stepseq/simple_step.h"

#include <cstdint>

#include "stepseq/step_common.h"
#include "text/banner.h"
#include "text/cp1252.h"
#include "text/integer_text.h"
#include "text/line_writer.h"
#include "text/text_routines.h"

namespace brendax {
namespace {

using P = SimpleStepParams;

// The highest step number whose labels still fit into four characters
// ("S999"); a longer sequence would give colliding "????" labels.
constexpr std::int64_t kMaxLastStep = 999;
// The jump list holds at most this many targets.
constexpr std::int64_t kMaxJumpListCount = 255;

// The checked numbers of one run.
struct Numbering {
  std::int64_t fcNumber = 0;
  std::int64_t first = 0;
  std::int64_t distance = 0;
  std::int64_t count = 0;
  std::int64_t last = 0;
};

// Runs the checks in their fixed order; on success fills the numbering.
GeneratorResult Check(const SimpleStepParams& p, Numbering& numbering) {
  // A. FC name: it must name the block and fit between the quotes.
  if (InvalidBlockName(p.fcName)) return StepFailure(5);

  // B. FC number.
  const auto fcNumber = ParseInt32(p.fcNumber);
  if (!fcNumber) return StepFailure(20);
  if (*fcNumber < 0 || *fcNumber > 65535) return StepFailure(21);

  // C. First step.
  const auto first = ParseInt32(p.firstStep);
  if (!first) return StepFailure(30);
  if (*first < 0 || *first > 98) return StepFailure(31);

  // D. Distance.
  const auto distance = ParseInt32(p.distance);
  if (!distance) return StepFailure(32);
  if (*distance < 1 || *distance > 50000) return StepFailure(33);

  // E. Count, and the last step it leads to (computed without overflow).
  const auto count = ParseInt32(p.count);
  if (!count || *count < 1) return StepFailure(34);
  if (p.structure == kSimpleJumpList && *count > kMaxJumpListCount) return StepFailure(36);
  const std::int64_t last = std::int64_t{*first} + (std::int64_t{*count} - 1) * std::int64_t{*distance};
  if (last > kMaxLastStep) return StepFailure(36);

  // F to I. Release operands; 3 and 4 only when filled in.
  if (InvalidIdentifier(p.release1)) return StepFailure(8);
  if (InvalidIdentifier(p.release2)) return StepFailure(9);
  if (p.release2 == p.release1 && !p.release2.empty()) return StepFailure(10);
  if (!p.release3.empty()) {
    if (InvalidIdentifier(p.release3)) return StepFailure(11);
    if (p.release3 == p.release1) return StepFailure(12);
    if (p.release3 == p.release2) return StepFailure(13);
  }
  if (!p.release4.empty()) {
    if (InvalidIdentifier(p.release4)) return StepFailure(14);
    if (p.release4 == p.release1) return StepFailure(15);
    if (p.release4 == p.release2) return StepFailure(16);
    if (p.release4 == p.release3) return StepFailure(17);
  }

  // Last, what no check above has caught: a control character in any field.
  if (GeneratorResult refused = CheckControlCharacters(SimpleStepFields(), p); !refused.ok()) return refused;

  numbering = {*fcNumber, *first, *distance, *count, last};
  return {};
}

// Writes the function text line by line.
class SimpleStepWriter {
 public:
  SimpleStepWriter(const SimpleStepParams& params, const MnemonicSet& mnemonics, const SymbolRow& row,
                   const Numbering& numbering, Lines& lines)
      : params_(params),
        mnemonics_(mnemonics),
        row_(row),
        numbering_(numbering),
        out_(lines),
        jumpList_(params.structure == kSimpleJumpList),
        changeFlag_(!jumpList_ && params.oneChangePerCycle) {}

  void Write() {
    // Header, banner and end take fewer than 100 lines; a step block with
    // its header at most 39, its jump-list entry one more.
    out_.Reserve(static_cast<std::size_t>(100 + numbering_.count * 40));
    Header();
    Banner();
    Initialisation();
    if (jumpList_) JumpList();
    for (std::int64_t step = numbering_.first;; step += numbering_.distance) {
      const bool lastStep = step + numbering_.distance > numbering_.last;
      const std::int64_t next = lastStep ? numbering_.first : step + numbering_.distance;
      StepHeader(step);
      if (changeFlag_) {
        StepTransitionFirst(step, next);
      } else {
        StepActionsFirst(step, next);
      }
      if (lastStep) break;
    }
    End();
  }

 private:
  void Header() {
    out_.Line("FUNCTION \"", row_.symbol, "\" : VOID");
    out_.Fixed({"TITLE =", "VERSION : 0.1", "", "", "VAR_INPUT", "  Init : BOOL ;", "END_VAR", "VAR_IN_OUT",
                "  Step : INT ;"});
    if (changeFlag_) out_.Fixed({"  sw :   BOOL ; // Ein beliebiger Merker/ speichert \"Schrittwechsel\" "});
    out_.Fixed({"END_VAR", "VAR_TEMP", "  Eins : BOOL ;", "  Null : BOOL ;", "END_VAR", "BEGIN", "NETWORK",
                "TITLE =Info", "", "      NOP   0;", ""});
  }

  void Setting(const char* caption, std::string_view value) {
    out_.Line(RightPad(JoinPieces({"//    ", caption}), 55), "#");
    out_.Line(FrameValue(value));
  }

  void Banner() {
    AppendBannerHead(out_.lines(), "// Das Grundger\xFCst dieses Bausteines wurde erzeugt mit #");
    out_.Fixed({FrameEmpty(), FrameRule(), FrameEmpty(), "// Die Generatoreinstellungen                          #",
                "// f. diesen Baustein waren:                           #"});
    Setting("FC-Nummer:", row_.address);
    Setting("FC-Name:", row_.symbol);
    Setting("Struktur:", jumpList_ ? "Sprungleiste" : "Vergleicher");
    Setting("Nur eine Weiterschaltung pro SPS-Zyklus:", jumpList_ || params_.oneChangePerCycle ? "On" : "Off");
    Setting("Nr. 1. Schritt:", params_.firstStep);
    Setting("Schrittabstand:", params_.distance);
    Setting("Anzahl Schritte:", params_.count);
    Setting("In-Variable Freig. 1:", params_.release1);
    Setting("In-Variable Freig. 2:", params_.release2);
    Setting("In-Variable Freig. 3:", params_.release3);
    Setting("In-Variable Freig. 4:", params_.release4);
    out_.Fixed({FrameEmpty(), FrameRule(), ""});
  }

  void Initialisation() {
    out_.Fixed({"NETWORK", "TITLE =Schrittkette", "", "      NOP   0;", "// Erzeuge Konstanten Null und Eins",
                "      SET;", "      =     #Eins;", "      CLR;", "      =     #Null;", "", "// Initialisieren"});
    out_.Instruction(mnemonics_.MnemAnd, "     #Init;");
    out_.Instruction(mnemonics_.MnemJumpIfNot, "  In_X; ");
    out_.Line("      L     ", numbering_.first, ";");
    out_.Fixed({"      T     #Step;"});
    if (changeFlag_) out_.Fixed({"      SET;", "      S     #sw;"});
    out_.Fixed({"In_X: CLR   ;", ""});
  }

  void JumpList() {
    if (params_.networkPerStep) {
      out_.Fixed({"NETWORK", "TITLE =Sprungleiste"});
    } else {
      out_.Fixed({FrameRule()});
    }
    out_.Fixed({"      L     #Step;"});
    out_.Instruction(mnemonics_.MnemJumpList, "   LSTX;");
    // The targets are numbered by position: the jump list numbers its steps 0, 1, 2, ...
    for (std::int64_t i = 0; i < numbering_.count; ++i) {
      out_.Instruction(mnemonics_.MnemJump, "   ", StepLabel("S", i), ";");
    }
    out_.Line("LSTX: ", mnemonics_.MnemJump, "   S_EX;");
  }

  void StepHeader(std::int64_t step) {
    out_.Empty(3);
    if (params_.networkPerStep) {
      out_.Fixed({"NETWORK"});
      out_.Line("TITLE = Schritt ", step);
    } else {
      out_.Fixed({FrameRule()});
      const std::string title = JoinPieces({"Schritt ", step});
      out_.Line("// ", RightPad(title, 52), "#");
      out_.Fixed({FrameEmpty(), FrameRule(), ""});
    }
  }

  // The activity test's jump: to the next step's comparison, or, for the
  // last step, to the end of the function.
  void NotActiveJump(std::int64_t step, std::int64_t next) {
    if (next > step) {
      out_.Instruction(mnemonics_.MnemJumpIfNot, "  ", StepLabel("S", next), ";");
    } else {
      out_.Instruction(mnemonics_.MnemJumpIfNot, "   S_EX;");
    }
  }

  void Releases() {
    for (const std::string* release : {&params_.release1, &params_.release2, &params_.release3, &params_.release4}) {
      if (!release->empty()) out_.Instruction(mnemonics_.MnemAnd, "     ", *release, ";");
    }
  }

  // Comparator structure with one step change per cycle: the transition is
  // tested before the actions, and sw lets a new step act once first.
  void StepTransitionFirst(std::int64_t step, std::int64_t next) {
    const std::string action = StepLabel("A", step);
    out_.Fixed(
        {"// Schrittnummer aktiv?  Nein -> Zum n\xE4"
         "chsten Schritt"});
    out_.Line(StepLabel("S", step), ": L     ", step, ";");
    out_.Fixed({"      L     #Step;", "      ==I   ;"});
    NotActiveJump(step, next);
    out_.Fixed({"// Schritt wurde gerade aktiviert?  Ja -> Zur Aktion"});
    out_.Instruction(mnemonics_.MnemAnd, "     #sw;");
    out_.Instruction(mnemonics_.MnemJumpIf, "  ", action, ";");
    out_.Fixed({"// Transition erfuellt?  Nein -> Zur Aktion"});
    Releases();
    out_.Fixed({"", "// hier Transitionen eintragen!", "", ""});
    out_.Instruction(mnemonics_.MnemJumpIfNot, "  ", action, ";");
    out_.Fixed({"// Schritt weiterschalten"});
    out_.Line("      L     ", next, ";");
    out_.Fixed({"      T     #Step;", "      SET;", "      S     #sw; // merke ein Schrittwechsel ist erfolgt"});
    out_.Instruction(mnemonics_.MnemJump, "   S_EX;");
    out_.Line(action, ": SET;");
    out_.Fixed({"      R     #sw;", "", "// hier Aktionen eintragen!", "", ""});
    out_.Instruction(mnemonics_.MnemJump, "   S_EX;");
  }

  // Jump-list structure, and comparator structure without the option:
  // actions first, then the transition.
  void StepActionsFirst(std::int64_t step, std::int64_t next) {
    out_.Line(StepLabel("S", step), ": NOP   0;");
    if (!jumpList_) {
      out_.Line("      L     ", step, ";");
      out_.Fixed({"      L     #Step;", "      ==I   ;"});
      NotActiveJump(step, next);
    }
    out_.Fixed({"", "// hier Aktionen eintragen!", "", ""});
    Releases();
    out_.Fixed({"", "// hier Transitionen eintragen!", "", ""});
    out_.Instruction(mnemonics_.MnemJumpIfNot, "   S_EX;");
    out_.Line("      L     ", next, ";");
    out_.Fixed({"      T     #Step;"});
    if (!jumpList_ && next > step) {
      out_.Instruction(mnemonics_.MnemJump, "  ", StepLabel("S", next), ";");
    } else {
      out_.Instruction(mnemonics_.MnemJump, "   S_EX;");
    }
  }

  void End() {
    if (params_.networkPerStep) {
      out_.Fixed({"NETWORK", "TITLE = Ende Schrittkette"});
    } else {
      out_.Fixed({"", "", "", FrameRule()});
    }
    out_.Fixed({"S_EX: NOP 0;", "", "END_FUNCTION"});
  }

  const SimpleStepParams& params_;
  const MnemonicSet& mnemonics_;
  const SymbolRow& row_;
  const Numbering& numbering_;
  LineWriter out_;
  const bool jumpList_;
  const bool changeFlag_;  // comparator structure with one step change per cycle: the sw flag
};

}  // namespace

const FieldTable<SimpleStepParams>& SimpleStepFields() {
  static const FieldTable<P> table = {
      TextField<P>("fcNumber", "LabeledEdit1", "FC- Nummer", "fc-number", &P::fcNumber, "80", true,
                   "number of the function, 0 to 65535")
          .Checks({20, 21}),
      TextField<P>("fcName", "LabeledEdit3", "FC- Name", "fc-name", &P::fcName, "FC_Schrittkette", true,
                   "symbol name of the function")
          .Checks({5}),
      ChoiceField<P>("structure", "RadioGroup1", "Struktur", "structure", &P::structure, {"jump-list", "comparator"},
                     kSimpleComparator)
          .Items({"Sprungleiste (schnell)", "Vergleicher (flexibel)"}),
      CheckField<P>("oneChangePerCycle", "CheckBox1", "Nur eine Weiterschaltungpro SPS-Zyklus", "one-change-per-cycle",
                    &P::oneChangePerCycle, true),
      CheckField<P>("networkPerStep", "CheckBox2", "pro Schritt ein Netzwerk", "network-per-step", &P::networkPerStep,
                    false),
      TextField<P>("firstStep", "LabeledEdit9", "Nr. 1. Schritt", "first-step", &P::firstStep, "0", true,
                   "number of the first step, 0 to 98")
          .Checks({30, 31}),
      TextField<P>("distance", "LabeledEdit11", "Schrittabstand", "distance", &P::distance, "5", true,
                   "distance between step numbers, 1 to 50000")
          .Checks({32, 33}),
      TextField<P>("count", "LabeledEdit10", "Anzahl Schritte", "count", &P::count, "12", true,
                   "number of steps, last step at most 999")
          .Checks({34, 35, 36}),
      TextField<P>("release1", "LabeledEdit5", "In-Variable Freigabe 1", "release1", &P::release1, "Auto", true,
                   "first release operand")
          .Checks({8}),
      TextField<P>("release2", "LabeledEdit6", "In-Variable Freigabe 2", "release2", &P::release2, "Freigabe", true,
                   "second release operand")
          .Checks({9, 10}),
      TextField<P>("release3", "LabeledEdit7", "In-Variable Freigabe. 3", "release3", &P::release3, "", true,
                   "optional third release operand")
          .Checks({11, 12, 13}),
      TextField<P>("release4", "LabeledEdit12", "In-Variable Freigabe. 4", "release4", &P::release4, "", true,
                   "optional fourth release operand")
          .Checks({14, 15, 16, 17}),
  };
  return table;
}

void ApplyJumpListStructure(SimpleStepParams& p) {
  p.structure = kSimpleJumpList;
  // Assigned as strings: assigning a literal trips a false -Wrestrict in GCC 12 at -O3.
  p.firstStep = std::string("0");
  p.distance = std::string("1");
  p.oneChangePerCycle = true;
}

GeneratorResult GenerateSimpleStep(const SimpleStepParams& params, const MnemonicSet& mnemonics) {
  Numbering numbering;
  GeneratorResult result = Check(params, numbering);
  if (!result.ok()) return NameFailingField(SimpleStepFields(), std::move(result));

  // The block number is written from its value: "$50" and "080" are FC 80.
  const std::string address = JoinPieces({"FC ", numbering.fcNumber});
  result.symbols.push_back({params.fcName, address, address, params.fcName});
  // The function text reads its name and address back from the symbol row.
  SimpleStepWriter(params, mnemonics, result.symbols.front(), numbering, result.lines).Write();
  return result;
}

const std::string& SimpleStepHelpText() {
  static const std::string text = Ansi(
      "Hilfe zu AWL-Schrittkette-Simple\r"
      "\r"
      "Hiermit kann das Gerüst für eine Schrittkette erzeugt werden.\r"
      "Benötigte Symbole werden parallel dazu erstellt.\r"
      "Einige Eigenschaften des erzeugten Schrittbausteines:\r"
      " -übersichtlicher Code,\r"
      " -mögliche Schritte sind 0..999.\r"
      "Der Quellcode wird für ein leichtes Editieren ausführlich mit\r"
      "Kommentaren versehen.\r");
  return text;
}

}  // namespace brendax
