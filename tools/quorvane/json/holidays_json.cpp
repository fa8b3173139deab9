#include "holidays_json.h"

namespace qrv {

void to_json(tool::Json& j, const TFeierObj& f) {
  j = tool::Json::object();
  j["Typ"] = static_cast<int>(f.Typ);
  j["Name"] = tool::Utf8(f.Name);
  // An own holiday on 29 February has no date in a common year.
  j["Datum"] = f.Datum == kKeinDatum ? tool::Json(nullptr) : tool::DateJson(f.Datum);
  j["Aktiv"] = f.Aktiv;
}

}  // namespace qrv

namespace qrv::tool {

void to_json(Json& j, const FeiertagsJahr& y) {
  j = Json::object();
  j["Jahr"] = y.Jahr;
  j["Datei"] = Utf8(y.Datei);
  j["Feiertage"] = y.Kalender->Feiertage();
  Json liste = Json::array();
  for (int32_t i = 0; i < y.Kalender->Count(); ++i) liste.push_back(y.Kalender->GetFeierObj(i));
  j["Liste"] = liste;
}

}  // namespace qrv::tool
