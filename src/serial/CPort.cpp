#include "serial/CPort.h"

#include <algorithm>
#include <array>
#include <span>

#include "base/AsciiText.h"

namespace {

constexpr std::array<const char*, 16> kBaudRateTexts = {
    "Custom", "110",   "300",   "600",   "1200",  "2400",   "4800",   "9600",
    "14400",  "19200", "38400", "56000", "57600", "115200", "128000", "256000"};
constexpr std::array<int32_t, 16> kBaudRates = {0,     110,   300,   600,   1200,  2400,   4800,   9600,
                                                14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};
constexpr std::array<const char*, 3> kStopBitsTexts = {"1", "1.5", "2"};
constexpr std::array<const char*, 4> kDataBitsTexts = {"5", "6", "7", "8"};
constexpr std::array<const char*, 5> kParityTexts = {"None", "Odd", "Even", "Mark", "Space"};
constexpr std::array<const char*, 4> kFlowControlTexts = {"Hardware", "Software", "None", "Custom"};

template <typename E>
E fromText(std::span<const char* const> texts, std::string_view s, E fallback) {
  for (size_t i = 0; i < texts.size(); ++i)
    if (SameText(texts[i], s)) return static_cast<E>(i);
  return fallback;
}

template <typename E>
std::string toText(std::span<const char* const> texts, E v) {
  auto i = static_cast<size_t>(v);
  return i < texts.size() ? texts[i] : "";
}

std::vector<std::string> allTexts(std::span<const char* const> texts) { return {texts.begin(), texts.end()}; }

// Stores `v` in `field` when it differs; the one place a port engine would apply the change.
template <typename T>
void store(T& field, const T& v) {
  if (field != v) field = v;
}

}  // namespace

bool SameText(std::string_view a, std::string_view b) { return SameAsciiText(a, b); }

std::string BaudRateToStr(TBaudRate v) { return toText(kBaudRateTexts, v); }
std::string StopBitsToStr(TStopBits v) { return toText(kStopBitsTexts, v); }
std::string DataBitsToStr(TDataBits v) { return toText(kDataBitsTexts, v); }
std::string ParityToStr(TParityBits v) { return toText(kParityTexts, v); }
std::string FlowControlToStr(TFlowControl v) { return toText(kFlowControlTexts, v); }
TBaudRate StrToBaudRate(std::string_view s) { return fromText(kBaudRateTexts, s, br9600); }
TStopBits StrToStopBits(std::string_view s) { return fromText(kStopBitsTexts, s, sbOneStopBit); }
TDataBits StrToDataBits(std::string_view s) { return fromText(kDataBitsTexts, s, dbEight); }
TParityBits StrToParity(std::string_view s) { return fromText(kParityTexts, s, prNone); }
TFlowControl StrToFlowControl(std::string_view s) { return fromText(kFlowControlTexts, s, fcCustom); }
std::vector<std::string> BaudRateTexts() { return allTexts(kBaudRateTexts); }
std::vector<std::string> StopBitsTexts() { return allTexts(kStopBitsTexts); }
std::vector<std::string> DataBitsTexts() { return allTexts(kDataBitsTexts); }
std::vector<std::string> ParityTexts() { return allTexts(kParityTexts); }
std::vector<std::string> FlowControlTexts() { return allTexts(kFlowControlTexts); }

int32_t BaudRateToInt(TBaudRate v, int32_t custom) {
  if (v == brCustom) return custom;
  auto i = static_cast<size_t>(v);
  return i < kBaudRates.size() ? kBaudRates[i] : custom;
}

// --- sub-objects --------------------------------------------------------------------------------

void TComParity::SetBits(TParityBits v) { store(bits_, v); }
void TComParity::SetCheck(bool v) { store(check_, v); }
void TComParity::SetReplace(bool v) { store(replace_, v); }
void TComParity::SetReplaceChar(char v) { store(replaceChar_, v); }

