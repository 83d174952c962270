#include "message_box.h"

#include <QMessageBox>
#include <QString>

namespace forms {

namespace {
class QtMessageBoxes : public MessageBoxService {
public:
    void Show(const std::string& text, MsgIcon icon, const std::string& caption) override {
        QMessageBox::Icon qicon = QMessageBox::NoIcon;
        switch (icon) {
        case MsgIcon::Critical: qicon = QMessageBox::Critical; break;
        case MsgIcon::Exclamation: qicon = QMessageBox::Warning; break;
        case MsgIcon::Information: qicon = QMessageBox::Information; break;
        case MsgIcon::None: break;
        }
        QMessageBox box(qicon, QString::fromStdString(caption), QString::fromStdString(text),
                        QMessageBox::Ok);
        box.exec();
    }
};

QtMessageBoxes& realBoxes() {
    static QtMessageBoxes boxes;
    return boxes;
}

MessageBoxService*& current() {
    static MessageBoxService* service = &realBoxes();
    return service;
}
} // namespace

const std::string& AppTitle() {
    static const std::string title = "Corvessa";
    return title;
}

void MsgBox(const std::string& text, MsgIcon icon, const std::string& caption) {
    current()->Show(text, icon, caption);
}

void SetMessageBoxService(MessageBoxService* service) {
    current() = service ? service : &realBoxes();
}

} // namespace forms
