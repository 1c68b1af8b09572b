// clsMethod: application helpers. Members arrive with the issues that build them; a member
// not declared here answers E_NOTIMPL to callers.
#pragma once
#include <memory>

#include "frame/types.h"
#include "system/clsProperty.h"

namespace brixen {

class clsMethod {
 public:
  // Query conditions and value splitting.
  void CheckWhere(String& WhereStr);
  void MakeWhereStr(String& OrgWhere, const String& NewWhere);
  void Separate32WithSign(Long tLong, Integer& tx, Integer& ty);

 private:
  clsProperty& Property();

  std::unique_ptr<clsProperty> property_;  // created on first use
};

}  // namespace brixen
