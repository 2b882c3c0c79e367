#pragma once
// What the serial support asks of the system that a test stands in for: one object whose members
// do the real thing until a test replaces them.
#include <functional>
#include <string>
#include <vector>

struct SerialSeams {
  // Lists the machine's serial ports (ListSerialPorts).
  std::function<void(std::vector<std::string>&)> listPorts;
};

SerialSeams& TheSerialSeams();
