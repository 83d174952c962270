#pragma once
// The top-level widget of a loaded window: it forwards the window's own mouse events, the
// close box and the window's exposure to the Form.
#include <QWidget>

namespace forms {

class Form;

class FormWidget : public QWidget {
public:
    explicit FormWidget(Form& form);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Watches the window's own platform window for its first expose after a show.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Form& form_;
};

// The classic button numbers: 1 left, 2 right, 4 middle; shift state 1 Shift, 2 Ctrl, 4 Alt.
int ButtonNumber(Qt::MouseButton button);
int ButtonsNumber(Qt::MouseButtons buttons);
int ShiftState(Qt::KeyboardModifiers modifiers);

} // namespace forms
