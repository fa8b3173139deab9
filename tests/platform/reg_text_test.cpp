// The .reg text: a regedit export read byte for byte, the text written back, and what a damaged
// or hand-edited file does.
#include <gtest/gtest.h>

#include "platform/reg_text.h"
#include "platform/utf8.h"

namespace qrv::platform {
namespace {

// The bytes regedit writes: UTF-16LE with a byte-order mark.
std::string Utf16File(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

// An export as regedit writes it, CR LF line ends, a wrapped binary value.
constexpr std::u16string_view kExport =
    u"Windows Registry Editor Version 5.00\r\n"
    u"\r\n"
    u"[HKEY_CURRENT_USER\\Software\\Quorvane]\r\n"
    u"@=\"Standard\"\r\n"
    u"\"Install_Local_Machine\"=dword:00000001\r\n"
    u"\r\n"
    u"[HKEY_CURRENT_USER\\Software\\Quorvane\\Installation]\r\n"
    u"\"DataPath\"=\"D:\\\\Zeit\\\\Daten\"\r\n"
    u"\"NetUser\"=\"J\u00FCrgen \\\"JJ\\\" \u20AC\"\r\n"
    u"\"NetStationNumber\"=dword:0000000a\r\n"
    u"\"Raw\"=hex:01,02,ff\r\n"
    u"\"Path\"=hex(2):25,00,54,00,45,00,4d,00,50,00,25,00,00,00\r\n"
    u"\"Liste\"=hex(7):61,00,00,00,fc,00,ac,20,00,00,00,00\r\n"
    u"\"Leer\"=hex:\r\n"
    u"\"Q\"=hex(b):01,00,00,00,00,00,00,80\r\n"
    u"\"Lang\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\r\n"
    u"  16,17,18\r\n"
    u"\r\n"
    u"[HKEY_CURRENT_USER\\Software\\Quorvane\\Anzeige]\r\n"
    u"\r\n"
    u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorvane]\r\n"
    u"\"M\"=\"x\"\r\n"
    u"\r\n";

struct Expected {
  const char* name;
  uint32_t type;
  std::string data;
};

const RegKey& KeyAt(const RegKey& root, const char* path) {
  std::vector<std::string> parts;
  SplitRegPath(path, &parts);
  const RegKey* key = FindRegKey(root, parts);
  if (key == nullptr) throw std::runtime_error(std::string("missing key ") + path);
  return *key;
}

void ExpectValues(const RegKey& key, const std::vector<Expected>& want) {
  ASSERT_EQ(key.values.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE(want[i].name);
    EXPECT_EQ(key.values[i].name, want[i].name);
    EXPECT_EQ(key.values[i].value.type, want[i].type);
    EXPECT_EQ(key.values[i].value.data, want[i].data);
  }
}

std::string LongBinary() {
  std::string data;
  for (char c = 0; c < 0x19; ++c) data.push_back(c);
  return data;
}

TEST(RegTextTest, ReadsARegeditExportByteForByte) {
  RegDocument doc;
  EXPECT_EQ(ParseRegText(Utf16File(kExport), &doc), 0);
  const RegKey& quorvane = KeyAt(doc.currentUser, "Software\\Quorvane");
  EXPECT_EQ(quorvane.name, "Quorvane");
  ExpectValues(quorvane, {{"", kRegSz, std::string("Standard\0", 9)},
                          {"Install_Local_Machine", kRegDword, std::string("\1\0\0\0", 4)}});
  ExpectValues(KeyAt(quorvane, "Installation"),
               {
                   {"DataPath", kRegSz, std::string("D:\\Zeit\\Daten\0", 14)},
                   {"NetUser", kRegSz, std::string("J\xFCrgen \"JJ\" \x80\0", 14)},
                   {"NetStationNumber", kRegDword, std::string("\x0A\0\0\0", 4)},
                   {"Raw", kRegBinary, "\x01\x02\xFF"},
                   {"Path", kRegExpandSz, std::string("%TEMP%\0", 7)},
                   {"Liste", kRegMultiSz, std::string("a\0\xFC\x80\0\0", 6)},
                   {"Leer", kRegBinary, ""},
                   {"Q", 11, std::string("\1\0\0\0\0\0\0\x80", 8)},
                   {"Lang", kRegBinary, LongBinary()},
               });
  std::vector<std::string> subKeys;
  for (const RegKey& k : quorvane.subKeys) subKeys.push_back(k.name);
  EXPECT_EQ(subKeys, (std::vector<std::string>{"Installation", "Anzeige"}));
  ExpectValues(KeyAt(doc.localMachine, "software\\QUORVANE"),
               {{"M", kRegSz, std::string("x\0", 2)}});
}

TEST(RegTextTest, WritesRegeditText) {
  RegDocument doc;
  RegKey& key = doc.currentUser.AddSubKey("Software").AddSubKey("Q");
  key.SetValue("", RegValue{kRegSz, std::string("a\\\"b\xE4\0", 6)});
  key.SetValue("N", RegValue{kRegDword, std::string("\x2A\x01\0\0", 4)});
  key.SetValue("E", RegValue{kRegExpandSz, std::string("%A%\0", 4)});
  key.SetValue("Zeilen", RegValue{kRegSz, std::string("x\r\ny\0", 5)});
  key.SetValue("B", RegValue{kRegBinary, std::string(30, '\x11')});
  doc.localMachine.SetValue("", RegValue{0, ""});
  EXPECT_EQ(FormatRegText(doc),
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software]\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Q]\r\n"
            "@=\"a\\\\\\\"b\xC3\xA4\"\r\n"
            "\"N\"=dword:0000012a\r\n"
            "\"E\"=hex(2):25,00,41,00,25,00,00,00\r\n"
            "\"Zeilen\"=hex(1):78,00,0d,00,0a,00,79,00,00,00\r\n"
            "\"B\"=hex:11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,\\\r\n"
            "  11,11,11,11,11,11,11\r\n\r\n"
            "[HKEY_LOCAL_MACHINE]\r\n"
            "@=hex(0):\r\n\r\n");
}

