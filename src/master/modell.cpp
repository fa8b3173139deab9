#include "master/modell.h"

#include <algorithm>
#include <cmath>

#include "util/errors.h"
#include "util/texts.h"

namespace qrv {

namespace {

// The date of day and month of date in year, for a version recurring every year: 29 February
// falls on 28 February in every year, leap years included.
TDateTime ImJahr(uint16_t jahr, TDateTime datum) {
  uint16_t y = 0;
  uint16_t monat = 0;
  uint16_t tag = 0;
  DecodeDate(datum, &y, &monat, &tag);
  TDateTime out = 0;
  return TryEncodeDate(jahr, monat, JaehrlicherTag(monat, tag), &out) ? out : datum;
}

// Monday = 1 .. Sunday = 7.
int Wochentag(TDateTime datum) {
  return (DayOfWeek(datum) + 5) % 7 + 1;
}

}  // namespace

TModell::TModell(TModellFile& file, TFeiertage& feiertage, bool buffered)
    : TFileData(buffered), file_(file), feiertage_(feiertage) {}

TModell::TModell(TModellFile& file, TFeiertage& feiertage, TModellBeobachter& beobachter,
                 bool buffered)
    : TFileData(buffered), file_(file), feiertage_(feiertage), beobachter_(&beobachter) {}

std::unique_ptr<TPersistent> TModell::NewInstance() const {
  if (beobachter_ != nullptr) return std::make_unique<TModell>(file_, feiertage_, *beobachter_);
  return std::make_unique<TModell>(file_, feiertage_);
}

void TModell::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TModell*>(&source);
  if (other == nullptr) throw Exception(kMsgInvalidCast);
  TFileData::Assign(source);
  versionen_.clear();
  for (const auto& v : other->versionen_) versionen_.push_back(std::make_unique<ModellVersion>(*v));
  Arbeitskopie = other->Arbeitskopie;
  Konsistent = other->Konsistent;
}

ModellVersion& TModell::Version(int32_t i) {
  if (i < 0 || i >= VersionCount()) {
    RaiseListIndex(i);
  }
  return *versionen_[i];
}

uint16_t TModell::AktuellesJahr() const {
  return YearOfDate(file_.Platform().clock->Now());
}

void TModell::Insert(const ModellVersion& version) {
  auto at = std::find_if(versionen_.begin(), versionen_.end(), [&](const auto& v) {
    return v->SortDatum < version.SortDatum ||
           (v->SortDatum == version.SortDatum && v->Nummer > version.Nummer);
  });
  versionen_.insert(at, std::make_unique<ModellVersion>(version));
}

bool TModell::ReadVersion(int32_t n, bool skipFailures) {
  auto v = std::make_unique<ModellVersion>();
  std::vector<char> raw(kModellRawSize);
  try {
    file_.ReadRecord(raw.data(), v.get(), 0, 0, n);
  } catch (const Exception&) {
    if (skipFailures) return false;
    throw;
  }
  Insert(*v);
  return true;
}

void TModell::LoadVersions(int32_t m) {
  std::vector<platform::FileInfo> found;
  const std::string pattern =
      file_.Directory + file_.BaseName + "?" + ZeroPad(m, 3) + "." + file_.Ext;
  if (file_.Platform().files->Find(pattern, &found) != platform::kOk) return;
  for (const platform::FileInfo& info : found) {
    if (info.directory) continue;
    int32_t n = 0;
    try {
      n = file_.NumberFromFileName(info.name);
    } catch (const EConvertError&) {
      continue;
    }
    if (n >= 1001 && n <= 8999) ReadVersion(n, true);
  }
}

void TModell::Renumber(int32_t m) {
  bool changed = false;
  for (int32_t i = 0; i < VersionCount(); ++i) {
    if (versionen_[i]->Nummer != i * 1000 + m) {
      versionen_[i]->Nummer = i * 1000 + m;
      changed = true;
    }
  }
  if (!changed) return;
  // Read only, the numbers are mended in memory.
  if (file_.ReadOnly()) return;
  Save();
  Refresh();
}

