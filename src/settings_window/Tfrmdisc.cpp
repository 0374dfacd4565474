#include "settings_window/Tfrmdisc.h"

namespace lumora {

void Tfrmdisc::Button1Click() { view_.Close(); }

}  // namespace lumora
