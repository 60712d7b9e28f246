#include "util/JpegDecoder.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <jerror.h>
#include <jpeglib.h>

namespace {

// A file of more scans than this is refused: each scan makes libjpeg pass
// over the whole picture again, so a small file could keep it busy for hours.
constexpr int kMaxScans = 500;

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE kQImageColorSpace = JCS_EXT_BGRA;
#else
constexpr J_COLOR_SPACE kQImageColorSpace = JCS_EXT_ARGB;
#endif

// Warnings that leave every line of the picture as it was written.
bool isHarmless(int code) {
    return code == JWRN_EXTRANEOUS_DATA || code == JWRN_JFIF_MAJOR || code == JWRN_ADOBE_XFORM ||
           code == JWRN_BOGUS_ICC;
}

bool isCmyk(J_COLOR_SPACE space) {
    return space == JCS_CMYK || space == JCS_YCCK;
}

// CMYK as Adobe writes it (inverted: 255 is no ink) to opaque RGB, in place,
// as Qt's own JPEG reader does it.
void cmykToRgb(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* pixel = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x, ++pixel) {
            const auto* cmyk = reinterpret_cast<const uchar*>(pixel);
            const int k = cmyk[3];
            *pixel = qRgb(cmyk[0] * k / 255, cmyk[1] * k / 255, cmyk[2] * k / 255);
        }
    }
}

} // namespace

struct JpegDecoder::State {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    jpeg_progress_mgr progress{};
    std::jmp_buf jump{};
    const QByteArray& bytes;
    QString error;
    bool dataMissing = false;      // a warning said part of the picture could not be read
    bool reachedEndOfFile = false; // the data ended before the end-of-image marker

    explicit State(const QByteArray& b) : bytes(b) {}

    static State& of(j_common_ptr info) { return *static_cast<State*>(info->client_data); }

    static QString messageOf(j_common_ptr info) {
        char text[JMSG_LENGTH_MAX];
        (*info->err->format_message)(info, text);
        return QString::fromUtf8(text);
    }

    // A file cut within its header ends in libjpeg's stand-in end marker,
    // and so in a fault that would not say why.
    [[noreturn]] static void fail(j_common_ptr info) {
        State& s = of(info);
        if (s.error.isEmpty()) s.error = s.reachedEndOfFile ? endOfFile() : messageOf(info);
        std::longjmp(s.jump, 1);
    }

    static QString endOfFile() { return QStringLiteral("Premature end of JPEG file"); }

    static void message(j_common_ptr info, int level) {
        if (level >= 0) return; // trace messages
        State& s = of(info);
        const int code = info->err->msg_code;
        if (isHarmless(code)) return;
        if (code == JWRN_JPEG_EOF) {
            s.reachedEndOfFile = true;
            return;
        }
        if (!s.dataMissing) s.error = messageOf(info);
        s.dataMissing = true;
    }

    static void monitor(j_common_ptr info) {
        if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number <= kMaxScans) return;
        of(info).error = QStringLiteral("more than %1 scans").arg(kMaxScans);
        std::longjmp(of(info).jump, 1);
    }

    // Whether every scan the picture needs came whole, when its data ended
    // without an end marker; only while the picture's tables are in memory.
    bool scansComplete() const {
        // An arithmetic decoder reads past the data's end without a word.
        if (info.arith_code) return false;
        for (int c = 0; c < info.num_components; ++c) {
            if (!info.comp_info[c].quant_table) return false; // a component never scanned
            if (info.progressive_mode)
                for (int k = 0; k < DCTSIZE2; ++k)
                    if (info.coef_bits[c][k] != 0) return false; // not refined to the last bit
        }
        return true;
    }
};

JpegDecoder::JpegDecoder(const QByteArray& bytes) : s_(std::make_unique<State>(bytes)) {
    s_->info.err = jpeg_std_error(&s_->errors);
    s_->errors.error_exit = &State::fail;
    s_->errors.emit_message = &State::message;
    s_->info.client_data = s_.get();
    s_->progress.progress_monitor = &State::monitor;
}

JpegDecoder::~JpegDecoder() {
    jpeg_destroy_decompress(&s_->info); // also when it was never created: then it has no memory
}

QString JpegDecoder::error() const {
    return s_->error;
}

bool JpegDecoder::readHeader() {
    State& s = *s_;
    if (setjmp(s.jump)) return false;
    jpeg_create_decompress(&s.info); // keeps err and client_data
    s.info.progress = &s.progress;
    jpeg_mem_src(&s.info, reinterpret_cast<const unsigned char*>(s.bytes.constData()),
                 static_cast<unsigned long>(s.bytes.size()));
    jpeg_read_header(&s.info, TRUE);
    return true;
}

QSize JpegDecoder::size() const {
    return QSize(int(s_->info.image_width), int(s_->info.image_height));
}

qint64 JpegDecoder::coefficientBytes() const {
    jpeg_decompress_struct& info = s_->info;
    if (!jpeg_has_multiple_scans(&info)) return 0;
    const auto roundUp = [](qint64 n, qint64 multiple) {
        return (n + multiple - 1) / multiple * multiple;
    };
    qint64 blocks = 0;
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        blocks += roundUp(component.width_in_blocks, component.h_samp_factor) *
                  roundUp(component.height_in_blocks, component.v_samp_factor);
    }
    return blocks * qint64(sizeof(JBLOCK));
}

QImage JpegDecoder::decode(int denominator) {
    if (!start(denominator)) return QImage();
    const jpeg_decompress_struct& info = s_->info;
    QImage image(int(info.output_width), int(info.output_height),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        s_->error = QStringLiteral("out of memory");
        return QImage();
    }
    if (!readLines(image.bits(), image.bytesPerLine()) || !finish()) return QImage();
    if (isCmyk(info.out_color_space)) cmykToRgb(image);
    return image;
}

bool JpegDecoder::start(int denominator) {
    State& s = *s_;
    if (setjmp(s.jump)) return false;
    s.info.scale_num = 1;
    s.info.scale_denom = unsigned(denominator);
    s.info.out_color_space = isCmyk(s.info.jpeg_color_space) ? JCS_CMYK : kQImageColorSpace;
    jpeg_start_decompress(&s.info); // reads every scan of a progressive picture
    return true;
}

bool JpegDecoder::readLines(uchar* bits, qsizetype bytesPerLine) {
    State& s = *s_;
    if (setjmp(s.jump)) return false;
    while (s.info.output_scanline < s.info.output_height) {
        JSAMPROW row = bits + qsizetype(s.info.output_scanline) * bytesPerLine;
        jpeg_read_scanlines(&s.info, &row, 1);
    }
    // Checked here: finishing frees the picture's tables.
    if (s.dataMissing || (s.reachedEndOfFile && !s.scansComplete())) {
        if (s.error.isEmpty()) s.error = State::endOfFile();
        return false;
    }
    return true;
}

bool JpegDecoder::finish() {
    State& s = *s_;
    if (setjmp(s.jump)) return false;
    jpeg_finish_decompress(&s.info);
    return !s.dataMissing;
}
