#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/ColormapPlaces.h"

// Where a KEY a puppet names is, for the model it plays on, looked for as the
// game loads it (from "3do\key\") and as a user keeps one beside the model: a
// file in the model's folder or in that folder's "key" subfolder (either name
// in any case); then the entry "3do\key\KEY" of the model's own container, of
// the puppet's container and of the listed containers, in that order. Nothing
// for "none" and for a KEY found nowhere; damaged containers are passed over.
// `model` is a file, or "CONTAINER > ENTRY" as a model read from a container is
// named; `puppet` is where the puppet was read.
std::optional<TColormapPlace> FindPuppetKey(std::string_view key, const std::string& model,
                                            const TColormapPlace& puppet,
                                            const std::vector<std::string>& containers);
