// Calls on a caller's automation object by member name (late binding), as form code does
// with the controls and picture boxes it hands to the library.
#pragma once
#include <ocidl.h>

#include <initializer_list>
#include <vector>
#include <wrl/client.h>

#include "frame/com/variant.h"

namespace brixen {

using Object = Microsoft::WRL::ComPtr<IDispatch>;
using Picture = Microsoft::WRL::ComPtr<IPictureDisp>;  // a picture object of the OLE standard library

// The object a Variant holds; error 424 when it holds none.
Object ObjectOf(const Variant& value);

// The member's dispatch id, or error 438 when the object has no such member.
DISPID MemberId(IDispatch* object, const char16_t* name);
bool HasMember(IDispatch* object, const char16_t* name);

// Errors the object raises reach the caller as run-time errors (the object's own number for
// run-time errors it reports, 438 for an unknown member, 13 for a mismatch).
Variant CallMethod(IDispatch* object, const char16_t* name, std::initializer_list<Variant> args = {});
Variant GetProperty(IDispatch* object, const char16_t* name, std::initializer_list<Variant> args = {});
void LetProperty(IDispatch* object, const char16_t* name, const Variant& value);
// The object's default member, with arguments: a collection's item by index, as frms(i).
Variant GetDefault(IDispatch* object, std::initializer_list<Variant> args);

// The items of a collection object (For Each), in the collection's own order.
std::vector<Variant> Items(IDispatch* collection);

}  // namespace brixen
