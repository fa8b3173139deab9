#include "master/tag_status.h"

namespace qrv {

namespace {

struct StatusZeile {
  int bit;
  const char* text;
};

// The report's order of the status lines.
constexpr StatusZeile kStatusZeilen[] = {
    {12, "noch anwesend"},
    {15, "Automatisch eingestempelt"},
    {0, "Automatisch ausgestempelt"},
    {4, "Eintragung fehlt"},
    {11, "Buchungen trotz Urlaub/Krank"},
    {13, "falsche Tastenbuchung"},
    {1, "nach Kernzeit gekommen"},
    {2, "vor Kernzeit gegangen"},
    {14, "Buchungen eingef\xFCgt oder gel\xF6scht"},
    {3, "Fehler/Warnungen wurden abgehakt"},
};

// The status bits that still count: none on an acknowledged day, and an automatic going is no
// fault while the person is still present.
uint16_t WirksamerStatus(uint16_t status) {
  if (status & kStatusAbgehakt) return 0;
  if (status & kStatusAnwesend) status = static_cast<uint16_t>(status & ~kStatusAutoGehen);
  return status;
}

bool Zaehlt(const TBerVorRecord& vorlage, uint16_t status, uint16_t maske) {
  return (WirksamerStatus(status) & maske & static_cast<uint16_t>(~vorlage.Ignoriert)) != 0;
}

}  // namespace

bool IstFehler(const TBerVorRecord& vorlage, uint16_t status) {
  return Zaehlt(vorlage, status, vorlage.Fehler);
}

bool IstWarnung(const TBerVorRecord& vorlage, uint16_t status) {
  return Zaehlt(vorlage, status, vorlage.Warnungen);
}

std::string StatusText(uint16_t status) {
  std::string text;
  for (const StatusZeile& zeile : kStatusZeilen) {
    if (status & (1u << zeile.bit)) text += std::string(zeile.text) + "\r\n";
  }
  if (text.size() > 1) text.resize(text.size() - 2);
  return text;
}

}  // namespace qrv
