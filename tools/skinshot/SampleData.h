#pragma once
// Example data for pictures of the real pages: a settings block as the pages
// leave it for a wireless camera, and cameras the list page "finds" without
// any network.
#include "engine/CamEngine.h"
#include "engine/WizardSettings.h"

namespace orv::skinshot {

// Fills the camera, login, address and wireless fields of `s` (the shared
// font description is left to the list page, which makes it).
void FillSampleSettings(WizardSettings& s);

// The security the two wireless forms show: WEP for the older pages, WPA2
// with AES for the newer one.
void UseSampleWep(WizardSettings& s);
void UseSampleWpa2(WizardSettings& s);

// Makes the engine's searches report three example cameras and use no
// adapter at all, so a search sends nothing anywhere.
void FeedSampleCameras(CCamEngine& engine);

} // namespace orv::skinshot
