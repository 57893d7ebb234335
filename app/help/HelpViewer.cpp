#include "app/help/HelpViewer.h"

#include "app/help/HelpBrowser.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

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
    layout->addWidget(FBrowser);

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

void THelpViewer::GoHome() {
    const QString home = AsTopic(FDefinition.HomeTopic);
    ShowTopic(home.isEmpty() ? AsTopic(FDefinition.DefaultTopic) : home);
}
