#include "master/gruppe.h"

namespace qrv {

void TGruppe::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TGruppe*>(&source);
  if (other == nullptr) throw Exception(kMsgInvalidCast);
  Name = other->Name;
  Daten = other->Daten;
  Wert1 = other->Wert1;
  Flag1 = other->Flag1;
  KeyC = other->KeyC;
  Wert3 = other->Wert3;
  Flag2 = other->Flag2;
  Wert2 = other->Wert2;
}

}  // namespace qrv
