#include "plist/Base64Encoder.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define BASE64_AVX2 1
#endif

namespace {

// The Base64 digits of every 12-bit value, two characters each: one lookup
// per half of a 3-byte group.
constexpr std::array<char16_t, 4096> base64Pairs = [] {
    std::array<char16_t, 4096> table{};
    for (int i = 0; i < 4096; ++i) {
        // The two characters in memory order, whatever the byte order.
        const auto first = char16_t(base64Digits[i >> 6]);
        const auto second = char16_t(base64Digits[i & 63]);
        table[std::size_t(i)] = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? char16_t(first | second << 8)
                                                                : char16_t(first << 8 | second);
    }
    return table;
}();

// The digits of one 24-bit group.
inline char* putGroup(quint32 group, char* out) {
    std::memcpy(out, &base64Pairs[group >> 12], 2);
    std::memcpy(out + 2, &base64Pairs[group & 0xFFF], 2);
    return out + 4;
}

// Any bytes, without vector instructions: six bytes at a time while eight can
// be loaded (one load, four lookups), then by groups of three, then the
// padded last group.
inline char* encodeBytes(const unsigned char* in, qsizetype n, char* out) {
    qsizetype i = 0;
    for (; i + 8 <= n; i += 6) {
        quint64 six;
        std::memcpy(&six, in + i, 8);
        six = qFromBigEndian(six) >> 16;
        out = putGroup(quint32(six >> 24), out);
        out = putGroup(quint32(six & 0xFFFFFF), out);
    }
    for (; i + 3 <= n; i += 3)
        out = putGroup(quint32(in[i]) << 16 | quint32(in[i + 1]) << 8 | in[i + 2], out);
    if (i < n) {
        putGroup(quint32(in[i]) << 16 | (i + 1 < n ? quint32(in[i + 1]) << 8 : 0), out);
        out[3] = '=';
        if (i + 1 == n) out[2] = '=';
        out += 4;
    }
    return out;
}

char* linesWithoutVectors(const unsigned char* in, qsizetype n, qsizetype lineBytes, char* out) {
    for (qsizetype start = 0; start < n; start += lineBytes) {
        out = encodeBytes(in + start, std::min(lineBytes, n - start), out);
        *out++ = '\n';
    }
    return out;
}

#ifdef BASE64_AVX2
// Twenty-four bytes to thirty-two digits (the method of W. Muła and D.
// Lemire), twelve bytes in each half of the register. Loads sixteen bytes at
// in and sixteen at in + 12.
__attribute__((target("avx2"))) inline void encodeTwentyFour(const unsigned char* in, char* out) {
    // Each 32-bit lane takes one group of three bytes b0 b1 b2 as b1 b0 b2 b1.
    const __m256i spread = _mm256_broadcastsi128_si256(
        _mm_set_epi8(10, 11, 9, 10, 7, 8, 6, 7, 4, 5, 3, 4, 1, 2, 0, 1));
    // What a digit value adds to reach its character, by its range (below).
    const __m256i offsets = _mm256_broadcastsi128_si256(
        _mm_setr_epi8('a' - 26, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52,
                      '0' - 52, '0' - 52, '0' - 52, '0' - 52, '+' - 62, '/' - 63, 'A', 0, 0));
    const __m256i loaded = _mm256_inserti128_si256(
        _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in))),
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 12)), 1);
    const __m256i bytes = _mm256_shuffle_epi8(loaded, spread);
    // The four 6-bit values of each group, one per byte.
    const __m256i high = _mm256_mulhi_epu16(_mm256_and_si256(bytes, _mm256_set1_epi32(0x0FC0FC00)),
                                            _mm256_set1_epi32(0x04000040));
    const __m256i low = _mm256_mullo_epi16(_mm256_and_si256(bytes, _mm256_set1_epi32(0x003F03F0)),
                                           _mm256_set1_epi32(0x01000010));
    const __m256i values = _mm256_or_si256(high, low);
    // The range: 0-25 -> 13 (A-Z), 26-51 -> 0 (a-z), 52-63 -> 1-12 (0-9, +, /).
    __m256i range = _mm256_subs_epu8(values, _mm256_set1_epi8(51));
    const __m256i upper = _mm256_cmpgt_epi8(_mm256_set1_epi8(26), values);
    range = _mm256_or_si256(range, _mm256_and_si256(upper, _mm256_set1_epi8(13)));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out),
                        _mm256_add_epi8(_mm256_shuffle_epi8(offsets, range), values));
}

// Whole lines, while sixteen bytes can be loaded past the line's last block,
// by twenty-four bytes at a time; a line whose length is not a multiple of
// twenty-four ends with a block that overlaps the one before it (the same
// digits written twice). The lines near the end of the data go as above.
__attribute__((target("avx2"))) char* linesWithAvx2(const unsigned char* in, qsizetype n,
                                                    qsizetype lineBytes, char* out) {
    constexpr qsizetype block = 24;
    qsizetype start = 0;
    if (lineBytes >= block && lineBytes % 3 == 0) {
        const qsizetype blocks = lineBytes / block * block;
        const qsizetype last = lineBytes - block;
        const qsizetype lineDigits = lineBytes / 3 * 4;
        for (; start + lineBytes + 4 <= n; start += lineBytes) {
            for (qsizetype i = 0; i < blocks; i += block)
                encodeTwentyFour(in + start + i, out + i / 3 * 4);
            if (blocks < lineBytes) encodeTwentyFour(in + start + last, out + last / 3 * 4);
            out += lineDigits;
            *out++ = '\n';
        }
    }
    return linesWithoutVectors(in + start, n - start, lineBytes, out);
}
#endif

} // namespace

char* encodeBase64Lines(const unsigned char* in, qsizetype n, qsizetype lineBytes, char* out) {
#ifdef BASE64_AVX2
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2) return linesWithAvx2(in, n, lineBytes, out);
#endif
    return linesWithoutVectors(in, n, lineBytes, out);
}
