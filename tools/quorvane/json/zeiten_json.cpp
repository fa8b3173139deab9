#include "zeiten_json.h"

namespace qrv::tool {

namespace {

Json Zeit(const char* name, double tage, const char* bedeutung) {
  return {{"Name", name}, {"Dauer", DurationText(tage)}, {"Tage", tage}, {"Bedeutung", bedeutung}};
}

}  // namespace

Json ZeitenJson(const TZeiten& z) {
  return Json::array({
      Zeit("Zeit1", z.Zeit1,
           "presence in the range before rounding, with the break windows' deduction"),
      Zeit("Zeit2", z.Zeit2,
           "presence in the range after rounding, with the break windows' deduction"),
      Zeit("Zeit3", z.Zeit3,
           "worked time of the days walked before rounding, with the break windows' deduction"),
      Zeit("Zeit4", z.Zeit4,
           "worked time of the days walked after rounding, with the break windows' deduction"),
  });
}

}  // namespace qrv::tool
