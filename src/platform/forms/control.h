#pragma once
// The base of every control: a name, the window it belongs to, an optional container frame,
// and the widget that stands for it while the window is loaded. Touching any property of a
// control loads its window first (hidden), as the windows' code expects.
#include "colors.h"

#include <QPointer>
#include <QWidget>
#include <optional>
#include <string>

namespace forms {

class Form;

class Control {
public:
    Control(Form& form, std::string name, Control* container = nullptr);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    Form& Parent() const { return form_; }
    Control* Container() const { return container_; }

    // Place and size in twips, relative to the container (or the window's inside). The widget
    // holds whole pixels; a value set by code reads back as set while the widget still stands
    // at its pixel, otherwise the pixels are read back in twips.
    double Left();
    double Top();
    double Width();
    double Height();
    void SetLeft(double twips);
    void SetTop(double twips);
    void SetWidth(double twips);
    void SetHeight(double twips);
    void Move(double left, double top, double width, double height);

    bool Visible();
    void SetVisible(bool visible);
    bool Enabled();
    void SetEnabled(bool enabled);
    std::string ToolTipText();
    void SetToolTipText(const std::string& text);

    OleColor BackColor();
    void SetBackColor(OleColor colour);
    OleColor ForeColor();
    void SetForeColor(OleColor colour);

    std::string FontName();
    double FontSize();
    bool FontBold();
    void SetFont(const std::string& name, double points, bool bold = false);
    void SetFontSize(double points);
    void SetFontBold(bool bold);

    // Labels, images and shapes are drawn on their container's surface: they lie beneath every
    // control that is a window of its own (check boxes, text boxes, lists, buttons, frames).
    virtual bool Graphical() const { return false; }

    // The widget, loading the window first when needed. Null for controls without one.
    QWidget* Widget();
    // The widget only if it exists now; never loads anything.
    QWidget* ExistingWidget() const { return widget_; }

protected:
    // Makes the widget for one load of the window. Controls without a widget return nullptr.
    virtual QWidget* CreateWidget(QWidget* parent) = 0;
    // Called after the widget exists, before the window's design values are applied.
    virtual void ResetState() {}
    // Called when the window unloads, before the widget goes.
    virtual void Released() {}
    // Repaints the widget from the held colours; controls that draw themselves override.
    virtual void ApplyColours();
    // Marks the window loaded before anything is read or set.
    void Touch();

private:
    friend class Form;
    void Create(QWidget* formWidget);
    void Destroy();

    Form& form_;
    std::string name_;
    Control* container_;
    QPointer<QWidget> widget_;
    bool visible_ = true;
    std::optional<double> setLeft_, setTop_, setWidth_, setHeight_;
    OleColor backColor_ = SysButtonFace;
    OleColor foreColor_ = SysWindowText;
    bool opaque_ = true;

protected:
    // Labels and images may be transparent: they then paint no background of their own.
    void SetOpaque(bool opaque);
    bool Opaque() const { return opaque_; }
};

} // namespace forms
