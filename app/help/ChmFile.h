#pragma once

#include "app/help/ChmLibrary.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <memory>

enum class TChmError {
    None,
    NoLibrary,    // the help control could not be loaded
    CannotOpen,   // missing file, or not a compiled help file
    NoSuchObject, // no object of that name in the file
    CannotRead,   // the object is there but its bytes cannot be read
};

struct TChmObject {
    TChmError Error = TChmError::None;
    QByteArray Data;

    bool Ok() const { return Error == TChmError::None; }
};

// One open compiled help file. Objects are named as inside the file, with a
// leading "/" ("/firstpage.htm"); letter case does not matter.
class TChmFile {
public:
    // Larger objects are refused rather than allocated: a damaged file may
    // claim any length.
    static constexpr qint64 MaxObjectSize = 64 * 1024 * 1024;

    TChmFile(std::shared_ptr<const TChmLibrary> library, const QString& path);
    ~TChmFile();
    TChmFile(const TChmFile&) = delete;
    TChmFile& operator=(const TChmFile&) = delete;

    const QString& Path() const { return FPath; }
    // TChmError::None once the file is open.
    TChmError OpenError() const { return FOpenError; }

    TChmObject Read(QStringView name) const;

private:
    std::shared_ptr<const TChmLibrary> FLibrary;
    QString FPath;
    chmFile* FHandle = nullptr;
    TChmError FOpenError = TChmError::None;
};
