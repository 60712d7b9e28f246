#pragma once

#include <QtGlobal>

// The sixty-four digits of Base64, by value.
inline constexpr char base64Digits[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The size of n bytes in Base64 lines of lineBytes bytes each (a multiple of
// three; the last line may be shorter), each line ended by a line feed.
constexpr qsizetype base64LinesSize(qsizetype n, qsizetype lineBytes) {
    return (n + 2) / 3 * 4 + (n + lineBytes - 1) / lineBytes;
}

// Writes the n bytes at in as such lines at out, with "=" padding at the end;
// returns the end of what was written. Uses the processor's vector
// instructions where it has them.
char* encodeBase64Lines(const unsigned char* in, qsizetype n, qsizetype lineBytes, char* out);
