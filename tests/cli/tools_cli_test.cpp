// The pointer and address subcommands: text and JSON, invalid inputs
// reported inside the output, usage errors.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/run_cli.h"
#include "text/cp1252.h"

namespace brendax::testing {
namespace {

std::vector<std::string> Keys(const nlohmann::ordered_json& doc) {
  std::vector<std::string> keys;
  for (const auto& item : doc.items()) keys.push_back(item.key());
  return keys;
}

TEST(ToolsCliTest, PointerTextInUtf8) {
  const CliRun run = RunCli({"pointer", "--variant", "pointer", "--area", "E", "--as-word", "off", "--as-byte", "on",
                             "--comment1", "off", "--load", "off", "--encoding", "utf-8"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty());
  EXPECT_EQ(run.out,
            "Lade Bytes in AWL (aufsteigend einzelne Bytes):\r\n"
            "  B#16#00        // DB-Nummer H-Byte         \r\n"
            "  B#16#01        // DB-Nummer L-Byte         \r\n"
            "  B#16#81        // Bereich Eingänge         \r\n"
            "  B#16#00        // Adresse                  \r\n"
            "  B#16#00        // Adresse                  \r\n"
            "  B#16#00        // Adresse L-Byte           \r\n"
            "\r\n");
}

TEST(ToolsCliTest, PointerJsonHoldsListingAndBytes) {
  const CliRun run = RunCli({"pointer", "--json", "--datatype", "STRING", "--repeat", "254", "--db", "7", "--area", "M",
                             "--address", "65535.7"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto doc = nlohmann::ordered_json::parse(run.out);
  EXPECT_EQ(Keys(doc), (std::vector<std::string>{"generator", "error", "lines", "bytes"}));
  EXPECT_EQ(doc["generator"], "pointer");
  EXPECT_TRUE(doc["error"].is_null());
  EXPECT_EQ(doc["bytes"], (std::vector<int>{0x10, 0x13, 0x00, 0xFE, 0x00, 0x07, 0x83, 0x07, 0xFF, 0xFF}));
  ASSERT_EQ(doc["lines"].size(), 7u);
  EXPECT_EQ(doc["lines"][1], " L    W#16#1013      // B0..B1 | S7-Kennung                Datentyp STRING          ");
  EXPECT_EQ(doc["lines"][6], "");
}

TEST(ToolsCliTest, PointerInvalidInputsAreListedNotFailed) {
  const CliRun text = RunCli({"pointer", "--repeat", "0", "--db", "65536", "--address", ".5", "--encoding", "utf-8"});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_TRUE(text.err.empty());
  EXPECT_TRUE(
      text.out.ends_with("Fehler:\r\n- Wiederholfaktor ist nicht zulässig!\r\n"
                         "- DB-Nummer ist nicht zulässig!\r\n- Adressangabe nicht korrekt!\r\n\r\n"))
      << text.out;

  const CliRun json = RunCli({"pointer", "--json", "--variant", "any-parameter", "--number", "-1"});
  ASSERT_EQ(json.status, 0) << json.err;
  const auto doc = nlohmann::ordered_json::parse(json.out);
  EXPECT_TRUE(doc["error"].is_null());
  EXPECT_EQ(doc["lines"].back(), "");
  EXPECT_EQ(doc["lines"][doc["lines"].size() - 2], "- Nummer ist nicht zulässig!");
  EXPECT_EQ(doc["bytes"][8], 0);
  EXPECT_EQ(doc["bytes"][9], 0);
}

TEST(ToolsCliTest, AddressJsonOfTheExample) {
  const CliRun run = RunCli({"address", "--json", "--start-address", "20.0", "--start-number", "1", "--end-number",
                             "23", "--sought", "end-address"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto doc = nlohmann::ordered_json::parse(run.out);
  EXPECT_EQ(Keys(doc),
            (std::vector<std::string>{"generator", "error", "fields", "distance", "marks", "invalid", "inputError"}));
  EXPECT_EQ(doc["generator"], "address");
  EXPECT_TRUE(doc["error"].is_null());
  EXPECT_EQ(Keys(doc["fields"]),
            (std::vector<std::string>{"start-address", "start-number", "end-address", "end-number"}));
  EXPECT_EQ(doc["fields"]["end-address"], "22.6");
  EXPECT_EQ(doc["distance"], 22);
  EXPECT_EQ(doc["marks"]["end-address"], "X");
  EXPECT_EQ(doc["marks"]["end-number"], "");
  EXPECT_TRUE(doc["invalid"].empty());
  EXPECT_EQ(doc["inputError"], false);
}

TEST(ToolsCliTest, AddressInvalidInputsAndOutOfRangeResult) {
  const CliRun invalid = RunCli({"address", "--json", "--start-address", "5.a", "--end-number", "-1", "--sought",
                                 "start-number", "--start-number", "17"});
  ASSERT_EQ(invalid.status, 0) << invalid.err;
  const auto doc = nlohmann::ordered_json::parse(invalid.out);
  EXPECT_TRUE(doc["error"].is_null());
  EXPECT_EQ(doc["fields"]["start-number"], "Error");
  EXPECT_EQ(doc["invalid"], (std::vector<std::string>{"start-address", "end-number"}));
  EXPECT_EQ(doc["inputError"], true);
  EXPECT_EQ(doc["distance"], 0);

  // The sought field keeps the text it showed.
  const CliRun kept = RunCli({"address", "--json", "--start-address", "7.7", "--start-number", "1", "--end-number",
                              "10", "--sought", "start-address"});
  ASSERT_EQ(kept.status, 0) << kept.err;
  const auto keptDoc = nlohmann::ordered_json::parse(kept.out);
  EXPECT_EQ(keptDoc["fields"]["start-address"], "7.7");
  EXPECT_EQ(keptDoc["distance"], 0);
  EXPECT_EQ(keptDoc["inputError"], false);
}

TEST(ToolsCliTest, UsageErrorsExitWithTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {"pointer", "--variant", "ANY"},  {"pointer", "--area", "Q"},     {"pointer", "--datatype", "LREAL"},
      {"pointer", "--transfer", "yes"}, {"address", "--sought", "end"}, {"address", "--distance", "3"},
  };
  for (const auto& args : cases) {
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 2) << args[1] << " " << args[2];
    EXPECT_TRUE(run.out.empty());
    EXPECT_FALSE(run.err.empty());
  }
}

}  // namespace
}  // namespace brendax::testing
