#pragma once
#include "forms/FormLayout.h"
#include "settings_window/SettingsControls.h"

namespace lumora {

// The disclaimer window: borderless, a captionless group box holding the "Disclaimer" group box with
// its three labels, and the Return button.
const FormLayout& DisclaimerFormLayout();

}  // namespace lumora
