/* The public header on its own, as a C program includes it: it must compile without warnings
 * under -Wall -Wextra -pedantic, for the calling programs' compilers and settings. */
#include "quorvane.h"

/* Uses the header's types so the check also sees them, and keeps the unit non-empty. */
QrvBool qrv_header_check(QrvDateTime when);
QrvBool qrv_header_check(QrvDateTime when) {
  return (QrvBool)(when > 0.0);
}
