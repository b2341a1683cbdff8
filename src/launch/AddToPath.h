// The "Add to my path" check box: the choice the user stored (Settings/AddToPath) puts the mark on the box
// whenever the text names an existing file; a launch enters its program in App Paths only when the box is
// ticked and the box was armed: by the stored choice at start, by the mouse rule, or by Browse. Nothing
// disarms it.
#pragma once

class AddToPath {
public:
    // Loaded from the profile at start.
    void Loaded(int stored)
    {
        checked_ = stored == 1;
        stored_ = checked_;
        armed_ = checked_;
    }
    // The user clicked the box: the new choice, which the window stores.
    int Toggled()
    {
        checked_ = !checked_;
        stored_ = checked_;
        return checked_ ? 1 : 0;
    }
    void Arm() { armed_ = true; }
    // The box as it shows, read when a launch starts or the window reads its controls.
    void BoxShows(bool checked) { checked_ = checked; }
    // A launch starts with the box as it shows: whether it enters its program.
    bool UsedByLaunch(bool boxChecked)
    {
        BoxShows(boxChecked);
        return checked_ && armed_;
    }

    bool Checked() const { return checked_; }
    // The mark an enabled box shows.
    bool Ticks() const { return stored_; }
    bool IsArmed() const { return armed_; }

private:
    bool checked_ = false;
    bool stored_ = false;
    bool armed_ = false;
};
