#include "abfrage_lauf.h"

#include <stdexcept>
#include <string>

#include "master/person.h"
#include "master/person_file.h"

namespace qrv::tool {

AbfrageLauf::AbfrageLauf(const Options& options, int32_t persNr)
    : inst_(options), umgebung_(inst_.Lib().Abfrage()) {
  TPerson person(&inst_.Lib().PersonFile(), false);
  person.Load(persNr);
  if (!person.Rec.Belegt) {
    throw std::runtime_error("no person " + std::to_string(persNr) + " in the installation");
  }
}

}  // namespace qrv::tool
