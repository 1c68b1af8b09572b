// A hand-written IDispatch over a table of members: names (case-insensitive) map to
// handlers; arguments are coerced with the automation rules; a handler's PictureError
// reaches the caller as the run-time error of that number.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "canvas.h"

namespace brixen::picbox {

// The positional arguments of one call, first to last (automation hands them over last to
// first). Conversions raise 13 on a mismatch and 6 on overflow.
class Args {
 public:
  explicit Args(const DISPPARAMS& params) : params_(params) {}
  std::size_t size() const { return params_.cArgs; }
  // False for an argument not passed or passed as "missing".
  bool Given(std::size_t i) const;
  float Single(std::size_t i) const;
  std::int32_t Long(std::size_t i) const;
  std::int16_t Integer(std::size_t i) const;
  bool Boolean(std::size_t i) const;
  std::wstring String(std::size_t i) const;

 private:
  const VARIANT& At(std::size_t i) const;
  void Coerce(std::size_t i, VARTYPE type, VARIANT& out) const;
  const DISPPARAMS& params_;
};

// Where a member puts its value; the caller may want none.
class Result {
 public:
  explicit Result(VARIANT* slot) : slot_(slot) {}
  void Set(float value);
  void Set(std::int32_t value);
  void Set(std::int16_t value);
  void Set(bool value);
  void Set(const std::wstring& value);

 private:
  VARIANT* Fresh(VARTYPE type);
  VARIANT* slot_;
};

struct Member {
  using Call = void (*)(Canvas&, const Args&, Result&);  // method or property get
  using Put = void (*)(Canvas&, const Args&);             // property let: the value is Args 0
  const wchar_t* name;
  Call call;       // null for a write-only property
  Put put;         // null for a method or a read-only property
  unsigned min_args;
  unsigned max_args;
};

// A member table, in which a member's dispatch id is its position + 1.
struct MemberTable {
  const Member* members;
  std::size_t count;
};

HRESULT GetIdsOfNames(const MemberTable& table, LPOLESTR* names, UINT count, DISPID* ids);
HRESULT InvokeMember(const MemberTable& table, Canvas& canvas, DISPID id, WORD flags, DISPPARAMS* params,
                     VARIANT* result, EXCEPINFO* exception);

}  // namespace brixen::picbox
