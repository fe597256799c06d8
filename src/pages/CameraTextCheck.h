#pragma once
// Entries that go to a camera as text (administrator ID and passwords,
// wireless keys) must hold only characters the camera can store, one byte
// each (see platform/core/CameraText.h). The pages check them before the
// first request is sent and show message kMsgNotCameraText with the focus on
// the entry.
#include "platform/core/CameraText.h"
#include "skin/core/BuiltinMessages.h" // kMsgNotCameraText
