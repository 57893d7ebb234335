#include "MainFormFixture.h"

#include "data/SafeFile.h"
#include "data/TextLines.h"

#include <QFileInfo>
#include <QTest>

void TMainFormFixture::WriteFile(const QString& name, const QByteArray& bytes) const {
    if (WriteWholeFile(Path(name), bytes))
        qFatal("cannot write a test file");
}

QByteArray TMainFormFixture::ReadFile(const QString& name) const {
    return ReadWholeFile(Path(name)).value_or(QByteArray());
}

TMainForm& TMainFormFixture::Start(const QLocale& locale) {
    if (!QFileInfo::exists(Path(QStringLiteral("quillorin.ini"))))
        WriteFile(
            QStringLiteral("quillorin.ini"),
            FileOf({QStringLiteral("WindowState=wsNormal"), QStringLiteral("Left=10"),
                    QStringLiteral("Top=10"), QStringLiteral("Width=700"),
                    QStringLiteral("Height=500"), QStringLiteral("TreeWidth=169"),
                    QStringLiteral("RemarksMemoHeight=57"), QStringLiteral("ToolBarVisible=1")}));
    TEnvironment environment = Environment(Folder.path(), locale);
    if (ChooseOpenFile)
        environment.ChooseOpenFile = ChooseOpenFile;
    if (ChooseSaveFile)
        environment.ChooseSaveFile = ChooseSaveFile;
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
