#include "app/JpegImage.h"

#include <QSysInfo>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

// libjpeg's own error handler ends the process; this one jumps back instead.
struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
};

void OnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<TJpegError*>(info->err)->Jump, 1);
}

void OnMessage(j_common_ptr) {}

} // namespace

QImage DecodeJpeg(QByteArrayView bytes) {
    jpeg_decompress_struct info{};
    TJpegError error{};
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = OnError;
    error.Manager.output_message = OnMessage;
    // Declared before setjmp so that a jump back does not skip its destructor.
    QImage image;
    if (setjmp(error.Jump)) {
        jpeg_destroy_decompress(&info);
        return {};
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    // Decoded straight into the screen's own layout, opaque (libjpeg-turbo's
    // extension): the picture then needs no conversion to be drawn.
    info.out_color_space =
        QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    jpeg_start_decompress(&info);
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}
