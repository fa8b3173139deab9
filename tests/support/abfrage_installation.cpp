#include "support/abfrage_installation.h"

#include "config/konfig.h"
#include "config/mem_ini.h"
#include "holidays/feiertag_file.h"
#include "master/bervor.h"
#include "master/modell.h"
#include "master/modell_file.h"
#include "master/modell_record.h"
#include "master/person.h"
#include "master/person_file.h"
#include "month/monat.h"
#include "month/monat_file.h"
#include "plans/planvorlage.h"
#include "support/temp_folder.h"
#include "util/errors.h"
#include "util/texts.h"

namespace qrv::testing {

namespace {

void Ordner(platform::FileSystem& files, const std::string& path) {
  if (files.CreateFolders(path) != platform::kOk) throw Exception("Ordner " + path);
}

}  // namespace

AbfrageInstallation::AbfrageInstallation(const platform::Platform& platform, const std::string& dir)
    : platform_(platform), dir_(dir) {
  const char sep = platform::kPathSeparator;
  for (const char* ordner : {"KONFIG", "SCHMOD", "SCHPLAN"}) {
    Ordner(*platform_.files, dir_ + ordner + sep);
  }
  WriteFileBytes(dir_ + "KONFIG" + sep + "PERSONEN.DAT", "");
  TMemIniFile ini(*platform_.files, dir_ + "QUORVANE.INI");
  ini.WriteInteger("Installation", "AuswOffset", 0);
  ini.WriteInteger("Installation", "VerwJahreMin", 2003);
  ini.WriteInteger("Installation", "VerwJahreMax", 2005);
  ini.WriteString("KontoDefs", "Konto-1", "Dienstgang;;;0");
  ini.WriteString("KontoDefs", "Konto-3", "Sonstige;;;0");
  ini.WriteString("Fehlzeiten", "Fehlzeiten", "S");
  ini.WriteString("Fehlzeiten", "FehlzeitS", "Schule");
  ini.UpdateFile();
  konfig_ = std::make_unique<TKonfig>(platform_, reported_);
  konfig_->Load();
}

AbfrageInstallation::~AbfrageInstallation() = default;

void AbfrageInstallation::Modell(int32_t m, const std::string& name, const Tagesprofil& werktag) {
  TModellFile file(platform_, *konfig_);
  TQRVFeiertage kalender(platform_, *konfig_);
  TPlanvorlFile vorlagen(platform_, *konfig_);
  ModellVersion v{};
  SetModellName(v, name);
  v.StartDatum = v.SortDatum = EncodeDate(2000, 1, 1);
  for (int i = 0; i < 5; ++i) v.Profil[i] = werktag;
  // Saved with the plan template file, the model writes its own template 1000 + m.
  TModell modell(file, kalender, vorlagen);
  modell.KeyC = m;
  modell.Insert(v);
  modell.Save();
}

void AbfrageInstallation::Vorlage(int32_t n, const TBerVorRecord& rec) {
  TBerVorFile file(platform_, *konfig_);
  TBerVor vorlage(file);
  vorlage.Rec = rec;
  vorlage.KeyC = n;
  vorlage.Save();
}

void AbfrageInstallation::Person(int32_t nr, int32_t modell, int32_t berVor, TDateTime eintritt) {
  TPersonFile file(platform_, *konfig_);
  TPerson person(&file, false);
  person.Load(nr);
  TPersonRec& p = person.Rec;
  SetShort(p.Name, "Muster");
  SetShort(p.Vorname, "Erika");
  p.Belegt = 1;
  p.Eintritt = eintritt;
  p.VorlageNr = 1000 + modell;
  p.VorlageAb = eintritt;
  p.BerVorNr = berVor;
  person.Save();
}

void AbfrageInstallation::Buchen(int32_t nr, int jahr, int monat, int tag,
                                 std::initializer_list<double> zeiten) {
  const TDateTime d = EncodeDate(jahr, monat, tag);
  Tag(nr, jahr, monat, tag, [&](TMonatTag& t) {
    for (double zeit : zeiten) {
      TBuchung b{};
      b.Zeit = d + zeit;
      t.Buchungen[t.AnzBuchungen++] = b;
    }
  });
}

void AbfrageInstallation::Tag(int32_t nr, int jahr, int monat, int tag,
                              const std::function<void(TMonatTag&)>& edit) {
  TKMonatFile kompakt(platform_, *konfig_);
  TGMonatFile gross(platform_, *konfig_);
  TMonat m(MonatFileFor(*konfig_, kompakt, gross));
  m.Laden(jahr, monat, true, nr);
  edit(m.Daten.Tag(tag));
  m.Speichern();
}

}  // namespace qrv::testing
