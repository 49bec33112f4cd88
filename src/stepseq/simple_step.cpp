#include "stepseq/simple_step.h"

#include <cstdint>
#include <optional>
#include <utility>

#include "stepseq/step_common.h"
#include "text/banner.h"
#include "text/cp1252.h"
#include "text/integer_text.h"
#include "text/text_routines.h"

namespace brendax {
namespace {

// The highest step number whose labels still fit into four characters
// ("S999"); a longer sequence would give colliding "????" labels.
constexpr std::int64_t kMaxLastStep = 999;
// The jump list holds at most this many targets.
constexpr std::int64_t kMaxJumpListCount = 255;

const std::string& MessageFcName() {
  static const std::string text = Ansi("\"FC- Name\" ist ungültig !");
  return text;
}
const std::string& MessageFcNumber() {
  static const std::string text = Ansi("\"FC- Nummer\" ist ungültig !");
  return text;
}
const std::string& MessageFirstStep() {
  static const std::string text = Ansi("Erste Schrittnr. ist ungültig !");
  return text;
}
const std::string& MessageDistance() {
  static const std::string text = Ansi("Schrittabstand ist ungültig !");
  return text;
}
const std::string& MessageCount() {
  static const std::string text = Ansi("Schrittanzahl ist ungültig !");
  return text;
}
const std::string& MessageLastStep() {
  static const std::string text = "Letzter Schritt ist > Maximum (evtl. Max. Anzahl Schritte anpassen)!";
  return text;
}
const std::string& MessageRelease(int k) {
  static const std::string texts[4] = {
      Ansi("\"In-Variable Freigabe 1\" ist ungültig !"),
      Ansi("\"In-Variable Freigabe 2\" ist ungültig !"),
      Ansi("\"In-Variable Freigabe 3\" ist ungültig !"),
      Ansi("\"In-Variable Freigabe 4\" ist ungültig !"),
  };
  return texts[k - 1];
}

GeneratorResult Failure(int code, const std::string& message) {
  GeneratorResult result;
  result.errorCode = code;
  result.errorMessage = message;
  return result;
}

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
  if (InvalidBlockName(p.fcName)) return Failure(5, MessageFcName());

  // B. FC number.
  const auto fcNumber = ParseInt32(p.fcNumber);
  if (!fcNumber) return Failure(20, MessageFcNumber());
  if (*fcNumber < 0 || *fcNumber > 65535) return Failure(21, MessageFcNumber());

  // C. First step.
  const auto first = ParseInt32(p.firstStep);
  if (!first) return Failure(30, MessageFirstStep());
  if (*first < 0 || *first > 98) return Failure(31, MessageFirstStep());

  // D. Distance.
  const auto distance = ParseInt32(p.distance);
  if (!distance) return Failure(32, MessageDistance());
  if (*distance < 1 || *distance > 50000) return Failure(33, MessageDistance());

  // E. Count, and the last step it leads to (computed without overflow).
  const auto count = ParseInt32(p.count);
  if (!count || *count < 1) return Failure(34, MessageCount());
  if (p.structure == kSimpleJumpList && *count > kMaxJumpListCount) return Failure(36, MessageLastStep());
  const std::int64_t last = std::int64_t{*first} + (std::int64_t{*count} - 1) * std::int64_t{*distance};
  if (last > kMaxLastStep) return Failure(36, MessageLastStep());

  // F to I. Release operands; 3 and 4 only when filled in.
  if (InvalidIdentifier(p.release1)) return Failure(8, MessageRelease(1));
  if (InvalidIdentifier(p.release2)) return Failure(9, MessageRelease(2));
  if (p.release2 == p.release1 && !p.release2.empty()) return Failure(10, MessageRelease(2));
  if (!p.release3.empty()) {
    if (InvalidIdentifier(p.release3)) return Failure(11, MessageRelease(3));
    if (p.release3 == p.release1) return Failure(12, MessageRelease(3));
    if (p.release3 == p.release2) return Failure(13, MessageRelease(3));
  }
  if (!p.release4.empty()) {
    if (InvalidIdentifier(p.release4)) return Failure(14, MessageRelease(4));
    if (p.release4 == p.release1) return Failure(15, MessageRelease(4));
    if (p.release4 == p.release2) return Failure(16, MessageRelease(4));
    if (p.release4 == p.release3) return Failure(17, MessageRelease(4));
  }

  numbering = {*fcNumber, *first, *distance, *count, last};
  return {};
}

// Writes the function text line by line.
class SimpleStepWriter {
 public:
  SimpleStepWriter(const SimpleStepParams& p, const MnemonicSet& m, const SymbolRow& row, const Numbering& numbering,
                   Lines& lines)
      : p_(p),
        m_(m),
        row_(row),
        num_(numbering),
        lines_(lines),
        jumpList_(p.structure == kSimpleJumpList),
        sw_(!jumpList_ && p.oneChangePerCycle) {
    for (const std::string* release : {&p.release1, &p.release2, &p.release3, &p.release4}) {
      if (!release->empty()) releaseLines_.push_back(Instr(m_.MnemAnd, "     ", *release, ";"));
    }
  }

