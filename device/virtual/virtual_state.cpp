#include "virtual_state.h"

bool writeVirtualStateFromEnvironment() { return false; }
