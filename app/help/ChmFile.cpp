#include "app/help/ChmFile.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

TChmFile::TChmFile(std::shared_ptr<const TChmLibrary> library, const QString& path)
    : FLibrary(std::move(library))
    , FPath(path) {
    if (FLibrary == nullptr || !FLibrary->IsLoaded()) {
        FOpenError = TChmError::NoLibrary;
        return;
    }
    // Only regular files: opening a named pipe, for one, would block.
    if (QFileInfo(path).isFile())
        FHandle = FLibrary->Open(QFile::encodeName(path));
    if (FHandle == nullptr)
        FOpenError = TChmError::CannotOpen;
}

TChmFile::~TChmFile() {
    if (FHandle != nullptr)
        FLibrary->Close(FHandle);
}

TChmObject TChmFile::Read(QStringView name) const {
    if (FHandle == nullptr)
        return {FOpenError, {}};

    const QByteArray path = name.toUtf8();
    if (!path.startsWith('/') || path.contains('\0') || path.size() > CHM_MAX_PATHLEN)
        return {TChmError::NoSuchObject, {}};
    chmUnitInfo info{};
    if (!FLibrary->Resolve(FHandle, path.constData(), &info))
        return {TChmError::NoSuchObject, {}};
    if (info.length > LONGUINT64(MaxObjectSize))
        return {TChmError::CannotRead, {}};

    QByteArray data(qsizetype(info.length), Qt::Uninitialized);
    auto* buffer = reinterpret_cast<unsigned char*>(data.data());
    LONGINT64 done = 0;
    while (done < data.size()) {
        const LONGINT64 count = FLibrary->Retrieve(FHandle, &info, buffer + done, LONGUINT64(done),
                                                   LONGINT64(data.size()) - done);
        if (count <= 0)
            return {TChmError::CannotRead, {}};
        done += count;
    }
    return {TChmError::None, data};
}
