// Built as part of the view layer by the test Layers.UpwardIncludeDoesNotBuild: the
// navigation layer stands above the view, so its headers must not be found here.
#include "navigation/chosen_lists.h"
