// The class catalogue of kelpa.exe: every class the server publishes.
#pragma once

#include "runtime/Server.h"

namespace kelpa {

const ServerDescription& KelpaServer();

}  // namespace kelpa
