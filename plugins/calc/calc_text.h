// Texts between the library's ANSI (1252) strings and the office's UTF-16 strings, and what a
// typed cell entry stands for.
#pragma once

#include <rtl/ustring.hxx>

#include <optional>
#include <string>
#include <string_view>

namespace qrv::calc {

using rtl::OUString;

OUString FromAnsi(std::string_view ansi);
// Characters without a 1252 byte become '?'.
std::string ToAnsi(const OUString& text);

// A number as typed under the German locale: optional sign, digits with '.' between groups of
// three, ',' before the decimals, an optional exponent ("12,5", "-1.234,5", "3E2").
std::optional<double> GermanNumber(std::string_view text);

// A formula in the control's syntax ("=SUM(A1,A3)", "=Daten!B2") in the office's own: ',' there
// separates arguments as ';' does here, and '!' ends a sheet name as '.' does here. Quoted texts
// and sheet names are kept as they are.
std::string OfficeFormula(std::string_view formula);

}  // namespace qrv::calc
