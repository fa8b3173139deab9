// TPlan: one month of a plan, the model of each day and the individual day profiles of shift
// days, loaded from the personal and the shift plan file and completed from the plan template.
// Plan numbers below 100000 are persons' own plans; 100000 + n is the calendar of template n.
// The accounting loads the person's plan month by month and asks it for each day's profile.
#pragma once

#include <cstdint>
#include <memory>

#include "holidays/feiertage.h"
#include "master/modell_file.h"
#include "plans/plan_file.h"
#include "plans/plan_monat.h"
#include "plans/planvorlage.h"

namespace qrv {

class TModell;
class TPerson;

// The files a plan works with; all must outlive the plans and templates given them.
struct TPlanDateien {
  TMPlanFile& MPlan;
  TSPlanFile& SPlan;
  TPlanvorlFile& Planvorl;
  TModellFile& Modelle;
  TFeiertage& Feiertage;
};

class TPlan : public TFileData {
 public:
  // buffered: deferred-write mode (the accounting's plan); a template's calendar plan is not.
  explicit TPlan(const TPlanDateien& dateien, bool buffered = false);
  // Writes a pending save and takes its handler off the personal plan file.
  ~TPlan() override;

  std::unique_ptr<TPersistent> NewInstance() const override;
  // TFileData's copy; from another plan also the month, the template number and date.
  void Assign(const TPersistent& source) override;

  // VorlageNr and VorlageAb of the person; both 0 without a person.
  void SetPerson(const TPerson* person);
  // Loads month monat of jahr of plan nummer unless it is held and current, and completes it
  // from the template. mitVorlage: a missing month is created through NeuerMonat (which fails
  // for a plan without a template); otherwise it is created empty.
  void LadeMonat(uint16_t jahr, uint16_t monat, bool mitVorlage, int32_t nummer);
  // The day profile that applies on day tag of the loaded month and the model version that
  // holds the model's profile for that date. A shift day answers its own profile.
  void GetTag(int32_t tag, Tagesprofil& profil, ModellVersion*& modellWoche);
  // The model of day tag: from the template on and after VorlageAb (persons' plans with a
  // template), else Modelle of the day; 0 for a day outside the month.
  uint16_t GetModellNr(int32_t tag);
  // Fills the profile of every day that is not a shift day from its model.
  void FuelleTagesprofile();
  // Writes the month to the personal plan file, and to the shift plan file when it has shift
  // days; nothing while the save is held back or the month is locked (Gesperrt).
  void Save() override;
  // The personal plan file's OnNewRecord handler: a missing month takes the template's models.
  void NeuerMonat(TFile& file, void* raw, void* object, int32_t jahr, int32_t monatNr,
                  int32_t planNr);

  // The template object (created on first use) and the model object (likewise).
  TPlanvorlage& Vorlage();
  TModell& Modell();

  TDateTime VorlageAb = 0;
  int32_t VorlageNr = 0;
  TPlanMonat Rec{};
  int32_t TageImMonat = 0;

 private:
  TDateTime Datum(int32_t tag) const;
  // The template's model for day d of a month of plan nummer.
  uint16_t VorlagenModell(uint16_t jahr, uint16_t monat, int32_t d, int32_t nummer);
  void NachVorlage();
  // The model object holding model m.
  TModell& ModellMit(uint16_t m);
  void CheckTag(int32_t tag) const;

  TPlanDateien dateien_;
  std::unique_ptr<TPlanvorlage> vorlage_;
  std::unique_ptr<TModell> modell_;
};

}  // namespace qrv
