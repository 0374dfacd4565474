#include "settings_window/DisclaimerForm.h"

namespace lumora {

void DisclaimerForm::OnReturn() { view_.Close(); }

}  // namespace lumora
