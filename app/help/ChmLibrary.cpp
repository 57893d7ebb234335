#include "app/help/ChmLibrary.h"

using namespace Qt::StringLiterals;

namespace {

template <typename Function> Function Lookup(QLibrary& library, const char* name) {
    return reinterpret_cast<Function>(library.resolve(name));
}

} // namespace

TChmLibrary::TChmLibrary()
    : FLibrary(u"chm"_s, 1) {
    if (!FLibrary.load()) {
        FError = FLibrary.errorString();
        return;
    }
    const auto open = Lookup<decltype(&chm_open)>(FLibrary, "chm_open");
    const auto close = Lookup<decltype(&chm_close)>(FLibrary, "chm_close");
    const auto resolve = Lookup<decltype(&chm_resolve_object)>(FLibrary, "chm_resolve_object");
    const auto retrieve = Lookup<decltype(&chm_retrieve_object)>(FLibrary, "chm_retrieve_object");
    if (open == nullptr || close == nullptr || resolve == nullptr || retrieve == nullptr) {
        FError = u"%1: entry point missing"_s.arg(FLibrary.fileName());
        FLibrary.unload();
        return;
    }
    FOpen = open;
    FClose = close;
    FResolve = resolve;
    FRetrieve = retrieve;
}

bool TChmLibrary::CanLoad() {
    QLibrary library(u"chm"_s, 1);
    return library.load();
}

TChmLibrary::~TChmLibrary() {
    if (FLibrary.isLoaded())
        FLibrary.unload();
}

bool TChmLibrary::Resolve(chmFile* file, const char* name, chmUnitInfo* info) const {
    return FResolve(file, name, info) == CHM_RESOLVE_SUCCESS;
}

LONGINT64 TChmLibrary::Retrieve(chmFile* file, chmUnitInfo* info, unsigned char* buffer,
                                LONGUINT64 address, LONGINT64 length) const {
    return FRetrieve(file, info, buffer, address, length);
}
