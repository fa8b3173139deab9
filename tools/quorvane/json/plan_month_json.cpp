#include "plan_month_json.h"

#include "master/modell.h"

namespace qrv::tool {

namespace {

Json Fehler(const std::string& ansi) {
  return {{"Fehler", Utf8(ansi)}};
}

Json ProfilJson(const PlanTagAnsicht& t) {
  if (!t.ProfilFehler.empty()) return Fehler(t.ProfilFehler);
  const int32_t nummer = t.VersionNr;
  const int32_t modell = nummer == kModellKeinZutritt ? kModellKeinZutritt : nummer % 1000;
  return {{"Modell", modell},
          {"Version", nummer},
          {"Name", Utf8(t.VersionName)},
          {"Soll", DurationText(t.Soll)}};
}

Json TagJson(const TPlanMonat& rec, const PlanTagAnsicht& t) {
  Json j = Json::object();
  const int32_t d = t.Tag;
  j["Tag"] = d;
  j["Modelle"] = rec.Modelle[d - 1];
  j["Kennungen"] = rec.Kennungen[d - 1];
  j["FesteTage"] = InTagen(rec.FesteTage, d);
  j["SchichtTage"] = InTagen(rec.SchichtTage, d);
  j["GetModellNr"] = t.ModellNrFehler.empty() ? Json(t.ModellNr) : Fehler(t.ModellNrFehler);
  j["Profil"] = ProfilJson(t);
  return j;
}

}  // namespace

void to_json(Json& j, const PlanMonatAnsicht& p) {
  j = Json::object();
  j["Jahr"] = p.Jahr;
  j["Monat"] = p.Monat;
  j["Nummer"] = p.Nummer;
  j["VorlageNr"] = p.VorlageNr;
  j["VorlageAb"] = DateJson(p.VorlageAb);
  j["Gesperrt"] = p.Rec->Gesperrt;
  Json tage = Json::array();
  for (const PlanTagAnsicht& t : p.Tage) {
    if (t.Tag >= 1 && t.Tag <= kPlanTage) tage.push_back(TagJson(*p.Rec, t));
  }
  j["Tage"] = tage;
}

}  // namespace qrv::tool
