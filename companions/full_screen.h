// Whether a full-screen Direct3D program (a game, mostly) is in front: it
// owns the ramp while it runs, and reading the ramp under it helps no one.
#pragma once

namespace companions {

// Asked of the shell (Vista on, bound at run time); false where it cannot say.
bool IsFullScreenDirect3DInFront();

}  // namespace companions
