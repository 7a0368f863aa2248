// The libFuzzer executable of one target: VORMELD_FUZZ_TARGET names its entry function.

#include "FuzzTargets.h"

#include <QtGlobal>
#include <cstddef>
#include <cstdint>

namespace {
// Qt's warnings about odd files are expected by the thousand; keep the output readable.
void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler(quiet);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return VORMELD_FUZZ_TARGET(data, size);
}
