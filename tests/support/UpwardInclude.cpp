// Compiled with the data library's include folder only, by the
// include_direction test: an include running back up must not build.
#include "workspace/WorkspaceModel.h"
