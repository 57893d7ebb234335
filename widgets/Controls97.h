#pragma once

#include <QComboBox>
#include <QLineEdit>

// The flat one-line edit of the forms. With ReturnMovesFocus, Return and
// Enter move the focus to the next control in tab order, as Tab does.
class TEdit97 : public QLineEdit {
    Q_OBJECT

public:
    explicit TEdit97(QWidget* parent = nullptr);

    bool ReturnMovesFocus() const { return FReturnMovesFocus; }
    void SetReturnMovesFocus(bool Value) { FReturnMovesFocus = Value; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool FReturnMovesFocus = true;
};

// The flat drop-down list of the forms (not editable), with the same
// Return-key behaviour as TEdit97.
class TComboBox97 : public QComboBox {
    Q_OBJECT

public:
    explicit TComboBox97(QWidget* parent = nullptr);

    bool ReturnMovesFocus() const { return FReturnMovesFocus; }
    void SetReturnMovesFocus(bool Value) { FReturnMovesFocus = Value; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool FReturnMovesFocus = true;
};
