#include "monatswerte_json.h"

#include <string>

namespace qrv::tool {

void to_json(Json& j, const MonatsWerteAnsicht& m) {
  const TMonatDaten& d = *m.Daten;
  Json konten = Json::object();
  for (int k : m.Konten) {
    if (k >= 1 && k <= kKonten) konten[std::to_string(k)] = DurationText(d.MonKonto[k - 1]);
  }
  j = Json::object();
  j["Jahr"] = m.Jahr;
  j["Monat"] = m.Monat;
  j["MonSaldo"] = DurationText(d.MonSaldo);
  j["MonAnteilA"] = d.MonAnteilA;
  j["MonAnteilB"] = d.MonAnteilB;
  j["MonFehlerTage"] = d.MonFehlerTage;
  j["MonWarnTage"] = d.MonWarnTage;
  j["MonTagKonto"] = DurationsJson(d.MonTagKonto, kTagKonten);
  j["MonKonto"] = konten;
  j["MonUebertrag"] = d.MonUebertrag;
  j["WochenLauf"] = DurationText(d.WochenLauf());
}

}  // namespace qrv::tool
