#pragma once
// set-network's options, checked by the network page's own rules
// (pages/NetworkChecks) and refused with the page's own messages (54..58)
// before anything is sent to the camera.
#include <cstdint>
#include <string>

#include "CameraArgs.h"
#include "engine/WizardSettings.h"

namespace orvcli {

// What went wrong with set-network's options: `message` is the network
// page's message number (0 for a usage error), `text` says it in words.
struct NetworkRefusal {
    int32_t message = 0;
    std::string text;
};

// Before the search: the combination of options, then each address option
// on its own, and the gateway against --ip and --mask when all three are
// given. True when nothing is refused.
bool PrecheckNetworkOptions(const CameraArgs& args, NetworkRefusal& why);

// After the search, the camera's current settings in `s`: makes the choice
// the network page's Next makes, with the options typed and the camera's
// current values where an option is missing; accepted values are stored
// normalised. True when nothing is refused.
bool ChooseNetwork(const CameraArgs& args, orv::WizardSettings& s, NetworkRefusal& why);

} // namespace orvcli
