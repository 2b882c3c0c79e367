#include "serial/ComSelect.h"

#include "serial/Seams.h"

void TComSelect::FillItems() {
  items_.Clear();
  std::vector<std::string> texts;
  switch (comProperty_) {
    case cpNone:
      return;
    case cpPort:
      TheSerialSeams().listPorts(texts);
      break;
    case cpBaudRate:
      texts = BaudRateTexts();
      break;
    case cpDataBits:
      texts = DataBitsTexts();
      break;
    case cpStopBits:
      texts = StopBitsTexts();
      break;
    case cpParity:
      texts = ParityTexts();
      break;
    case cpFlowControl:
      texts = FlowControlTexts();
      break;
  }
  for (const std::string& t : texts) items_.Add(t);
}

int TComSelect::IndexOf(const std::string& text) const {
  const int n = items_.Count();
  for (int i = 0; i < n; ++i)
    if (SameText(items_.Item(i), text)) return i;
  return -1;
}

std::string TComSelect::portValueText() const {
  const TCustomComPort& p = *comPort_;
  switch (comProperty_) {
    case cpNone:
      break;
    case cpPort:
      return p.Port();
    case cpBaudRate:
      return BaudRateToStr(p.BaudRate());
    case cpDataBits:
      return DataBitsToStr(p.DataBits());
    case cpStopBits:
      return StopBitsToStr(p.StopBits());
    case cpParity:
      return ParityToStr(p.Parity().Bits());
    case cpFlowControl:
      return FlowControlToStr(p.FlowControl().FlowControl());
  }
  return {};
}

int TComSelect::SyncFromPort() {
  if (!comPort_ || comProperty_ == cpNone) return -1;
  const int index = IndexOf(portValueText());
  if (index >= 0) StoreChoice(items_.Item(index));
  return index;
}

void TComSelect::StoreChoice(const std::string& text) {
  switch (comProperty_) {
    case cpNone:
      break;
    case cpPort:
      port_ = text;
      break;
    case cpBaudRate:
      baudRate_ = StrToBaudRate(text);
      break;
    case cpDataBits:
      dataBits_ = StrToDataBits(text);
      break;
    case cpStopBits:
      stopBits_ = StrToStopBits(text);
      break;
    case cpParity:
      parity_ = StrToParity(text);
      break;
    case cpFlowControl:
      flowControl_ = StrToFlowControl(text);
      break;
  }
}

void TComSelect::ApplyChoice() {
  if (!comPort_) return;
  TCustomComPort& p = *comPort_;
  switch (comProperty_) {
    case cpNone:
      break;
    case cpPort:
      p.SetPort(port_);
      break;
    case cpBaudRate:
      p.SetBaudRate(baudRate_);
      break;
    case cpDataBits:
      p.SetDataBits(dataBits_);
      break;
    case cpStopBits:
      p.SetStopBits(stopBits_);
      break;
    case cpParity:
      p.Parity().SetBits(parity_);
      break;
    case cpFlowControl:
      p.FlowControl().SetFlowControl(flowControl_);
      break;
  }
}
