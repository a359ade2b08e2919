// Writing pictures as JPEG files with libjpeg.
#pragma once
#include <QImage>

#include <string>

namespace rondix {

// The picture as a baseline JPEG at libjpeg `quality` (0..100); empty on failure. Alpha is
// dropped: the pictures written here are opaque.
std::string EncodeJpeg(const QImage& image, int quality);

// Encodes and writes `path` through a temporary file, so a failed write leaves any file of
// that name as it was. False on failure.
bool WriteJpegFile(const QImage& image, const std::string& path, int quality);

}  // namespace rondix
