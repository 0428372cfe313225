#pragma once

#include "fileops/launcher.h"

// The launcher's URL opener for the running desktop: the user's default handler for the
// address's scheme, started without waiting for it.
Launcher::UrlOpener desktopUrlOpener();
