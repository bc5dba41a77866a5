// The class catalogue of kelpac.exe: the console window class alone.
#pragma once

#include "runtime/Server.h"

namespace kelpa {

const ServerDescription& KelpacServer();

}  // namespace kelpa
