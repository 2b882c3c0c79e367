#pragma once
// The program's error classes. Every failure travels as one of these; the one dispatch point
// of the class library catches them and shows the message (EAbort silently).
#include <exception>
#include <string>
#include <utility>

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;  // 8-bit text in the system code page
};

// A deliberately silent abort: the handler stops, nothing is shown.
class EAbort : public Exception {
 public:
  using Exception::Exception;
};

class EConvertError : public Exception {
 public:
  using Exception::Exception;
};
