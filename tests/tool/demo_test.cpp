// The demo installation read back through the library: what was generated is what the library
// reads, and the same options give the same bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "demo_gen.h"
#include "demo_parts.h"
#include "holidays/feiertag_file.h"
#include "master/bervor.h"
#include "master/modell.h"
#include "master/person.h"
#include "month/monat.h"
#include "plans/plan.h"
#include "platform/reg_store.h"
#include "platform/reg_text.h"
#include "support/doubles.h"
#include "util/datetime.h"

namespace qrv {
namespace {

using testing::ReadFileBytes;
using tool::DemoOptions;

constexpr int32_t kPersonen = 8;  // every model, the night shift (7) and a trainee (5)

DemoOptions Pinned(uint32_t seed = 1) {
  DemoOptions o;
  o.persons = kPersonen;
  o.seed = seed;
  o.today = EncodeDate(2025, 3, 15);
  return o;
}

// Every file below folder with its bytes, by path relative to the folder.
std::map<std::string, std::string> Files(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) {
    if (!e.is_regular_file()) continue;
    files[std::filesystem::relative(e.path(), folder).string()] = ReadFileBytes(e.path().string());
  }
  return files;
}

// The installation as the library opens it, on the demo's date.
class DemoInstallation : public ::testing::Test {
 protected:
  // Written once for the tests of the suite, which only read it.
  static void SetUpTestSuite() {
    shared = new testing::TempFolder;
    tool::WriteDemo(shared->Path(), Pinned());
  }
  static void TearDownTestSuite() {
    delete shared;
    shared = nullptr;
  }

  void SetUp() override { Open(folder.Path()); }

  // Opens the installation in the data folder path.
  void Open(const std::string& path) {
    tp.clock.SetNow(Pinned().today + 0.5);
    const std::string key = "Software\\Quorvane\\Installation";
    tp.registry.CreateKey(platform::RegRoot::kCurrentUser, key);
    tp.registry.SetValue(platform::RegRoot::kCurrentUser, key, "DataPath",
                         {platform::kRegSz, path + '\0'});
    konfig = std::make_unique<TKonfig>(tp.Get(), reported);
    konfig->Load();
    kompakt = std::make_unique<TKMonatFile>(tp.Get(), *konfig);
    voll = std::make_unique<TGMonatFile>(tp.Get(), *konfig);
  }

  std::unique_ptr<TMonat> Month(int32_t jahr, int32_t monat, int32_t persNr) {
    auto m = std::make_unique<TMonat>(MonatFileFor(*konfig, *kompakt, *voll));
    m->NurLesen = true;
    m->Laden(jahr, monat, false, persNr);
    return m;
  }