void TComFlowControl::SetOutCTSFlow(bool v) { store(outCTSFlow_, v); }
void TComFlowControl::SetOutDSRFlow(bool v) { store(outDSRFlow_, v); }
void TComFlowControl::SetControlDTR(TDTRFlowControl v) { store(controlDTR_, v); }
void TComFlowControl::SetControlRTS(TRTSFlowControl v) { store(controlRTS_, v); }
void TComFlowControl::SetXonXoffOut(bool v) { store(xonXoffOut_, v); }
void TComFlowControl::SetXonXoffIn(bool v) { store(xonXoffIn_, v); }
void TComFlowControl::SetDSRSensitivity(bool v) { store(dsrSensitivity_, v); }
void TComFlowControl::SetTxContinueOnXoff(bool v) { store(txContinueOnXoff_, v); }
void TComFlowControl::SetXonChar(char v) { store(xonChar_, v); }
void TComFlowControl::SetXoffChar(char v) { store(xoffChar_, v); }

TFlowControl TComFlowControl::FlowControl() const {
  const bool xonXoff = xonXoffIn_ && xonXoffOut_;
  const bool noXonXoff = !xonXoffIn_ && !xonXoffOut_;
  if (controlRTS_ == rtsHandshake && outCTSFlow_ && noXonXoff) return fcHardware;
  if (controlRTS_ == rtsDisable && !outCTSFlow_ && xonXoff) return fcSoftware;
  if (controlRTS_ == rtsDisable && !outCTSFlow_ && noXonXoff) return fcNone;
  return fcCustom;
}

void TComFlowControl::SetFlowControl(TFlowControl v) {
  if (v == fcCustom) return;
  SetControlRTS(rtsDisable);
  SetOutCTSFlow(false);
  SetXonXoffIn(false);
  SetXonXoffOut(false);
  if (v == fcHardware) {
    SetControlRTS(rtsHandshake);
    SetOutCTSFlow(true);
  } else if (v == fcSoftware) {
    SetXonXoffIn(true);
    SetXonXoffOut(true);
  }
}

void TComTimeouts::SetReadInterval(int32_t v) { store(readInterval_, v); }
void TComTimeouts::SetReadTotalMultiplier(int32_t v) { store(readTotalMultiplier_, v); }
void TComTimeouts::SetReadTotalConstant(int32_t v) { store(readTotalConstant_, v); }
void TComTimeouts::SetWriteTotalMultiplier(int32_t v) { store(writeTotalMultiplier_, v); }
void TComTimeouts::SetWriteTotalConstant(int32_t v) { store(writeTotalConstant_, v); }

namespace {

// Buffer sizes are kept even; the written size decides whether anything changes.
void storeBufferSize(int32_t& field, int32_t v) {
  if (field == v) return;
  field = (v > 0 && v % 2 != 0) ? v - 1 : v;
}

}  // namespace

void TComBuffer::SetInputSize(int32_t v) { storeBufferSize(inputSize_, v); }
void TComBuffer::SetOutputSize(int32_t v) { storeBufferSize(outputSize_, v); }

// --- the settings object ------------------------------------------------------------------------

TCustomComPort::TCustomComPort() : buffer_(*this), parity_(*this), timeouts_(*this), flowControl_(*this) {}

TCustomComPort::~TCustomComPort() {
  // An observer may forget itself while being told, so work on a copy.
  std::vector<TComPortObserver*> observers;
  observers.swap(observers_);
  for (TComPortObserver* o : observers) o->ComPortRemoved(*this);
}

void TCustomComPort::SetBaudRate(TBaudRate v) { store(baudRate_, v); }
void TCustomComPort::SetCustomBaudRate(int32_t v) { store(customBaudRate_, v); }
void TCustomComPort::SetPort(const std::string& v) { store(port_, v); }
void TCustomComPort::SetStopBits(TStopBits v) { store(stopBits_, v); }
void TCustomComPort::SetDataBits(TDataBits v) { store(dataBits_, v); }
void TCustomComPort::SetDiscardNull(bool v) { store(discardNull_, v); }
void TCustomComPort::SetEventChar(char v) { store(eventChar_, v); }
void TCustomComPort::SetSyncMethod(TSyncMethod v) { store(syncMethod_, v); }

void TCustomComPort::FreeNotification(TComPortObserver* observer) {
  if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
    observers_.push_back(observer);
}

void TCustomComPort::RemoveFreeNotification(TComPortObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}
