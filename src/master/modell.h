// TModell: a working-time model with its dated versions, newest first. The monthly accounting
// asks it for the day profile of a date; the plans name models by number. Model 9000 is the
// model without any working time; a missing model is created as a copy of model 1.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "files/record_file.h"
#include "holidays/feiertage.h"
#include "master/modell_file.h"
#include "master/modell_version.h"

namespace qrv {

class TModell;

inline constexpr int32_t kModellKeinZutritt = 9000;
inline constexpr char kMsgKeinZutritt[] = "Kein Zutritt";

// Told after a model has been written, so that what mirrors the model (the plan layer keeps a
// plan template per model) follows it. The model layer knows nothing of what listens.
class TModellBeobachter {
 public:
  virtual ~TModellBeobachter() = default;
  // modell holds the versions just written; none when the model was emptied.
  virtual void ModellGespeichert(TModell& modell) = 0;
};

// The version and day profile that hold for a date.
struct TModellTag {
  ModellVersion* Version = nullptr;
  int ProfilNr = 0;  // 1 = Monday .. 7 = Sunday, 8 = public holiday
  const Tagesprofil& Profil() const { return Version->Profil[ProfilNr - 1]; }
};

class TModell : public TFileData {
 public:
  // file and feiertage must outlive the model. A model built without an observer tells nobody
  // when it is saved.
  TModell(TModellFile& file, TFeiertage& feiertage, bool buffered = false);
  // As above; every save of a model 1..8999 is told to beobachter, which must outlive the model.
  TModell(TModellFile& file, TFeiertage& feiertage, TModellBeobachter& beobachter,
          bool buffered = false);
  ~TModell() override { SetBuffered(false); }

  std::unique_ptr<TPersistent> NewInstance() const override;
  // Copies the versions and the number of another model.
  void Assign(const TPersistent& source) override;

  // Loads model m; raises "Modell <m> wurde nicht gefunden!" when it has no version and there
  // is no model 1 to copy.
  void Load(int32_t m);
  // Writes every version as record m + i * 1000, removes the files of further versions and
  // tells the observer.
  void Save() override;

  int32_t Nummer() const { return KeyC; }
  int32_t VersionCount() const { return static_cast<int32_t>(versionen_.size()); }
  ModellVersion& Version(int32_t i);
  // Places a version by its start: newest first, on equal starts the lower number first.
  void Insert(const ModellVersion& version);
  void Clear() { versionen_.clear(); }
  // The version valid on the date and the profile of its weekday, or of public holidays on an
  // active holiday (then carrying the times of its weekday).
  TModellTag ProfilFuerDatum(TDateTime datum);
  // Sets every version's JedesJahr to jedesJahr (false with one version), their sort dates from
  // it and orders them newest first.
  void Normalisieren(bool jedesJahr);

  ModellVersion Arbeitskopie{};
  bool Konsistent = false;

 private:
  // Reads record n; a version that cannot be read is skipped when skipFailures is set.
  bool ReadVersion(int32_t n, bool skipFailures);
  void LoadVersions(int32_t m);
  void Renumber(int32_t m);
  uint16_t AktuellesJahr() const;

  TModellFile& file_;
  TFeiertage& feiertage_;
  TModellBeobachter* beobachter_ = nullptr;
  std::vector<std::unique_ptr<ModellVersion>> versionen_;
};

}  // namespace qrv
