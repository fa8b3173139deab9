// TPerson: one person in memory, its stored record and its object record, read and written
// through the person file. TPersonList: persons kept in one of the person file's seven orders.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "files/sorted_list.h"
#include "master/person_file.h"

namespace qrv {

// The error of a person that belongs to no person file.
inline constexpr char kMsgNoPersonFile[] = "Keine Personendatei zugeordnet";

class TPerson : public TFileData {
 public:
  // file may be set later (the process-wide person is created before the person file).
  explicit TPerson(TPersonFile* file = nullptr, bool buffered = true);
  ~TPerson() override { SetBuffered(false); }

  std::unique_ptr<TPersistent> NewInstance() const override;
  // TFileData's copy; from another person also its object record and stored record.
  void Assign(const TPersistent& source) override;
  // Writes record PersNr unless the save is held back.
  void Save() override;
  // Reads person number unless it is held and current.
  void Load(int32_t number);

  TPersonFile* File;
  std::array<uint8_t, kPersonRawSize> Raw{};
  TPersonRec Rec{};

 private:
  TPersonFile& FileOrRaise() const;
};

class TPersonList : public TSortedList {
 public:
  // Sorted by order 2 (names), duplicates ignored; file orders the entries.
  TPersonList(platform::Locale& locale, TPersonFile& file);

  // Orders the list anew by order (0 to 6).
  void SetSortOrder(int32_t order);
  int32_t SortOrder() const { return sortOrder_; }

  // The entries' objects are TPersons; their texts play no part.
  int CompareItems(const std::string& text1, const TObject* object1, const std::string& text2,
                   const TObject* object2) override;

 private:
  TPersonFile& file_;
  int32_t sortOrder_ = 2;
};

}  // namespace qrv
