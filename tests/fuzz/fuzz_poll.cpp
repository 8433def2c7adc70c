// libFuzzer entry: every input is a run of snapshot reads through the poll.
#include "pollticks.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString fault =
        runPollTicks(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!fault.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(fault));
        std::abort();
    }
    return 0;
}
