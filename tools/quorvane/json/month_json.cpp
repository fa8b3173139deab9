#include "month_json.h"

#include <string>

#include "month/monat.h"

namespace qrv {

void to_json(tool::Json& j, const TBuchung& b) {
  j = {
      {"Zeit", tool::DateTimeJson(b.Zeit)}, {"Art", b.Art}, {"Code1", b.Code1}, {"Code2", b.Code2}};
}

}  // namespace qrv

namespace qrv::tool {

namespace {

// A layout's account count, within the accounts the data block holds.
int Anzahl(int32_t n) {
  return n < 0 ? 0 : (n > kKonten ? kKonten : n);
}

void AddAccounts(const MonatAnsicht& m, Json& j) {
  const TMonatDaten& d = *m.Daten;
  j["MonTagKonto"] = DurationsJson(d.MonTagKonto, kTagKonten);
  j["MonTagKontoKorr"] = DurationsJson(d.MonTagKontoKorr, kTagKonten);
  j["MonKonto"] = DurationsJson(d.MonKonto, Anzahl(m.Anz4));
  j["MonKontoKorr"] = DurationsJson(d.MonKontoKorr, Anzahl(m.Anz4));
}

void AddValues(const MonatAnsicht& m, Json& j) {
  const TMonatDaten& d = *m.Daten;
  j["BerechnetAm"] = DateTimeJson(d.BerechnetAm);
  j["BerechnetBis"] = d.BerechnetBis;
  j["MonSaldo"] = DurationText(d.MonSaldo);
  j["MonSaldoKorr"] = DurationText(d.MonSaldoKorr);
  j["MonAnteilB"] = d.MonAnteilB;
  j["MonAnteilBKorr"] = d.MonAnteilBKorr;
  j["MonAnteilA"] = d.MonAnteilA;
  j["MonAnteilAKorr"] = d.MonAnteilAKorr;
  AddAccounts(m, j);
  j["MonWarnTage"] = d.MonWarnTage;
  j["MonWarnTageKorr"] = d.MonWarnTageKorr;
  j["MonFehlerTage"] = d.MonFehlerTage;
  j["MonFehlerTageKorr"] = d.MonFehlerTageKorr;
  if (!m.Kompakt) {
    j["MonInt"] = {d.MonInt1, d.MonInt2, d.MonInt3, d.MonInt4};
    j["MonUebertrag"] = d.MonUebertrag;
    j["MonFlag"] = d.MonFlag;
  }
}

}  // namespace

MonatAnsicht MonatAnsicht::Von(const TMonat& m) {
  return {m.KeyA, m.KeyB, m.KeyC, m.Kompakt, m.Anz2, m.Anz4, m.TageImMonat, &m.Daten};
}

void to_json(Json& j, const TagAnsicht& tag) {
  const TMonatTag& t = *tag.Daten;
  j = Json::object();
  // What a reader looks for first comes first: in a text table these are the left columns.
  j["Tag"] = tag.Tag;
  j["Fehlzeit"] = t.Fehlzeit > ' ' ? Utf8(std::string(1, t.Fehlzeit)) : "";
  Json buchungen = Json::array();
  for (int i = 0; i < t.Buchungszahl(); ++i) buchungen.push_back(t.Buchungen[i]);
  j["Buchungen"] = buchungen;
  j["Status"] = t.Status;
  j["TagZeit"] = DurationText(t.TagZeit);
  j["TagWort"] = t.TagWort;
  j["TagKonto"] = DurationsJson(t.TagKonto, kTagKonten);
  if (tag.Anz2 > 0) j["TagKontoWert"] = DurationsJson(t.TagKontoWert, Anzahl(tag.Anz2));
}

void to_json(Json& j, const MonatAnsicht& m) {
  j = Json::object();
  j["Jahr"] = m.Jahr;
  j["Monat"] = m.Monat;
  j["PersNr"] = m.PersNr;
  j["Layout"] = m.Kompakt ? "kompakt" : "voll";
  AddValues(m, j);
  Json tage = Json::array();
  for (int d = 1; d <= m.TageImMonat && d <= kMaxTage; ++d) {
    tage.push_back(TagAnsicht{d, m.Anz2, &m.Daten->Tag(d)});
  }
  j["Tage"] = tage;
}

}  // namespace qrv::tool
