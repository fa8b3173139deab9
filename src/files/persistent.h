// The roots of the library's object classes: TObject, which a list can own and free, and
// TPersistent, which can make a new object of its own class and copy another into it.
#pragma once

#include <memory>

namespace qrv {

class TObject {
 public:
  virtual ~TObject() = default;
};

class TPersistent : public TObject {
 public:
  // A new object of the same class, as its plain constructor builds it.
  virtual std::unique_ptr<TPersistent> NewInstance() const = 0;
  // Copies source into this object; a source of an unsuitable class raises.
  virtual void Assign(const TPersistent& source) = 0;
};

}  // namespace qrv
