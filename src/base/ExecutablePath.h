#pragma once
// Where the running program lies.
#include <string>

// The running executable's full path as an 8-bit text (one implementation per platform); "" when
// the system cannot tell.
std::string ExecutablePath();
