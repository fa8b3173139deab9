// The plan template record (560 bytes in memory) and its stored form (858 bytes, one file per
// template) with the conversions. Stored names are in the OEM code page; list entries 1 to 10
// are 16-bit, entries 11 to 100 32-bit, and a flagged entry of a kind-2 template is stored
// negative.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

#include "platform/nls.h"

namespace qrv {

inline constexpr int32_t kPlanvorlRawSize = 858;
// A template file holds the record followed by zeros up to this size; a shorter file (858 bytes,
// or cut off) reads with its missing tail as zeros and is written back at full size.
inline constexpr int32_t kPlanvorlFileSize = 10000;
inline constexpr int32_t kPlanvorlListe = 100;
inline constexpr int32_t kPlanvorlNameMax = 50;
// Art: the template has a calendar of its own (the plan 100000 + number).
inline constexpr uint8_t kArtKalender = 1;
// Art: flagged list entries are stored negative.
inline constexpr uint8_t kArtMarkiertNegativ = 2;

#pragma pack(push, 1)

// List position p is entry p - 1 of Modelle and Markiert; positions 1..Anzahl are in use.
struct TPlanvorlageRec {
  uint8_t Name[kPlanvorlNameMax + 1];  // length byte, then up to 50 characters (ANSI)
  int32_t Modelle[kPlanvorlListe];
  uint8_t Markiert[kPlanvorlListe];
  int32_t Anzahl;
  uint8_t Art;
  int32_t Modell;  // one of the listed models, or 0
};

#pragma pack(pop)

static_assert(sizeof(TPlanvorlageRec) == 560);
static_assert(std::is_trivially_copyable_v<TPlanvorlageRec>);

// Decodes the kPlanvorlRawSize bytes of raw: zero entries are left out (the list closes up), a
// stored count above 100 reads as 100, and Modell is 0 unless it is one of the listed models.
void PlanvorlRawToObject(const uint8_t* raw, TPlanvorlageRec& rec, platform::Locale& locale);
// Encodes rec into the kPlanvorlRawSize bytes of raw (bytes without a field are zero).
void PlanvorlObjectToRaw(const TPlanvorlageRec& rec, uint8_t* raw, platform::Locale& locale);

// The name (ANSI) and its replacement, cut to 50 characters.
std::string PlanvorlName(const TPlanvorlageRec& rec);
void SetPlanvorlName(TPlanvorlageRec& rec, const std::string& name);

}  // namespace qrv