bool SameTree(const RegKey& a, const RegKey& b) {
  if (a.name != b.name || a.values.size() != b.values.size() ||
      a.subKeys.size() != b.subKeys.size()) {
    return false;
  }
  for (size_t i = 0; i < a.values.size(); ++i) {
    if (a.values[i].name != b.values[i].name || a.values[i].value.type != b.values[i].value.type ||
        a.values[i].value.data != b.values[i].value.data) {
      return false;
    }
  }
  for (size_t i = 0; i < a.subKeys.size(); ++i) {
    if (!SameTree(a.subKeys[i], b.subKeys[i])) return false;
  }
  return true;
}

TEST(RegTextTest, WrittenTextReadsBackTheSameTree) {
  RegDocument first;
  ParseRegText(Utf16File(kExport), &first);
  first.currentUser.AddSubKey("Bin").SetValue("odd", RegValue{kRegSz, "no zero"});
  first.currentUser.AddSubKey("Bin").SetValue("type9", RegValue{9, "\x01\x02"});
  first.currentUser.AddSubKey("Bin").SetValue("dw3", RegValue{kRegDword, "\x01\x02\x03"});
  const std::string text = FormatRegText(first);
  RegDocument second;
  EXPECT_EQ(ParseRegText(text, &second), 0);
  EXPECT_TRUE(SameTree(first.currentUser, second.currentUser));
  EXPECT_TRUE(SameTree(first.localMachine, second.localMachine));
  EXPECT_EQ(FormatRegText(second), text);
}

