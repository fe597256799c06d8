#include "engine/WizardSettings.h"

namespace orv {

bool HasCapability(const WizardSettings& settings, int32_t code)
{
    for (int32_t c : settings.Capabilities) {
        if (c == code)
            return true;
    }
    return false;
}

} // namespace orv
