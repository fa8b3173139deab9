#include "person_json.h"

#include <cstdio>
#include <string>

namespace qrv {

namespace {

using tool::DateJson;
using tool::DateTimeJson;
using tool::DurationText;
using tool::Json;
using tool::Utf8;

template <size_t N>
std::string Text(const std::array<uint8_t, N>& s) {
  return Utf8(GetShort(s));
}

Json Bytes(const uint8_t* p, size_t n) {
  Json a = Json::array();
  for (size_t i = 0; i < n; ++i) a.push_back(p[i]);
  return a;
}

std::string Hex(const uint8_t* p, size_t n) {
  std::string s;
  char buf[3];
  for (size_t i = 0; i < n; ++i) {
    std::snprintf(buf, sizeof buf, "%02X", p[i]);
    s += buf;
  }
  return s;
}

void AddTexts(const TPersonRec& p, Json& j) {
  j["Name"] = Text(p.Name);
  j["Vorname"] = Text(p.Vorname);
  j["Text1"] = Text(p.Text1);
  j["Text2"] = Text(p.Text2);
  j["Text3"] = Text(p.Text3);
  j["Text4"] = Text(p.Text4);
  j["Text5"] = Text(p.Text5);
  j["Text6"] = Text(p.Text6);
  j["Text7"] = Text(p.Text7);
  j["Text8"] = Text(p.Text8);
  Json frei = Json::array();
  for (const auto& f : p.Frei) frei.push_back(Text(f));
  j["Frei"] = frei;
}

void AddNumbers(const TPersonRec& p, Json& j) {
  j["VorlageNr"] = p.VorlageNr;
  j["VorlageAb"] = DateJson(p.VorlageAb);
  j["Wert1"] = p.Wert1;
  j["BerVorNr"] = p.BerVorNr;
  j["Wert2"] = p.Wert2;
  j["Wert3"] = p.Wert3;
  j["Wert4"] = p.Wert4;
  j["AltVorlageNr"] = p.AltVorlageNr;
  j["Text9"] = Text(p.Text9);
  j["Rechte1"] = Bytes(p.Rechte1.data(), 6);
  j["Rechte2"] = Bytes(p.Rechte2.data(), 6);
  j["Rechte3"] = Bytes(p.Rechte3.data(), 6);
  j["GruppeNr"] = p.GruppeNr;
  j["Jahreswert"] = p.Jahreswert;
  j["Wert5"] = p.Wert5;
  j["Eintrittswert"] = p.Eintrittswert;
  j["Wert6"] = p.Wert6;
  j["Uebertrag"] = p.Uebertrag != 0;
  j["Eintritt"] = DateJson(p.Eintritt);
  j["Austritt"] = DateJson(p.Austritt);
  j["Wert7"] = p.Wert7;
  j["Wert8"] = p.Wert8;
}

void AddRest(const TPersonRec& p, Json& j) {
  j["Bemerkung"] = Utf8(GetBemerkung(p));
  j["Belegt"] = p.Belegt != 0;
  j["Schalter2"] = p.Schalter2 != 0;
  j["Schalter3"] = p.Schalter3 != 0;
  j["Betrag1"] = p.Betrag1;
  j["Betrag2"] = p.Betrag2;
  j["Kurz1"] = Text(p.Kurz1);
  j["Kurz2"] = Text(p.Kurz2);
  j["Kurz3"] = Text(p.Kurz3);
  j["Zeitpunkt1"] = DateTimeJson(p.Zeitpunkt1);
  j["Zeitpunkt2"] = DateTimeJson(p.Zeitpunkt2);
  j["Zeitpunkt3"] = DurationText(p.Zeitpunkt3);
  j["Wert9"] = p.Wert9;
  j["Wert10"] = p.Wert10;
  j["Zeitpunkt4"] = DateTimeJson(p.Zeitpunkt4);
  j["Zeitpunkt5"] = p.Zeitpunkt5;
  j["Statusflag"] = p.Statusflag != 0;
  j["StatusBis"] = DateTimeJson(p.StatusBis);
  j["Wert11"] = p.Wert11;
  j["Block"] = Hex(p.Block.data(), p.Block.size());
}

}  // namespace

void to_json(Json& j, const TPersonRec& p) {
  j = Json::object();
  j["PersNr"] = p.PersNr;
  j["AusweisNr"] = p.AusweisNr;
  AddTexts(p, j);
  AddNumbers(p, j);
  AddRest(p, j);
}

}  // namespace qrv