  void Write() {
    // Header, banner and end take fewer than 100 lines; a step block with
    // its header at most 39, its jump-list entry one more.
    lines_.reserve(static_cast<std::size_t>(100 + num_.count * 40));
    Header();
    Banner();
    Initialisation();
    if (jumpList_) JumpList();
    for (std::int64_t n = num_.first;; n += num_.distance) {
      const bool lastBlock = n + num_.distance > num_.last;
      const std::int64_t next = lastBlock ? num_.first : n + num_.distance;
      StepHeader(n);
      if (sw_) {
        BlockA(n, next);
      } else {
        BlockB(n, next);
      }
      if (lastBlock) break;
    }
    End();
  }

 private:
  // Joins the parts into one line with a single allocation.
  template <typename... Parts>
  static std::string Cat(const Parts&... parts) {
    const std::string_view views[] = {std::string_view(parts)...};
    std::size_t size = 0;
    for (const auto view : views) size += view.size();
    std::string line;
    line.reserve(size);
    for (const auto view : views) line.append(view);
    return line;
  }

  // Six blanks, the mnemonic and its fixed tail.
  template <typename... Tail>
  static std::string Instr(const std::string& mnemonic, const Tail&... tail) {
    return InstructionLine(mnemonic, Cat(tail...));
  }

  void Add(std::string line) { lines_.push_back(std::move(line)); }
  void Empty(int times = 1) {
    for (int i = 0; i < times; ++i) lines_.emplace_back();
  }

  void Header() {
    Add(Cat("FUNCTION \"", row_.symbol, "\" : VOID"));
    Add("TITLE =");
    Add("VERSION : 0.1");
    Empty(2);
    Add("VAR_INPUT");
    Add("  Init : BOOL ;");
    Add("END_VAR");
    Add("VAR_IN_OUT");
    Add("  Step : INT ;");
    if (sw_) Add("  sw :   BOOL ; // Ein beliebiger Merker/ speichert \"Schrittwechsel\" ");
    Add("END_VAR");
    Add("VAR_TEMP");
    Add("  Eins : BOOL ;");
    Add("  Null : BOOL ;");
    Add("END_VAR");
    Add("BEGIN");
    Add("NETWORK");
    Add("TITLE =Info");
    Empty();
    Add("      NOP   0;");
    Empty();
  }

  void Banner() {
    static const std::string created = Ansi("// Das Grundgerüst dieses Bausteines wurde erzeugt mit #");
    AppendBannerHead(lines_, created);
    Add(FrameEmpty());
    Add(FrameRule());
    Add(FrameEmpty());
    Add("// Die Generatoreinstellungen                          #");
    Add("// f. diesen Baustein waren:                           #");
    Add("//    FC-Nummer:                                       #");
    Add(FrameValue(row_.address));
    Add("//    FC-Name:                                         #");
    Add(FrameValue(row_.symbol));
    Add("//    Struktur:                                        #");
    Add(FrameValue(jumpList_ ? "Sprungleiste" : "Vergleicher"));
    Add("//    Nur eine Weiterschaltung pro SPS-Zyklus:         #");
    Add(FrameValue(jumpList_ || p_.oneChangePerCycle ? "On" : "Off"));
    Add("//    Nr. 1. Schritt:                                  #");
    Add(FrameValue(p_.firstStep));
    Add("//    Schrittabstand:                                  #");
    Add(FrameValue(p_.distance));
    Add("//    Anzahl Schritte:                                 #");
    Add(FrameValue(p_.count));
    Add("//    In-Variable Freig. 1:                            #");
    Add(FrameValue(p_.release1));
    Add("//    In-Variable Freig. 2:                            #");
    Add(FrameValue(p_.release2));
    Add("//    In-Variable Freig. 3:                            #");
    Add(FrameValue(p_.release3));
    Add("//    In-Variable Freig. 4:                            #");
    Add(FrameValue(p_.release4));
    Add(FrameEmpty());
    Add(FrameRule());
    Empty();
  }

  void Initialisation() {
    Add("NETWORK");
    Add("TITLE =Schrittkette");
    Empty();
    Add("      NOP   0;");
    Add("// Erzeuge Konstanten Null und Eins");
    Add("      SET;");
    Add("      =     #Eins;");
    Add("      CLR;");
    Add("      =     #Null;");
    Empty();
    Add("// Initialisieren");
    Add(Instr(m_.MnemAnd, "     #Init;"));
    Add(Instr(m_.MnemJumpIfNot, "  In_X; "));
    Add(Cat("      L     ", std::to_string(num_.first), ";"));
    Add("      T     #Step;");
    if (sw_) {
      Add("      SET;");
      Add("      S     #sw;");
    }
    Add("In_X: CLR   ;");
    Empty();
  }

