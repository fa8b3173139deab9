// The demo's persons: person 1 is the supervisor the person file makes of it; the others get
// names with umlauts (they are stored in the OEM code page), a department, a plan template (their
// model's own; the night shift works in the rotating shift template) and a calculation template.
#include <array>
#include <string>

#include "demo_parts.h"
#include "master/person.h"
#include "master/person_file.h"
#include "util/texts.h"

namespace qrv::tool {

namespace {

// The plan template with a calendar of its own, written by WriteDemoPlans.
constexpr int32_t kWechselschicht = 1;

int32_t VorlageOf(int32_t persNr) {
  const int32_t modell = DemoModellOf(persNr);
  return modell == 4 ? kWechselschicht : 1000 + modell;
}

constexpr std::array<const char*, 16> kNamen = {"M\xFCller",
                                                "Sch\xE4"
                                                "fer",
                                                "K\xF6hler",
                                                "Wei\xDF",
                                                "J\xE4ger",
                                                "Kr\xFCger",
                                                "Schr\xF6"
                                                "der",
                                                "Hoffmann",
                                                "Wagner",
                                                "Becker",
                                                "Fuchs",
                                                "Gro\xDF",
                                                "L\xFChrs",
                                                "\xD6zt\xFCrk",
                                                "Bauer",
                                                "D\xF6rfler"};
constexpr std::array<const char*, 16> kVornamen = {
    "J\xFCrgen", "S\xF6ren", "Anna",  "J\xF6rg", "K\xE4the", "Bj\xF6rn", "Ute",   "Lukas",
    "Andr\xE9",  "Zo\xEB",   "Heike", "Timo",    "G\xFCl",   "Ren\xE9",  "Maren", "Sophie"};
constexpr std::array<const char*, 4> kAbteilungen = {"Verwaltung", "Fertigung", "Versand",
                                                     "Qualit\xE4tssicherung"};

void Fill(TPersonRec& p, DemoContext& ctx) {
  const int32_t n = p.PersNr;
  const DemoOptions& o = ctx.Options();
  if (n != 1) {
    SetShort(p.Name, kNamen[static_cast<size_t>(ctx.Wurf(kNamen.size()))]);
    SetShort(p.Vorname, kVornamen[static_cast<size_t>(ctx.Wurf(kVornamen.size()))]);
  } else {
    SetShort(p.Vorname, "Admin");
  }
  p.Belegt = 1;
  SetShort(p.Frei[0], kAbteilungen[static_cast<size_t>(n % 4)]);
  SetShort(p.Frei[1], "KST " + std::to_string(4100 + n % 4 * 100));
  SetShort(p.Frei[2], "0821 4711-" + ZeroPad(n, 3));
  p.Eintritt = DemoEintritt(o, n);
  p.VorlageNr = VorlageOf(n);
  p.VorlageAb = p.Eintritt;
  p.BerVorNr = DemoBerVorOf(n);
  p.Jahreswert = 30;
  p.Uebertrag = 1;
  SetBemerkung(p, n == 1 ? "Verwalter der Installation" : "");
}

}  // namespace

TDateTime DemoEintritt(const DemoOptions& o, int32_t persNr) {
  const int32_t jahr = DemoFirstYear(o);
  return EncodeDate(jahr, persNr % 7 == 3 ? 1 + persNr % 6 : 1, 1);
}

void WriteDemoPersons(DemoContext& ctx) {
  TPersonFile file(ctx.Plattform(), ctx.Konfig());
  TPerson person(&file, false);
  for (int32_t n = 1; n <= ctx.Options().persons; ++n) {
    person.Load(n);
    Fill(person.Rec, ctx);
    person.Save();
  }
}

}  // namespace qrv::tool
