#include "master/person.h"

namespace qrv {

TPerson::TPerson(TPersonFile* file, bool buffered) : TFileData(buffered), File(file) {}

std::unique_ptr<TPersistent> TPerson::NewInstance() const {
  return std::make_unique<TPerson>(File);
}

void TPerson::Assign(const TPersistent& source) {
  TFileData::Assign(source);
  if (const auto* other = dynamic_cast<const TPerson*>(&source)) {
    Rec = other->Rec;
    Raw = other->Raw;
  }
}

TPersonFile& TPerson::FileOrRaise() const {
  if (File == nullptr) throw Exception(kMsgNoPersonFile);
  return *File;
}

void TPerson::Save() {
  if (DeferSave()) return;
  KeyC = Rec.PersNr;
  FileOrRaise().WriteRecord(Raw.data(), &Rec, 0, 0, Rec.PersNr);
}

void TPerson::Load(int32_t number) {
  if (IsLoaded(0, 0, number)) return;
  FileOrRaise().ReadRecord(Raw.data(), &Rec, 0, 0, number);
  KeyA = 0;
  KeyB = 0;
  KeyC = Rec.PersNr;
  Loaded = true;
}

TPersonList::TPersonList(platform::Locale& locale, TPersonFile& file)
    : TSortedList(locale), file_(file) {
  Duplicates = TDuplicates::dupIgnore;
  SetSorted(true);
}

void TPersonList::SetSortOrder(int32_t order) {
  sortOrder_ = order;
  SetSorted(false);
  SetSorted(true);
}

int TPersonList::CompareItems(const std::string&, const TObject* object1, const std::string&,
                              const TObject* object2) {
  const auto* a = dynamic_cast<const TPerson*>(object1);
  const auto* b = dynamic_cast<const TPerson*>(object2);
  if (a == nullptr || b == nullptr) throw Exception(kMsgInvalidCast);
  return file_.Compare(&a->Rec, &b->Rec, sortOrder_);
}

}  // namespace qrv
