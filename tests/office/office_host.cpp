// A host process of the spreadsheet engine for the lifetime tests: makes an engine, says
// "ready", and exits when its standard input closes (or when it is killed).
#include <cstdio>
#include <iostream>
#include <string>

#include "platform/posix/posix_spreadsheets.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  qrv::platform::PosixSpreadsheetFactory factory({argv[1]});
  const auto engine = factory.Create();
  if (!engine) {
    std::cout << "missing " << factory.Missing() << std::endl;
    return 1;
  }
  engine->SetCellNumber(1, 1, 1);
  std::cout << "ready" << std::endl;
  std::string line;
  while (std::getline(std::cin, line)) {
  }
  return 0;
}
