// Any bytes given as "tree.dat" load without a crash, and what was loaded,
// saved and loaded again is the same workspace: the second load is complete
// and saves to the very same bytes.

#include "data/WorkspaceReader.h"
#include "data/WorkspaceWriter.h"

#include <QLocale>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const QDate kDay(2026, 12, 8);

const TRegionalSettings& French() {
    static const TRegionalSettings settings =
        TRegionalSettings::FromLocale(QLocale(QLocale::French, QLocale::France));
    return settings;
}

void IgnoreMessage(const QString&) {}

void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));
    TWorkspace first;
    LoadWorkspaceFromBytes(bytes, first, French(), IgnoreMessage);
    const QByteArray saved = EncodeWorkspace(first, French(), kDay);

    TWorkspace second;
    if (!LoadWorkspaceFromBytes(saved, second, French(), IgnoreMessage).Complete())
        Fail("a saved workspace did not load completely");
    if (EncodeWorkspace(second, French(), kDay) != saved)
        Fail("a saved workspace, loaded again, saved to other bytes");
    return 0;
}
