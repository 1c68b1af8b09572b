// clsDATE: calendar and clock helpers for business forms: date ranges, month lengths,
// eight-digit dates, seconds of the day, a date check that warns the user, elapsed-time
// texts and Japanese date texts. Stateless apart from the error log it reports to.
#pragma once
#include "frame/com/variant.h"
#include "frame/types.h"
#include "helpers/error_log.h"

namespace brixen {

class clsDATE {
 public:
  // Date arithmetic.
  void GetSevralDate(Long Which, Date& dt1, Date& dt2);
  Long GetSecondsByTime(Date timDate);
  Long CvDateToSuji(Date dtDate);
  Integer GetKongetuNissu(Integer tYear, Integer tMonth);
  Boolean IsExactDate(const Variant& varDate);
  Date GetEndDate(Date dtTarget);

  // Elapsed time and date text.
  String CvtToFunByo(Long Keika);
  String CvtToDayFunByo(Single Keika);
  String GetKeika(Date Time1, Date Time2);
  String GetToday();
  String GetDateStr(const String& tStr);
  String GetKasanStr(const String& DateStr);

 private:
  ErrorLog log_;
};

}  // namespace brixen
