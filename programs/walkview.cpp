// walkview: the process's one application object; the window library's
// entry point runs it.
#include "programs/WalkApplication.h"

Vell3D::WalkApplication application;
