#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// The text of a rich-text (RTF) document: paragraphs and line breaks end
// lines, tabs stay tabs, "\'hh" escapes are Windows-1252 bytes, "\uN" is the
// Unicode character N (its fallback characters skipped), and the groups that
// hold no text (font and colour tables, style sheet, document information,
// pictures, objects, ignorable "\*" destinations...) are skipped. Nothing is
// returned for a document whose groups close more often than they open.
bool IsRtf(QByteArrayView bytes);
std::optional<QString> RtfToText(QByteArrayView bytes);
