#include "auftag_json.h"

#include "json/abrech_tag_json.h"

namespace qrv::tool {

std::string AuftagArtName(uint8_t art) {
  switch (art) {
    case akSpanne:
      return "Spanne";
    case akPaar:
      return "Paar";
    case akModell:
      return "Modell";
    case akSoll:
      return "Soll";
    case akRahmen:
      return "Rahmen";
    case akRundung:
      return "Rundung";
    case akRundFrei:
      return "RundFrei";
    case akNetto:
      return "Netto";
    case akLuecke:
      return "Luecke";
    case akPause:
      return "Pause";
    case akStueck:
      return "Stueck";
    case akBemerkung:
      return "Bemerkung";
    default:
      break;
  }
  if (art >= akTagKonto1 && art < akTagKonto1 + 5) {
    return "TagKonto" + std::to_string(art - akTagKonto1 + 1);
  }
  return "?";
}

namespace {

Json Zeitpunkt(double t) {
  if (t == 0) return nullptr;
  return ZeitpunktText(t);
}

}  // namespace

}  // namespace qrv::tool

namespace qrv {

void to_json(tool::Json& j, const TAuftagItem& item) {
  using namespace tool;
  j = Json::object();
  j["Art"] = item.Art;
  j["ArtName"] = AuftagArtName(item.Art);
  j["Von"] = Zeitpunkt(item.Von);
  j["Bis"] = Zeitpunkt(item.Bis);
  j["Wert"] = DurationText(item.Wert);
  j["Text"] = Utf8(item.Text);
}

}  // namespace qrv
