// The installation's failure classes. Messages are 8-bit ANSI text worded as the installation
// words them; layers on the way up may put context in front and raise the error again.
#pragma once

#include <exception>
#include <string>

namespace qrv {

// A plain error; the base of every failure the library raises.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const { return message_; }
  void SetMessage(std::string message) { message_ = std::move(message); }

 private:
  std::string message_;
};

// An input/output failure with the system's error code (MakeInOutError forms the text).
class EInOutError : public Exception {
 public:
  EInOutError(std::string message, int errorCode)
      : Exception(std::move(message)), ErrorCode(errorCode) {}
  int ErrorCode;
};

// A text that does not convert to the value asked for.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// An index outside a list.
class EListError : public Exception {
 public:
  using Exception::Exception;
};

// Raises EListError "Listenindex überschreitet das Maximum (<index>)" for an index outside a list.
[[noreturn]] inline void RaiseListIndex(long long index) {
  throw EListError(
      "Listenindex \xFC"
      "berschreitet das Maximum (" +
      std::to_string(index) + ")");
}

// A registry operation that failed.
class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace qrv
