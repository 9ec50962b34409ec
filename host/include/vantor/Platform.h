// Platform glue shared by the host and the modules it loads: the export macro of the host
// library, the calling convention of module callbacks, and the host's fixed-width integer names.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#if defined(VANTOR_BUILDING_HOST)
#define VANTOR_API __declspec(dllexport)
#else
#define VANTOR_API __declspec(dllimport)
#endif
#define VVC_CALL __cdecl
#define VVC_EXPORT extern "C" __declspec(dllexport)
#else
#define VANTOR_API __attribute__((visibility("default")))
#define VVC_CALL
#define VVC_EXPORT extern "C" __attribute__((visibility("default")))
#endif

#if defined(_WIN32)
// The platform headers define the same integer names; take theirs.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
#endif
