// AES-256-GCM sealing and opening.
#include "crypto_aes_gcm.h"

#include <openssl/evp.h>

#include <memory>

namespace platform {
namespace dpapi {

namespace {

using Context = std::unique_ptr<EVP_CIPHER_CTX, void (*)(EVP_CIPHER_CTX*)>;

// EVP counts in int: feed large inputs piecewise.
bool Update(EVP_CIPHER_CTX* context, const unsigned char* in, size_t size, unsigned char* out) {
  const size_t kPiece = size_t(1) << 30;
  while (size > 0) {
    const int piece = static_cast<int>(size < kPiece ? size : kPiece);
    int written = 0;
    if (EVP_CipherUpdate(context, out, &written, in, piece) != 1) return false;
    in += piece;
    size -= static_cast<size_t>(piece);
    if (out) out += written;
  }
  return true;
}

Context Start(const GcmInput& input, bool encrypt) {
  Context context(EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
  const bool ready = context &&
                     EVP_CipherInit_ex(context.get(), EVP_aes_256_gcm(), nullptr, nullptr, nullptr, encrypt) == 1 &&
                     EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_SET_IVLEN, kNonceSize, nullptr) == 1 &&
                     EVP_CipherInit_ex(context.get(), nullptr, nullptr, input.key, input.nonce, encrypt) == 1 &&
                     Update(context.get(), input.associated, input.associatedSize, nullptr);
  if (!ready) context.reset();
  return context;
}

}  // namespace

bool SealAesGcm(const GcmInput& input, const unsigned char* plain, size_t size, unsigned char* out,
                unsigned char* tag) {
  Context context = Start(input, true);
  int last = 0;
  return context && Update(context.get(), plain, size, out) &&
         EVP_CipherFinal_ex(context.get(), out + size, &last) == 1 &&
         EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_GET_TAG, kTagSize, tag) == 1;
}

bool OpenAesGcm(const GcmInput& input, const unsigned char* cipher, size_t size, const unsigned char* tag,
                unsigned char* out) {
  Context context = Start(input, false);
  int last = 0;
  return context && Update(context.get(), cipher, size, out) &&
         EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_SET_TAG, kTagSize, const_cast<unsigned char*>(tag)) == 1 &&
         EVP_CipherFinal_ex(context.get(), out + size, &last) == 1;
}

}  // namespace dpapi
}  // namespace platform
