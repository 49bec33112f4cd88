// The main window under load: the largest output of each generator shown,
// switched between source and symbols, copied to the clipboard and cleared,
// round after round, without the memory of the process growing.
#include <QPushButton>
#include <QtTest>
#include <fstream>
#include <functional>

#include "app/main_window.h"
#include "core/mnemonics.h"
#include "datablocks/db_source.h"
#include "datablocks/message_db.h"
#include "datablocks/target_actual.h"
#include "stepseq/extended_step.h"
#include "stepseq/simple_step.h"
#include "support/recording_seams.h"
#include "symbols/symbol_generator.h"

#if defined(__SANITIZE_ADDRESS__)
// Freed memory is held back for a while to catch use after free; keep that
// small, so that what is measured is the program's own memory.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16:thread_local_quarantine_size_kb=256"; }
#endif

namespace {

using namespace brendax;

constexpr int kRounds = 20;

// The resident memory of this process, in bytes.
long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0;
  long resident = 0;
  statm >> size >> resident;
  return resident * 4096;
}

struct LargeOutput {
  const char* name;
  std::function<GeneratorResult()> generate;
};

// The largest run each generator allows (the data block source at a
// quarter of its 32768 variables, to keep the sanitizer build fast).
std::vector<LargeOutput> LargestOutputs() {
  return {
      {"symbols",
       [] {
         SymbolParams p = SymbolExampleInterface();
         p.count = std::to_string(kMaxSymbolCount);
         return GenerateSymbols(p, GermanMnemonics());
       }},
      {"simple step sequence",
       [] {
         SimpleStepParams p = DefaultsOf(SimpleStepFields());
         p.structure = kSimpleComparator;
         p.firstStep = "0";
         p.distance = "1";
         p.count = "1000";
         return GenerateSimpleStep(p, GermanMnemonics());
       }},
      {"extended step sequence",
       [] {
         ExtendedStepParams p = ExtendedExample1();
         p.timers = true;
         p.backward = true;
         p.maxSteps = "512";
         p.firstStep = "0";
         p.distance = "1";
         p.count = "512";
         return GenerateExtendedStep(p, GermanMnemonics());
       }},
      {"data block source",
       [] {
         DbSourceParams p = DefaultsOf(DbSourceFields());
         p.count = "8192";
         return GenerateDbSource(p);
       }},
      {"message data block",
       [] {
         MessageDbParams p = DefaultsOf(MessageDbFields());
         p.count = "10000";
         p.variant = kMessageUdtAndDbAcks;
         return GenerateMessageDb(p);
       }},
      {"target/actual data block",
       [] {
         TargetActualParams p = DefaultsOf(TargetActualFields());
         p.doubleWords = "32";
         p.variants = "64";
         return GenerateTargetActual(p);
       }},
  };
}

}  // namespace

class StressTest : public QObject {
  Q_OBJECT

 private slots:
  void RepeatedRoundsKeepTheMemoryFlat() {
    std::vector<std::pair<const char*, GeneratorResult>> results;
    for (const auto& output : LargestOutputs()) {
      GeneratorResult result = output.generate();
      QVERIFY2(result.ok(), output.name);
      QVERIFY2(!result.lines.empty() || !result.symbols.empty(), output.name);
      results.emplace_back(output.name, std::move(result));
    }

    MainWindowFixture fixture;
    TForm1& window = *fixture.window;
    window.show();
    QPushButton* clear = Button(window, "Button1");
    QPushButton* copy = Button(window, "Button2");
    QPushButton* toggle = Button(window, "Button4");

    long firstRound = 0;
    for (int round = 1; round <= kRounds; ++round) {
      for (const auto& [name, result] : results) {
        // As a generator dialog does: prepare the views, then hand over the result.
        if (result.symbols.empty())
          window.PrepareSourceOutput();
        else if (result.lines.empty())
          window.PrepareSymbolOutput();
        else
          window.PrepareSourceAndSymbolOutput();
        window.ShowGeneratorResult(result, &window);
        QCoreApplication::processEvents();
        if (toggle->isEnabled()) {
          toggle->click();
          toggle->click();
        }
        QVERIFY2(copy->isEnabled(), name);
        copy->click();
        QVERIFY2(!fixture.seams.clipboard.isEmpty() && !fixture.seams.clipboard.back().isEmpty(), name);
        clear->click();
        QCoreApplication::processEvents();
      }
      fixture.seams.clipboard.clear();
      if (round == 1) firstRound = ResidentBytes();
    }
    const long lastRound = ResidentBytes();
    qInfo("resident memory after round 1: %ld KiB, after round %d: %ld KiB", firstRound / 1024, kRounds,
          lastRound / 1024);
    QVERIFY2(lastRound <= firstRound + firstRound / 10, "the resident memory grew by more than 10%");
  }
};

QTEST_MAIN(StressTest)
#include "stress_test.moc"
