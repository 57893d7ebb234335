#include "MainFormFixture.h"

#include "data/SafeFile.h"
#include "data/TextLines.h"
#include "workspace/WorkspaceModel.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

void TypeText(QWidget* widget, const QString& text) {
    for (const QChar character : text) {
        // Qt Test knows the keys of ASCII characters only.
        if (character.unicode() < 0x80) {
            QTest::keyClick(widget, character.toLatin1());
            continue;
        }
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, QString(character));
            QApplication::sendEvent(widget, &event);
        }
    }
}

void TModalDriver::Answer(QWidget& modal) {
    if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
        Messages << box->text();
        QAbstractButton* button = box->defaultButton();
        if (!BoxAnswers.isEmpty()) {
            const QString text = BoxAnswers.takeFirst();
            for (QAbstractButton* candidate : box->buttons()) {
                if (candidate->text() == text)
                    button = candidate;
            }
        }
        (button ? button : box->buttons().first())->click();
        return;
    }
    Dialogs << modal.objectName();
    TAnswer answer;
    if (!Scripted.isEmpty())
        answer = Scripted.takeFirst();
    else
        answer.Button = Answers.isEmpty() ? QStringLiteral("CancelBtn") : Answers.takeFirst();
    if (answer.Act)
        answer.Act(modal);
    if (answer.Button.isEmpty() || !modal.isVisible())
        return;
    if (auto* button = modal.findChild<QAbstractButton*>(answer.Button))
        button->click();
}

TModalDriver::TAnswer TModalDriver::Typing(QList<std::pair<const char*, QString>> fields,
                                           QString button,
                                           std::function<void(QWidget& dialog)> first) {
    return {[fields, first](QWidget& dialog) {
                if (first)
                    first(dialog);
                for (const auto& [name, text] : fields) {
                    auto* edit = dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
                    if (!edit)
                        qFatal("no edit %s in the dialog", name);
                    edit->clear();
                    TypeText(edit, text);
                }
            },
            std::move(button)};
}

QModelIndex TMainFormFixture::Node(int schoolClass, int pupil) const {
    const QModelIndex node = Form->Model().index(schoolClass, 0);
    return pupil < 0 ? node : Form->Model().index(pupil, 0, node);
}

TPData& TMainFormFixture::Record(int schoolClass, int pupil) const {
    return *Form->Model().NodeAt(Node(schoolClass, pupil))->Data;
}

void TMainFormFixture::WriteFile(const QString& name, const QByteArray& bytes) const {
    if (WriteWholeFile(Path(name), bytes))
        qFatal("cannot write a test file");
}

QByteArray TMainFormFixture::ReadFile(const QString& name) const {
    return ReadWholeFile(Path(name)).value_or(QByteArray());
}

void TMainFormFixture::WriteSettings() {
    if (!QFileInfo::exists(Path(QStringLiteral("quillorin.ini"))))
        WriteFile(
            QStringLiteral("quillorin.ini"),
            FileOf({QStringLiteral("WindowState=wsNormal"), QStringLiteral("Left=10"),
                    QStringLiteral("Top=10"), QStringLiteral("Width=700"),
                    QStringLiteral("Height=500"), QStringLiteral("TreeWidth=169"),
                    QStringLiteral("RemarksMemoHeight=57"), QStringLiteral("ToolBarVisible=1")}));
}

TMainForm& TMainFormFixture::Start(const QLocale& locale) {
    WriteSettings();
    TEnvironment environment = Environment(FolderPath(), locale);
    if (ChooseOpenFile)
        environment.ChooseOpenFile = ChooseOpenFile;
    if (ChooseSaveFile)
        environment.ChooseSaveFile = ChooseSaveFile;
    // A restart: the program that quit is gone, with its hold on the folder.
    Form.reset();
    Form = std::make_unique<TMainForm>(std::move(environment));
    Form->ShowAtStart();
    if (!QTest::qWaitForWindowExposed(Form.get()))
        qWarning("the main window was not exposed");
    return *Form;
}

bool TMainFormFixture::Quit(const QString& answer) {
    Driver.Answers << answer;
    return Form->close();
}

QByteArray ExampleWorkspace() {
    return FileOf(
        {QStringLiteral("Quillorin v1.0 BETA"), QStringLiteral("File created on : 06/12/2026"),
         QString(), QStringLiteral("NbClasses=1"), QStringLiteral("NbPupils=1"), QString(),
         QStringLiteral("[Class]"), QStringLiteral("ClassName=CM1"),
         QStringLiteral("Matters=$Français|_Lecture|_Ecriture|Mathématiques|"), QString(),
         QStringLiteral("[Pupil]"), QStringLiteral("Surname=Untel"), QStringLiteral("Name=Jean"),
         QStringLiteral("BirthDay=12 mars 1995"), QStringLiteral("Class=CM1"),
         QStringLiteral("Sexe=Garçon"), QStringLiteral("Levels=4:-1|1:15,5|2:-1|3:12|"),
         QStringLiteral("Remarks=Bon travail.|Peut mieux faire en calcul.|")});
}

QByteArray FileOf(const QStringList& lines) {
    return JoinLines(lines);
}
