// planview: the map of a level seen from above, the player fixed in the
// middle. "planview <grpfile> <mapname>".
#include "programs/PlanApplication.h"

namespace {

Vell3D::PlanApplication application;

} // namespace
