// The one way the tool shows what a command found: the command builds the JSON value (through the
// record kinds' to_json), and this prints it as JSON or, for --format text, as a listing a person
// reads. The text shows exactly the JSON's values: an object as "name: value" lines, nested
// objects with their path ("Rahmen.Von"), a list of records as a table with a column per field.
#pragma once

#include <ostream>
#include <string>

#include "format.h"

namespace qrv::tool {

// "json" or "text".
void Print(std::ostream& out, const std::string& format, const Json& value);

void PrintJson(std::ostream& out, const Json& value);
void PrintText(std::ostream& out, const Json& value);

}  // namespace qrv::tool
