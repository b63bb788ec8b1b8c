#include "engine/profile/make_profile.h"

namespace plx {

int MakeProfile(Engine&, PLXRequest&) { return ResultNoHandler; }

}  // namespace plx
