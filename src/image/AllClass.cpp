#include "image/AllClass.h"

std::array<uint8_t, 8> ScramblePassword(const uint8_t *p)
{
    std::array<uint8_t, 8> out {};
    out[0] = uint8_t(p[0] ^ PasswordScrambleKey);
    for (int i = 1; i < 8; ++i)
        out[i] = uint8_t(p[0] ^ p[i]);
    return out;
}
