#pragma once
// The version of the program's runtime layer, in hundredths (2.00 = 200).
// The program refuses to run on a layer older than 1.90.
#ifndef ZOR_RUNTIME_VERSION
#define ZOR_RUNTIME_VERSION 200
#endif

namespace rt {

constexpr int kRuntimeVersion = ZOR_RUNTIME_VERSION;
constexpr int kRequiredRuntimeVersion = 190;
constexpr int kRuntimeTooOldExitCode = 999;

constexpr bool RuntimeIsRecentEnough(int version) { return version >= kRequiredRuntimeVersion; }

}  // namespace rt
