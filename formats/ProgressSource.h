#pragma once
#include "formats/LineCursor.h"
#include "services/Progress.h"

// Passes another source's text through, telling the progress how many bytes have gone by.
class TProgressSource : public TTextSource {
 public:
  TProgressSource(TTextSource& source, TProgress& progress) : Source(source), Progress(progress) {}
  size_t Read(char* buffer, size_t size) override {
    const size_t got = Source.Read(buffer, size);
    Done += got;
    Progress.Step(Done);
    return got;
  }

 private:
  TTextSource& Source;
  TProgress& Progress;
  uint64_t Done = 0;
};
