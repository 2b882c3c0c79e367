#pragma once
// Where the running program lies.
#include <string>

// The running executable's full path as an 8-bit text that names it exactly (one implementation
// per platform); "" when the system cannot tell or no 8-bit text names it.
std::string ExecutablePath();
