#pragma once
#include <string>

#include "document/CommandResult.h"

class TCore;

// Writes the model as "3do\NAME.3do" (NAME from its file, "untitled" without one), with every
// material its file names that lies as a file in the model's folder or its "Mat" folder (as
// "mat\NAME.mat"), into the container at `path`: a new one, or one that reads, whose other
// entries are kept byte for byte. A container that does not read is left as it was. Returns
// the reason it was not written, empty when it was. The model's file name stays.
std::string SaveToContainer(TCore& core, const std::string& path);

// File > Save to Container...: runs the game check as Save does, asks for the container and
// writes into it.
TCommandResult actFileSaveToContainer(TCore& core);
