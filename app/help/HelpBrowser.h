#pragma once

#include "app/help/ChmFile.h"

#include <QTextBrowser>

#include <memory>

// The page area of a help window: pages, style sheets and images all come
// from one compiled help file. Topics are addressed as "chm:/page.htm", so
// that relative links and images resolve inside the file. A page that cannot
// be read is replaced by a short explanation.
class THelpBrowser : public QTextBrowser {
    Q_OBJECT

public:
    explicit THelpBrowser(std::shared_ptr<const TChmFile> file, QWidget* parent = nullptr);

    // The address of a topic given as inside the file ("/firstpage.htm",
    // possibly with "#anchor").
    static QUrl TopicUrl(const QString& topic);

    QVariant loadResource(int type, const QUrl& name) override;

    // What the program says of itself in its pages: a page's
    // "<!--quillorin:name-->" shows the text given here (as plain text).
    static void SetProgramText(const QString& name, const QString& text);

private:
    QString Explanation(TChmError error, const QUrl& name) const;

    std::shared_ptr<const TChmFile> FFile;
};
