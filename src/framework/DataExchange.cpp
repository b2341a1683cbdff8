#include "framework/DataExchange.h"

#include "framework/Text.h"

void DataExchange::Control(int id, Window& window)
{
    window = Item(id);
}

void DataExchange::Control(int id, ControlObject& control)
{
    const Window item = Item(id);
    if (control.Handle() != item.Handle())
        control.Attach(item.Handle());
    bound_.push_back(&control);
}

void DataExchange::SetTextIfChanged(const Window& control, const std::string& text) const
{
    if (control.Text() != text)
        control.SetText(text);
}

void DataExchange::Fail(const Window& control)
{
    failed_ = true;
    MessageBeep(MB_ICONEXCLAMATION);
    control.Focus();
    Edit(control.Handle()).SetSel(0, -1);
}

void DataExchange::Text(int id, std::string& value, int maxLength)
{
    if (failed_)
        return;
    const Window control = Item(id);
    if (saving_) {
        value = control.Text();
        // The limit counts characters (UTF-16 units), and a character is never cut in two.
        if (maxLength > 0 && Utf16Length(value) > static_cast<size_t>(maxLength))
            value.resize(Utf8Offset(value, static_cast<size_t>(maxLength)));
        return;
    }
    if (maxLength > 0) {
        if (control.ClassName() == "ComboBox")
            ComboBox(control.Handle()).LimitText(maxLength);
        else
            Edit(control.Handle()).LimitText(maxLength);
    }
    SetTextIfChanged(control, value);
}

void DataExchange::Int(int id, int& value)
{
    if (failed_)
        return;
    const Window control = Item(id);
    if (!saving_) {
        SetTextIfChanged(control, std::to_string(value));
        return;
    }
    const auto number = ParseInt(control.Text());
    if (number)
        value = *number;
    else
        Fail(control);
}

void DataExchange::Check(int id, int& value)
{
    if (failed_)
        return;
    const Button control(Item(id).Handle());
    if (saving_)
        value = control.IsChecked() ? 1 : 0;
    else
        control.SetCheck(value == 1);
}
