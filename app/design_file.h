// The design file: a design value to and from an archive.
#pragma once

class CArchive;
struct CDesignState;

// Both throw the archive's exception on a file they cannot take; a read fills only `value`.
void WriteDesign(CArchive& ar, const CDesignState& value);
void ReadDesign(CArchive& ar, CDesignState& value);
