// Makes the next operator new on the calling thread throw std::bad_alloc: the one failure that
// reaches the error handlers of members that fail on nothing else. The replacement operator
// new lives in method_query_test.cpp and otherwise allocates as the default one does. It only
// reaches the library's code linked into this program, so the members are called in-process;
// their ErrReg then writes the Err.log beside this program.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "err_log_file.h"
#include "frame/win/app.h"
#include "frame/win/wide.h"
#include "msgbox_answerer.h"

namespace brixen::test {

void FailNextAllocation();
bool AllocationFailurePending();  // armed and not yet used

// Runs `call` with its first allocation failing and checks that the member reported error 7
// under its module-name literal, in the box and in Err.log, and returned normally.
template <class Call>
void ExpectOutOfMemoryReportedAs(const std::string& module, Call call) {
  const ErrLogFile log(win::Wide(win::AppPath()));
  MsgBoxAnswerer answerer;
  FailNextAllocation();
  call();
  EXPECT_FALSE(AllocationFailurePending()) << "the member allocated nothing";
  ASSERT_EQ(answerer.Boxes().size(), 1u);
  const std::wstring message = std::wstring(module.begin(), module.end()) + L"\r\n\r\nOut of memory\r\n\r\n[ErrCode] 7\r\n";
  EXPECT_EQ(answerer.Boxes()[0].text.substr(0, message.size()), message);
  const std::string bytes = log.Bytes();
  EXPECT_NE(bytes.find("\r\n 7 "), std::string::npos) << bytes;
  const std::string zoneSeparator(14 - module.size() % 14, ' ');  // the module starts at a zone
  EXPECT_NE(bytes.find(module + zoneSeparator + "Out of memory\r\n"), std::string::npos) << bytes;
}

}  // namespace brixen::test
