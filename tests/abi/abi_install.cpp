// abi_install DIR - writes the small installation the calculation exports' interface tests run
// on, into the folder DIR (created when missing), with the library's own record classes.
//
// Settings with the permitted years from 2003; model 1 "Normal" (Monday to Friday: target 8:00,
// break window 12:00-12:45, no rounding) and model 2 "Gerundet" (target 8:00, no break window,
// comings rounded up and goings down on a 15-minute grid with 5 minutes of tolerance);
// calculation template 1 counting "Eintragung fehlt" as an error. Person 7 on model 1 books
// Sunday 13 June 2004 8:00-10:00, Monday 14 June 8:00-12:00 and 12:30-17:00, and the night shift
// Tuesday 15 June 22:00 to 6:00; person 8 on model 2 books Monday 14 June 8:06-16:50.
#include <cstdio>
#include <exception>
#include <string>

#include "master/tag_status.h"
#include "support/abfrage_installation.h"
#include "support/test_platform.h"

namespace {

using qrv::testing::Uhr;

qrv::Tagesprofil Werktag() {
  qrv::Tagesprofil t{};
  t.Soll = Uhr(8);
  t.HatTagesende = true;
  t.Tagesende = Uhr(23, 59);
  return t;
}

void Schreiben(const std::string& dir) {
  qrv::testing::TestPlatform tp;
  tp.clock.SetNow(qrv::EncodeDate(2004, 6, 20) + Uhr(12));
  const std::string key = "Software\\Quorvane\\Installation";
  tp.registry.CreateKey(qrv::platform::RegRoot::kCurrentUser, key);
  tp.registry.SetValue(qrv::platform::RegRoot::kCurrentUser, key, "DataPath",
                       {qrv::platform::kRegSz, dir + '\0'});
  qrv::testing::AbfrageInstallation inst(tp.Get(), dir);
  qrv::Tagesprofil normal = Werktag();
  normal.Pausen[0] = {true, Uhr(12), Uhr(12, 45)};
  inst.Modell(1, "Normal", normal);
  qrv::Tagesprofil gerundet = Werktag();
  gerundet.RundFlags = 1u | 4u;
  gerundet.RundRaster = Uhr(0, 15);
  gerundet.RundKommen = Uhr(0, 5);
  gerundet.RundGehen = Uhr(0, 5);
  inst.Modell(2, "Gerundet", gerundet);
  qrv::TBerVorRecord vorlage{};
  vorlage.Fehler = qrv::kStatusFehlt;
  inst.Vorlage(1, vorlage);
  const qrv::TDateTime eintritt = qrv::EncodeDate(2003, 1, 1);
  inst.Person(7, 1, 1, eintritt);
  inst.Person(8, 2, 1, eintritt);
  inst.Buchen(7, 2004, 6, 13, {Uhr(8), Uhr(10)});
  inst.Buchen(7, 2004, 6, 14, {Uhr(8), Uhr(12), Uhr(12, 30), Uhr(17)});
  inst.Buchen(7, 2004, 6, 15, {Uhr(22), 1 + Uhr(6)});
  inst.Buchen(8, 2004, 6, 14, {Uhr(8, 6), Uhr(16, 50)});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: abi_install DIR\n");
    return 2;
  }
  std::string dir = argv[1];
  if (dir.empty() || dir.back() != '/') dir += '/';
  try {
    Schreiben(dir);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "abi_install: %s\n", e.what());
    return 1;
  }
  return 0;
}
