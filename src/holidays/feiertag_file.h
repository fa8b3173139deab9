// The yearly holiday file FEIERTG.DAT and TQRVFeiertage, the holiday calendar bound to it.
//
// The file is text in the ANSI code page: line 1 the switched-on set of built-in holidays as an
// integer, line 2 the number N of own holidays, then one own holiday per line as day, month,
// switch and the name up to the end of the line. The library only reads these files.
#pragma once

#include <cstdint>
#include <string>

#include "config/konfig.h"
#include "holidays/feiertage.h"
#include "platform/files.h"

namespace qrv {

// Reads numbers and line rests from a text the way the installation's programs wrote and read
// the holiday file: blanks, tabs and line ends before a number are skipped, a number asked for
// at the end of the text reads as 0, and anything else than an integer up to the next blank is
// the input/output error "Ungültige numerische Eingabe" (106).
class TFeiertagText {
 public:
  explicit TFeiertagText(std::string text) : text_(std::move(text)) {}
  // The whole file; failing to open or read it raises its input/output error.
  static TFeiertagText Open(platform::FileSystem& files, const std::string& path);

  int32_t ReadInt();
  // The rest of the current line, without its line end.
  std::string ReadRest();
  // Moves behind the end of the current line.
  void SkipLine();
  bool AtEnd() const { return pos_ >= text_.size(); }

 private:
  std::string text_;
  size_t pos_ = 0;
};

// The holiday calendar of the library: each time it moves to another year it loads that year's
// file (the year clamped to the managed years) before the dates are recomputed. A file that is
// missing or fails part way leaves what was in effect or read so far.
class TQRVFeiertage : public TFeiertage {
 public:
  // The calendar with the built-in defaults, set to year 1, so that the first lookup of a real
  // year loads that year's file. platform and konfig must outlive it.
  TQRVFeiertage(const platform::Platform& platform, const TKonfig& konfig);

  // DataPath, the year clamped to VerwJahreMin..VerwJahreMax, the separator and FEIERTG.DAT.
  std::string DateiName(uint16_t jahr) const;

 protected:
  void DoJahr(uint16_t neuJahr) override;

 private:
  const TKonfig& konfig_;
};

}  // namespace qrv
