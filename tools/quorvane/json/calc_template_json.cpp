#include "calc_template_json.h"

#include <cstddef>
#include <cstring>
#include <string>

#include "master/bervor.h"
#include "output/messages.h"

namespace qrv {

namespace {

using tool::Json;
using tool::Utf8;

Json Bits(uint8_t word) {
  Json bits = Json::array();
  for (int bit = 0; bit < 8; ++bit) {
    if (word & (1u << bit)) bits.push_back(bit);
  }
  return bits;
}

// packed: the record's doubles are copied out before they are read.
Json PerAccount(const TBerVorRecord& r, size_t offset) {
  double values[kBerVorKonten];
  std::memcpy(values, reinterpret_cast<const uint8_t*>(&r) + offset, sizeof values);
  Json j = Json::object();
  for (int32_t k = 1; k <= kBerVorKonten; ++k) j[std::to_string(k)] = values[k - 1];
  return j;
}

Json InForce(const TGrenzen& table) {
  Json j = Json::object();
  for (int32_t p = kGrenzeMin; p <= kGrenzeMax; ++p) {
    if (table.InKraft(p)) j[std::to_string(p)] = table.Grenze(p);
  }
  return j;
}

// A status mask with the report lines of its bits.
Json Mask(uint16_t mask) {
  Json lines = Json::array();
  const std::string text = StatusText(mask);
  if (!text.empty()) {
    for (const std::string& line : tool::SplitLines(text)) lines.push_back(Utf8(line));
  }
  return {{"Wert", mask}, {"Texte", lines}};
}

}  // namespace

void to_json(Json& j, const TBerVorRecord& r) {
  j = Json::object();
  j["Name"] = Utf8(BerVorName(r));
  j["MonatsEnde"] = r.MonatsEnde;
  j["Optionen"] = {{"Wert", r.Optionen}, {"Bits", Bits(r.Optionen)}};
  j["Optionen2"] = {{"Wert", r.Optionen2}, {"Bits", Bits(r.Optionen2)}};
  j["WochenEnde"] = r.WochenEnde;
  j["KontoVon"] = PerAccount(r, offsetof(TBerVorRecord, KontoVon));
  j["KontoBis"] = PerAccount(r, offsetof(TBerVorRecord, KontoBis));
  j["KontoMin"] = PerAccount(r, offsetof(TBerVorRecord, KontoMin));
  j["Untergrenze"] = InForce(r.Untergrenze);
  j["Obergrenze"] = InForce(r.Obergrenze);
  j["UntergrenzeJahr"] = InForce(r.UntergrenzeJahr);
  j["ObergrenzeJahr"] = InForce(r.ObergrenzeJahr);
  j["Ignoriert"] = Mask(r.Ignoriert);
  j["Fehler"] = Mask(r.Fehler);
  j["Warnungen"] = Mask(r.Warnungen);
}

}  // namespace qrv
