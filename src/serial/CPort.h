#pragma once
// The serial port settings object. In this program it only holds settings: nothing here ever
// opens a port, so every write of a setting just stores the value.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
// The printer spooler's SetPort macro would rename the setter of that name.
#include <windows.h>
#undef SetPort
#endif

// clang-format off
enum TBaudRate : uint8_t {
  brCustom, br110, br300, br600, br1200, br2400, br4800, br9600,
  br14400, br19200, br38400, br56000, br57600, br115200, br128000, br256000
};
// clang-format on
enum TStopBits : uint8_t { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };
enum TDataBits : uint8_t { dbFive, dbSix, dbSeven, dbEight };
enum TParityBits : uint8_t { prNone, prOdd, prEven, prMark, prSpace };
enum TFlowControl : uint8_t { fcHardware, fcSoftware, fcNone, fcCustom };
enum TDTRFlowControl : uint8_t { dtrDisable, dtrEnable, dtrHandshake };
enum TRTSFlowControl : uint8_t { rtsDisable, rtsEnable, rtsHandshake, rtsToggle };
enum TSyncMethod : uint8_t { smThreadSync, smWindowSync, smNone };
enum TComEvent : uint8_t {
  evRxChar,
  evTxEmpty,
  evRxFlag,
  evRing,
  evBreak,
  evCTS,
  evDSR,
  evError,
  evRLSD,
  evRx80Full
};

// A set of TComEvent, one bit per member.
class TComEvents {
 public:
  constexpr TComEvents() = default;
  static constexpr TComEvents All() { return TComEvents(0x3FF); }
  constexpr bool Contains(TComEvent e) const { return (bits_ >> e) & 1u; }
  constexpr TComEvents With(TComEvent e) const { return TComEvents(bits_ | (1u << e)); }
  constexpr TComEvents Without(TComEvent e) const { return TComEvents(bits_ & ~(1u << e)); }
  constexpr bool operator==(const TComEvents&) const = default;

 private:
  constexpr explicit TComEvents(uint16_t bits) : bits_(bits) {}
  uint16_t bits_ = 0;
};

// Whether two texts are equal when both are upper-cased (ASCII letters only).
bool SameText(std::string_view a, std::string_view b);

// The texts of the value sets, and the rule that turns a text back into a value: the first value
// whose text equals it when both are upper-cased (ASCII letters only), otherwise the fallback
// (br9600, sbOneStopBit, dbEight, prNone, fcCustom).
std::string BaudRateToStr(TBaudRate v);
std::string StopBitsToStr(TStopBits v);
std::string DataBitsToStr(TDataBits v);
std::string ParityToStr(TParityBits v);
std::string FlowControlToStr(TFlowControl v);
TBaudRate StrToBaudRate(std::string_view s);
TStopBits StrToStopBits(std::string_view s);
TDataBits StrToDataBits(std::string_view s);
TParityBits StrToParity(std::string_view s);
TFlowControl StrToFlowControl(std::string_view s);
// Every text of a value set, in the order of its values.
std::vector<std::string> BaudRateTexts();
std::vector<std::string> StopBitsTexts();
std::vector<std::string> DataBitsTexts();
std::vector<std::string> ParityTexts();
std::vector<std::string> FlowControlTexts();

// The rate a TBaudRate stands for; brCustom stands for `custom`.
int32_t BaudRateToInt(TBaudRate v, int32_t custom);

class TCustomComPort;

// Told when a port settings object that it asked about is being destroyed.
class TComPortObserver {
 public:
  virtual void ComPortRemoved(TCustomComPort& port) = 0;

 protected:
  ~TComPortObserver() = default;
};

// The sub-objects keep a reference to their owner, which a port engine would tell about changes;
// here there is none, so a write only stores the value.
class TComParity {
 public:
  explicit TComParity(TCustomComPort& owner) : owner_(owner) {}
  TCustomComPort& ComPort() const { return owner_; }

  TParityBits Bits() const { return bits_; }
  bool Check() const { return check_; }
  bool Replace() const { return replace_; }
  char ReplaceChar() const { return replaceChar_; }
  void SetBits(TParityBits v);
  void SetCheck(bool v);
  void SetReplace(bool v);
  void SetReplaceChar(char v);

 private:
  TCustomComPort& owner_;
  TParityBits bits_ = prNone;
  bool check_ = false;
  bool replace_ = false;
  char replaceChar_ = '\0';
};

class TComFlowControl {
 public:
  explicit TComFlowControl(TCustomComPort& owner) : owner_(owner) {}
  TCustomComPort& ComPort() const { return owner_; }

  bool OutCTSFlow() const { return outCTSFlow_; }
  bool OutDSRFlow() const { return outDSRFlow_; }
  TDTRFlowControl ControlDTR() const { return controlDTR_; }
  TRTSFlowControl ControlRTS() const { return controlRTS_; }
  bool XonXoffOut() const { return xonXoffOut_; }
  bool XonXoffIn() const { return xonXoffIn_; }
  bool DSRSensitivity() const { return dsrSensitivity_; }
  bool TxContinueOnXoff() const { return txContinueOnXoff_; }
  char XonChar() const { return xonChar_; }
  char XoffChar() const { return xoffChar_; }
  void SetOutCTSFlow(bool v);
  void SetOutDSRFlow(bool v);
  void SetControlDTR(TDTRFlowControl v);
  void SetControlRTS(TRTSFlowControl v);
  void SetXonXoffOut(bool v);
  void SetXonXoffIn(bool v);
  void SetDSRSensitivity(bool v);
  void SetTxContinueOnXoff(bool v);
  void SetXonChar(char v);
  void SetXoffChar(char v);

