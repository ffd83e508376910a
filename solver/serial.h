// MvgSerial: the one reader and writer of the intermediate files. Each file is a
// 36-byte header (magic "MVGR", format version, kind = stage number, run stamp, payload
// byte count) and a little-endian payload whose layout only this serializer knows.
#pragma once

#include <string>

namespace mvg {

inline constexpr unsigned kFormatVersion = 1;

// Writes a payload file; code 5 when it cannot be written.
template <class T>
void SaveStage(const std::string& path, int kind, const std::string& stamp, const T& payload);

// Reads one; code 1 when the file is missing or unreadable, code 7 when its header or
// payload does not match. With an empty `stamp` any stamp is taken and returned there;
// otherwise the file's stamp must equal it.
template <class T>
T LoadStage(const std::string& path, int kind, std::string& stamp);

} // namespace mvg
