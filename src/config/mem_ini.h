// A settings file read whole into memory: sections of key=value lines. Sections and keys are
// found without regard to case; the first of equal keys counts. Writing a value changes its line
// in place (or adds it at the end of its section), so a file written back keeps every other line,
// comment and order as it was.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"

namespace qrv {

class TMemIniFile {
 public:
  // An empty settings file that belongs to no file on disk.
  TMemIniFile() = default;
  // Reads fileName; a missing or unreadable file reads as empty.
  TMemIniFile(platform::FileSystem& files, std::string fileName);

  const std::string& FileName() const { return fileName_; }

  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& ident) const;
  // The value with the blanks around it removed; def when the key is missing.
  std::string ReadString(const std::string& section, const std::string& ident,
                         const std::string& def) const;
  // Decimal, or hexadecimal with "$" or "0x"; def when missing or not an integer.
  int32_t ReadInteger(const std::string& section, const std::string& ident, int32_t def) const;
  // An integer read whose result is true when not 0.
  bool ReadBool(const std::string& section, const std::string& ident, bool def) const;

  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& ident, int32_t value);

  // Writes the whole file back: to a temporary file beside it, then renamed into place, so no
  // reader ever sees it half written. Raises the input/output error of a failing step.
  void UpdateFile();

 private:
  // Index of the section's header line, or -1.
  int FindSection(const std::string& section) const;
  // Index of the key's line within the section starting after header, or -1.
  int FindKey(int header, const std::string& ident) const;
  int SectionEnd(int header) const;
  std::string Compose() const;

  platform::FileSystem* files_ = nullptr;
  std::string fileName_;
  std::vector<std::string> lines_;
  std::string lineBreak_ = "\r\n";
};

}  // namespace qrv
