// AES-256-GCM in one call each way, on OpenSSL EVP.
#pragma once

#include <cstddef>

namespace platform {
namespace dpapi {

constexpr size_t kNonceSize = 12;
constexpr size_t kTagSize = 16;

struct GcmInput {
  const unsigned char* key;    // 32 bytes
  const unsigned char* nonce;  // kNonceSize bytes
  const unsigned char* associated;
  size_t associatedSize;
};

// Writes `size` bytes of ciphertext to `out` and the tag to `tag`.
bool SealAesGcm(const GcmInput& input, const unsigned char* plain, size_t size, unsigned char* out, unsigned char* tag);
// False when the tag does not match (then `out` holds no usable data).
bool OpenAesGcm(const GcmInput& input, const unsigned char* cipher, size_t size, const unsigned char* tag,
                unsigned char* out);

}  // namespace dpapi
}  // namespace platform
