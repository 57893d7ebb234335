#pragma once

#include "app/help/ChmFile.h"
#include "app/help/ChmWindows.h"

#include <QWidget>

#include <memory>

class QToolButton;
class QTreeWidget;
class THelpBrowser;

// A help window: the pages of one compiled help file, with back, forward and
// home buttons, titled after the file's window definition.
class THelpViewer : public QWidget {
    Q_OBJECT

public:
    // Used when the file has no definition for the requested window.
    static const QString DefaultTitle;

    THelpViewer(std::shared_ptr<const TChmFile> file, const TWindowDefinition& definition,
                QWidget* parent = nullptr);

    const QString& HelpPath() const { return FFile->Path(); }
    THelpBrowser* Browser() const { return FBrowser; }
    QTreeWidget* Contents() const { return FContents; }

    // A topic as named inside the file ("/about.htm"); empty for the
    // window's default topic.
    void ShowTopic(const QString& topic);

private:
    void GoHome();
    void FillContents();
    // Selects the contents entry of the page shown.
    void FollowPage(const QUrl& url);

    std::shared_ptr<const TChmFile> FFile;
    TWindowDefinition FDefinition;
    THelpBrowser* FBrowser = nullptr;
    QTreeWidget* FContents = nullptr;
    QToolButton* FBackBtn = nullptr;
    QToolButton* FForwardBtn = nullptr;
    QToolButton* FHomeBtn = nullptr;
};
