// The error handler members install on entry: the body runs with the member's result; a
// run-time error it raises is reported to the class's error log under the member's
// module-name literal (quietly ignored when the member lists its number), and the member
// returns normally with the result it held at that point.
#pragma once
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <new>

#include "frame/errors.h"

namespace brixen {

// Receives each handled error: its number, the run-time's text and the module name.
using ErrorSink = std::function<void(Long number, const String& text, const String& module)>;

class ErrorHandler {
 public:
  explicit ErrorHandler(ErrorSink sink) : sink_(std::move(sink)) {}

  // `body` takes the result by reference and assigns it as it goes.
  template <class Result, class Body>
  Result Run(const char16_t* module, Body&& body, Result result = Result{},
             std::initializer_list<Long> quiet = {}) const {
    try {
      body(result);
    } catch (const RuntimeError& error) {
      Report(error, module, quiet);
    } catch (const std::bad_alloc&) {
      Report(RuntimeError(kErrOutOfMemory), module, quiet);
    }
    return result;
  }

 private:
  void Report(const RuntimeError& error, const char16_t* module, std::initializer_list<Long> quiet) const {
    if (std::find(quiet.begin(), quiet.end(), error.number()) != quiet.end()) return;
    sink_(error.number(), error.text(), module);
  }

  ErrorSink sink_;
};

}  // namespace brixen
