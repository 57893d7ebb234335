#include "app/help/HelpBrowser.h"

#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QStringDecoder>
#include <QTextDocument>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QString Scheme = u"chm"_s;

QHash<QString, QString>& ProgramTexts() {
    static QHash<QString, QString> texts;
    return texts;
}

// The help pages are Windows-1252, as the compiled help format expects.
QString DecodePage(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1252");
    QString page = decoder(bytes);
    for (auto text = ProgramTexts().cbegin(); text != ProgramTexts().cend(); ++text)
        page.replace(u"<!--quillorin:"_s + text.key() + u"-->"_s, text.value().toHtmlEscaped());
    return page;
}

} // namespace

THelpBrowser::THelpBrowser(std::shared_ptr<const TChmFile> file, QWidget* parent)
    : QTextBrowser(parent)
    , FFile(std::move(file)) {
    setObjectName(u"HelpBrowser"_s);
}

void THelpBrowser::SetProgramText(const QString& name, const QString& text) {
    ProgramTexts().insert(name, text);
}

QUrl THelpBrowser::TopicUrl(const QString& topic) {
    const qsizetype hash = topic.indexOf(u'#');
    QUrl url;
    url.setScheme(Scheme);
    url.setPath(topic.left(hash), QUrl::DecodedMode);
    if (hash >= 0)
        url.setFragment(topic.sliced(hash + 1), QUrl::DecodedMode);
    return url;
}

QVariant THelpBrowser::loadResource(int type, const QUrl& name) {
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    TChmObject object{TChmError::NoSuchObject, {}};
    if (url.scheme() == Scheme && FFile != nullptr)
        object = FFile->Read(url.path());

    switch (type) {
    case QTextDocument::HtmlResource:
        return object.Ok() ? DecodePage(object.Data) : Explanation(object.Error, url);
    case QTextDocument::StyleSheetResource:
        return object.Ok() ? QVariant(DecodePage(object.Data)) : QVariant();
    case QTextDocument::ImageResource:
        return object.Ok() ? QVariant(QImage::fromData(object.Data)) : QVariant();
    default:
        return {};
    }
}

QString THelpBrowser::Explanation(TChmError error, const QUrl& name) const {
    const QString file =
        (FFile != nullptr ? QFileInfo(FFile->Path()).fileName() : QString()).toHtmlEscaped();
    const QString topic = (name.scheme() == Scheme ? name.path() : name.toString()).toHtmlEscaped();
    QString text;
    switch (error) {
    case TChmError::NoLibrary:
        text = u"La bibliothèque de lecture de l'aide (chmlib) n'est pas installée : "
               u"l'aide ne peut pas être affichée."_s;
        break;
    case TChmError::CannotOpen:
        text = u"Le fichier d'aide « %1 » est introuvable ou illisible. Il doit se trouver "
               u"dans le dossier du programme."_s.arg(file);
        break;
    case TChmError::CannotRead:
        text = u"La page « %1 » du fichier d'aide « %2 » est illisible."_s.arg(topic, file);
        break;
    case TChmError::None:
    case TChmError::NoSuchObject:
        text = u"La page « %1 » n'existe pas dans le fichier d'aide « %2 »."_s.arg(topic, file);
        break;
    }
    return u"<html><head><title>Page d'aide indisponible</title></head><body>"
           u"<h2>Page d'aide indisponible</h2><p>%1</p></body></html>"_s.arg(text);
}
