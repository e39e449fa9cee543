#include "JpegPicture.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "Faults.h"

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back
// into decodeJpeg, which turns the error into a fault once libjpeg's frames are left.
struct ErrorManager {
  jpeg_error_mgr library;
  std::jmp_buf resume;
  char message[JMSG_LENGTH_MAX];
};

void leaveOnError(j_common_ptr decoder) {
  auto* errors = reinterpret_cast<ErrorManager*>(decoder->err);
  (*decoder->err->format_message)(decoder, errors->message);
  std::longjmp(errors->resume, 1);
}

// Warnings (such as a picture that ends early) are faults too: the picture is not whole.
void faultOnWarning(j_common_ptr decoder, int level) {
  if (level < 0) {
    leaveOnError(decoder);
  }
}

// Runs the decoding steps; gives false with the message filled in when libjpeg failed. No C++
// object with a destructor lives in this function, so the jump out of libjpeg skips nothing.
bool decodeInto(const QByteArray& jpeg, QImage& picture, ErrorManager& errors) {
  jpeg_decompress_struct decoder;
  decoder.err = jpeg_std_error(&errors.library);
  errors.library.error_exit = leaveOnError;
  errors.library.emit_message = faultOnWarning;
  if (setjmp(errors.resume)) {
    jpeg_destroy_decompress(&decoder);
    return false;
  }
  jpeg_create_decompress(&decoder);
  jpeg_mem_src(&decoder, reinterpret_cast<const unsigned char*>(jpeg.constData()),
               static_cast<unsigned long>(jpeg.size()));
  jpeg_read_header(&decoder, TRUE);
  decoder.out_color_space = JCS_RGB;
  jpeg_start_decompress(&decoder);
  picture = QImage(static_cast<int>(decoder.output_width), static_cast<int>(decoder.output_height),
                   QImage::Format_RGB888);
  while (decoder.output_scanline < decoder.output_height) {
    JSAMPROW line = picture.scanLine(static_cast<int>(decoder.output_scanline));
    jpeg_read_scanlines(&decoder, &line, 1);
  }
  jpeg_finish_decompress(&decoder);
  jpeg_destroy_decompress(&decoder);
  return true;
}

}  // namespace

QImage decodeJpeg(const QByteArray& jpeg) {
  ErrorManager errors{};
  QImage picture;
  if (jpeg.isEmpty()) {
    throw numora::emptyPictureFault();
  }
  if (!decodeInto(jpeg, picture, errors)) {
    throw numora::brokenPictureFault(errors.message);
  }
  return picture;
}
