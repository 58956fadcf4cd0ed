// walkview: the process's one application object; the window library's
// entry point runs it.
#include "walkview/ViewerApplication.h"

Vell3D::ViewerApplication application;
