#pragma once

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

// The Return-key option of the forms' flat controls: with ReturnMovesFocus,
// Return and Enter move the focus to the next control in tab order, as Tab
// does.
template <typename Control> class TReturnMovesFocus : public Control {
public:
    using Control::Control;

    bool ReturnMovesFocus() const { return FReturnMovesFocus; }
    void SetReturnMovesFocus(bool Value) { FReturnMovesFocus = Value; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool isReturn = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (FReturnMovesFocus && isReturn) {
            this->focusNextChild();
            event->accept();
            return;
        }
        Control::keyPressEvent(event);
    }

private:
    bool FReturnMovesFocus = true;
};

// The flat one-line edit of the forms.
class TEdit97 : public TReturnMovesFocus<QLineEdit> {
    Q_OBJECT

public:
    explicit TEdit97(QWidget* parent = nullptr);
};

// The flat drop-down list of the forms (not editable).
class TComboBox97 : public TReturnMovesFocus<QComboBox> {
    Q_OBJECT

public:
    explicit TComboBox97(QWidget* parent = nullptr);
};

// The flat button of the forms: a thin frame that lights up under the mouse
// and while the button has the focus, over a flat face.
class TButton97 : public QPushButton {
    Q_OBJECT

public:
    explicit TButton97(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
