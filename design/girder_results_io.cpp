#include "design/girder_results_io.h"
#include "framework/archive.h"
void SerializeGirderResults(CArchive&, CGirderDesign&, const CResultsFormat&)
{
    throw CArchiveException(CArchiveException::generic);
}
