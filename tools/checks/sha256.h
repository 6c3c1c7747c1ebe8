// SHA-256 (FIPS 180-4), for the hash of the program a run checks. CryptoAPI
// computes it only from XP SP3 on, and the pack runs back to Windows 95, so
// it is done here; plain C with no library call, for the pack and the host.
#ifndef ZQ_SHA256_H
#define ZQ_SHA256_H

#ifdef __cplusplus
extern "C" {
#endif

typedef struct Sha256 {
    unsigned long state[8];
    unsigned long long length; // bytes hashed so far
    unsigned char block[64];
    unsigned used; // bytes waiting in block
} Sha256;

void Sha256Begin(Sha256* hash);
void Sha256Add(Sha256* hash, const void* bytes, unsigned long size);
// Writes the 32-byte digest; the hash must begin again to be used again.
void Sha256End(Sha256* hash, unsigned char digest[32]);
// The digest as 64 lowercase hexadecimal digits and a zero byte.
void Sha256Hex(const unsigned char digest[32], char hex[65]);

#ifdef __cplusplus
}
#endif

#endif