  void JumpList() {
    if (p_.networkPerStep) {
      Add("NETWORK");
      Add("TITLE =Sprungleiste");
    } else {
      Add(FrameRule());
    }
    Add("      L     #Step;");
    Add(Instr(m_.MnemJumpList, "   LSTX;"));
    // The targets are numbered by position: the jump list numbers its steps 0, 1, 2, ...
    for (std::int64_t i = 0; i < num_.count; ++i) Add(Instr(m_.MnemJump, "   ", StepLabel("S", i), ";"));
    Add(Cat("LSTX: ", m_.MnemJump, "   S_EX;"));
  }

  void StepHeader(std::int64_t n) {
    Empty(3);
    if (p_.networkPerStep) {
      Add("NETWORK");
      Add(Cat("TITLE = Schritt ", std::to_string(n)));
    } else {
      Add(FrameRule());
      Add(Cat("// ", RightPad(Cat("Schritt ", std::to_string(n)), 52), "#"));
      Add(FrameEmpty());
      Add(FrameRule());
      Empty();
    }
  }

  // The activity test's jump: to the next step's comparison, or, for the
  // last step, to the end of the function.
  std::string NotActiveJump(std::int64_t n, std::int64_t next) const {
    if (next > n) return Instr(m_.MnemJumpIfNot, "  ", StepLabel("S", next), ";");
    return Instr(m_.MnemJumpIfNot, "   S_EX;");
  }

  void Releases() {
    for (const auto& line : releaseLines_) Add(line);
  }

  // Comparator structure with one step change per cycle: the transition is
  // tested before the actions, and sw lets a new step act once first.
  void BlockA(std::int64_t n, std::int64_t next) {
    static const std::string toNext = Ansi("// Schrittnummer aktiv?  Nein -> Zum nächsten Schritt");
    const std::string action = StepLabel("A", n);
    Add(toNext);
    Add(Cat(StepLabel("S", n), ": L     ", std::to_string(n), ";"));
    Add("      L     #Step;");
    Add("      ==I   ;");
    Add(NotActiveJump(n, next));
    Add("// Schritt wurde gerade aktiviert?  Ja -> Zur Aktion");
    Add(Instr(m_.MnemAnd, "     #sw;"));
    Add(Instr(m_.MnemJumpIf, "  ", action, ";"));
    Add("// Transition erfuellt?  Nein -> Zur Aktion");
    Releases();
    Empty();
    Add("// hier Transitionen eintragen!");
    Empty(2);
    Add(Instr(m_.MnemJumpIfNot, "  ", action, ";"));
    Add("// Schritt weiterschalten");
    Add(Cat("      L     ", std::to_string(next), ";"));
    Add("      T     #Step;");
    Add("      SET;");
    Add("      S     #sw; // merke ein Schrittwechsel ist erfolgt");
    Add(Instr(m_.MnemJump, "   S_EX;"));
    Add(Cat(action, ": SET;"));
    Add("      R     #sw;");
    Empty();
    Add("// hier Aktionen eintragen!");
    Empty(2);
    Add(Instr(m_.MnemJump, "   S_EX;"));
  }

  // Jump-list structure, and comparator structure without the option:
  // actions first, then the transition.
  void BlockB(std::int64_t n, std::int64_t next) {
    Add(Cat(StepLabel("S", n), ": NOP   0;"));
    if (!jumpList_) {
      Add(Cat("      L     ", std::to_string(n), ";"));
      Add("      L     #Step;");
      Add("      ==I   ;");
      Add(NotActiveJump(n, next));
    }
    Empty();
    Add("// hier Aktionen eintragen!");
    Empty(2);
    Releases();
    Empty();
    Add("// hier Transitionen eintragen!");
    Empty(2);
    Add(Instr(m_.MnemJumpIfNot, "   S_EX;"));
    Add(Cat("      L     ", std::to_string(next), ";"));
    Add("      T     #Step;");
    if (!jumpList_ && next > n) {
      Add(Instr(m_.MnemJump, "  ", StepLabel("S", next), ";"));
    } else {
      Add(Instr(m_.MnemJump, "   S_EX;"));
    }
  }

  void End() {
    if (p_.networkPerStep) {
      Add("NETWORK");
      Add("TITLE = Ende Schrittkette");
    } else {
      Empty(3);
      Add(FrameRule());
    }
    Add("S_EX: NOP 0;");
    Empty();
    Add("END_FUNCTION");
  }

  const SimpleStepParams& p_;
  const MnemonicSet& m_;
  const SymbolRow& row_;
  const Numbering& num_;
  Lines& lines_;
  const bool jumpList_;
  const bool sw_;  // comparator structure with one step change per cycle
  std::vector<std::string> releaseLines_;
};

}  // namespace

void TrimSimpleFields(SimpleStepParams& p) {
  for (std::string* field : {&p.fcNumber, &p.fcName, &p.release1, &p.release2, &p.release3, &p.firstStep, &p.count,
                             &p.distance, &p.release4}) {
    *field = TrimSpaces(*field);
  }
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
  if (!result.ok()) return result;

  // The block number is written from its value: "$50" and "080" are FC 80.
  const std::string address = "FC " + std::to_string(numbering.fcNumber);
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
