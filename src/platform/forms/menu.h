#pragma once
// Menus of a window. A caption of "-" is a separator. PopupMenu shows a menu's items at the
// cursor, modally; tests install a service that records the popup instead.
#include "control.h"

#include <functional>
#include <string>
#include <vector>

namespace forms {

class Menu : public Control {
public:
    Menu(Form& form, std::string name, Menu* parentMenu = nullptr);
    std::string Caption();
    void SetCaption(const std::string& caption);
    bool MenuVisible();
    void SetMenuVisible(bool visible);
    bool MenuEnabled();
    void SetMenuEnabled(bool enabled);
    const std::vector<Menu*>& Items() const { return items_; }
    bool IsSeparator() { return Caption() == "-"; }

    std::function<void()> Click;

protected:
    QWidget* CreateWidget(QWidget*) override { return nullptr; }
    void ResetState() override;

private:
    std::string caption_;
    bool visible_ = true;
    bool enabled_ = true;
    std::vector<Menu*> items_;
};

class PopupService {
public:
    virtual ~PopupService() = default;
    virtual void Popup(Form& owner, Menu& menu) = 0;
};
// nullptr restores the real popup.
void SetPopupService(PopupService* service);

void ShowPopup(Form& owner, Menu& menu);

} // namespace forms
