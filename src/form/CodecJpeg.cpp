#include "form/CodecJpeg.h"

#include "text/Eroare.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace {
struct TEroareJpeg {
    jpeg_error_mgr mgr;
    std::jmp_buf salt;
    char mesaj[JMSG_LENGTH_MAX];
    // State that must survive the jump lives here, in memory the library has seen.
    QImage *imagine = nullptr;
    unsigned char *iesire = nullptr;
    unsigned long marime = 0;
};

void IesireEroare(j_common_ptr cinfo)
{
    auto *e = reinterpret_cast<TEroareJpeg *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, e->mesaj);
    std::longjmp(e->salt, 1);
}

void FaraMesaje(j_common_ptr, int) {}

constexpr double kPixeliMaxim = 120e6;
} // namespace

namespace CodecJpeg {

QImage Decodifica(const QByteArray &jpeg)
{
    if (jpeg.isEmpty())
        throw EZel(QStringLiteral("JPEG error: empty input"));
    jpeg_decompress_struct cinfo{};
    TEroareJpeg eroare{};
    cinfo.err = jpeg_std_error(&eroare.mgr);
    eroare.mgr.error_exit = IesireEroare;
    eroare.mgr.emit_message = FaraMesaje;
    // Only plain data lives across the jump; the image is created after the header.
    if (setjmp(eroare.salt)) {
        delete eroare.imagine;
        jpeg_destroy_decompress(&cinfo);
        throw EZel(QStringLiteral("JPEG error: ") + QString::fromLocal8Bit(eroare.mesaj));
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    // A damaged or hostile header can claim gigapixels; a scanned sheet is a few dozen
    // megapixels at most.
    if (double(cinfo.image_width) * double(cinfo.image_height) > kPixeliMaxim) {
        jpeg_destroy_decompress(&cinfo);
        throw EZel(QStringLiteral("JPEG error: image too large (%1 x %2)").arg(cinfo.image_width).arg(cinfo.image_height));
    }
    cinfo.out_color_space = cinfo.num_components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    eroare.imagine = new QImage(int(cinfo.output_width), int(cinfo.output_height),
                          cinfo.output_components == 1 ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    QImage *rezultat = eroare.imagine;
    if (rezultat->isNull()) {
        eroare.imagine = nullptr;
        delete rezultat;
        jpeg_destroy_decompress(&cinfo);
        throw EZel(QStringLiteral("JPEG error: image too large"));
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rand = rezultat->scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &rand, 1);
    }
    jpeg_finish_decompress(&cinfo);
    if (cinfo.density_unit == 1 && cinfo.X_density > 0) {
        rezultat->setDotsPerMeterX(int(cinfo.X_density / 0.0254 + 0.5));
        rezultat->setDotsPerMeterY(int(cinfo.Y_density / 0.0254 + 0.5));
    }
    jpeg_destroy_decompress(&cinfo);
    QImage img = std::move(*rezultat);
    eroare.imagine = nullptr;
    delete rezultat;
    return img;
}

QByteArray Codifica(const QImage &imagine, int calitate, int dpi)
{
    const QImage rgb = imagine.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct cinfo{};
    TEroareJpeg eroare{};
    cinfo.err = jpeg_std_error(&eroare.mgr);
    eroare.mgr.error_exit = IesireEroare;
    eroare.mgr.emit_message = FaraMesaje;
    if (setjmp(eroare.salt)) {
        jpeg_destroy_compress(&cinfo);
        std::free(eroare.iesire);
        throw EZel(QStringLiteral("JPEG error: ") + QString::fromLocal8Bit(eroare.mesaj));
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &eroare.iesire, &eroare.marime);
    cinfo.image_width = JDIMENSION(rgb.width());
    cinfo.image_height = JDIMENSION(rgb.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, calitate, TRUE);
    if (dpi > 0) {
        cinfo.density_unit = 1;
        cinfo.X_density = UINT16(dpi);
        cinfo.Y_density = UINT16(dpi);
    }
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rand = const_cast<JSAMPROW>(rgb.constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &rand, 1);
    }
    jpeg_finish_compress(&cinfo);
    QByteArray rezultat(reinterpret_cast<const char *>(eroare.iesire), qsizetype(eroare.marime));
    jpeg_destroy_compress(&cinfo);
    std::free(eroare.iesire);
    return rezultat;
}

} // namespace CodecJpeg
