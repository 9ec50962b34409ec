#include "cockpit/Cockpit.h"
int FlyInteractive(Arguments&) {
  return 1;
}
