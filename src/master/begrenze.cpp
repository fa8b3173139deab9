#include "master/begrenze.h"

namespace qrv {

namespace {

void Deckel(const TGrenzen& obergrenze, double& wert, int32_t position) {
  if (obergrenze.InKraft(position) && wert > obergrenze.Grenze(position)) {
    wert = obergrenze.Grenze(position);
  }
}

void Boden(const TGrenzen& untergrenze, double& wert, int32_t position) {
  if (untergrenze.InKraft(position) && wert < untergrenze.Grenze(position)) {
    wert = untergrenze.Grenze(position);
  }
}

}  // namespace

void Begrenze(const TBerVorRecord& vorlage, double& wert, int32_t position, bool jahreswechsel) {
  Deckel(vorlage.Obergrenze, wert, position);
  Boden(vorlage.Untergrenze, wert, position);
  if (!jahreswechsel) return;
  Deckel(vorlage.ObergrenzeJahr, wert, position);
  Boden(vorlage.UntergrenzeJahr, wert, position);
}

}  // namespace qrv
