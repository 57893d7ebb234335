#pragma once

#include <QString>
#include <QStringView>

// One line of a class's subject list: an optional leading "$" marks a heading
// (not evaluated), then one depth character per level below the top, then the
// name. Writers use "_" for depth; readers also take a blank or a tab.
struct TSubjectLine {
    bool Evaluated = true;
    int Depth = 0;
    QString Name;
};

// How far a reader takes depth characters: all of them (the name may come out
// empty), or never the line's last character, so that a line such as "_"
// keeps a name to show, as the printed sheets want.
enum class TDepthRule { All, KeepName };

TSubjectLine ParseSubjectLine(QStringView line, TDepthRule rule = TDepthRule::All);
QString EncodeSubjectLine(const TSubjectLine& subject);

// True for the characters that count one level of depth when reading.
constexpr bool IsDepthChar(QChar c) {
    return c == u'_' || c == u' ' || c == u'\t';
}
