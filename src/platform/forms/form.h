#pragma once
// A window class with its one default instance. The instance exists for the whole run; its
// widgets exist only while it is loaded. Touching any control or property of an unloaded
// window loads it, hidden, and runs Form_Load; Unload destroys the widgets, and the next
// touch loads the window afresh from its design values.
#include "colors.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

namespace forms {

class Control;
class Menu;
class FormWidget;

enum WindowStateValue { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };

class Form {
public:
    Form();
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    void Load();
    bool IsLoaded() const { return loaded_; }
    // Modeless, with no owner.
    void Show();
    void Hide();
    // Runs Form_Unload (which may cancel), then destroys the widgets.
    void Unload();

    bool Visible();
    std::string Caption();
    void SetCaption(const std::string& caption);
    int WindowState();
    void SetWindowState(int state);

    // The window's outer place and size in twips.
    double Left();
    double Top();
    double Width();
    double Height();
    void SetWidth(double twips);
    void SetHeight(double twips);

    OleColor BackColor();
    void SetBackColor(OleColor colour);

    // Gives the window an elliptic shape (pixels, window coordinates); an empty box removes it.
    void SetEllipticRegion(int left, int top, int right, int bottom);

    // Pops a menu up at the cursor, modally.
    void PopupMenu(Menu& menu);

    QWidget* Widget();
    QWidget* ExistingWidget() const;

    // Event entry points of the widget; public so the widget and tests can raise them.
    void RaiseMouseDown(int button, int shift, double x, double y);
    void RaiseMouseMove(int button, int shift, double x, double y);
    void RaiseUserClose();
    void RaiseExposed();

protected:
    // Window look, set in Design().
    void SetBorderless(bool borderless);
    void SetFixedDialog(bool fixed);
    void SetShowInTaskbar(bool show);
    void SetStartCentred(bool centred);
    void SetDesignWindowState(int state);
    void SetClientSize(double widthTwips, double heightTwips);

    // Applies the design values to the freshly made widgets; runs before Form_Load.
    virtual void Design() = 0;
    virtual void Form_Load() {}
    virtual void Form_Unload(int& cancel) { (void)cancel; }
    // The window manager asks the window to close: its close box, Alt+F4, a taskbar's or a
    // task switcher's close. Most windows just unload; one whose close must do more (end the
    // program, act like its own Cancel button) overrides this.
    virtual void Form_CloseRequest() { Unload(); }
    virtual void Form_MouseDown(int button, int shift, double x, double y) {
        (void)button, (void)shift, (void)x, (void)y;
    }
    virtual void Form_MouseMove(int button, int shift, double x, double y) {
        (void)button, (void)shift, (void)x, (void)y;
    }

private:
    friend class Control;
    void Register(Control* control);
    void ApplyWindowFlags();
    void ApplyBackColour();
    void LayGraphicalControlsBeneath();
    bool IsMaximised();
    // The state as the program knows it: Qt's while the window is on the screen, the kept one
    // while it is hidden.
    Qt::WindowStates KnownState() const;
    // Where the top-left corner of an outer frame of this size stands when it is centred.
    static QPoint CentredFramePlace(QSize frame);

    std::vector<Control*> controls_;
    std::unique_ptr<FormWidget> widget_;
    bool loaded_ = false;
    bool borderless_ = false;
    bool fixedDialog_ = false;
    bool showInTaskbar_ = true;
    bool centred_ = false;
    bool centrePending_ = false;
    OleColor backColor_ = SysButtonFace;
    // Under X the window manager drops a window's state when the window is hidden, and Qt
    // reads that back as the normal state; a hidden window keeps here the state it had or was
    // given, and comes back in it.
    Qt::WindowStates hiddenState_;
};

// The default instance of a window class, made on first use.
template <class F>
F& Default();

// Destroys every default instance; tests start each case from a fresh set of windows.
void ResetDefaultInstances();

namespace detail {
Form*& DefaultSlot(std::type_index type);
}

template <class F>
F& Default() {
    Form*& slot = detail::DefaultSlot(std::type_index(typeid(F)));
    if (!slot) slot = new F();
    return static_cast<F&>(*slot);
}

} // namespace forms
