// The module's one door to the host's declarations.
#pragma once

#include <vantor/Vantor.h>
