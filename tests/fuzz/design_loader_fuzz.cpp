// Fuzz entry for the design file loader: any bytes are read as a design or refused with the
// user's message, and a design that was read stores to a file that reads back.
#include "app/design_file.h"
#include "app/design_state.h"
#include "framework/archive.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

bool IsUserMessage(const CArchiveException& e)
{
    return e.m_strMessage == QString::fromUtf8(kCorruptDesignFile)
        || e.m_strMessage.startsWith(QStringLiteral("新バージョンプログラム"));
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    CDesignState design = CDesignState::NewDesign(1);
    try {
        CArchive ar(&bytes, CArchive::load);
        ReadDesign(ar, design);
    } catch (const CArchiveException& e) {
        if (!IsUserMessage(e))
            std::abort();
        return 0;
    }
    QByteArray stored;
    try {
        CArchive out(&stored, CArchive::store);
        WriteDesign(out, design);
        out.Close();
        CDesignState again = CDesignState::NewDesign(1);
        CArchive in(&stored, CArchive::load);
        ReadDesign(in, again);
    } catch (const CArchiveException&) {
        std::abort(); // saved, but could not be opened again
    }
    return 0;
}
