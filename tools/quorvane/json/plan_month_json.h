// A month of a plan as the tool shows it: per day the stored model and code, whether the day was
// set by hand or has a shift profile, and what the plan answers for it: the model the template
// gives (GetModellNr) and the model version and target time of the profile that applies. Those
// answers are computed by the plan (TPlan) and may fail per day; the view holds them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "master/modell_version.h"
#include "output/format.h"
#include "plans/plan_monat.h"

namespace qrv::tool {

struct PlanTagAnsicht {
  int32_t Tag = 0;
  int32_t ModellNr = 0;        // GetModellNr
  std::string ModellNrFehler;  // ANSI; set when GetModellNr raised
  // The model week GetTag answered, copied at once: the plan loads the next day's model into the
  // same object, so a pointer into it would not last.
  int32_t VersionNr = 0;
  std::string VersionName;   // ANSI
  TDateTime Soll = 0;        // the profile's target time
  std::string ProfilFehler;  // ANSI; set when GetTag raised
};

struct PlanMonatAnsicht {
  int32_t Jahr = 0;
  int32_t Monat = 0;
  int32_t Nummer = 0;  // a person, or 100000 + a template
  int32_t VorlageNr = 0;
  TDateTime VorlageAb = 0;
  const TPlanMonat* Rec = nullptr;
  std::vector<PlanTagAnsicht> Tage;
};

void to_json(Json& j, const PlanMonatAnsicht& p);

}  // namespace qrv::tool