void TModell::Load(int32_t m) {
  if (IsLoaded(0, 0, m)) return;
  versionen_.clear();
  if (m == kModellKeinZutritt) {
    ModellVersion v{};
    SetModellName(v, kMsgKeinZutritt);
    v.Nummer = kModellKeinZutritt;
    Insert(v);
  } else {
    LoadVersions(m);
  }
  KeyA = 0;
  KeyB = 0;
  KeyC = m;
  if (m != kModellKeinZutritt && file_.RecordFileExists(0, 0, m)) ReadVersion(m, false);
  if (versionen_.empty() && file_.RecordFileExists(0, 0, 1)) {
    // Model 1 is the template of every missing model.
    ModellVersion v{};
    std::vector<char> raw(kModellRawSize);
    file_.ReadRecord(raw.data(), &v, 0, 0, 1);
    v.Nummer = m;
    SetModellName(v, kAutoKopieVon + ModellName(v));
    Insert(v);
    // Read only, the copy is answered without being written.
    if (!file_.ReadOnly()) {
      Save();
      Refresh();
    }
  }
  if (versionen_.empty()) {
    throw EInOutError("Modell " + std::to_string(m) + " wurde nicht gefunden!", 0);
  }
  Arbeitskopie = *versionen_[0];
  Normalisieren(versionen_[0]->JedesJahr);
  Renumber(m);
  Loaded = true;
  Konsistent = true;
}

void TModell::Normalisieren(bool jedesJahr) {
  if (versionen_.size() == 1) jedesJahr = false;
  const uint16_t jahr = AktuellesJahr();
  for (auto& v : versionen_) {
    v->JedesJahr = jedesJahr;
    v->SortDatum = jedesJahr ? ImJahr(jahr, v->SortDatum) : v->StartDatum;
  }
  std::stable_sort(versionen_.begin(), versionen_.end(),
                   [](const auto& a, const auto& b) { return a->SortDatum > b->SortDatum; });
  // The oldest version covers every earlier date.
  if (!jedesJahr && !versionen_.empty()) versionen_.back()->SortDatum = EncodeDate(1995, 1, 1);
}

void TModell::Save() {
  if (!versionen_.empty()) Normalisieren(versionen_[0]->JedesJahr);
  if (DeferSave()) return;
  const int32_t m = KeyC;
  std::vector<char> raw(kModellRawSize);
  int32_t i = 0;
  for (; i < VersionCount(); ++i) {
    const int32_t n = m + i * 1000;
    // Record numbers above 8999 hold no versions.
    if (i > 0 && n > 8999) break;
    versionen_[i]->Nummer = n;
    file_.WriteRecord(raw.data(), versionen_[i].get(), 0, 0, n);
  }
  for (int32_t n = m + i * 1000; n <= 8999; n += 1000) file_.DeleteRecord(0, 0, n);
  if (m >= 1 && m <= 8999 && beobachter_ != nullptr) beobachter_->ModellGespeichert(*this);
}

TModellTag TModell::ProfilFuerDatum(TDateTime datum) {
  ModellVersion& neueste = Version(0);
  const TDateTime tag = std::trunc(datum);
  const uint16_t jahr = YearOfDate(tag);
  TModellTag antwort{&neueste, Wochentag(tag)};
  for (auto& v : versionen_) {
    const TDateTime start = neueste.JedesJahr ? ImJahr(jahr, v->SortDatum) : v->SortDatum;
    if (start <= tag) {
      antwort.Version = v.get();
      break;
    }
  }
  if (feiertage_.IstFeiertag(tag)) {
    // A holiday carries the times of its weekday.
    const Tagesprofil& wochentag = antwort.Version->Profil[antwort.ProfilNr - 1];
    Tagesprofil& feiertag = antwort.Version->Profil[kProfilFeiertag - 1];
    feiertag.Soll = wochentag.Soll;
    feiertag.TagWert1 = wochentag.TagWert1;
    feiertag.TagWert2 = wochentag.TagWert2;
    feiertag.Feiertagszeit = wochentag.Feiertagszeit;
    antwort.ProfilNr = kProfilFeiertag;
  }
  return antwort;
}

}  // namespace qrv
