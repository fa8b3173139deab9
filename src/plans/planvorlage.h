// TPlanvorlFile: the plan template files SCHPLAN\GSPL<n>.DAT, one template per file.
// TPlanvorlage: one plan template in memory. It names the model a person's plan gets on days
// not planned by hand: one model for every day, or (kind 1) the day's model from a calendar of
// its own, the plan 100000 + template number. Template 1000 + m mirrors model m and is rewritten
// whenever the model is saved.
#pragma once

#include <cstdint>
#include <memory>

#include "files/cached_file.h"
#include "master/modell.h"
#include "plans/planvorlage_record.h"

namespace qrv {

class TPlan;
struct TPlanDateien;

inline constexpr char kPlanvorlCaption[] = "Planvorlagen";
inline constexpr char kAError[] = "AError";
// Numbers above this are the templates that mirror single models.
inline constexpr int32_t kModellVorlagenBasis = 1000;

// Also the models' observer: a saved model m rewrites its template 1000 + m (named as its newest
// version, with model m); a model without versions deletes it.
class TPlanvorlFile : public TCachedFile, public TModellBeobachter {
 public:
  // platform and konfig must outlive the file. A file shorter than its record reads as far as
  // it goes; the rest counts as zero.
  TPlanvorlFile(const platform::Platform& platform, const TKonfig& konfig);

  // The object buffer is a TPlanvorlageRec.
  void RawToObject(void* raw, void* object, int32_t a, int32_t b, int32_t c) override;
  void ObjectToRaw(void* raw, void* object, int32_t a, int32_t b, int32_t c) override;

  void ModellGespeichert(TModell& modell) override;
};

class TPlanvorlage : public TFileData {
 public:
  // A template that only loads, saves and edits its list (the model's save uses this one); its
  // GetModell cannot answer a kind-1 calendar and raises there. file must outlive the template.
  explicit TPlanvorlage(TPlanvorlFile& file);
  // A template that can answer its calendar; the files must outlive the template.
  explicit TPlanvorlage(const TPlanDateien& dateien);
  ~TPlanvorlage() override;

  std::unique_ptr<TPersistent> NewInstance() const override;
  // TFileData's copy; from another template also its record.
  void Assign(const TPersistent& source) override;

  // Loads template nummer. A missing template is created as a copy of template 1001; a template
  // whose model is none of its listed models is repaired (named "AError...") and written back.
  // Numbers outside 1..9999 raise "Ungültige Recordnummer".
  void LadeVorlage(int32_t nummer);
  // Writes the record as template KeyC unless the save is held back.
  void Save() override;
  // The template's file (or its backup) exists.
  bool Existiert();
  // Moves the template's file to its backup.
  void Loeschen();

  // Puts modell after list position pos (0 = in front) and sets pos to its new position. A
  // model already in the list moves there. Nothing happens when pos is beyond the list, and on
  // a full list a model not yet in it is refused; the answer says whether modell was placed.
  bool ModellEinfuegen(int32_t modell, int32_t& pos);
  // Removes the entry at position pos; pos stays within the shortened list.
  void ModellEntfernen(int32_t& pos);
  // The template's model for a day: Modell, or for kind 1 the calendar's model of that day (its
  // month is created from Modell when missing; 0 for a day outside 1..31).
  int32_t GetModell(uint16_t jahr, uint16_t monat, int32_t tag);
  // Makes model m the template's model, listed and not flagged (the model's own template).
  void ModellUebernehmen(int32_t m);

  int32_t Nummer() const { return KeyC; }

  TPlanvorlageRec Rec{};

 private:
  void Reparieren(int32_t nummer);
  void KopieVon1001(int32_t nummer);
  void SaveUnlessReadOnly();

  TPlanvorlFile& file_;
  std::unique_ptr<TPlanDateien> dateien_;
  std::unique_ptr<TPlan> plan_;  // the kind-1 calendar, created on first use
};

}  // namespace qrv
