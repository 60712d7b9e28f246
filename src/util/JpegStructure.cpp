#include "util/JpegStructure.h"

namespace {

constexpr unsigned char marker = 0xFF;
constexpr unsigned char startOfImage = 0xD8;
constexpr unsigned char endOfImage = 0xD9;
constexpr unsigned char startOfScan = 0xDA;

bool isStandalone(unsigned char code) {
    return (code >= 0xD0 && code <= 0xD7) || code == 0x01; // restarts and TEM
}

class Scanner {
  public:
    explicit Scanner(const QByteArray& bytes)
        : p_(reinterpret_cast<const unsigned char*>(bytes.constData())), size_(bytes.size()) {}

    bool whole() {
        if (size_ < 4 || p_[0] != marker || p_[1] != startOfImage) return false;
        pos_ = 2;
        for (;;) {
            const int code = nextMarker();
            if (code < 0) return false;
            if (code == endOfImage) return true;
            if (isStandalone(code)) continue;
            if (!skipSegment()) return false;
            if (code == startOfScan && !skipScanData()) return false;
        }
    }

  private:
    // The code of the marker at the position (after any fill bytes); -1 when
    // there is none.
    int nextMarker() {
        if (pos_ >= size_ || p_[pos_] != marker) return -1;
        while (pos_ < size_ && p_[pos_] == marker)
            ++pos_;
        return pos_ < size_ ? p_[pos_++] : -1;
    }

    bool skipSegment() {
        if (pos_ + 2 > size_) return false;
        const qsizetype length = qsizetype(p_[pos_]) << 8 | p_[pos_ + 1];
        if (length < 2 || pos_ + length > size_) return false;
        pos_ += length;
        return true;
    }

    // Entropy-coded data runs to the next marker that is not a stuffed byte
    // (FF 00) or a restart.
    bool skipScanData() {
        for (; pos_ + 1 < size_; ++pos_) {
            if (p_[pos_] != marker) continue;
            const unsigned char next = p_[pos_ + 1];
            if (next != 0x00 && next != marker && !(next >= 0xD0 && next <= 0xD7)) return true;
        }
        return false;
    }

    const unsigned char* p_;
    qsizetype size_;
    qsizetype pos_ = 0;
};

} // namespace

bool isWholeJpeg(const QByteArray& bytes) {
    return Scanner(bytes).whole();
}
