/* A program of the installation, built against the installed library. */
#include <quorvane.h>
#include <stdio.h>

int main(void) {
  char path[4096];
  GetDataPath(path);
  printf("data path: '%s'\n", path);
  return 0;
}
