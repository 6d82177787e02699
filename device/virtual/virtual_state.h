#pragma once

// With GEARCONSOLE_VIRTUAL_STATE set to a file path, writes the whole state
// of every virtual device there as JSON. Called when the program ends.
// Returns false when the variable is unset, no virtual devices are in place,
// or the file cannot be written (logged).
bool writeVirtualStateFromEnvironment();
