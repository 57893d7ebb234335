#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

// One entry of a help file's table of contents.
struct THelpContentsEntry {
    QString Name;
    QString Topic; // as written in the contents ("classes.htm"), empty for a mere title
    int Depth = 0; // 0 for the top level
};

// Reads a contents sitemap (the ".hhc" file, Windows-1252 HTML): each
// "text/sitemap" object gives an entry, nested lists give the depth. Entities
// in the names are decoded; anything else in the file is ignored.
QList<THelpContentsEntry> ReadHelpContents(QByteArrayView sitemap);
