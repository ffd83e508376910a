// The design file: a design value to and from an archive.
#pragma once

#include <QString>

class CArchive;
struct CDesignState;

// What a file that cannot be a design is refused with.
extern const char* const kCorruptDesignFile;

// Both throw the archive's exception on a file they cannot take; a read fills `value` only
// once the whole stream was read and checked, and its exception carries the user's message.
void WriteDesign(CArchive& ar, const CDesignState& value);
void ReadDesign(CArchive& ar, CDesignState& value);

// The first character of the design's texts that the file's code page cannot hold, or nothing.
QString FirstUnstorableCharacter(const CDesignState& value);

// The version word and the format flags F1..F12 a file is written with: the current format,
// or an older one (files of earlier program versions, to test their conversion).
struct CDesignFormat {
    int nVersion = 1830;
    int abFlags[12] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
};
void WriteDesignAs(CArchive& ar, const CDesignState& value, const CDesignFormat& format);
