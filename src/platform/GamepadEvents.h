// What the message queue tells the controller layer of the events it translates.
#pragma once

#include "platform/Gamepads.h"

namespace glint::platform {

// A controller was plugged in (or was there at start): opens it.
void padAdded(int deviceIndex);
// A controller went away: it no longer holds anything.
void padRemoved(int instance);
// A stick of that controller moved: the directions it newly leans toward.
PadButtons padStickMoved(int instance);
// Closes every controller, before the platform stops.
void closePads();

}  // namespace glint::platform
