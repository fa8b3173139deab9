// The library's process-wide objects, built once when the library is loaded and kept until the
// process ends. They live in one object so that tests can build and tear down many of them in one
// process, each on its own installation and platform doubles.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace qrv {

class TKonfig;
class TMapTables;
class TPerson;
class TPersonFile;
class TPersonList;
class TQRVFeiertage;
class TModellFile;
class TKMonatFile;
class TBerVorFile;
class TMPlanFile;
class TSPlanFile;
class TPlanvorlFile;
class TFile;
class TGMonatFile;
class TMonatFile;
struct TAbrechUmgebung;
struct TAbfrageUmgebung;
class TAufTag;
class TMonatsRechnung;

class TBibliothek {
 public:
  // Runs the start-up: builds the objects in their order on the given platform. Any failure
  // propagates; nothing is reported here.
  explicit TBibliothek(const platform::Platform& platform);
  ~TBibliothek();
  TBibliothek(const TBibliothek&) = delete;
  TBibliothek& operator=(const TBibliothek&) = delete;

  const platform::Platform& Plattform() const { return platform_; }
  TMapTables& MapTables() { return *mapTables_; }
  TKonfig& Konfig() { return *konfig_; }
  TPerson& Person() { return *person_; }
  TPersonFile& PersonFile() { return *personFile_; }
  TPersonList& PersonList() { return *personList_; }
  TQRVFeiertage& FeiertagKalender() { return *feiertagKalender_; }
  TModellFile& ModellFile() { return *modellFile_; }
  TKMonatFile& KMonatFile() { return *kMonatFile_; }
  TGMonatFile& GMonatFile() { return *gMonatFile_; }
  TMPlanFile& MPlanFile() { return *mPlanFile_; }
  TSPlanFile& SPlanFile() { return *sPlanFile_; }
  TPlanvorlFile& PlanvorlFile() { return *planvorlFile_; }
  TBerVorFile& BerVorFile() { return *berVorFile_; }
  // A remark file a program or test attaches; none at start-up.
  TFile* BemerkFile = nullptr;
  // The month file of the layout the settings choose.
  TMonatFile& MonatFile();
  // The objects an accounting engine works with: these process-wide ones and the process's
  // spreadsheet month calculation.
  TAbrechUmgebung Abrechnung();
  // The objects the queries work with: the accounting's and the person file.
  TAbfrageUmgebung Abfrage();
  // The one order-day enumeration of the exports.
  TAufTag& AufTag() { return *aufTag_; }
  // The locale's short month names with March as "Mrz".
  const std::array<std::string, 12>& ShortMonthNames() const { return shortMonthNames_; }

 private:
  platform::Platform platform_;
  // Keeps the invalid-data-path box to one showing while these objects live, that is, once for
  // each time the library is loaded into a process.
  bool invalidPathReported_ = false;
  std::array<std::string, 12> shortMonthNames_;
  std::unique_ptr<TMapTables> mapTables_;
  // The process-wide objects, in their start-up order (destroyed in reverse).
  std::unique_ptr<TPerson> person_;
  std::unique_ptr<TKonfig> konfig_;
  std::unique_ptr<TPersonFile> personFile_;
  std::unique_ptr<TQRVFeiertage> feiertagKalender_;
  std::unique_ptr<TModellFile> modellFile_;
  std::unique_ptr<TKMonatFile> kMonatFile_;
  std::unique_ptr<TGMonatFile> gMonatFile_;
  std::unique_ptr<TPersonList> personList_;
  std::unique_ptr<TMPlanFile> mPlanFile_;
  std::unique_ptr<TSPlanFile> sPlanFile_;
  std::unique_ptr<TPlanvorlFile> planvorlFile_;
  std::unique_ptr<TBerVorFile> berVorFile_;
  // The spreadsheet month calculation: its engine and the workbook loaded last serve every
  // accounting of the process.
  std::unique_ptr<TMonatsRechnung> monatsRechnung_;
  // The enumeration's state, on the objects above (freed before them).
  std::unique_ptr<TAbfrageUmgebung> abfrage_;
  std::unique_ptr<TAufTag> aufTag_;
};

// The objects the exports work on; null before start-up and after a failed one.
TBibliothek* CurrentLibrary();

// Start-up as the loader runs it: builds the objects and makes them current. A failure is
// reported through the platform's user interface and answered false; the exports then answer
// their failure results.
bool StartLibrary(const platform::Platform& platform);

// Drops the current objects (tests, and a host that unloads and loads the library again).
void StopLibrary();

}  // namespace qrv
