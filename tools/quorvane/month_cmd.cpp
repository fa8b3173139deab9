// quorvane month: the month values and the days of one person's month.
#include "month_cmd.h"

#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "config/konfig.h"
#include "master/bervor.h"
#include "month/monat.h"
#include "month/monat_file.h"
#include "output.h"

namespace qrv::tool {

namespace {

using nlohmann::ordered_json;

struct MonthArgs {
  int32_t year = 0;
  int32_t month = 0;
  int32_t person = 0;
};

ordered_json Durations(const double* values, int n) {
  ordered_json a = ordered_json::array();
  for (int i = 0; i < n; ++i) a.push_back(DurationText(values[i]));
  return a;
}

ordered_json BookingsJson(const TMonatTag& t) {
  ordered_json a = ordered_json::array();
  for (int i = 0; i < t.Buchungszahl(); ++i) {
    const TBuchung& b = t.Buchungen[i];
    a.push_back(
        {{"Zeit", DateTimeText(b.Zeit)}, {"Art", b.Art}, {"Code1", b.Code1}, {"Code2", b.Code2}});
  }
  return a;
}

ordered_json DayJson(const TMonat& m, int d) {
  const TMonatTag& t = m.Daten.Tag(d);
  ordered_json j;
  j["Tag"] = d;
  j["TagZeit"] = DurationText(t.TagZeit);
  j["Status"] = t.Status;
  j["Fehlzeit"] = t.Fehlzeit > ' ' ? Utf8(std::string(1, t.Fehlzeit)) : "";
  double konto[kTagKonten];
  for (int k = 0; k < kTagKonten; ++k) konto[k] = t.TagKonto[k];
  j["TagKonto"] = Durations(konto, kTagKonten);
  if (m.Anz2 > 0) {
    double wert[kKonten];
    for (int k = 0; k < kKonten; ++k) wert[k] = t.TagKontoWert[k];
    j["TagKontoWert"] = Durations(wert, m.Anz2);
  }
  j["Buchungen"] = BookingsJson(t);
  j["TagWort"] = t.TagWort;
  return j;
}

void AddAccounts(const TMonat& m, ordered_json& j) {
  const TMonatDaten& d = m.Daten;
  double values[kKonten];
  for (int k = 0; k < kTagKonten; ++k) values[k] = d.MonTagKonto[k];
  j["MonTagKonto"] = Durations(values, kTagKonten);
  for (int k = 0; k < kTagKonten; ++k) values[k] = d.MonTagKontoKorr[k];
  j["MonTagKontoKorr"] = Durations(values, kTagKonten);
  for (int k = 0; k < kKonten; ++k) values[k] = d.MonKonto[k];
  j["MonKonto"] = Durations(values, m.Anz4);
  for (int k = 0; k < kKonten; ++k) values[k] = d.MonKontoKorr[k];
  j["MonKontoKorr"] = Durations(values, m.Anz4);
}

ordered_json MonthJson(const TMonat& m) {
  const TMonatDaten& d = m.Daten;
  ordered_json j;
  j["Jahr"] = m.KeyA;
  j["Monat"] = m.KeyB;
  j["PersNr"] = m.KeyC;
  j["Layout"] = m.Kompakt ? "kompakt" : "voll";
  j["BerechnetAm"] = DateTimeText(d.BerechnetAm);
  j["BerechnetBis"] = d.BerechnetBis;
  j["MonSaldo"] = DurationText(d.MonSaldo);
  j["MonSaldoKorr"] = DurationText(d.MonSaldoKorr);
  j["MonAnteilB"] = d.MonAnteilB;
  j["MonAnteilBKorr"] = d.MonAnteilBKorr;
  j["MonAnteilA"] = d.MonAnteilA;
  j["MonAnteilAKorr"] = d.MonAnteilAKorr;
  AddAccounts(m, j);
  j["MonWarnTage"] = d.MonWarnTage;
  j["MonWarnTageKorr"] = d.MonWarnTageKorr;
  j["MonFehlerTage"] = d.MonFehlerTage;
  j["MonFehlerTageKorr"] = d.MonFehlerTageKorr;
  if (!m.Kompakt) {
    j["MonInt"] = {d.MonInt1, d.MonInt2, d.MonInt3, d.MonInt4};
    j["MonUebertrag"] = d.MonUebertrag;
    j["MonFlag"] = d.MonFlag;
  }
  ordered_json days = ordered_json::array();
  for (int day = 1; day <= m.TageImMonat; ++day) days.push_back(DayJson(m, day));
  j["Tage"] = days;
  return j;
}

// --format text: one line per day with its weekday, absence, status and bookings; a booking on
// a later day than its own is marked "+1".
std::string BookingsText(const TMonatTag& t, TDateTime datum) {
  std::string s;
  for (int i = 0; i < t.Buchungszahl(); ++i) {
    const double z = t.Buchungen[i].Zeit;
    const std::string uhr = DateTimeText(z).substr(11, 5);
    s += (i % 2 == 0 ? (i == 0 ? "" : "  ") : "-") + uhr;
    if (std::floor(z + 1e-7) > datum) s += "+1";
  }
  if (t.Buchungszahl() % 2 == 1) s += "-?";
  return s;
}

std::string StatusLine(uint16_t status) {
  std::string text = StatusText(status), out;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    out += (out.empty() ? "" : ", ") + text.substr(at, end - at);
    at = end + 2;
  }
  return Utf8(out);
}

void PrintMonthText(const TMonat& m, const TKonfig& konfig) {
  static const char* const kTage[] = {"", "So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
  std::printf("Monat %04d/%02d  Person %d  Layout %s\n", m.KeyA, m.KeyB, m.KeyC,
              m.Kompakt ? "kompakt" : "voll");
  std::printf("%-6s  %-10s  %-31s  %s\n", "Tag", "Fehlzeit", "Buchungen", "Status");
  for (int d = 1; d <= m.TageImMonat; ++d) {
    const TMonatTag& t = m.Daten.Tag(d);
    const TDateTime datum = EncodeDate(m.KeyA, m.KeyB, d);
    const std::string fehlzeit =
        t.Fehlzeit > ' ' ? Utf8(konfig.Fehlzeiten[static_cast<uint8_t>(t.Fehlzeit)].Name) : "";
    std::printf("%s %02d  %-10s  %-31s  %s\n", kTage[DayOfWeek(datum)], d, fehlzeit.c_str(),
                BookingsText(t, datum).c_str(), StatusLine(t.Status).c_str());
  }
  std::printf("Saldo %s  berechnet bis %d\n", DurationText(m.Daten.MonSaldo).c_str(),
              m.Daten.BerechnetBis);
}

void ShowMonth(const Options& options, const MonthArgs& args) {
  Installation inst(options);
  auto m = std::make_unique<TMonat>(inst.Lib().MonatFile());
  m->NurLesen = true;
  m->Laden(args.year, args.month, false, args.person);
  if (options.format == "text") {
    PrintMonthText(*m, inst.Lib().Konfig());
    return;
  }
  Print(options, MonthJson(*m));
}

}  // namespace

void AddMonthCommand(CLI::App& app, const Options& options) {
  auto args = std::make_shared<MonthArgs>();
  CLI::App* cmd = app.add_subcommand("month", "a person's month: month values, days, bookings");
  cmd->add_option("year", args->year, "year")->required()->check(CLI::Range(1, 9999));
  cmd->add_option("month", args->month, "month 1 to 12")->required()->check(CLI::Range(1, 12));
  cmd->add_option("person", args->person, "person number 1 to 9999")
      ->required()
      ->check(CLI::Range(1, 9999));
  cmd->callback([&options, args] { ShowMonth(options, *args); });
}

}  // namespace qrv::tool
