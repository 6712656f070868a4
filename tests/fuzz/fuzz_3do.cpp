// libFuzzer target: any text given to the 3DO reader ends in a model or a reported error,
// and whatever the model then holds can be updated and written. Each input is read the ways
// the program reads text: from memory (paste), streamed from a source that hands it out in
// short pieces of sizes the input decides, and from a file (open, insert); all must agree.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "formats/ThreeDo.h"
#include "tests/core/PieceSource.h"
#include "tests/fuzz/FuzzCore.h"

namespace {

// A folder of its own, so that the material search beside the model finds nothing else.
struct TScratch {
  std::string Folder = "/tmp/zarn-fuzz-3do-" + std::to_string(::getpid());
  std::string Path = Folder + "/model.3do";
  TScratch() { ::mkdir(Folder.c_str(), 0700); }
  ~TScratch() {
    std::remove(Path.c_str());
    ::rmdir(Folder.c_str());
  }
};

// What a read came to: the model as written (but for the dated first line) and the errors,
// each without the name of the text it was read from, which differs between the ways.
std::string Outcome(TModel& model, const THeadlessServices& services) {
  std::string out;
  Write3DO(model, out, model.Nodes.Pointers());
  out.erase(0, out.find('\n'));
  for (const std::string& error : services.Errors) {
    const size_t place = error.find(", line ");
    out += "\n" + (place == std::string::npos ? error : error.substr(place + 2));
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const TScratch scratch;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  TFuzzCore memory;
  Parse3DO(*memory.Core.Model, text);
  const std::string expected = Outcome(*memory.Core.Model, memory.Services);

  TFuzzCore streamed;
  // Pieces of 1 to 64 bytes, the size of each taken from a byte of the text itself.
  TPieceSource source(text, [&](size_t reads) { return 1 + static_cast<unsigned char>(text[reads * 31 % size]) % 64; });
  TLineCursor lines(source);
  Parse3DO(*streamed.Core.Model, lines);
  if (Outcome(*streamed.Core.Model, streamed.Services) != expected) std::abort();

  // A file rewritten in place would wait for the disk; a new one does not.
  std::remove(scratch.Path.c_str());
  if (std::FILE* f = std::fopen(scratch.Path.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    TFuzzCore fromFile;
    Load3DOFile(*fromFile.Core.Model, scratch.Path);
    if (Outcome(*fromFile.Core.Model, fromFile.Services) != expected) std::abort();
  }

  // A second read merges into the first and links only among its own rows.
  std::string out;
  Write3DO(*memory.Core.Model, out, memory.Core.Model->Nodes.Pointers());
  Parse3DO(*memory.Core.Model, out);
  return 0;
}
