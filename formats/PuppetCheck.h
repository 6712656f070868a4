#pragma once
#include <string>
#include <vector>

#include "formats/ColormapPlaces.h"
#include "model/KeyAnimation.h"
#include "model/Puppet.h"

class TModel;

// Where the puppet's animations do not play on the model, one line each, every
// KEY once in the order the puppet first names it: a KEY found nowhere
// FindPuppetKey looks ("KEY: not found (mode 0 fire)"), one that does not read
// (its reader's error), and each mismatch of one that reads as
// CheckKeyAgainstModel gives it ("KEY: line"). `puppet` is where the puppet was
// read, whose container is searched too.
std::vector<std::string> CheckPuppetAgainstModel(const TModel& model, const TPuppet& pup,
                                                 const TColormapPlace& puppet,
                                                 const std::vector<std::string>& containers);

// Every animation the puppet names, each once in the order it first names it, under its
// name without ".key", found as CheckPuppetAgainstModel finds them. Raises EInOutError for
// a KEY found nowhere (and the reader's error for one that does not read): a set of
// animations exported without one of its moves would look whole and play wrong.
std::vector<TNamedKey> PuppetAnimations(const TModel& model, const TPuppet& pup, const TColormapPlace& puppet,
                                        const std::vector<std::string>& containers);
// The warning of a puppet's lines that name no move of the game; empty when
// there are none.
std::string IgnoredLinesWarning(const TPuppet& pup);
