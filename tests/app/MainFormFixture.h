#pragma once

#include "app/Environment.h"
#include "app/MainForm.h"
#include "tests/support/DialogDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>

#include <functional>
#include <memory>

// Answers the modal windows the program opens, as a user would: every
// message box is read and closed with its default button (or the next of
// BoxAnswers, by its text, when one is queued), every other dialog gets the
// next queued answer: a scripted one first (something done in the dialog,
// such as typing into its fields, then a button), else a button name
// ("OkBtn" or "CancelBtn"), else Cancel. A window left open past the
// driver's deadline fails the test.
class TModalDriver {
public:
    struct TAnswer {
        std::function<void(QWidget& dialog)> Act;
        QString Button; // none: the action closes the dialog itself
    };

    // Does the first thing in the dialog, types each text into the edit of
    // that name, then clicks the button.
    static TAnswer Typing(QList<std::pair<const char*, QString>> fields, QString button,
                          std::function<void(QWidget& dialog)> first = {});
    // The next dialog, given to the action as a T (the action closes it).
    template <typename T> void Next(std::function<void(T&)> act) {
        Scripted << TAnswer{[act](QWidget& dialog) {
                                if (auto* typed = qobject_cast<T*>(&dialog))
                                    act(*typed);
                            },
                            QString()};
    }

    QStringList Messages;
    QStringList BoxAnswers;
    QStringList Answers;
    QList<TAnswer> Scripted;
    QStringList Dialogs; // the object names of the dialogs answered, in order

private:
    void Answer(QWidget& modal);

    TDialogDriver FDriver{[this](QWidget& modal) {
        Answer(modal);
    }};
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

    // The folder the window works in: the temporary one unless set.
    QString Dir;
    QString FolderPath() const { return Dir.isEmpty() ? Folder.path() : Dir; }
    QString Path(const QString& name) const { return FolderPath() + u'/' + name; }

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
    void WriteSettings();
    // Closes the window answering the quit dialog; true when it closed.
    bool Quit(const QString& answer);

    // A class of the tree, or one of its pupils, and its record.
    QModelIndex Node(int schoolClass, int pupil = -1) const;
    TPData& Record(int schoolClass, int pupil) const;

    template <typename T> T* Find(const char* name) const {
        return Form->findChild<T*>(QString::fromLatin1(name));
    }
};

// Types the text into the widget key by key, accented letters included.
void TypeText(QWidget* widget, const QString& text);

// The example workspace: CM1 with a heading and three subjects, one pupil.
QByteArray ExampleWorkspace();
// Lines joined with CR LF, encoded in Windows-1252.
QByteArray FileOf(const QStringList& lines);
