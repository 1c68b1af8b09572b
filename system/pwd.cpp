// clsProperty: the access code of a month.
#include "system/clsProperty.h"
#include "system/monthly_code.h"

namespace brixen {

String clsProperty::Pwd(Date dt) { return MonthlyCode(dt); }

}  // namespace brixen
