#pragma once
// Modal message boxes with one OK button. The box runs a nested event loop, so timers go on
// ticking while it is open. Tests install a recorder in place of the real boxes.
#include <string>

namespace forms {

enum class MsgIcon { None, Critical, Exclamation, Information };

// The application title, the caption of the program's own messages.
const std::string& AppTitle();

void MsgBox(const std::string& text, MsgIcon icon, const std::string& caption);

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual void Show(const std::string& text, MsgIcon icon, const std::string& caption) = 0;
};

// nullptr restores the real boxes.
void SetMessageBoxService(MessageBoxService* service);

} // namespace forms
