// The portable profile lookup under names of its own, so that one Windows program can call it
// beside the platform's functions of the same signatures.
#pragma once

#include <windows.h>

DWORD PortableGetPrivateProfileStringA(const char* section, const char* key,
                                       const char* defaultText, char* buffer, DWORD size,
                                       const char* path);
UINT PortableGetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                                   const char* path);