  // The summary of the RTS, CTS and Xon/Xoff fields; computed, never stored.
  TFlowControl FlowControl() const;
  // fcCustom changes nothing; the others reset those fields and then set their own.
  void SetFlowControl(TFlowControl v);

 private:
  TCustomComPort& owner_;
  bool outCTSFlow_ = false;
  bool outDSRFlow_ = false;
  TDTRFlowControl controlDTR_ = dtrDisable;
  TRTSFlowControl controlRTS_ = rtsDisable;
  bool xonXoffOut_ = false;
  bool xonXoffIn_ = false;
  bool dsrSensitivity_ = false;
  bool txContinueOnXoff_ = false;
  char xonChar_ = 17;
  char xoffChar_ = 19;
};

class TComTimeouts {
 public:
  explicit TComTimeouts(TCustomComPort& owner) : owner_(owner) {}
  TCustomComPort& ComPort() const { return owner_; }

  int32_t ReadInterval() const { return readInterval_; }
  int32_t ReadTotalMultiplier() const { return readTotalMultiplier_; }
  int32_t ReadTotalConstant() const { return readTotalConstant_; }
  int32_t WriteTotalMultiplier() const { return writeTotalMultiplier_; }
  int32_t WriteTotalConstant() const { return writeTotalConstant_; }
  void SetReadInterval(int32_t v);
  void SetReadTotalMultiplier(int32_t v);
  void SetReadTotalConstant(int32_t v);
  void SetWriteTotalMultiplier(int32_t v);
  void SetWriteTotalConstant(int32_t v);

 private:
  TCustomComPort& owner_;
  int32_t readInterval_ = -1;
  int32_t readTotalMultiplier_ = 0;
  int32_t readTotalConstant_ = 0;
  int32_t writeTotalMultiplier_ = 100;
  int32_t writeTotalConstant_ = 1000;
};

class TComBuffer {
 public:
  explicit TComBuffer(TCustomComPort& owner) : owner_(owner) {}
  TCustomComPort& ComPort() const { return owner_; }

  int32_t InputSize() const { return inputSize_; }
  int32_t OutputSize() const { return outputSize_; }
  // A positive odd size is stored one less; the size as written decides whether it changed.
  void SetInputSize(int32_t v);
  void SetOutputSize(int32_t v);

 private:
  TCustomComPort& owner_;
  int32_t inputSize_ = 1024;
  int32_t outputSize_ = 1024;
};

class TCustomComPort {
 public:
  TCustomComPort();
  TCustomComPort(const TCustomComPort&) = delete;
  TCustomComPort& operator=(const TCustomComPort&) = delete;
  // Tells every observer first; the port is never open, so there is nothing to close.
  virtual ~TCustomComPort();

  bool Connected() const { return connected_; }
  TBaudRate BaudRate() const { return baudRate_; }
  int32_t CustomBaudRate() const { return customBaudRate_; }
  const std::string& Port() const { return port_; }
  TStopBits StopBits() const { return stopBits_; }
  TDataBits DataBits() const { return dataBits_; }
  bool DiscardNull() const { return discardNull_; }
  char EventChar() const { return eventChar_; }
  TComEvents Events() const { return events_; }
  TSyncMethod SyncMethod() const { return syncMethod_; }

  // Each stores a value that differs from the held one; an equal value changes nothing. Port
  // names are compared exactly (letter case counts).
  void SetBaudRate(TBaudRate v);
  void SetCustomBaudRate(int32_t v);
  void SetPort(const std::string& v);
  void SetStopBits(TStopBits v);
  void SetDataBits(TDataBits v);
  void SetDiscardNull(bool v);
  void SetEventChar(char v);
  void SetEvents(TComEvents v) { events_ = v; }
  void SetSyncMethod(TSyncMethod v);

  TComParity& Parity() { return parity_; }
  TComFlowControl& FlowControl() { return flowControl_; }
  TComTimeouts& Timeouts() { return timeouts_; }
  TComBuffer& Buffer() { return buffer_; }
  const TComParity& Parity() const { return parity_; }
  const TComFlowControl& FlowControl() const { return flowControl_; }
  const TComTimeouts& Timeouts() const { return timeouts_; }
  const TComBuffer& Buffer() const { return buffer_; }

  // The observer is told once when this object is destroyed, unless it asks to be forgotten first.
  void FreeNotification(TComPortObserver* observer);
  void RemoveFreeNotification(TComPortObserver* observer);

 private:
  bool connected_ = false;
  TBaudRate baudRate_ = br9600;
  int32_t customBaudRate_ = 9600;
  std::string port_ = "COM1";
  TStopBits stopBits_ = sbOneStopBit;
  TDataBits dataBits_ = dbEight;
  bool discardNull_ = false;
  char eventChar_ = '\0';
  TComEvents events_ = TComEvents::All();
  TComBuffer buffer_;
  TComParity parity_;
  TComTimeouts timeouts_;
  TComFlowControl flowControl_;
  TSyncMethod syncMethod_ = smThreadSync;
  std::vector<TComPortObserver*> observers_;
};

class TComPort : public TCustomComPort {};
