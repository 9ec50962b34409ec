// Everything a vessel module compiles against.
#pragma once

#include "vantor/Api.h"
#include "vantor/KeyCodes.h"
#include "vantor/ModuleExports.h"
#include "vantor/Types.h"
#include "vantor/Vessel.h"
