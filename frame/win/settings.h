// The run-time's per-user settings store: REG_SZ values under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>, value name <key>.
#pragma once
#include "frame/types.h"

namespace brixen::win {

// The value, or `defaultValue` when the key, section or application is absent or the
// value is not text. Empty application, section or key names raise 5.
String GetSetting(StringView app, StringView section, StringView key, StringView defaultValue = {});

// Creates the application and section as needed. Empty names raise 5; a registry
// failure raises its run-time error.
void SaveSetting(StringView app, StringView section, StringView key, StringView value);

// Deletes one value, a whole section, or everything of an application. Deleting what
// does not exist raises 5, as does an empty name.
void DeleteSetting(StringView app, StringView section, StringView key);
void DeleteSetting(StringView app, StringView section);
void DeleteSetting(StringView app);

}  // namespace brixen::win
