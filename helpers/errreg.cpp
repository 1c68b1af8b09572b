// clsMethod: the error sink ErrReg and its log file Err.log.
#include "frame/locale.h"
#include "frame/win/ansi.h"
#include "frame/win/app.h"
#include "frame/win/clock.h"
#include "frame/win/files.h"
#include "frame/win/msgbox.h"
#include "frame/win/process_lock.h"
#include "helpers/clsMethod.h"
#include "helpers/err_log_text.h"

namespace brixen {
namespace {

constexpr Long kErrRegStyle = 16;  // vbOKOnly + vbCritical
constexpr DWORD kLogWaitMilliseconds = 10000;  // for another process appending to the same log

// Columns in the log count the bytes the text takes in the ANSI code page it is written in.
std::size_t AnsiColumns(StringView text) { return win::ToAnsi(text).size(); }

// The date and the time of writing, each read by itself, the date first.
String DateAndTimeNow() {
  const String date = win::ShortDateText(win::Today());
  return date + u' ' + win::TimeText(win::TimeOfDay());
}

}  // namespace

void clsMethod::ErrReg(Long ERRCode, const String& ErrString, const String& ModuleName) {
  if (ERRCode == 0) return;
  const char16_t* note = Bilingual(u"どうかこれを控えて報告をお願いいたします。", u"Please note this message and report.");
  win::MsgBox(ErrRegMessage(ERRCode, ErrString, ModuleName, note), kErrRegStyle, u"ERROR");
  AppendToErrLog(ERRCode, ErrString, ModuleName);
}

// The header goes in when the file does not exist yet; the record is appended. Processes that
// log beside the same DLL take turns, so each record stays whole and the header comes once.
void clsMethod::AppendToErrLog(Long code, const String& text, const String& module) {
  const String path = fileSystem_.BuildPath(win::AppPath(), u"Err.log");
  const win::ProcessLock turn(path, kLogWaitMilliseconds);
  if (!fileSystem_.FileExists(path)) {
    win::FileNumber created(path, win::OpenMode::Output);
    win::PrintLine(created, ErrLogHeader());
    created.Close();
  }
  win::FileNumber log(path, win::OpenMode::Append);
  win::PrintLine(log, ErrLogRecord(code, DateAndTimeNow(), module, text, AnsiColumns));
  log.Close();
}

}  // namespace brixen
