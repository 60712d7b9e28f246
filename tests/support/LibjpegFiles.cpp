#include "support/LibjpegFiles.h"

#include <algorithm>
#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

namespace {

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE kQImageColorSpace = JCS_EXT_BGRX;
#else
constexpr J_COLOR_SPACE kQImageColorSpace = JCS_EXT_XRGB;
#endif

// Adobe's inverted CMYK (255 is no ink) that Qt reads back as the colour.
void cmykRow(const QRgb* in, int width, std::vector<JSAMPLE>& out) {
    out.resize(size_t(width) * 4);
    for (int x = 0; x < width; ++x) {
        const int r = qRed(in[x]), g = qGreen(in[x]), b = qBlue(in[x]);
        const int k = std::max({r, g, b, 1});
        JSAMPLE* p = &out[size_t(x) * 4];
        p[0] = JSAMPLE(r * 255 / k), p[1] = JSAMPLE(g * 255 / k), p[2] = JSAMPLE(b * 255 / k);
        p[3] = JSAMPLE(k);
    }
}

} // namespace

QByteArray libjpegFile(const QImage& rows, int height, const JpegForm& form) {
    const QImage source = rows.convertToFormat(QImage::Format_RGB32);
    const bool cmyk = form.colors != JpegForm::Colors::YCbCr;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors); // a fault ends the test program with its message
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(source.width());
    info.image_height = JDIMENSION(height);
    info.input_components = 4;
    info.in_color_space = cmyk ? JCS_CMYK : kQImageColorSpace;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    if (cmyk)
        jpeg_set_colorspace(&info, form.colors == JpegForm::Colors::Cmyk ? JCS_CMYK : JCS_YCCK);
    else
        info.comp_info[0].h_samp_factor = form.lumaH, info.comp_info[0].v_samp_factor = form.lumaV;
    if (form.progressive) jpeg_simple_progression(&info);
    info.arith_code = form.arithmetic;
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> converted;
    while (info.next_scanline < info.image_height) {
        const uchar* line = source.constScanLine(int(info.next_scanline) % source.height());
        JSAMPROW row = const_cast<uchar*>(line);
        if (cmyk) {
            cmykRow(reinterpret_cast<const QRgb*>(line), source.width(), converted);
            row = converted.data();
        }
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray file(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return file;
}
