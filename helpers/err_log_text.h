// The texts of the error sink: the message ErrReg shows and the lines it writes to Err.log.
// Pure text work; the column width of a text is passed in, since the log counts the columns of
// the text as written (one per byte of the ANSI code page, so a double-byte character takes two).
#pragma once
#include <cstddef>
#include <initializer_list>

#include "frame/types.h"

namespace brixen {

// Columns a text takes in the line it is written to.
using ColumnWidth = std::size_t (*)(StringView text);
std::size_t OneColumnPerUnit(StringView text);

inline constexpr std::size_t kPrintZoneWidth = 14;

// The fields with a print-zone separator after each but the last. Zones start at columns 1,
// 15, 29, ...; a separator writes spaces up to the next zone start strictly after the current
// column, so one written at a zone start moves a full zone. A line break inside a field starts
// the count again at column 1.
String PrintZones(std::initializer_list<StringView> fields, ColumnWidth width = OneColumnPerUnit);

// The log's header line and one record line, without their CR LF.
String ErrLogHeader();
String ErrLogRecord(Long code, StringView dateTime, StringView module, StringView text,
                    ColumnWidth width = OneColumnPerUnit);

// The message box text: the module, the error text, "[ErrCode] " and the code, the closing note,
// separated by blank lines.
String ErrRegMessage(Long code, StringView text, StringView module, StringView note);

}  // namespace brixen
