// clsMethod: its members arrive with the issues that build them; until then each answers E_NOTIMPL.
#pragma once

namespace brixen {

class clsMethod {};

}  // namespace brixen
