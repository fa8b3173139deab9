#include "lib/library.h"

#include "accounting/mon_abrech.h"
#include "config/konfig.h"
#include "diag/map_tables.h"
#include "holidays/feiertag_file.h"
#include "master/bervor.h"
#include "master/modell_file.h"
#include "master/person.h"
#include "master/person_file.h"
#include "month/monat_file.h"
#include "plans/plan_file.h"
#include "plans/planvorlage.h"
#include "queries/abfrage.h"
#include "queries/auftag.h"
#include "report/monats_rechnung.h"
#include "util/datetime.h"
#include "util/errors.h"

namespace qrv {

namespace {

std::unique_ptr<TBibliothek>& Current() {
  static std::unique_ptr<TBibliothek> current;
  return current;
}

std::string StartFailureText(const std::string& message) {
  return message.empty() ? std::string("Quorvane: Start der Bibliothek fehlgeschlagen") : message;
}

}  // namespace

TBibliothek::TBibliothek(const platform::Platform& platform) : platform_(platform) {
  // Unit initialisation first, then the process-wide objects in their order.
  mapTables_ = std::make_unique<TMapTables>(platform_);
  shortMonthNames_ = qrv::ShortMonthNames(*platform_.locale);
  person_ = std::make_unique<TPerson>(nullptr, false);
  konfig_ = std::make_unique<TKonfig>(platform_, invalidPathReported_);
  konfig_->Load();
  personFile_ = std::make_unique<TPersonFile>(platform_, *konfig_);
  person_->File = personFile_.get();
  feiertagKalender_ = std::make_unique<TQRVFeiertage>(platform_, *konfig_);
  modellFile_ = std::make_unique<TModellFile>(platform_, *konfig_);
  kMonatFile_ = std::make_unique<TKMonatFile>(platform_, *konfig_);
  gMonatFile_ = std::make_unique<TGMonatFile>(platform_, *konfig_);
  personList_ = std::make_unique<TPersonList>(*platform_.locale, *personFile_);
  mPlanFile_ = std::make_unique<TMPlanFile>(platform_, *konfig_);
  sPlanFile_ = std::make_unique<TSPlanFile>(platform_, *konfig_);
  planvorlFile_ = std::make_unique<TPlanvorlFile>(platform_, *konfig_);
  berVorFile_ = std::make_unique<TBerVorFile>(platform_, *konfig_);
  monatsRechnung_ = std::make_unique<TMonatsRechnung>();
  abfrage_ = std::make_unique<TAbfrageUmgebung>(Abfrage());
  aufTag_ = std::make_unique<TAufTag>(*abfrage_);
}

TBibliothek::~TBibliothek() = default;

TMonatFile& TBibliothek::MonatFile() {
  return MonatFileFor(*konfig_, *kMonatFile_, *gMonatFile_);
}

TAbrechUmgebung TBibliothek::Abrechnung() {
  return TAbrechUmgebung{
      platform_,
      *konfig_,
      MonatFile(),
      {*mPlanFile_, *sPlanFile_, *planvorlFile_, *modellFile_, *feiertagKalender_},
      *berVorFile_,
      &BemerkFile,
      *feiertagKalender_,
      monatsRechnung_.get()};
}

TAbfrageUmgebung TBibliothek::Abfrage() {
  return TAbfrageUmgebung{Abrechnung(), *personFile_};
}

TBibliothek* CurrentLibrary() {
  return Current().get();
}

bool StartLibrary(const platform::Platform& platform) {
  try {
    Current() = std::make_unique<TBibliothek>(platform);
    return true;
  } catch (const std::exception& e) {
    platform.ui->ShowException(StartFailureText(e.what()));
  } catch (...) {
    platform.ui->ShowException(StartFailureText(""));
  }
  return false;
}

void StopLibrary() {
  Current().reset();
}

}  // namespace qrv
