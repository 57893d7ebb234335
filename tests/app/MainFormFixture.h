#pragma once

#include "app/Environment.h"
#include "app/MainForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

// Answers the modal windows the program opens, as a user would: every
// message box is read and closed with its button, the quit dialog gets the
// next queued answer ("OkBtn" or "CancelBtn").
class TModalDriver : public QObject {
public:
    TModalDriver() {
        FTimer.setInterval(5);
        connect(&FTimer, &QTimer::timeout, this, &TModalDriver::Poll);
        FTimer.start();
    }

    QStringList Messages;
    QStringList Answers;

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == FAnswered)
            return;
        FAnswered = modal;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            Messages << box->text();
            box->buttons().first()->click();
            return;
        }
        const QString answer =
            Answers.isEmpty() ? QStringLiteral("CancelBtn") : Answers.takeFirst();
        if (auto* button = modal->findChild<QAbstractButton*>(answer))
            button->click();
    }

    QTimer FTimer;
    QPointer<QWidget> FAnswered;
};

// A main window started in a folder of its own, under French regional
// settings, on a fixed day.
struct TMainFormFixture {
    QTemporaryDir Folder;
    TModalDriver Driver;
    std::unique_ptr<TMainForm> Form;
    // What the file dialogs answer; the real dialogs when not set.
    TFileChooser ChooseOpenFile;
    TFileChooser ChooseSaveFile;

    QString Path(const QString& name) const { return Folder.filePath(name); }

    static TEnvironment Environment(const QString& folder, const QLocale& locale) {
        TEnvironment environment;
        environment.Folder = folder + u'/';
        environment.Regional = TRegionalSettings::FromLocale(locale);
        environment.Today = [] {
            return QDate(2026, 12, 6);
        };
        return environment;
    }

    void WriteFile(const QString& name, const QByteArray& bytes) const;
    QByteArray ReadFile(const QString& name) const;

    // Writes the settings most tests want (a normal window, no messages)
    // unless the test wrote its own.
    TMainForm& Start(const QLocale& locale = QLocale(QLocale::French, QLocale::France));
    // Closes the window answering the quit dialog; true when it closed.
    bool Quit(const QString& answer);

    template <typename T> T* Find(const char* name) const {
        return Form->findChild<T*>(QString::fromLatin1(name));
    }
};

// The example workspace: CM1 with a heading and three subjects, one pupil.
QByteArray ExampleWorkspace();
// Lines joined with CR LF, encoded in Windows-1252.
QByteArray FileOf(const QStringList& lines);
