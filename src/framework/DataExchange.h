// Moves values between a dialog's member fields and its controls, in either direction.
#pragma once

#include "framework/Controls.h"

#include <string>
#include <vector>

class DataExchange {
public:
    DataExchange(HWND dialog, bool saving) : dialog_(dialog), saving_(saving) {}

    // True: from the controls into the fields. False: from the fields into the controls.
    bool Saving() const { return saving_; }
    // A value could not be taken from its control; that control now has the focus.
    bool Failed() const { return failed_; }

    // Binds a wrapper or a control object to the control with this id.
    void Control(int id, Window& window);
    void Control(int id, ControlObject& control);

    // Text of an edit field or of a combo box's edit field. A positive limit is also set on the control.
    // Filling a control that already shows the text leaves it alone, so no change notification follows.
    void Text(int id, std::string& value, int maxLength = 0);
    // A whole number; a text that is not one fails the exchange and keeps the field's value.
    void Int(int id, int& value);
    // Check state: 1 checked, 0 otherwise.
    void Check(int id, int& value);

    const std::vector<ControlObject*>& BoundControls() const { return bound_; }

private:
    Window Item(int id) const { return Window(GetDlgItem(dialog_, id)); }
    void SetTextIfChanged(const Window& control, const std::string& text) const;
    void Fail(const Window& control);

    HWND dialog_;
    bool saving_;
    bool failed_ = false;
    std::vector<ControlObject*> bound_;
};
