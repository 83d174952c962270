#pragma once
// The About window: the product name, the logo and a few words about the player; "OK" closes it.
#include "platform/forms/controls.h"
#include "platform/forms/form.h"

class Form3 : public forms::Form {
public:
    Form3();

    forms::Frame Frame1{*this, "Frame1"};
    forms::Label Label1{*this, "Label1", &Frame1};
    forms::Label Label2{*this, "Label2", &Frame1};
    forms::Label Label3{*this, "Label3", &Frame1};
    forms::Frame Frame2{*this, "Frame2"};
    forms::Label Label4{*this, "Label4", &Frame2};
    forms::Image Image1{*this, "Image1"};
    forms::CommandButton Command1{*this, "Command1"};  // "OK"

    void Command1_Click();

protected:
    void Design() override;
    void Form_CloseRequest() override;
};
