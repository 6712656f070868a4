#include "formats/PngReader.h"

#include <png.h>

#include <algorithm>

#include "formats/FileIO.h"
#include "model/Errors.h"

namespace {

struct TPngInput {
  const std::string* Data;
  size_t Next = 0;
};

void ReadBytes(png_structp png, png_bytep out, png_size_t count) {
  auto* in = static_cast<TPngInput*>(png_get_io_ptr(png));
  if (count > in->Data->size() - in->Next) png_error(png, "the file is cut short");
  std::copy_n(in->Data->data() + in->Next, count, out);
  in->Next += count;
}

// libpng reports through longjmp; the message is kept and raised once back in C++ frames.
[[noreturn]] void OnError(png_structp png, png_const_charp message) {
  auto* text = static_cast<std::string*>(png_get_error_ptr(png));
  *text = message;
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Holds what libpng allocated, freed on every way out.
struct TPngRead {
  png_structp Png = nullptr;
  png_infop Info = nullptr;
  ~TPngRead() { png_destroy_read_struct(&Png, Info ? &Info : nullptr, nullptr); }
};

}  // namespace

TPicture ReadPng(const std::string& path) {
  // A PNG of the largest accepted size compresses far below this; more is no picture of ours.
  constexpr uint64_t kMostBytes = 1ull << 30;
  const std::string data = ReadWholeFile(path, kMostBytes);
  const std::string refused = "Cannot read picture '" + path + "': ";
  if (data.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(data.data()), 0, 8) != 0)
    throw EInOutError(refused + "not a PNG picture");
  std::string error;
  TPngRead r;
  r.Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, OnError, OnWarning);
  if (!r.Png) throw EInOutError(refused + "out of memory");
  r.Info = png_create_info_struct(r.Png);
  if (!r.Info) throw EInOutError(refused + "out of memory");
  TPngInput input{&data};
  TPicture picture;
  std::vector<png_bytep> rows;
  if (setjmp(png_jmpbuf(r.Png))) throw EInOutError(refused + error);
  png_set_read_fn(r.Png, &input, ReadBytes);
  png_set_user_limits(r.Png, kMaxPictureSide, kMaxPictureSide);
  png_read_info(r.Png, r.Info);
  const png_uint_32 width = png_get_image_width(r.Png, r.Info), height = png_get_image_height(r.Png, r.Info);
  const int type = png_get_color_type(r.Png, r.Info);
  png_set_expand(r.Png);
  png_set_strip_16(r.Png);
  png_set_packing(r.Png);
  if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(r.Png);
  if (!(type & PNG_COLOR_MASK_ALPHA) && !png_get_valid(r.Png, r.Info, PNG_INFO_tRNS))
    png_set_add_alpha(r.Png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(r.Png);
  png_read_update_info(r.Png, r.Info);
  if (png_get_rowbytes(r.Png, r.Info) != static_cast<size_t>(width) * 4) png_error(r.Png, "unexpected pixel layout");
  picture.Width = static_cast<int>(width);
  picture.Height = static_cast<int>(height);
  picture.Rgba.resize(static_cast<size_t>(width) * height * 4);
  rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = picture.Rgba.data() + static_cast<size_t>(y) * width * 4;
  png_read_image(r.Png, rows.data());
  png_read_end(r.Png, nullptr);
  return picture;
}
