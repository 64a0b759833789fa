// Fault injection for tests: this file defines some platform calls in the test
// program itself, which the libraries then reach instead of the platform's
// (the program exports its symbols). Each passes through to the platform's call
// unless the fault chosen with Inject() is its own.
#pragma once

#include "wintypes.h"

namespace injected_faults {

enum class Fault {
  kNone,
  kOpenAlgorithm,     // BCryptOpenAlgorithmProvider fails
  kObjectLength,      // BCryptGetProperty("ObjectLength") fails
  kObjectAllocation,  // the first HeapAlloc fails
  kDigestLength,      // BCryptGetProperty("HashDigestLength") fails
  kDigestAllocation,  // the second HeapAlloc fails
  kCreateHash,        // BCryptCreateHash fails
  kHashData,          // BCryptHashData fails
  kFinishHash,        // BCryptFinishHash fails
  kShortDigest,       // the digest length is 16, and finishing succeeds
  kRandom,            // BCryptGenRandom fails
  kSecondKeyOpen,     // the second RegOpenKeyA fails with ERROR_ACCESS_DENIED
};

// The status the failing CNG call returns.
const NTSTATUS kFailure = static_cast<NTSTATUS>(0xC000009AL);  // STATUS_INSUFFICIENT_RESOURCES

// Chooses the fault for the calls that follow, and zeroes the counts.
void Inject(Fault fault);

// Algorithm handles, hashes, heap and local blocks acquired and not yet released.
int Outstanding();

}  // namespace injected_faults
