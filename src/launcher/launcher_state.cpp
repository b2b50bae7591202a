#include "launcher_state.h"

LauncherState g_state;
