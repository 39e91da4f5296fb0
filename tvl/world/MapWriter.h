#pragma once
// Writes maps in the format MapFile.h reads; the content tool and the tests make their maps
// with it, so the two sides cannot drift apart.
#include "world/MapFile.h"

#include <string>

namespace tvl {

// The file's bytes. False (out untouched, error set when given) when the map cannot be
// written as it is: tiles not width x height, more than 65535 sprites or a name longer than
// 65535 bytes.
bool encodeMapFile(const MapFileData& map, std::string& out, std::string* error = nullptr);

// Encodes and writes to path (a game path, resolved; a disk path works too). False with
// error set when it cannot be encoded or written.
bool writeMapFile(const std::string& path, const MapFileData& map, std::string* error = nullptr);

} // namespace tvl
