// Builds the module's portable profile lookup a second time, renamed. The platform's
// declarations come first so that the renaming below leaves them alone.
#include "PortableProfileLookup.h"

#define AIRCRAFT_PORTABLE_PROFILE_LOOKUP
#define GetPrivateProfileStringA PortableGetPrivateProfileStringA
#define GetPrivateProfileIntA PortableGetPrivateProfileIntA
#include "config/ProfileLookup.cpp"
