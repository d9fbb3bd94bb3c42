#pragma once
#include <QByteArray>
#include <QImage>

// JPEG through libjpeg-turbo. Errors are EZel with the decoder's own text.
namespace CodecJpeg {

QImage Decodifica(const QByteArray &jpeg);
// Baseline JPEG of an RGB image; quality 1..100.
QByteArray Codifica(const QImage &imagine, int calitate = 90, int dpi = 0);

} // namespace CodecJpeg
