// The stored forms: their byte layout inside the settings record, the cut
// to each field's maximum, and a round trip through the settings file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/settings.h"
#include "support/run_cli.h"
#include "symbols/symbol_templates.h"
#include "text/cp1252.h"

namespace brendax {
namespace {

SymbolParams FullForm() {
  SymbolParams p = SymbolExampleCylinder();
  p.count = "$10";
  p.area = kAreaOutputs;
  p.c1Start = "-7";
  p.c1Step = "2";
  p.c2Start = "300";
  p.c2Step = "-1";
  p.c3Start = "5";
  p.startAddress = "12.3";
  p.startAddress2 = "0.0";
  p.t1Seq3 = "drei";
  p.t2Seq4 = "vier";
  p.simplifiedView = false;
  return p;
}

std::string Bytes(const SettingsRecord& r, std::size_t offset, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(r.bytes().data()) + offset, size);
}

TEST(SymbolTemplatesTest, ByteLayoutAtItsOffsets) {
  SettingsRecord record;
  WriteSymbolTemplate(record, 3, TemplateFromForm(FullForm(), "Zylinder"));
  const std::size_t base = 268 + 2 * 288;
  ASSERT_EQ(SettingsRecord::TemplateOffset(3), base);
  const struct {
    std::size_t offset;
    std::string bytes;
  } fields[] = {
      {0, std::string("\x08Zylinder", 9)},
      {21, std::string("\x01", 1)},
      {24, std::string("\x10\0\0\0", 4)},
      {28, std::string("\x01\0\0\0", 4)},
      {32, std::string("\xF9\xFF\xFF\xFF", 4)},
      {36, std::string("\x02\0\0\0", 4)},
      {40, std::string("\x2C\x01\0\0", 4)},
      {44, std::string("\xFF\xFF\xFF\xFF", 4)},
      {48, std::string("\x05\0\0\0", 4)},
      {52, std::string("\x04"
                       "12.3",
                       5)},
      {61, std::string("\x03"
                       "0.0",
                       4)},
      {70, std::string("\x04"
                       "ausg",
                       5)},
      {87, std::string("\x04"
                       "eing",
                       5)},
      {104, std::string("\x04"
                        "drei",
                        5)},
      {121, std::string("\0", 1)},
      {138, std::string("\x0B"
                        "ausgefahren",
                        12)},
      {155, std::string("\x0B"
                        "eingefahren",
                        12)},
      {172, std::string("\0", 1)},
      {189, std::string("\x04"
                        "vier",
                        5)},
      {206, std::string("\x10"
                        "E<A1>Zyl<C3><T1>",
                        17)},
      {247, std::string("\x12"
                        "Zylinder <C3> <T2>",
                        19)},
  };
  for (const auto& f : fields) EXPECT_EQ(Bytes(record, base + f.offset, f.bytes.size()), f.bytes) << f.offset;
  // Nothing outside template 3 was written.
  SettingsRecord fresh;
  EXPECT_EQ(Bytes(record, 0, base), Bytes(fresh, 0, base));
  EXPECT_EQ(Bytes(record, base + 288, SettingsRecord::kSize - base - 288),
            Bytes(fresh, base + 288, SettingsRecord::kSize - base - 288));
}

TEST(SymbolTemplatesTest, RoundTripThroughTheSettingsFileKeepsForeignBytes) {
  const std::string dir = testing::MakeTempDir();
  const std::string path = dir + "/brendax.set";
  SettingsRecord record;
  // Bytes that are not ours: the template's padding, the tail after a text,
  // the neighbouring template and the step-sequence option.
  const std::size_t base = SettingsRecord::TemplateOffset(8);
  record.bytes()[base + 22] = 0xAB;
  record.bytes()[base + 23] = 0xCD;
  record.bytes()[base + 246] = 0x77;  // last byte of the symbol field
  record.bytes()[SettingsRecord::TemplateOffset(7) + 5] = 0x55;
  record.setNetworkPerStep(true);
  const SymbolTemplate stored = TemplateFromForm(FullForm(), "Letzte");
  WriteSymbolTemplate(record, 8, stored);
  ASSERT_TRUE(SaveSettingsFile(path, record));

  const SettingsRecord loaded = LoadSettingsFile(path);
  EXPECT_EQ(loaded.bytes(), record.bytes());
  EXPECT_EQ(ReadSymbolTemplate(loaded, 8), stored);
  EXPECT_EQ(loaded.bytes()[base + 22], 0xAB);
  EXPECT_EQ(loaded.bytes()[base + 23], 0xCD);
  EXPECT_EQ(loaded.bytes()[base + 246], 0x77);
  EXPECT_EQ(loaded.bytes()[SettingsRecord::TemplateOffset(7) + 5], 0x55);
  EXPECT_TRUE(loaded.networkPerStep());

  // Loaded back, the form is the one saved, numbers in decimal.
  SymbolParams expected = FullForm();
  expected.count = "16";
  EXPECT_EQ(FormFromTemplate(ReadSymbolTemplate(loaded, 8)), expected);
  std::filesystem::remove_all(dir);
}

TEST(SymbolTemplatesTest, TextsAreCutToTheirFieldsAndBadNumbersStoredAsZero) {
  SymbolParams p = FullForm();
  p.startAddress = "123456789.0";
  p.t1Seq1 = std::string(17, 'a');
  p.t2Seq2 = std::string(16, 'b');
  p.symbol = std::string(41, 's');
  p.comment = std::string(40, 'k') + "<C1>";
  p.count = "8 ";
  p.c2Step = "";
  p.c3Start = "x";
  SettingsRecord record;
  WriteSymbolTemplate(record, 1, TemplateFromForm(p, "Ein sehr langer Name 12345"));
  const SymbolTemplate t = ReadSymbolTemplate(record, 1);
  EXPECT_EQ(t.name, "Ein sehr langer Name");
  EXPECT_EQ(t.startAddress, "12345678");
  EXPECT_EQ(t.t1[0], std::string(16, 'a'));
  EXPECT_EQ(t.t2[1], std::string(16, 'b'));
  EXPECT_EQ(t.symbol, std::string(40, 's'));
  EXPECT_EQ(t.comment, std::string(40, 'k'));
  EXPECT_EQ(t.count, 0);
  EXPECT_EQ(t.c2Step, 0);
  EXPECT_EQ(t.c3Start, 0);
  EXPECT_EQ(t.c1Start, -7);
  EXPECT_EQ(SymbolTemplateName(record, 1), "Ein sehr langer Name");
  EXPECT_EQ(LoadEntryCaption(3, t.name), "Lade Vorlage 3 : Ein sehr langer Name");
}

TEST(SymbolTemplatesTest, NeverSavedTemplateLoadsEmptyAndFailsWithError4) {
  const SymbolParams p = FormFromTemplate(ReadSymbolTemplate(SettingsRecord{}, 5));
  EXPECT_TRUE(p.simplifiedView);
  EXPECT_EQ(p.count, "0");
  EXPECT_EQ(p.area, kAreaInputs);
  EXPECT_EQ(p.c1Start, "0");
  EXPECT_EQ(p.startAddress, "");
  EXPECT_EQ(p.symbol, "");
  EXPECT_EQ(p.t2Seq4, "");
  const GeneratorResult r = GenerateSymbols(p, GermanMnemonics());
  EXPECT_EQ(ErrorBoxText(r), Ansi("Error: 4 / Startadresse ungültig !"));
  EXPECT_EQ(r.rowCount(), 1);
  EXPECT_EQ(LoadEntryCaption(5, ""), "Lade Vorlage 5 : ");
}

}  // namespace
}  // namespace brendax
