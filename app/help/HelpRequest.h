#pragma once

#include <QString>

#include <optional>

// A request for the help viewer, in the form the HTML Help viewer takes:
// file "::" topic ">" window, as in "quillorin.chm::/firstpage.htm>main window".
// The topic and the window are optional.
struct THelpRequest {
    QString FileName;
    QString Topic;      // with its leading "/", empty for the window's default topic
    QString WindowName; // empty for the caller's default window

    // None when the request names no file.
    static std::optional<THelpRequest> Parse(const QString& request);
};
