#include "mon_ergebnis_json.h"

#include <string>

#include "accounting/tag_ergebnis.h"

namespace qrv::tool {

double ErgebnisSumme(const TMonErgebnis& block, int pos) {
  const int at = ErgebnisPosition(pos);
  return at < 0 ? 0 : block.Werte[at];
}

void to_json(Json& j, const MonErgebnisAnsicht& e) {
  const TMonErgebnis& b = *e.Block;
  Json summen = Json::object();
  for (int pos = tpAnwesenheit; pos <= tpZusatz; ++pos) {
    if (ErgebnisPosition(pos) >= 0)
      summen[std::to_string(pos)] = DurationText(ErgebnisSumme(b, pos));
  }
  for (int k : e.Konten) {
    if (k >= tpKonto1 && k <= tpKonto40)
      summen[std::to_string(k)] = DurationText(ErgebnisSumme(b, k));
  }
  j = Json::object();
  j["TagErgebnis"] = summen;
  j["TagKonto"] = DurationsJson(&b.Werte[kErgTagKonto], kTagKonten);
  j["Arbeitstage"] = b.Werte[kErgArbeitstage];
  j["AnteilB"] = b.Werte[kErgAnteilB];
  j["AnteilA"] = b.Werte[kErgAnteilA];
  j["Feiertage"] = b.Feiertage;
  j["WarnTage"] = b.WarnTage;
  j["FehlerTage"] = b.FehlerTage;
  j["WochenLauf"] = DurationText(b.WochenLauf);
}

}  // namespace qrv::tool
