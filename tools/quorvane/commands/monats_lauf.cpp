#include "monats_lauf.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "config/konfig.h"
#include "json/mon_ergebnis_json.h"
#include "json/monatswerte_json.h"
#include "master/person_file.h"
#include "tool.h"

namespace qrv::tool {

std::vector<int> DefinierteKonten(const TKontoDefs& defs) {
  std::vector<int> konten;
  for (int k = 1; k <= defs.KontoAnzahl && k <= kKonten; ++k) {
    if (defs[k].Art != kaUnbenutzt) konten.push_back(k);
  }
  return konten;
}

namespace {

// A whole day as a date, a point within a day (an end at "now") with its time.
Json DatumJson(TDateTime t) {
  return t == std::floor(t) ? DateJson(t) : DateTimeJson(t);
}

bool Haelt(const TMonat& m, uint16_t jahr, uint16_t monat) {
  return m.KeyA == jahr && m.KeyB == monat;
}

}  // namespace

MonatsLauf::MonatsLauf(TBibliothek& lib, int32_t persNr)
    : person_(&lib.PersonFile(), false),
      abrech_(std::make_unique<TMonAbrech>(lib.Abrechnung())),
      konten_(DefinierteKonten(lib.Konfig().KontoDefs)) {
  LadePerson(person_, persNr);
  abrech_->Person = &person_;
}

void MonatsLauf::Abrechnen(uint16_t jahr, uint16_t monat, uint16_t tag, TDateTime ende,
                           TSpur* spur) {
  abrech_->Spur = spur;
  abrech_->Monatsabrechnung(jahr, monat, tag, ende);
}

const TMonatTag* MonatsLauf::TagAm(TDateTime datum) const {
  uint16_t y, m, d;
  DecodeDate(datum, &y, &m, &d);
  if (Haelt(abrech_->AktMonat, y, m)) return &abrech_->AktMonat.Daten.Tag(d);
  if (Haelt(abrech_->Vormonat, y, m)) return &abrech_->Vormonat.Daten.Tag(d);
  return nullptr;
}

std::vector<AbrechTagAnsicht> MonatsLauf::Tage() const {
  std::vector<AbrechTagAnsicht> tage;
  for (TDateTime d = std::floor(abrech_->Von); d <= abrech_->Bis; d += 1) {
    if (const TMonatTag* tag = TagAm(d)) tage.push_back({d, tag, konten_});
  }
  return tage;
}

Json MonatsLauf::ToJson() const {
  const TMonAbrech& a = *abrech_;
  Json j = Json::object();
  j["PersNr"] = person_.Rec.PersNr;
  j["Name"] = Utf8(GetShort(person_.Rec.Name));
  j["Vorname"] = Utf8(GetShort(person_.Rec.Vorname));
  j["Von"] = DatumJson(a.Von);
  j["Bis"] = DatumJson(a.Bis);
  j["Vormonat"] = MonatsWerteAnsicht{a.Vormonat.KeyA, a.Vormonat.KeyB, &a.Vormonat.Daten, konten_};
  j["Monat"] = MonatsWerteAnsicht{a.AktMonat.KeyA, a.AktMonat.KeyB, &a.AktMonat.Daten, konten_};
  j["MonErgebnis"] = MonErgebnisAnsicht{&a.AktMonat.Daten.MonErgebnis, konten_};
  j["Tage"] = Tage();
  return j;
}

}  // namespace qrv::tool
