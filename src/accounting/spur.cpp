#include "accounting/spur.h"

namespace qrv {

TSpur::~TSpur() = default;

}  // namespace qrv
