#include "plan_template_json.h"

namespace qrv {

void to_json(tool::Json& j, const TPlanvorlageRec& r) {
  j = tool::Json::object();
  j["Name"] = tool::Utf8(PlanvorlName(r));
  j["Art"] = r.Art;
  j["Modell"] = r.Modell;
  j["Anzahl"] = r.Anzahl;
  tool::Json liste = tool::Json::array();
  for (int32_t p = 1; p <= r.Anzahl && p <= kPlanvorlListe; ++p) {
    liste.push_back(
        {{"Pos", p}, {"Modell", r.Modelle[p - 1]}, {"Markiert", r.Markiert[p - 1] != 0}});
  }
  j["Modelle"] = liste;
}

}  // namespace qrv
