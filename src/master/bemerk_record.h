// The remark record: the text of one day's remark for one person, 128 bytes, stored and held
// alike, and its little-endian conversion.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qrv {

inline constexpr int32_t kBemerkSize = 128;
inline constexpr int32_t kBemerkTextMax = 109;

#pragma pack(push, 1)

struct TBemerkRec {
  uint16_t Nummer;  // equal to the record number
  int32_t PersNr;
  uint8_t Reserviert[4];
  double Datum;                      // the day the remark belongs to
  uint8_t Text[kBemerkTextMax + 1];  // length byte, then up to 109 characters
};
static_assert(sizeof(TBemerkRec) == kBemerkSize);

#pragma pack(pop)

// Stored offsets of the fields.
inline constexpr size_t kBmNummer = 0;
inline constexpr size_t kBmPersNr = 2;
inline constexpr size_t kBmReserviert = 6;
inline constexpr size_t kBmDatum = 10;
inline constexpr size_t kBmText = 18;

// Reads n stored bytes into rec; bytes beyond n count as zero, bytes beyond the record are not
// looked at.
void BemerkRawToObject(const uint8_t* raw, size_t n, TBemerkRec& rec);
// Writes the kBemerkSize bytes of the stored record.
void BemerkObjectToRaw(const TBemerkRec& rec, uint8_t* raw);

// The text (ANSI); a length byte above the capacity reads as a full text.
std::string BemerkText(const TBemerkRec& rec);
// Sets the text, cut to 109 characters.
void SetBemerkText(TBemerkRec& rec, const std::string& text);

}  // namespace qrv
