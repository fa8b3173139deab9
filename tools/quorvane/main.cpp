// quorvane: looks into an installation's data and runs the library's calculations on it.
#include <iostream>

#include "cli.h"

int main(int argc, char** argv) {
  return qrv::tool::RunQuorvane(argc, argv, std::cout, std::cerr);
}
