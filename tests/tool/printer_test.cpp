// The one text printer and the message lines: what --format text and stderr show is drawn from
// the JSON values alone.
#include <gtest/gtest.h>

#include <sstream>

#include "output/messages.h"
#include "output/printer.h"

namespace qrv::tool {
namespace {

std::string Text(const Json& j) {
  std::ostringstream out;
  PrintText(out, j);
  return out.str();
}

TEST(TextPrinter, FieldListing) {
  const Json j = Json::parse(R"({
    "Name": "Müller", "BerechnetAm": null, "Belegt": true, "Frei": ["a", "", "c"],
    "Kernzeit": {"Aktiv": true, "Von": "9:00"},
    "Hinweis": "erste Zeile\r\nzweite Zeile"})");
  EXPECT_EQ(Text(j),
            "Name: Müller\n"
            "BerechnetAm:\n"  // no date: empty, never 1899-12-30
            "Belegt: true\n"
            "Frei: a  c\n"
            "Kernzeit.Aktiv: true\n"
            "Kernzeit.Von: 9:00\n"
            "Hinweis: erste Zeile\n"
            "         zweite Zeile\n");
}

// Columns as wide as their widest cell in characters (an umlaut is one), lists of values and of
// flat records in one cell, a missing field empty, no blanks after a row's last value.
TEST(TextPrinter, Table) {
  const Json j = Json::parse(R"([
    {"Tag": 3, "Fehlzeit": "", "Buchungen": [{"Zeit": "07:58", "Art": 1}, {"Zeit": "16:30", "Art": 2}]},
    {"Tag": 4, "Fehlzeit": "ü", "Buchungen": [], "Extra": null},
    {"Tag": 10, "Fehlzeit": "k", "Buchungen": [], "Extra": [1, 2]}])");
  EXPECT_EQ(Text(j),
            "Tag  Fehlzeit  Buchungen         Extra\n"
            "3              07:58 1, 16:30 2\n"
            "4    ü\n"
            "10   k                           1 2\n");
}

TEST(TextPrinter, ListFieldsAsTableOrBlocks) {
  const Json flat =
      Json::parse(R"({"Jahr": 2025, "Liste": [{"Name": "Neujahr", "Datum": "2025-01-01"}]})");
  EXPECT_EQ(Text(flat),
            "Jahr: 2025\n"
            "Liste:\n"
            "  Name     Datum\n"
            "  Neujahr  2025-01-01\n");
  // Records with records inside do not fit a table: one block each, nothing as JSON.
  const Json nested = Json::parse(R"({"Versionen": [{"Nummer": 1, "Rahmen": {"Von": "6:00"}}]})");
  EXPECT_EQ(Text(nested),
            "Versionen:\n"
            "  Versionen 1:\n"
            "    Nummer: 1\n"
            "    Rahmen.Von: 6:00\n");
}

TEST(Printer, JsonIsTheDefault) {
  std::ostringstream json, text;
  Print(json, "json", Json::parse(R"({"a": null})"));
  Print(text, "text", Json::parse(R"({"a": null})"));
  EXPECT_EQ(json.str(), "{\n  \"a\": null\n}\n");
  EXPECT_EQ(text.str(), "a:\n");
}

TEST(Messages, LineBreaksOfTheLibrary) {
  const struct {
    const char* label;
    const char* text;
    std::vector<std::string> lines;
  } cases[] = {
      {"CR LF",
       "Personen-Dateifehler\r\nDatei nicht gefunden",
       {"Personen-Dateifehler", "Datei nicht gefunden"}},
      {"lone CR", "a\rb", {"a", "b"}},
      {"LF", "a\nb", {"a", "b"}},
      {"CR LF at the end", "a\r\n", {"a"}},
      {"empty line kept", "a\r\n\r\nb", {"a", "", "b"}},
      {"one line", "a", {"a"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << c.label;
  std::ostringstream err;
  Report(err, "Modell-Dateifehler\r\nE/A-Fehler 5\rSMOD1.DAT");
  EXPECT_EQ(err.str(),
            "quorvane: Modell-Dateifehler\n"
            "quorvane: E/A-Fehler 5\n"
            "quorvane: SMOD1.DAT\n");
}

}  // namespace
}  // namespace qrv::tool