  static testing::TempFolder* shared;
  const testing::TempFolder& folder = *shared;
  testing::TestPlatform tp;
  bool reported = false;
  std::unique_ptr<TKonfig> konfig;
  std::unique_ptr<TKMonatFile> kompakt;
  std::unique_ptr<TGMonatFile> voll;
};

testing::TempFolder* DemoInstallation::shared = nullptr;

TEST_F(DemoInstallation, SettingsNameTheYearsAccountsAndAbsences) {
  EXPECT_EQ(konfig->VerwJahreMin, 2024);
  EXPECT_EQ(konfig->VerwJahreMax, 2025);
  EXPECT_FALSE(konfig->IsKlMonat);
  EXPECT_EQ(konfig->AuswOffset, 10000);
  EXPECT_EQ(konfig->PersstammTexte(4), "Geb\xE4ude");
  EXPECT_EQ(konfig->KontoDefs[1].Name,
            "\xDC"
            "berstunden");
  EXPECT_EQ(konfig->KontoDefs[2].Art, 4);  // weekly
  EXPECT_EQ(konfig->KontoDefs[3].Art, 5);  // monthly
  const KontoDef& summe = konfig->KontoDefs[4];
  EXPECT_EQ(summe.Art, 8);
  EXPECT_EQ(summe.SumKonto[0], 1);
  EXPECT_EQ(summe.SumKonto[1], 2);
  EXPECT_DOUBLE_EQ(summe.SumFaktor[1], 1.0);
  const FehlzeitDef& urlaub = konfig->Fehlzeiten['u'];
  EXPECT_EQ(urlaub.Name, "Urlaub");
  EXPECT_NEAR(urlaub.Zeit, 8.0 / 24, 1e-9);
  EXPECT_EQ(konfig->Fehlzeiten['k'].Name, "Krank");
  EXPECT_TRUE(konfig->Fehlzeiten['s'].OhneZeit);
  EXPECT_EQ(konfig->Fehlzeiten['s'].Name, "Schule");
}

TEST_F(DemoInstallation, RegistryFileNamesTheDataFolder) {
  const std::string dir = tool::DemoRegistryDir(folder.Path()) + platform::kPathSeparator;
  platform::RegDocument doc;
  EXPECT_EQ(platform::ParseRegText(ReadFileBytes(dir + "user.reg"), &doc), 0);
  // The store the Linux build reads with QUORVANE_REGISTRY_DIR set to that folder.
  platform::RegFileStore store(tp.files, nullptr, dir + "user.reg", dir + "machine.reg");
  platform::RegValue v;
  ASSERT_EQ(store.QueryValue(platform::RegRoot::kCurrentUser, "Software\\Quorvane\\Installation",
                             "DataPath", &v),
            platform::kOk);
  EXPECT_EQ(v.data, folder.Path() + '\0');
}

TEST_F(DemoInstallation, PersonsReadBackThroughThePersonFile) {
  TPersonFile file(tp.Get(), *konfig);
  TPerson p(&file, false);
  p.Load(1);
  EXPECT_EQ(GetShort(p.Rec.Name), "Supervisor");
  EXPECT_EQ(p.Rec.Rechte1[0], 0xFF);
  for (int32_t n = 2; n <= kPersonen; ++n) {
    p.Load(n);
    SCOPED_TRACE(n);
    EXPECT_TRUE(p.Rec.Belegt);
    EXPECT_EQ(p.Rec.AusweisNr, 10000 + n);
    EXPECT_FALSE(GetShort(p.Rec.Name).empty());
    EXPECT_NE(GetShort(p.Rec.Name)[0], '_');  // not the default name of an unused slot
    // The night shift (person 7) works in the rotating template 1, the others in their model's.
    EXPECT_EQ(p.Rec.VorlageNr, n == 7 ? 1 : 1000 + tool::DemoModellOf(n));
    EXPECT_EQ(p.Rec.BerVorNr, tool::DemoBerVorOf(n));
    EXPECT_EQ(p.Rec.Eintritt, tool::DemoEintritt(Pinned(), n));
  }
  // Names with umlauts come back in ANSI after their trip through the OEM code page.
  bool umlaut = false;
  for (int32_t n = 2; n <= kPersonen; ++n) {
    p.Load(n);
    for (char c : GetShort(p.Rec.Name) + GetShort(p.Rec.Vorname))
      umlaut |= static_cast<uint8_t>(c) >= 0xC0;
  }
  EXPECT_TRUE(umlaut);
}

TEST_F(DemoInstallation, ModelsAndTemplatesReadBack) {
  TModellFile file(tp.Get(), *konfig);
  TQRVFeiertage kalender(tp.Get(), *konfig);
  TModell m(file, kalender);
  m.Load(4);
  const Tagesprofil& nacht = m.Version(0).Profil[0];
  EXPECT_TRUE(nacht.Mitternacht);
  EXPECT_GT(nacht.KernEnde, 1.0);  // past midnight
  m.Load(2);
  EXPECT_TRUE(m.Version(0).Profil[0].Pausen[1].Aktiv);
  EXPECT_EQ(m.Version(0).Profil[0].Regeln[1].Typ, 1);
  m.Load(1);
  EXPECT_TRUE(m.Version(0).Profil[0].HatKernzeit);
  EXPECT_EQ(m.Version(0).Profil[0].RundFlags & 1u, 1u);
  m.Load(5);
  ASSERT_EQ(m.VersionCount(), 2);
  EXPECT_NEAR(m.ProfilFuerDatum(EncodeDate(2024, 3, 4)).Profil().Soll, 7.8 / 24, 1e-9);
  EXPECT_NEAR(m.ProfilFuerDatum(EncodeDate(2024, 8, 5)).Profil().Soll, 7.5 / 24, 1e-9);

  TBerVorFile bv(tp.Get(), *konfig);
  TBerVor vorlage(bv);
  vorlage.LadeBerVor(2);
  EXPECT_EQ(vorlage.Rec.MonatsEnde, 25);
  vorlage.LadeBerVor(1);
  EXPECT_EQ(vorlage.Rec.MonatsEnde, 0);
}

TEST_F(DemoInstallation, HolidayFilesOfBothYears) {
  TQRVFeiertage kalender(tp.Get(), *konfig);
  EXPECT_TRUE(kalender.IstFeiertag(EncodeDate(2024, 8, 8)));    // own, on
  EXPECT_FALSE(kalender.IstFeiertag(EncodeDate(2024, 6, 24)));  // own, off
  EXPECT_TRUE(kalender.IstFeiertag(EncodeDate(2024, 10, 31)));
  EXPECT_FALSE(kalender.IstFeiertag(EncodeDate(2024, 7, 1)));
  EXPECT_TRUE(kalender.IstFeiertag(EncodeDate(2025, 7, 1)));  // only in the later year
}

TEST_F(DemoInstallation, MonthsRunToTheDayBeforeTheDate) {
  int tageMitBuchungen = 0, fehltage = 0, ohneGehen = 0, verspaetet = 0;
  for (int32_t n = 1; n <= kPersonen; ++n) {
    for (int32_t monat = 1; monat <= 3; ++monat) {
      auto m = Month(2025, monat, n);
      for (int d = 1; d <= m->TageImMonat; ++d) {
        const TMonatTag& t = m->Daten.Tag(d);
        const TDateTime datum = EncodeDate(2025, monat, d);
        if (datum >= Pinned().today) {
          EXPECT_EQ(t.AnzBuchungen, 0) << n << " " << monat << "/" << d;
          continue;
        }
        tageMitBuchungen += t.AnzBuchungen > 0;
        fehltage += t.Fehlzeit != ' ';
        ohneGehen += t.AnzBuchungen % 2;
        verspaetet += (t.Status & kStatusNachKernzeit) != 0;
        EXPECT_FALSE(t.AnzBuchungen > 0 && t.Fehlzeit != ' ');
      }
    }
  }
  EXPECT_GT(tageMitBuchungen, 100);
  EXPECT_GT(fehltage, 0);
  EXPECT_GT(ohneGehen, 0);
  EXPECT_GT(verspaetet, 0);
  EXPECT_FALSE(std::filesystem::exists(folder.Path() + "2025/Apr.NEU"));
  EXPECT_TRUE(std::filesystem::exists(folder.Path() + "2024/Jan.NEU"));
}

TEST_F(DemoInstallation, NightShiftEndsOnTheNextDay) {
  ASSERT_EQ(tool::DemoModellOf(7), 4);
  auto m = Month(2025, 2, 7);
  int naechtlich = 0;
  for (int d = 1; d <= m->TageImMonat; ++d) {
    const TMonatTag& t = m->Daten.Tag(d);
    if (t.AnzBuchungen != 2) continue;
    const TDateTime datum = EncodeDate(2025, 2, d);
    EXPECT_LT(t.Buchungen[0].Zeit, datum + 1);
    naechtlich += t.Buchungen[1].Zeit > datum + 1;
  }
  EXPECT_GT(naechtlich, 5);
}

// The plans, read through a copy of the installation: loading a plan month that has no record
// yet writes one.
class DemoPlans : public DemoInstallation {
 protected:
  void SetUp() override {
    std::filesystem::copy(folder.Path(), kopie.Path(),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    Open(kopie.Path());
    mplan = std::make_unique<TMPlanFile>(tp.Get(), *konfig);
    splan = std::make_unique<TSPlanFile>(tp.Get(), *konfig);
    planvorl = std::make_unique<TPlanvorlFile>(tp.Get(), *konfig);
    modelle = std::make_unique<TModellFile>(tp.Get(), *konfig);
    feiertage = std::make_unique<TQRVFeiertage>(tp.Get(), *konfig);
    dateien = std::make_unique<TPlanDateien>(
        TPlanDateien{*mplan, *splan, *planvorl, *modelle, *feiertage});
  }

  // Month monat of 2025 of person persNr's plan, following the person's template.
  std::unique_ptr<TPlan> PersonalPlan(int32_t persNr, uint16_t monat) {
    TPersonFile file(tp.Get(), *konfig);
    TPerson person(&file, false);
    person.Load(persNr);
    auto plan = std::make_unique<TPlan>(*dateien);
    plan->SetPerson(&person);
    plan->LadeMonat(2025, monat, true, persNr);
    return plan;
  }

  // The template as stored; a missing one would be made up by LadeVorlage, so it must exist.
  TPlanvorlageRec Template(int32_t nummer) {
    TPlanvorlage vorlage(*planvorl);
    vorlage.KeyC = nummer;
    EXPECT_TRUE(vorlage.Existiert()) << nummer;
    vorlage.LadeVorlage(nummer);
    return vorlage.Rec;
  }

  testing::TempFolder kopie;
  std::unique_ptr<TMPlanFile> mplan;
  std::unique_ptr<TSPlanFile> splan;
  std::unique_ptr<TPlanvorlFile> planvorl;
  std::unique_ptr<TModellFile> modelle;
  std::unique_ptr<TQRVFeiertage> feiertage;
  std::unique_ptr<TPlanDateien> dateien;
};

TEST_F(DemoPlans, EachModelHasItsOwnTemplate) {
  TModell modell(*modelle, *feiertage);
  for (int32_t m = 1; m <= 5; ++m) {
    SCOPED_TRACE(m);
    const TPlanvorlageRec r = Template(1000 + m);
    modell.Load(m);
    EXPECT_EQ(PlanvorlName(r), ModellName(modell.Version(0)));  // not "AError" nor "AutoKopie"
    EXPECT_EQ(r.Art, 0);
    EXPECT_EQ(r.Modell, m);
    ASSERT_EQ(r.Anzahl, 1);
    EXPECT_EQ(r.Modelle[0], m);
  }
}

TEST_F(DemoPlans, RotatingShiftTemplateHasACalendarOfItsOwn) {
  const TPlanvorlageRec r = Template(1);
  EXPECT_EQ(PlanvorlName(r), "Wechselschicht Tag/Nacht");
  EXPECT_EQ(r.Art, kArtKalender);
  EXPECT_EQ(r.Modell, 1);
  ASSERT_EQ(r.Anzahl, 2);
  EXPECT_EQ(r.Modelle[0], 1);
  EXPECT_EQ(r.Modelle[1], 4);
  // The calendar covers both managed years.
  EXPECT_TRUE(std::filesystem::exists(kopie.Path() + "2024/EP100001.DAT"));
  EXPECT_TRUE(std::filesystem::exists(kopie.Path() + "2025/EP100001.DAT"));
}

// Weeks take turns from Monday 1 January 2024 on: even weeks model 1, odd weeks the night shift.
TEST_F(DemoPlans, NightShiftPersonRotatesWeekByWeek) {
  struct Fall {
    const char* label;
    uint16_t monat;
    int32_t tag;
    uint16_t modell;
  };
  const Fall faelle[] = {
      {"Sunday 5.1., last day of week 52", 1, 5, 1},
      {"Monday 6.1., across the year's turn", 1, 6, 4},
      {"Sunday 16.3.", 3, 16, 1},
      {"Monday 17.3.", 3, 17, 4},
      {"Sunday 23.3.", 3, 23, 4},
      {"Monday 24.3.", 3, 24, 1},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.label);
    auto plan = PersonalPlan(7, f.monat);
    ASSERT_EQ(plan->VorlageNr, 1);
    EXPECT_EQ(plan->GetModellNr(f.tag), f.modell);
    Tagesprofil profil{};
    ModellVersion* woche = nullptr;
    plan->GetTag(f.tag, profil, woche);
    EXPECT_EQ(woche->Nummer % 1000, f.modell);
  }
}

// Person 2 works on template 1001 (model 1); the Wednesday after the demo's date, 19 March, is a
// short night of its own on model 4.
TEST_F(DemoPlans, PersonalPlanHasOneShortNight) {
  constexpr int32_t kNacht = 19, kNormal = 18;
  auto plan = PersonalPlan(2, 3);
  ASSERT_EQ(plan->VorlageNr, 1001);
  EXPECT_EQ(plan->Rec.SchichtTage, 1u << kNacht);
  EXPECT_TRUE(InTagen(plan->Rec.FesteTage, kNacht));
  Tagesprofil profil{};
  ModellVersion* woche = nullptr;
  plan->GetTag(kNacht, profil, woche);
  EXPECT_EQ(woche->Nummer, 4);
  EXPECT_TRUE(profil.Mitternacht);
  EXPECT_NEAR(profil.Soll, 6.0 / 24, 1e-9);          // not the model's 7:30
  EXPECT_NEAR(profil.KernEnde, 1 + 4.5 / 24, 1e-9);  // not the model's 6:00
  plan->GetTag(kNormal, profil, woche);
  EXPECT_EQ(woche->Nummer, 1);
  EXPECT_NEAR(profil.Soll, 7.8 / 24, 1e-9);

  // The plan's own models, as stored.
  TPlan gespeichert(*dateien);
  gespeichert.LadeMonat(2025, 3, false, 2);
  EXPECT_EQ(gespeichert.GetModellNr(kNacht), 4);
  EXPECT_EQ(gespeichert.GetModellNr(kNormal), 1);
  EXPECT_EQ(gespeichert.GetModellNr(31), 1);
}

TEST(DemoGenerator, SameOptionsGiveTheSameBytes) {
  testing::TempFolder a, b, c;
  tool::WriteDemo(a.Path(), Pinned());
  tool::WriteDemo(b.Path(), Pinned());
  tool::WriteDemo(c.Path(), Pinned(2));
  auto fa = Files(a.Path()), fb = Files(b.Path()), fc = Files(c.Path());
  // The registry file names its own folder; every other file is equal byte for byte.
  const std::string reg = "REGISTRY/user.reg";
  ASSERT_TRUE(fa.count(reg));
  fa.erase(reg);
  fb.erase(reg);
  fc.erase(reg);
  EXPECT_EQ(fa, fb);
  ASSERT_EQ(fa.size(), fc.size());
  EXPECT_NE(fa["2025/Feb.NEU"], fc["2025/Feb.NEU"]);
  EXPECT_EQ(fa["SCHMOD/SMOD1.DAT"], fc["SCHMOD/SMOD1.DAT"]);
}

TEST(DemoGenerator, APersonsMonthsDoNotDependOnHowManyPersonsAreMade) {
  testing::TempFolder a, b;
  DemoOptions klein = Pinned();
  klein.persons = 3;
  tool::WriteDemo(a.Path(), klein);
  tool::WriteDemo(b.Path(), Pinned());
  const std::string fa = ReadFileBytes(a.Path() + "2025/Jan.NEU");
  const std::string fb = ReadFileBytes(b.Path() + "2025/Jan.NEU");
  ASSERT_EQ(fa.size(), 4u * 9000);
  EXPECT_EQ(fa, fb.substr(0, fa.size()));
}

}  // namespace
}  // namespace qrv