TEST(RegTextTest, SkipsMalformedLinesAndKeepsTheRest) {
  struct Case {
    const char* label;
    std::string line;
    int skipped;
  } cases[] = {
      {"unterminated string", "\"a\"=\"open", 1},
      {"no equals sign", "\"a\" \"b\"", 1},
      {"dword with a letter", "\"a\"=dword:0000000g", 1},
      {"dword of nine digits", "\"a\"=dword:123456789", 1},
      {"empty dword", "\"a\"=dword:", 1},
      {"bad hex byte", "\"a\"=hex:01,zz", 1},
      {"hex byte of three digits", "\"a\"=hex:001", 1},
      {"unclosed type", "\"a\"=hex(2:00", 1},
      {"unknown data", "\"a\"=qword:1", 1},
      {"text after string", "\"a\"=\"b\" c", 1},
      {"garbage", "foo bar", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const std::string text =
        std::string("REGEDIT4\n[HKEY_CURRENT_USER\\Software\\X]\n\"before\"=\"1\"\n") + c.line +
        "\n\"after\"=dword:2\n";
    RegDocument doc;
    EXPECT_EQ(ParseRegText(text, &doc), c.skipped);
    const RegKey& key = KeyAt(doc.currentUser, "Software\\X");
    ASSERT_EQ(key.values.size(), 2u);
    EXPECT_EQ(key.values[0].name, "before");
    EXPECT_EQ(key.values[1].name, "after");
  }
}

TEST(RegTextTest, ValuesWithoutAUsableHeaderAreSkipped) {
  RegDocument doc;
  const std::string text =
      "\"before any header\"=\"0\"\n"
      "[HKEY_CLASSES_ROOT\\x]\n\"a\"=\"1\"\n"
      "[HKEY_CURRENT_USER\\Z\n\"b\"=\"2\"\n"
      "[HKEY_CURRENT_USER\\" +
      std::string(256, 'k') +
      "]\n\"c\"=\"3\"\n"
      "[HKCU\\Y]\n\"d\"=\"4\"\n";
  EXPECT_EQ(ParseRegText(text, &doc), 7);
  ASSERT_EQ(doc.currentUser.subKeys.size(), 1u);
  ExpectValues(KeyAt(doc.currentUser, "Y"), {{"d", kRegSz, std::string("4\0", 2)}});
  EXPECT_TRUE(doc.localMachine.subKeys.empty());
}

TEST(RegTextTest, JoinsContinuationLines) {
  RegDocument doc;
  ParseRegText(
      "[HKEY_CURRENT_USER\\K]\n\"a\"=hex(7):61,00,\\\n   62,00,\\\n\t00,00,00,00\n"
      "\"b\"=hex:01,\\\n",
      &doc);
  ExpectValues(KeyAt(doc.currentUser, "K"),
               {{"a", kRegMultiSz, std::string("ab\0\0", 4)}, {"b", kRegBinary, "\x01"}});
}

TEST(RegTextTest, AppliesDeletions) {
  RegDocument doc;
  ParseRegText(
      "[HKEY_CURRENT_USER\\A\\B\\C]\n\"x\"=\"1\"\n"
      "[HKEY_CURRENT_USER\\A]\n@=\"d\"\n\"y\"=\"2\"\n\"z\"=\"3\"\n"
      "[-HKEY_CURRENT_USER\\a\\b]\n"
      "[HKEY_CURRENT_USER\\A]\n\"Y\"=-\n@=-\n\"missing\"=-\n",
      &doc);
  const RegKey& a = KeyAt(doc.currentUser, "A");
  EXPECT_TRUE(a.subKeys.empty());
  ExpectValues(a, {{"z", kRegSz, std::string("3\0", 2)}});
}

TEST(RegTextTest, MergesKeysAndValuesWithoutRegardToCase) {
  RegDocument doc;
  ParseRegText(
      "[HKEY_CURRENT_USER\\Software\\\xC4rger]\n\"Wert\"=\"1\"\n"
      "[hkey_current_user\\SOFTWARE\\\xE4RGER]\n\"WERT\"=\"2\"\n",
      &doc);
  ASSERT_EQ(doc.currentUser.subKeys.size(), 1u);
  const RegKey& key = KeyAt(doc.currentUser, "software\\\xC4rger");
  EXPECT_EQ(key.name, "\xC4rger");
  ExpectValues(key, {{"Wert", kRegSz, std::string("2\0", 2)}});
}

TEST(RegTextTest, DecodesEachFileEncoding) {
  const std::string utf8 = "[HKCU\\K]\n\"a\"=\"\xC3\xBC\xE2\x82\xAC\"\n";
  struct Case {
    const char* label;
    std::string bytes;
  } cases[] = {
      {"UTF-8", utf8},
      {"UTF-8 with mark", "\xEF\xBB\xBF" + utf8},
      {"1252, not valid UTF-8", "[HKCU\\K]\n\"a\"=\"\xFC\x80\"\n"},
      {"UTF-16LE", Utf16File(u"[HKCU\\K]\r\n\"a\"=\"\u00FC\u20AC\"\r\n")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    RegDocument doc;
    EXPECT_EQ(ParseRegText(c.bytes, &doc), 0);
    ExpectValues(KeyAt(doc.currentUser, "K"), {{"a", kRegSz, std::string("\xFC\x80\0", 3)}});
  }
}

TEST(RegTextTest, Regedit4HoldsStringDataIn1252) {
  RegDocument doc;
  ParseRegText("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n\"p\"=hex(2):25,41,fc,00\r\n", &doc);
  ExpectValues(KeyAt(doc.currentUser, "K"), {{"p", kRegExpandSz, std::string("%A\xFC\0", 4)}});
}

TEST(TextEncodingTest, ConvertsBetween1252AndUnicode) {
  std::string all;
  for (int c = 0; c < 256; ++c) all.push_back(static_cast<char>(c));
  EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
  EXPECT_EQ(Utf16LeToAnsi(AnsiToUtf16Le(all)), all);
  EXPECT_EQ(AnsiToUtf8("\xE4\x80\x9F"), "\xC3\xA4\xE2\x82\xAC\xC5\xB8");
  EXPECT_EQ(Utf8ToAnsi("\xE4\xB8\xAD|\xF0\x9F\x98\x80|\xC0\xAF|\xFC"), "?|?|\xC0\xAF|\xFC");
  EXPECT_EQ(Utf16LeToAnsi(std::string("\x3D\xD8\x00\xDE\x41\x00\x00\xDC\x42", 9)), "?A?");
  EXPECT_TRUE(EqualNoCase("\xC4rger \x8A\x9F", "\xE4RGER \x9A\xFF"));
  EXPECT_FALSE(EqualNoCase("\xD7", "\xF7"));  // multiplication and division signs
}

}  // namespace
}  // namespace qrv::platform
