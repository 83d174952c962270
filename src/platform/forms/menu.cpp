#include "menu.h"

#include "events.h"
#include "form.h"
#include "units.h"

#include <QAction>
#include <QMenu>

namespace forms {

Menu::Menu(Form& form, std::string name, Menu* parentMenu) : Control(form, std::move(name)) {
    if (parentMenu) parentMenu->items_.push_back(this);
}
void Menu::ResetState() {
    caption_.clear();
    visible_ = enabled_ = true;
}
std::string Menu::Caption() { Touch(); return caption_; }
void Menu::SetCaption(const std::string& c) { Touch(); caption_ = c; }
bool Menu::MenuVisible() { Touch(); return visible_; }
void Menu::SetMenuVisible(bool v) { Touch(); visible_ = v; }
bool Menu::MenuEnabled() { Touch(); return enabled_; }
void Menu::SetMenuEnabled(bool e) { Touch(); enabled_ = e; }

namespace {
class QtPopup : public PopupService {
public:
    void Popup(Form& owner, Menu& menu) override {
        QMenu popup(owner.Widget());
        Menu* chosen = nullptr;
        for (Menu* item : menu.Items()) {
            if (!item->MenuVisible()) continue;
            if (item->IsSeparator()) {
                popup.addSeparator();
                continue;
            }
            QAction* a = popup.addAction(QString::fromStdString(item->Caption()));
            a->setEnabled(item->MenuEnabled());
            QObject::connect(a, &QAction::triggered, [&chosen, item] { chosen = item; });
        }
        popup.exec(CursorPos());
        // The chosen item runs after the menu has closed, as a click of its own.
        if (chosen && chosen->Click) Dispatch(chosen->Click);
    }
};
QtPopup& qtPopup() {
    static QtPopup p;
    return p;
}
PopupService*& current() {
    static PopupService* s = &qtPopup();
    return s;
}
} // namespace

void SetPopupService(PopupService* service) { current() = service ? service : &qtPopup(); }
void ShowPopup(Form& owner, Menu& menu) { current()->Popup(owner, menu); }

} // namespace forms
