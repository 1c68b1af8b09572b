#include "helpers/err_log_text.h"

#include "frame/runtime/values.h"

namespace brixen {
namespace {

// The column the line stands at after `text` was written from `column`.
std::size_t ColumnAfter(std::size_t column, StringView text, ColumnWidth width) {
  const std::size_t lineBreak = text.find_last_of(u"\r\n");
  if (lineBreak == StringView::npos) return column + width(text);
  return 1 + width(text.substr(lineBreak + 1));
}

// A number as Print writes it: a blank or a minus sign, the digits, a trailing blank.
String PrintedNumber(Long number) {
  const String digits = rt::CStr(number);
  return number < 0 ? digits + u' ' : u' ' + digits + u' ';
}

}  // namespace

std::size_t OneColumnPerUnit(StringView text) { return text.size(); }

String PrintZones(std::initializer_list<StringView> fields, ColumnWidth width) {
  String line;
  std::size_t column = 1;
  for (auto field = fields.begin(); field != fields.end(); ++field) {
    line += *field;
    column = ColumnAfter(column, *field, width);
    if (field + 1 == fields.end()) break;
    const std::size_t nextZone = (column - 1) / kPrintZoneWidth * kPrintZoneWidth + kPrintZoneWidth + 1;
    line.append(nextZone - column, u' ');
    column = nextZone;
  }
  return line;
}

String ErrLogHeader() {
  return PrintZones({u"ErrorCode", u"Date/Time", u"", u"ModuleName", u"", u"", u"Content"});
}

String ErrLogRecord(Long code, StringView dateTime, StringView module, StringView text, ColumnWidth width) {
  return PrintZones({PrintedNumber(code), dateTime, module, text}, width);
}

String ErrRegMessage(Long code, StringView text, StringView module, StringView note) {
  const String blankLine = u"\r\n\r\n";
  return String(module) + blankLine + String(text) + blankLine + u"[ErrCode] " + rt::CStr(code) + blankLine + String(note);
}

}  // namespace brixen
