#pragma once

#include <QtGlobal>
#include <memory>
#include <turbojpeg.h>

// Small owners for libjpeg-turbo's handles and buffers, and the pixel layout
// that matches QImage's 32-bit formats in memory (alpha 0xFF when decoding,
// ignored when encoding).

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
inline constexpr int kQImagePixelFormat = TJPF_BGRA;
#else
inline constexpr int kQImagePixelFormat = TJPF_ARGB;
#endif

struct TjHandleDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using TjHandle = std::unique_ptr<void, TjHandleDeleter>;

struct TjBufferDeleter {
    void operator()(unsigned char* buffer) const { tjFree(buffer); }
};
using TjBuffer = std::unique_ptr<unsigned char, TjBufferDeleter>;
