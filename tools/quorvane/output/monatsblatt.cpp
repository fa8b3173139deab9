#include "monatsblatt.h"

#include <cstdio>
#include <string>
#include <vector>

#include "json/spur_json.h"
#include "util/datetime.h"

namespace qrv::tool {

int DurationMinutes(const std::string& text) {
  int h = 0, m = 0;
  const bool minus = !text.empty() && text[0] == '-';
  std::sscanf(text.c_str() + (minus ? 1 : 0), "%d:%d", &h, &m);
  return (minus ? -1 : 1) * (h * 60 + m);
}

namespace {

std::string MinutesText(int minutes) {
  return DurationText(MinutesToTime(minutes));
}

std::string Weekday(const std::string& date) {
  static const char* const kTage[] = {"", "So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
  int y = 0, m = 0, d = 0;
  TDateTime t = 0;
  if (std::sscanf(date.c_str(), "%d-%d-%d", &y, &m, &d) != 3 || !TryEncodeDate(y, m, d, &t)) {
    return "  ";
  }
  return kTage[DayOfWeek(t)];
}

TDateTime DatumAus(const std::string& text) {
  int y = 0, m = 0, d = 0;
  TDateTime t = 0;
  if (std::sscanf(text.c_str(), "%d-%d-%d", &y, &m, &d) != 3 || !TryEncodeDate(y, m, d, &t)) {
    return 0;
  }
  return t;
}

// "08:00-12:00 12:30-16:45": the times of the pairs, a lone coming with an open end; a time on
// another day than the sheet's line carries the days between ("22:00-06:00+1").
std::string PaareText(const Json& paare, const std::string& datum) {
  const TDateTime tag = DatumAus(datum);
  std::string s;
  for (size_t i = 0; i < paare.size(); ++i) {
    const std::string text = paare[i]["Zeit"].get<std::string>();
    std::string zeit = text.substr(11);
    const int tage = static_cast<int>(DatumAus(text.substr(0, 10)) - tag);
    if (tage != 0) zeit += (tage > 0 ? "+" : "") + std::to_string(tage);
    if (i % 2 == 0) {
      s += (s.empty() ? "" : " ") + zeit + "-";
    } else {
      s += zeit;
    }
  }
  return s;
}

std::string StatusZeile(const Json& tag) {
  std::string s = tag["Fehlzeit"].get<std::string>();
  for (const Json& line : tag["StatusText"]) {
    s += (s.empty() ? "" : ", ") + line.get<std::string>();
  }
  return s;
}

// Characters, not bytes: the text is UTF-8.
size_t Width(const std::string& s) {
  size_t n = 0;
  for (char c : s) n += (static_cast<uint8_t>(c) & 0xC0) != 0x80;
  return n;
}

std::string Right(const std::string& s, size_t width) {
  return Width(s) >= width ? s : std::string(width - Width(s), ' ') + s;
}

std::string Left(const std::string& s, size_t width) {
  return Width(s) >= width ? s : s + std::string(width - Width(s), ' ');
}

constexpr size_t kPaareBreite = 36;

void Kopf(std::ostream& out) {
  out << Left("Datum", 14) << Left("Paare", kPaareBreite) << Right("Soll", 7) << Right("Ist", 7)
      << Right("Diff", 7) << Right("Saldo", 8) << "  Status\n";
}

// One day's line; saldo is the running balance after the day.
void Zeile(std::ostream& out, const Json& tag, const std::string& saldo) {
  const std::string datum = tag["Datum"];
  const Json& e = tag["TagErgebnis"];
  std::string zeile =
      Left(Weekday(datum) + " " + datum, 14) + Left(PaareText(tag["Paare"], datum), kPaareBreite) +
      Right(e["47"].get<std::string>(), 7) + Right(e["48"].get<std::string>(), 7) +
      Right(e["49"].get<std::string>(), 7) + Right(saldo, 8) + "  " + StatusZeile(tag);
  zeile.erase(zeile.find_last_not_of(' ') + 1);
  out << zeile << "\n";
}

// What a day result position holds, for a reader; accounts by number.
std::string PositionsName(const std::string& position) {
  static const char* const kNamen[] = {
      "Anwesenheit", "Feiertag", "Arbeit ungerundet", "Pr\xC3\xA4senz", "Arbeitszeit", "Netto",
      "Soll",        "Ist",      "Differenz",         "Abwesend",       "Abzug 1",     "Pausen",
      "Autopausen",  "Abzug 2",  "Abz\xC3\xBCge",     "Abwesend 4",     "Abwesend 6",  "Abwesend 8",
      "Tageskonten", "Zusatz"};
  if (EinheitVon(position) != SpurEinheit::kDauer || position.size() > 2) return position;
  const int pos = std::stoi(position);
  if (pos <= 40) return "Konto " + position;
  return position + " " + kNamen[pos - 41];
}

std::string Wert(const Json& v) {
  return v.is_string() ? v.get<std::string>() : v.dump();
}

void UebertragZeile(std::ostream& out, const std::string& name, const Json& vorher,
                    const Json& nachher) {
  out << "  " << Left(name, 18) << Right(Wert(vorher), 10) << " -> " << Wert(nachher) << "\n";
}

// "MonSaldo  12:30 -> 14:00", a line per value (lists and objects by element).
void Uebertraege(std::ostream& out, const Json& vorher, const Json& nachher) {
  for (const auto& [key, wert] : nachher.items()) {
    if (key == "Jahr" || key == "Monat") continue;
    const Json& alt = vorher.at(key);
    if (wert.is_array()) {
      for (size_t i = 0; i < wert.size(); ++i) {
        UebertragZeile(out, key + "[" + std::to_string(i + 1) + "]", alt.at(i), wert[i]);
      }
    } else if (wert.is_object()) {
      for (const auto& [k, v] : wert.items())
        UebertragZeile(out, key + "[" + k + "]", alt.at(k), v);
    } else {
      UebertragZeile(out, key, alt, wert);
    }
  }
}

}  // namespace

void PrintMonatsblatt(std::ostream& out, const Json& a) {
  const Json& monat = a["Monat"];
  const Json& summe = a["MonErgebnis"];
  const Json& s = summe["TagErgebnis"];
  out << "PersNr " << a["PersNr"].get<int>() << "  " << a["Name"].get<std::string>() << ", "
      << a["Vorname"].get<std::string>() << "  Monat " << monat["Monat"].get<int>() << "/"
      << monat["Jahr"].get<int>() << "  " << Wert(a["Von"]) << " bis " << Wert(a["Bis"]) << "\n\n";
  int saldo = DurationMinutes(monat["MonSaldo"]) - DurationMinutes(s["49"]);
  Kopf(out);
  out << Left("Vortrag", 14 + kPaareBreite + 21) << Right(MinutesText(saldo), 8) << "\n";
  for (const Json& tag : a["Tage"]) {
    saldo += DurationMinutes(tag["TagErgebnis"]["49"]);
    Zeile(out, tag, MinutesText(saldo));
  }
  out << Left("Summe", 14 + kPaareBreite) << Right(s["47"].get<std::string>(), 7)
      << Right(s["48"].get<std::string>(), 7) << Right(s["49"].get<std::string>(), 7)
      << Right(monat["MonSaldo"].get<std::string>(), 8) << "\n\n";
  out << "Arbeitstage " << Wert(summe["Arbeitstage"]) << ", Feiertage " << Wert(summe["Feiertage"])
      << ", FehlerTage " << Wert(summe["FehlerTage"]) << ", WarnTage " << Wert(summe["WarnTage"])
      << "\n\n";
  out << "Vormonat -> Monat:\n";
  Uebertraege(out, a["Vormonat"], monat);
}

void PrintTagErklaerung(std::ostream& out, const Json& tag) {
  Kopf(out);
  const Json& e = tag["TagErgebnis"];
  Zeile(out, tag, "");
  out << "\n";
  for (const auto& [pos, wert] : e.items()) {
    out << "  " << Left(PositionsName(pos), 22) << Right(Wert(wert), 7) << "\n";
  }
  if (!tag.contains("Spur")) return;
  out << "\nErkl\xC3\xA4rung:\n";
  for (const Json& eintrag : tag["Spur"]) {
    const std::string position = eintrag["Position"];
    const std::string wert = Wert(eintrag["Wert"]);
    // Only what moved a time (the JSON shows times as text): a result of 0:00 moved nothing.
    if (!eintrag["Wert"].is_string() || wert == "0:00") continue;
    out << "  " << Right(std::to_string(eintrag["Schritt"].get<int>()), 2) << "  "
        << Left(PositionsName(position), 22) << Right(wert, 17) << "  "
        << eintrag["Regel"].get<std::string>() << "\n";
  }
}

}  // namespace qrv::tool
