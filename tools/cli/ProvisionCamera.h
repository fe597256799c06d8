#pragma once
// One planned camera, start to end: the wizard's conversation with it on a
// connection of its own. Several run at once, one per job thread; each has
// its own engine (work buffers, field table, sequence numbers) made from
// the one search, so no job shares a mutable byte with another.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ProvisionPlan.h"
#include "engine/CamEngine.h"

namespace orvcli {

struct ProvisionSetup {
    std::string TemplateDir;
    std::u16string User, Password; // for rows without their own
    int ReplyWaitSeconds = 10;
    bool DryRun = false;           // check against the search result only, send nothing
    // How a job sleeps when its camera asks for a wait; empty: the thread sleeps.
    std::function<void(int milliseconds)> Sleep;
};

struct CameraOutcome {
    bool Ok = false;
    std::vector<std::string> Changed; // plan columns whose value the camera took (or, dry, would take)
    std::string Message;              // why it failed
};

// A fresh engine for the camera at `index` of the search's list: the
// search's address table, request target and sequence number, and that one
// record, nothing else.
std::unique_ptr<orv::CCamEngine> MakeCameraEngine(const orv::CCamEngine& search, int index,
    const ProvisionSetup& setup);

// Runs the row against the camera at `index` of the search's list. Safe to
// call from several threads at once with the same search engine.
CameraOutcome ProvisionCamera(const orv::CCamEngine& search, int index, const PlanRow& row,
    const ProvisionSetup& setup);

} // namespace orvcli
