#include "app/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <string>

#include <jerror.h>
#include <jpeglib.h>

namespace sequara {

JpegError::JpegError(int code) : std::runtime_error("JPEG error #" + std::to_string(code)), Code(code) {}

namespace {

// libjpeg's error manager extended with the place to return to.  libjpeg is
// C, so its errors leave it by longjmp to the decoding function, which then
// raises the C++ exception outside the library's frames.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    int code = 0;
};

[[noreturn]] void errorExit(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    manager->code = cinfo->err->msg_code;
    std::longjmp(manager->jump, 1);
}

// Warnings (level -1) report corrupt data: a damaged picture is not shown
// half grey, it is refused.  Trace messages (level >= 0) are ignored.
void emitMessage(j_common_ptr cinfo, int level) {
    if (level < 0) errorExit(cinfo);
}

void outputMessage(j_common_ptr) {}

struct Request {
    const unsigned char* data;
    std::size_t size;
    int minWidth;
    int minHeight;
};

// Runs libjpeg; returns 0 on success or the message code of the error that
// stopped it.  Holds no object with a destructor across the setjmp, so the
// longjmp skips nothing.
int decode(jpeg_decompress_struct* cinfo, ErrorManager* errors, const Request* request, DecodedImage* out) {
    cinfo->err = jpeg_std_error(&errors->pub);
    errors->pub.error_exit = errorExit;
    errors->pub.emit_message = emitMessage;
    errors->pub.output_message = outputMessage;
    if (setjmp(errors->jump)) {
        jpeg_destroy_decompress(cinfo);
        return errors->code;
    }
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, request->data, static_cast<unsigned long>(request->size));
    jpeg_read_header(cinfo, TRUE);

    if (static_cast<unsigned long long>(cinfo->image_width) * cinfo->image_height > kMaxJpegPixels) {
        jpeg_destroy_decompress(cinfo);
        return JERR_IMAGE_TOO_BIG;
    }
    cinfo->out_color_space = JCS_RGB;
    cinfo->scale_num = 1;
    cinfo->scale_denom = 1;
    if (request->minWidth > 0 && request->minHeight > 0) {
        for (unsigned denom = 8; denom > 1; denom /= 2) {
            if (cinfo->image_width / denom >= static_cast<unsigned>(request->minWidth) &&
                cinfo->image_height / denom >= static_cast<unsigned>(request->minHeight)) {
                cinfo->scale_denom = denom;
                break;
            }
        }
    }
    jpeg_start_decompress(cinfo);
    const std::size_t stride = std::size_t(cinfo->output_width) * std::size_t(cinfo->output_components);
    out->Width = static_cast<int>(cinfo->output_width);
    out->Height = static_cast<int>(cinfo->output_height);
    try {
        out->Rgb.assign(stride * cinfo->output_height, 0);
    } catch (...) {
        jpeg_destroy_decompress(cinfo);
        throw;
    }
    while (cinfo->output_scanline < cinfo->output_height) {
        JSAMPROW row = out->Rgb.data() + std::size_t(cinfo->output_scanline) * stride;
        jpeg_read_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_decompress(cinfo);
    jpeg_destroy_decompress(cinfo);
    return 0;
}

}  // namespace

DecodedImage DecodeJpeg(const unsigned char* data, std::size_t size, int minWidth, int minHeight) {
    if (data == nullptr || size == 0) throw JpegError(JERR_INPUT_EMPTY);
    jpeg_decompress_struct cinfo{};
    ErrorManager errors;
    DecodedImage image;
    const Request request{data, size, minWidth, minHeight};
    if (int code = decode(&cinfo, &errors, &request, &image); code != 0) throw JpegError(code);
    return image;
}

}  // namespace sequara
