// quorvane calc-template N: the fields of calculation template N, the bounds listed by position
// for those in force. A template that does not exist is reported, not created.
#include "calc_template_cmd.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

#include "master/bervor.h"
#include "output.h"
#include "util/errors.h"

namespace qrv::tool {

namespace {

using nlohmann::ordered_json;

ordered_json Bits(uint8_t word) {
  ordered_json bits = ordered_json::array();
  for (int bit = 0; bit < 8; ++bit) {
    if (word & (1u << bit)) bits.push_back(bit);
  }
  return bits;
}

const uint8_t* At(const TBerVorRecord& r, size_t offset) {
  return reinterpret_cast<const uint8_t*>(&r) + offset;
}

// packed: the record's doubles are copied out before they are read.
ordered_json PerAccount(const void* packed) {
  double values[kBerVorKonten];
  std::memcpy(values, packed, sizeof values);
  ordered_json j = ordered_json::object();
  for (int32_t k = 1; k <= kBerVorKonten; ++k) j[std::to_string(k)] = values[k - 1];
  return j;
}

ordered_json InForce(const TGrenzen& table) {
  ordered_json j = ordered_json::object();
  for (int32_t p = kGrenzeMin; p <= kGrenzeMax; ++p) {
    if (table.InKraft(p)) j[std::to_string(p)] = table.Grenze(p);
  }
  return j;
}

// A status mask with the report lines of its bits.
ordered_json Mask(uint16_t mask) {
  ordered_json lines = ordered_json::array();
  const std::string text = StatusText(mask);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(Utf8(text.substr(start, end - start)));
    start = end + 2;
  }
  return {{"Wert", mask}, {"Texte", lines}};
}

ordered_json TemplateJson(int32_t nummer, const TBerVorRecord& r) {
  ordered_json j;
  j["Nummer"] = nummer;
  j["Name"] = Utf8(BerVorName(r));
  j["MonatsEnde"] = r.MonatsEnde;
  j["Optionen"] = {{"Wert", r.Optionen}, {"Bits", Bits(r.Optionen)}};
  j["Optionen2"] = {{"Wert", r.Optionen2}, {"Bits", Bits(r.Optionen2)}};
  j["WochenEnde"] = r.WochenEnde;
  j["KontoVon"] = PerAccount(At(r, offsetof(TBerVorRecord, KontoVon)));
  j["KontoBis"] = PerAccount(At(r, offsetof(TBerVorRecord, KontoBis)));
  j["KontoMin"] = PerAccount(At(r, offsetof(TBerVorRecord, KontoMin)));
  j["Untergrenze"] = InForce(r.Untergrenze);
  j["Obergrenze"] = InForce(r.Obergrenze);
  j["UntergrenzeJahr"] = InForce(r.UntergrenzeJahr);
  j["ObergrenzeJahr"] = InForce(r.ObergrenzeJahr);
  j["Ignoriert"] = Mask(r.Ignoriert);
  j["Fehler"] = Mask(r.Fehler);
  j["Warnungen"] = Mask(r.Warnungen);
  return j;
}

void Run(const Options& options, int32_t nummer) {
  Installation inst(options);
  TBerVorFile& file = inst.Lib().BerVorFile();
  if (!file.RecordFileExists(0, 0, nummer)) {
    throw Exception("Berechnungsvorlage " + std::to_string(nummer) + " nicht gefunden");
  }
  TBerVor vorlage(file);
  vorlage.LadeBerVor(nummer);
  Print(options, TemplateJson(nummer, vorlage.Rec));
}

}  // namespace

void AddCalcTemplateCommand(CLI::App& app, const Options& options) {
  auto nummer = std::make_shared<int32_t>(0);
  CLI::App* cmd = app.add_subcommand("calc-template", "one calculation template (BVOR<N>.DAT)");
  cmd->add_option("N", *nummer, "the template's number (1 to 9999)")->required();
  cmd->callback([&options, nummer] { Run(options, *nummer); });
}

}  // namespace qrv::tool
