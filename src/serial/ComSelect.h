#pragma once
// The logic of the port-aware drop-down list: the selector that fills and reads the list for one
// kind of port setting.
#include <cstdint>
#include <string>
#include <vector>

#include "serial/CPort.h"
#include "serial/SerialPorts.h"

enum TComProperty : uint8_t { cpNone, cpPort, cpBaudRate, cpDataBits, cpStopBits, cpParity, cpFlowControl };

// The item list as the selector sees it: the control's own list, which it fills and reads.
class TComItems {
 public:
  virtual int Count() const = 0;
  virtual std::string Item(int index) const = 0;
  virtual void Clear() = 0;
  virtual void Add(const std::string& text) = 0;

 protected:
  ~TComItems() = default;
};

// Fills and reads a list of the values of one kind of port setting and carries the value chosen
// in it to and from the linked port settings object.
class TComSelect {
 public:
  explicit TComSelect(TComItems& items) : items_(items) {}

  TComProperty ComProperty() const { return comProperty_; }
  void SetComProperty(TComProperty k) { comProperty_ = k; }
  TCustomComPort* ComPort() const { return comPort_; }
  void SetComPort(TCustomComPort* p) { comPort_ = p; }
  bool AutoApply() const { return autoApply_; }
  void SetAutoApply(bool v) { autoApply_ = v; }

  // Clears the list and fills it for the current kind. A failure to list the ports leaves it empty.
  void FillItems();
  // The index of the item that stands for the linked object's value (-1: none), which then
  // becomes the chosen value.
  int SyncFromPort();
  // Takes the text of the picked item as the chosen value.
  void StoreChoice(const std::string& text);
  // Gives the chosen value to the linked object, when there is one.
  void ApplyChoice();
  // The index of the first item equal to `text` ignoring case, or -1.
  int IndexOf(const std::string& text) const;

 private:
  // The text of the linked object's value of the current kind.
  std::string portValueText() const;

  // The chosen value of each kind.
  std::string port_;
  TBaudRate baudRate_ = brCustom;
  TDataBits dataBits_ = dbFive;
  TStopBits stopBits_ = sbOneStopBit;
  TParityBits parity_ = prNone;
  TFlowControl flowControl_ = fcHardware;
  TComItems& items_;
  TComProperty comProperty_ = cpNone;
  TCustomComPort* comPort_ = nullptr;
  bool autoApply_ = false;
};
