#include "sha256.h"

static const unsigned long kRound[64] = { 0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1,
    0x923f82a4, 0xab1c5ed5, 0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7,
    0xc19bf174, 0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967, 0x27b70a85,
    0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85, 0xa2bfe8a1, 0xa81a664b,
    0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070, 0x19a4c116, 0x1e376c08, 0x2748774c,
    0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3, 0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208,
    0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2 };

// Words are 32 bits wide whatever unsigned long is on the host: masked.
#define WORD(x) ((x)&0xffffffffUL)
#define ROTATE(x, n) WORD(((x) >> (n)) | ((x) << (32 - (n))))

static void Compress(unsigned long state[8], const unsigned char block[64])
{
    unsigned long w[64], s[8];
    unsigned i;
    for (i = 0; i < 16; ++i)
        w[i] = (unsigned long)block[4 * i] << 24 | (unsigned long)block[4 * i + 1] << 16
            | (unsigned long)block[4 * i + 2] << 8 | block[4 * i + 3];
    for (; i < 64; ++i) {
        const unsigned long s0 = ROTATE(w[i - 15], 7) ^ ROTATE(w[i - 15], 18) ^ (w[i - 15] >> 3);
        const unsigned long s1 = ROTATE(w[i - 2], 17) ^ ROTATE(w[i - 2], 19) ^ (w[i - 2] >> 10);
        w[i] = WORD(w[i - 16] + s0 + w[i - 7] + s1);
    }
    for (i = 0; i < 8; ++i)
        s[i] = state[i];
    for (i = 0; i < 64; ++i) {
        const unsigned long e = s[4], a = s[0];
        const unsigned long t1 = WORD(
            s[7] + (ROTATE(e, 6) ^ ROTATE(e, 11) ^ ROTATE(e, 25)) + ((e & s[5]) ^ (~e & s[6])) + kRound[i] + w[i]);
        const unsigned long t2
            = WORD((ROTATE(a, 2) ^ ROTATE(a, 13) ^ ROTATE(a, 22)) + ((a & s[1]) ^ (a & s[2]) ^ (s[1] & s[2])));
        s[7] = s[6];
        s[6] = s[5];
        s[5] = s[4];
        s[4] = WORD(s[3] + t1);
        s[3] = s[2];
        s[2] = s[1];
        s[1] = s[0];
        s[0] = WORD(t1 + t2);
    }
    for (i = 0; i < 8; ++i)
        state[i] = WORD(state[i] + s[i]);
}

void Sha256Begin(Sha256* hash)
{
    static const unsigned long kStart[8]
        = { 0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a, 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19 };
    unsigned i;
    for (i = 0; i < 8; ++i)
        hash->state[i] = kStart[i];
    hash->length = 0;
    hash->used = 0;
}

void Sha256Add(Sha256* hash, const void* bytes, unsigned long size)
{
    const unsigned char* p = (const unsigned char*)bytes;
    hash->length += size;
    while (size--) {
        hash->block[hash->used++] = *p++;
        if (hash->used == 64) {
            Compress(hash->state, hash->block);
            hash->used = 0;
        }
    }
}

void Sha256End(Sha256* hash, unsigned char digest[32])
{
    const unsigned long long bits = hash->length * 8;
    static const unsigned char kOne = 0x80, kZero = 0;
    unsigned char length[8];
    unsigned i;
    Sha256Add(hash, &kOne, 1);
    while (hash->used != 56)
        Sha256Add(hash, &kZero, 1);
    for (i = 0; i < 8; ++i)
        length[i] = (unsigned char)(bits >> (56 - 8 * i));
    Sha256Add(hash, length, 8);
    for (i = 0; i < 32; ++i)
        digest[i] = (unsigned char)(hash->state[i / 4] >> (24 - 8 * (i % 4)));
}

void Sha256Hex(const unsigned char digest[32], char hex[65])
{
    static const char kDigits[] = "0123456789abcdef";
    unsigned i;
    for (i = 0; i < 32; ++i) {
        hex[2 * i] = kDigits[digest[i] >> 4];
        hex[2 * i + 1] = kDigits[digest[i] & 15];
    }
    hex[64] = 0;
}
