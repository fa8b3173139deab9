#include "abfrage_lauf.h"

#include "master/person.h"
#include "master/person_file.h"

namespace qrv::tool {

AbfrageLauf::AbfrageLauf(const Options& options, int32_t persNr)
    : inst_(options), umgebung_(inst_.Lib().Abfrage()) {
  TPerson person(&inst_.Lib().PersonFile(), false);
  LadePerson(person, persNr);
}

}  // namespace qrv::tool
