#pragma once

#include <QLibrary>
#include <QString>

#include <chm_lib.h>

// The help control: chmlib, loaded at run time so that a machine without it
// still runs the program (the help commands then say that help needs a viewer).
// chm_lib.h gives the types only; the entry points are looked up in the
// library, which is unloaded when this object goes.
class TChmLibrary {
public:
    TChmLibrary();
    ~TChmLibrary();
    TChmLibrary(const TChmLibrary&) = delete;
    TChmLibrary& operator=(const TChmLibrary&) = delete;

    // Whether the library was found and has every entry point used here.
    bool IsLoaded() const { return FOpen != nullptr; }
    // Whether the library can be loaded at all; leaves it loaded.
    static bool CanLoad();
    QString FileName() const { return FLibrary.fileName(); }
    QString ErrorString() const { return FError; }

    chmFile* Open(const QByteArray& path) const { return FOpen(path.constData()); }
    void Close(chmFile* file) const { FClose(file); }
    bool Resolve(chmFile* file, const char* name, chmUnitInfo* info) const;
    LONGINT64 Retrieve(chmFile* file, chmUnitInfo* info, unsigned char* buffer, LONGUINT64 address,
                       LONGINT64 length) const;

private:
    QLibrary FLibrary;
    QString FError;
    decltype(&chm_open) FOpen = nullptr;
    decltype(&chm_close) FClose = nullptr;
    decltype(&chm_resolve_object) FResolve = nullptr;
    decltype(&chm_retrieve_object) FRetrieve = nullptr;
};
