#pragma once
// How the camera commands find their cameras: one search as the list page
// runs it (or, with --to, one discovery request to a single address), then a
// camera picked by its MAC address.
#include <string>

#include "CameraArgs.h"
#include "engine/CamEngine.h"

namespace orvcli {

// Fills the engine's found-camera list (from the --interface adapter only,
// when given); returns when the search has ended.
void FindCameras(orv::CCamEngine& engine, const CameraArgs& args);
// Index of the record whose MAC address has the same hexadecimal digits as
// `mac` (any separators, any case); -1 when no camera answered with it.
int FindIndex(orv::CCamEngine& engine, const std::string& mac);

} // namespace orvcli
