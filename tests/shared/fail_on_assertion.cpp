// Assertions fail the tests of this executable.
#include "fail_on_assertion.h"
