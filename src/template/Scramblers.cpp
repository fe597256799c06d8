#include "template/Scramblers.h"

namespace orv {
namespace {

constexpr uint8_t kRowA[8] = {0x5E, 0x13, 0xC8, 0x91, 0x07, 0xD4, 0x6A, 0x2F};
constexpr uint8_t kRowB[8] = {0xB3, 0x48, 0xE1, 0x0C, 0x9A, 0x75, 0x26, 0xFD};

void XorAll(uint8_t* b, int n, uint8_t mask)
{
    for (int i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(b[i] ^ mask);
}

// Each byte absorbs its right neighbour as it was before this step.
void Chain(uint8_t* b, int n)
{
    for (int i = 0; i + 1 < n; ++i)
        b[i] = static_cast<uint8_t>(b[i] ^ b[i + 1]);
}

// Undoes Chain from the right end, where the last byte never changed.
void Unchain(uint8_t* b, int n)
{
    for (int i = n - 1; i >= 1; --i)
        b[i - 1] = static_cast<uint8_t>(b[i - 1] ^ b[i]);
}

} // namespace

void ZtScramble(uint8_t* bytes, int n)
{
    if (!bytes)
        return;
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < n; ++i) {
            const int k = i % 8;
            const uint8_t x = static_cast<uint8_t>(bytes[i] ^ kRowA[k]);
            uint8_t lo = x & 0x0F;
            uint8_t hi = x & 0xF0;
            // Both tests look at x, before either half changes.
            if (x & 0x01)
                lo = (lo ^ kRowB[k]) & 0x0F;
            if (x & 0x10)
                hi = (hi ^ kRowB[k]) & 0xF0;
            bytes[i] = static_cast<uint8_t>(hi | lo);
        }
    }
}

void ScrambleKey(uint8_t* bytes, int n)
{
    if (!bytes)
        return;
    XorAll(bytes, n, 0xFF);
    Chain(bytes, n);
    XorAll(bytes, n, 0xAA);
    Chain(bytes, n);
    XorAll(bytes, n, 0x55);
    Chain(bytes, n);
}

void UnscrambleKey(uint8_t* bytes, int n)
{
    if (!bytes)
        return;
    Unchain(bytes, n);
    XorAll(bytes, n, 0x55);
    Unchain(bytes, n);
    XorAll(bytes, n, 0xAA);
    Unchain(bytes, n);
    XorAll(bytes, n, 0xFF);
}

} // namespace orv
