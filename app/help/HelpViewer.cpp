#include "app/help/HelpViewer.h"

#include "app/help/HelpBrowser.h"
#include "app/help/HelpContents.h"

#include <QHBoxLayout>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

const QString THelpViewer::DefaultTitle = u"Aide de Quillorin"_s;

namespace {

QToolButton* MakeButton(QWidget* parent, const QString& name, const QString& text,
                        QStyle::StandardPixmap icon, const QKeySequence& shortcut) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setShortcut(shortcut);
    return button;
}

QString AsTopic(const QString& projectTopic) {
    return projectTopic.isEmpty() || projectTopic.startsWith(u'/') ? projectTopic
                                                                   : u'/' + projectTopic;
}

} // namespace

THelpViewer::THelpViewer(std::shared_ptr<const TChmFile> file, const TWindowDefinition& definition,
                         QWidget* parent)
    : QWidget(parent, Qt::Window)
    , FFile(std::move(file))
    , FDefinition(definition) {
    setObjectName(u"HelpViewer"_s);
    setWindowTitle(FDefinition.Title.isEmpty() ? DefaultTitle : FDefinition.Title);
    resize(760, 560);

    FBrowser = new THelpBrowser(FFile, this);
    FBrowser->setAccessibleName(u"Page d'aide"_s);
    FContents = new QTreeWidget(this);
    FContents->setObjectName(u"ContentsTree"_s);
    FContents->setAccessibleName(u"Sommaire"_s);
    FContents->setHeaderHidden(true);
    FContents->setRootIsDecorated(false);
    FillContents();
    FBackBtn =
        MakeButton(this, u"BackBtn"_s, u"Précédent"_s, QStyle::SP_ArrowBack, QKeySequence::Back);
    FForwardBtn = MakeButton(this, u"ForwardBtn"_s, u"Suivant"_s, QStyle::SP_ArrowForward,
                             QKeySequence::Forward);
    FHomeBtn = MakeButton(this, u"HomeBtn"_s, u"Accueil"_s, QStyle::SP_DirHomeIcon,
                          QKeySequence(Qt::ALT | Qt::Key_Home));
    FBackBtn->setEnabled(false);
    FForwardBtn->setEnabled(false);
    FHomeBtn->setEnabled(!AsTopic(FDefinition.HomeTopic).isEmpty() ||
                         !AsTopic(FDefinition.DefaultTopic).isEmpty());

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(FBackBtn);
    buttons->addWidget(FForwardBtn);
    buttons->addWidget(FHomeBtn);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    // The contents beside the page, as in every help window.
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(u"HelpSplitter"_s);
    splitter->addWidget(FContents);
    splitter->addWidget(FBrowser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 560});
    FContents->setVisible(FContents->topLevelItemCount() > 0);
    layout->addWidget(splitter);

    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
    connect(FContents, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const QString topic = item->data(0, Qt::UserRole).toString();
        if (!topic.isEmpty())
            ShowTopic(AsTopic(topic));
    });
    connect(FContents, &QTreeWidget::itemClicked, FContents, &QTreeWidget::itemActivated);
    connect(FBrowser, &QTextBrowser::sourceChanged, this, &THelpViewer::FollowPage);

    connect(FBackBtn, &QToolButton::clicked, FBrowser, &QTextBrowser::backward);
    connect(FForwardBtn, &QToolButton::clicked, FBrowser, &QTextBrowser::forward);
    connect(FHomeBtn, &QToolButton::clicked, this, &THelpViewer::GoHome);
    connect(FBrowser, &QTextBrowser::backwardAvailable, FBackBtn, &QToolButton::setEnabled);
    connect(FBrowser, &QTextBrowser::forwardAvailable, FForwardBtn, &QToolButton::setEnabled);
}

void THelpViewer::ShowTopic(const QString& topic) {
    const QString shown = topic.isEmpty() ? AsTopic(FDefinition.DefaultTopic) : topic;
    FBrowser->setSource(THelpBrowser::TopicUrl(shown));
}

void THelpViewer::FillContents() {
    if (FDefinition.Contents.isEmpty() || !FFile)
        return;
    const TChmObject sitemap = FFile->Read(AsTopic(FDefinition.Contents));
    if (!sitemap.Ok())
        return;
    QList<QTreeWidgetItem*> parents;
    for (const THelpContentsEntry& entry : ReadHelpContents(sitemap.Data)) {
        const int depth = std::min(entry.Depth, int(parents.size()));
        parents.resize(depth);
        auto* item = parents.isEmpty() ? new QTreeWidgetItem(FContents)
                                       : new QTreeWidgetItem(parents.last());
        item->setText(0, entry.Name);
        item->setData(0, Qt::UserRole, entry.Topic);
        parents << item;
    }
    FContents->expandAll();
}

void THelpViewer::FollowPage(const QUrl& url) {
    const QString page = url.path().section(u'/', -1);
    for (QTreeWidgetItemIterator it(FContents); *it; ++it) {
        const QString topic = (*it)->data(0, Qt::UserRole).toString().section(u'#', 0, 0);
        if (topic.section(u'/', -1).compare(page, Qt::CaseInsensitive) == 0) {
            FContents->setCurrentItem(*it);
            return;
        }
    }
}

void THelpViewer::GoHome() {
    const QString home = AsTopic(FDefinition.HomeTopic);
    ShowTopic(home.isEmpty() ? AsTopic(FDefinition.DefaultTopic) : home);
}
