// The history room: the history list, the drop-down box that shows it, and its editor.
//
// The history behind the main window's drop-down box: a most-recently-used list kept in the profile,
// shown in the box's list newest first.
#pragma once

#include "framework/ProfileStore.h"
#include "history/ComboBoxView.h"
#include "history/RecentFileList.h"

#include <memory>
#include <string>
#include <vector>

class CMRUComboBox {
public:
    explicit CMRUComboBox(ProfileStore& profile);
    // Saves the history to the profile.
    ~CMRUComboBox();
    CMRUComboBox(const CMRUComboBox&) = delete;
    CMRUComboBox& operator=(const CMRUComboBox&) = delete;

    // The box that shows the history; none leaves RefreshCtrl without effect.
    void SetView(ComboBoxView* view) { view_ = view; }
    ComboBoxView* View() const { return view_; }

    void SetMRURegKey(const std::string& sectionName);
    // Accepted only when the format contains "%d".
    bool SetMRUValueFormat(const std::string& valueFormat);
    // The previous maximum (0 when there was no list yet), or -1 when refused or the list could not be made.
    int SetMaxMRUSize(int maximum);
    int GetMaxMRUSize() const { return maximum_; }
    bool SetSaveAfterAdd(bool save);
    bool SetRefreshAfterAdd(bool refresh);

    bool VerifyMRUParams() const;
    bool AllocNewMRU();
    bool LoadMRU();
    bool SaveMRU();
    // An empty text is refused: it would push the oldest entry out for nothing.
    bool AddToMRU(const std::string& text);
    void RefreshCtrl();
    // The entries, newest first.
    std::vector<std::string> Entries() const;
    // The entry of exactly this text leaves the list, which is saved and shown at once; false when none was.
    bool RemoveFromMRU(const std::string& text);
    void ClearMRU();

    // The list itself, or none before the first successful AllocNewMRU.
    CRecentFileList* GetMRUList() { return list_.get(); }

    // Type-ahead completion. Every key press allows the next edit update to complete, except the two keys
    // that delete; the update then shows the newest entry that begins with the typed text, its rest selected.
    void OnKeyDown(unsigned virtualKey);
    void OnEditUpdate();
    // Ctrl with a key the box's edit field may not know itself: A selects the whole text; Backspace deletes
    // the word before the caret and the completed rest selected after it, and completes nothing. True when
    // the key was one of them.
    bool OnControlKey(unsigned virtualKey);

private:
    ProfileStore& profile_;
    ComboBoxView* view_ = nullptr;
    std::unique_ptr<CRecentFileList> list_;
    std::string sectionName_;
    std::string valueFormat_;
    int maximum_ = 10;
    bool saveOnDestroy_ = true;
    bool saveAfterAdd_ = false;
    bool refreshAfterAdd_ = false;
    bool parametersChanged_ = false;
    bool completion_ = false;  // nothing completes before the first key press
};

// Sets the box up as the main window's history: section "Velquin MRU", values "File #n", the capacity
// (30 when 0 is asked for), shown and saved after every addition; then loads it and fills the drop-down.
void SetUpAsHistory(CMRUComboBox& box, int maxHistory);
