// Test builds only: points the usage report at a server of the test's own, so that an
// end-to-end test sees the request a real run sends. Included by the entry point of an
// installer variant built with VIREO_TEST_CHECKPOINTS; the shipped installer never
// contains it.
//
// Environment of the run:
//   VIREO_TEST_USAGE_ENDPOINT=<address>   replaces the built-in endpoint (e.g. a loopback
//                                         "http://127.0.0.1:<port>/i")
#pragma once

#include <windows.h>

#include "installer/usage_stats.h"

namespace vireo::test_hold {

inline void UsageEndpointFromEnvironment() {
  wchar_t endpoint[MAX_PATH] = {};
  const DWORD length = ::GetEnvironmentVariableW(L"VIREO_TEST_USAGE_ENDPOINT", endpoint, MAX_PATH);
  if (length > 0 && length < MAX_PATH) SetUsageEndpointForTesting(endpoint);
}

}  // namespace vireo::test_hold
