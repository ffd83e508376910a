// The file format is not built yet: writing and reading refuse every file, so that a
// save or an open fails cleanly and changes nothing.
#include "app/design_file.h"
#include "app/design_state.h"
#include "framework/archive.h"

void WriteDesign(CArchive&, const CDesignState&)
{
    throw CArchiveException(CArchiveException::generic);
}

void ReadDesign(CArchive&, CDesignState&)
{
    throw CArchiveException(CArchiveException::generic);
}
