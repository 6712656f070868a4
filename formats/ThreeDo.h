#pragma once
// The game's text model format, "3DO 2.1": reading a file into a model and writing one.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ReadResult.h"

class TLineCursor;
class TModel;
class TNode;
struct TGobItem;

// Reading adds the text's nodes to the model. Errors are shown through the model's user
// services, never raised, and the result carries the message shown. Running out of memory
// takes back all the read added. The model takes the file's (or the entry's) name.
TReadResult Load3DOFile(TModel& model, const std::string& path);
TReadResult Load3DOEntry(TModel& model, const TGobItem& item);
TReadResult Parse3DO(TModel& model, std::string_view text);
// A message names the `source` (a file's name) and the line, counted from 1.
TReadResult Parse3DO(TModel& model, TLineCursor& lines, std::string_view source = {});

// The text of the given nodes of the model.
void Write3DO(TModel& model, std::string& out, const std::vector<TNode*>& nodes);
// The same text handed over in blocks, so a large model is never held whole as text.
void Write3DO(TModel& model, const std::function<void(std::string_view)>& sink, const std::vector<TNode*>& nodes);
// Replaces the file only once the whole text is on disk and raises EInOutError when it
// cannot; the model then takes the file's name.
void Save3DOFile(TModel& model, const std::string& path);
