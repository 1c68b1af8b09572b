// The error log a class reaches through the clsMethod it holds: members with an error handler
// run their body through Handle, which reports an unexpected run-time error with ErrReg under
// the member's module-name literal and returns the result held at that point. A failure of
// ErrReg itself (the log cannot be written) comes out of the member to its caller.
#pragma once
#include <initializer_list>
#include <memory>
#include <utility>

#include "frame/handler.h"

namespace brixen {

class clsMethod;

class ErrorLog {
 public:
  ErrorLog();
  ~ErrorLog();
  ErrorLog(const ErrorLog&) = delete;
  ErrorLog& operator=(const ErrorLog&) = delete;

  // The held clsMethod, created on first use.
  clsMethod& Method();

  template <class Result, class Body>
  Result Handle(const char16_t* module, Body&& body, Result result = Result{},
                std::initializer_list<Long> quiet = {}) const {
    return handler_.Run<Result>(module, std::forward<Body>(body), std::move(result), quiet);
  }

 private:
  std::unique_ptr<clsMethod> method_;
  ErrorHandler handler_;
};

}  // namespace brixen
