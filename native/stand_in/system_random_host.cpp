// The host build of the PDF steps: qpdf's own random source (the system's
// generator on the host) stays in place.
#include "system_random.h"

void UseSystemRandomSource() {}
