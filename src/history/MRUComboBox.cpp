#include "history/MRUComboBox.h"

#include "framework/Text.h"
#include "framework/Trace.h"
#include "settings/ProfileLayout.h"

#include <algorithm>
#include <new>
#include <utility>
#include <vector>

namespace {

void TraceLine(const std::string& text)
{
    Trace("CMRUComboBox -- " + text + "\n");
}

}  // namespace

CMRUComboBox::CMRUComboBox(ProfileStore& profile) : profile_(profile) {}

CMRUComboBox::~CMRUComboBox()
{
    try {
        if (saveOnDestroy_ && !SaveMRU())
            TraceLine("Warning - SaveMRU() in destructor failed. MRU was not saved.");
    } catch (...) {
        // A destructor lets nothing escape; the history stays as last saved.
    }
}

void CMRUComboBox::SetMRURegKey(const std::string& sectionName)
{
    try {
        sectionName_ = sectionName;
    } catch (const std::bad_alloc&) {
        TraceLine("Memory exception in CMRUComboBox::SetMRURegKey()!");
        throw;
    }
    parametersChanged_ = true;
}

bool CMRUComboBox::SetMRUValueFormat(const std::string& valueFormat)
{
    if (valueFormat.find("%d") == std::string::npos) {
        TraceLine("SetMRUValueFormat() returning FALSE - argument didn't contain \"%d\"");
        return false;
    }
    try {
        valueFormat_ = valueFormat;
    } catch (const std::bad_alloc&) {
        TraceLine("Memory exception in CMRUComboBox::SetMRUValueFormat()!");
        throw;
    }
    parametersChanged_ = true;
    return true;
}

int CMRUComboBox::SetMaxMRUSize(int maximum)
{
    if (maximum <= 0)
        return -1;
    const int previous = list_ ? maximum_ : 0;
    maximum_ = maximum;
    if (!AllocNewMRU()) {
        TraceLine("SetMaxMRUSize() failed - couldn't allocate new CRecentFileList.");
        return -1;
    }
    return previous;
}

bool CMRUComboBox::SetSaveAfterAdd(bool save)
{
    return std::exchange(saveAfterAdd_, save);
}

bool CMRUComboBox::SetRefreshAfterAdd(bool refresh)
{
    return std::exchange(refreshAfterAdd_, refresh);
}

bool CMRUComboBox::VerifyMRUParams() const
{
    bool valid = true;
    if (sectionName_.empty()) {
        TraceLine("VerifyMRUParams() - registry key name not set.");
        valid = false;
    }
    if (valueFormat_.empty()) {
        TraceLine("VerifyMRUParams() - registry value format not set.");
        valid = false;
    } else if (valueFormat_.find("%d") == std::string::npos) {
        TraceLine("VerifyMRUParams() - registry value format doesn't contain \"%d\"");
        valid = false;
    }
    if (maximum_ <= 0) {
        TraceLine("VerifyMRUParams() - max MRU size is set to <= 0");
        valid = false;
    }
    return valid;
}

bool CMRUComboBox::AllocNewMRU()
{
    if (!VerifyMRUParams()) {
        TraceLine("AllocNewMRU() returning FALSE - MRU list params invalid or not set.");
        return false;
    }
    try {
        std::vector<std::string> kept;
        if (list_) {
            const int count = std::min(maximum_, list_->GetSize());
            for (int i = 0; i < count; ++i)
                kept.push_back((*list_)[i]);
            list_.reset();
        }
        list_ = std::make_unique<CRecentFileList>(1, sectionName_, valueFormat_, maximum_, 30);
        // Added back oldest first, so every entry keeps its position.
        for (auto entry = kept.rbegin(); entry != kept.rend(); ++entry)
            list_->Add(*entry);
    } catch (const std::bad_alloc&) {
        TraceLine("Memory exception in AllocNewMRU()!");
        list_.reset();
        throw;
    }
    parametersChanged_ = false;
    return true;
}

bool CMRUComboBox::LoadMRU()
{
    if (!AllocNewMRU()) {
        TraceLine("AllocNewMRU() failed in LoadMRU().");
        return false;
    }
    list_->ReadList(profile_);
    return true;
}

bool CMRUComboBox::SaveMRU()
{
    if (!list_) {
        TraceLine("SaveMRU failed - no CRecentFileList created.");
        return false;
    }
    if (!VerifyMRUParams()) {
        TraceLine("SaveMRU() failed - params not set.");
        return false;
    }
    if (parametersChanged_ && !AllocNewMRU()) {
        TraceLine("SaveMRU failed - couldn't reallocate CRecentFileList with new MRU params.");
        return false;
    }
    list_->WriteList(profile_);
    return true;
}

bool CMRUComboBox::AddToMRU(const std::string& text)
{
    if (text.empty())
        return false;
    if (Utf16Length(text) > kMaxProfileText) {
        TraceLine("AddToMRU() - text longer than " + std::to_string(kMaxProfileText) +
                  " characters not added: the profile cannot hold it.");
        return false;
    }
    if (!list_ && !AllocNewMRU()) {
        TraceLine("AllocNewMRU() failed in AddToMRU().");
        return false;
    }
    list_->Add(text);
    if (refreshAfterAdd_)
        RefreshCtrl();
    if (saveAfterAdd_)
        SaveMRU();
    return true;
}

void CMRUComboBox::RefreshCtrl()
{
    if (!list_ || !view_)
        return;
    // What the user is typing stays as it is, caret and selection included: an entry may come from a launch
    // that answers late.
    const std::string typed = view_->EditText();
    int start = 0, end = 0;
    const bool selected = view_->GetEditSel(start, end);
    view_->ResetContent();
    for (int i = 0; i < list_->GetSize(); ++i) {
        const std::string& entry = (*list_)[i];
        if (!entry.empty() && !view_->AddItem(entry))
            Trace("CMRUComboBox -- Warning - RefreshCtrl() couldn't add MRU item " + std::to_string(i) +
                  " to combobox.\n");
    }
    view_->SetEditText(typed);
    if (selected)
        view_->SetEditSel(start, end);
}

std::vector<std::string> CMRUComboBox::Entries() const
{
    std::vector<std::string> entries;
    for (int i = 0; list_ && i < list_->GetSize(); ++i) {
        if (!(*list_)[i].empty())
            entries.push_back((*list_)[i]);
    }
    return entries;
}

bool CMRUComboBox::RemoveFromMRU(const std::string& text)
{
    for (int i = 0; list_ && i < list_->GetSize(); ++i) {
        if ((*list_)[i] == text) {
            list_->Remove(i);
            SaveMRU();
            RefreshCtrl();
            return true;
        }
    }
    return false;
}

void CMRUComboBox::ClearMRU()
{
    if (!list_)
        return;
    for (int i = list_->GetSize() - 1; i >= 0; --i)
        list_->Remove(i);
}

namespace {
constexpr unsigned kBackspace = 0x08;
constexpr unsigned kDelete = 0x2E;
}  // namespace

void CMRUComboBox::OnKeyDown(unsigned virtualKey)
{
    completion_ = virtualKey != kBackspace && virtualKey != kDelete;
}

bool CMRUComboBox::OnControlKey(unsigned virtualKey)
{
    if (!view_ || (virtualKey != 'A' && virtualKey != kBackspace))
        return false;
    if (virtualKey == 'A') {
        view_->SetEditSel(0, -1);
        return true;
    }
    int start = 0;
    int end = 0;
    view_->GetEditSel(start, end);
    const std::string text = view_->EditText();
    const std::size_t caret = Utf8Offset(text, static_cast<std::size_t>(start));
    completion_ = false;
    view_->SetEditSel(static_cast<int>(Utf16Offset(text, WordStartBefore(text, caret))), end);
    view_->ReplaceSel("");
    return true;
}

void CMRUComboBox::OnEditUpdate()
{
    if (!completion_ || !view_)
        return;
    const std::string typed = view_->EditText();
    // Nothing typed, nothing to complete: an empty text would bring up the newest entry.
    if (typed.empty())
        return;
    // Positions are the box's own, UTF-16 units of its text: a letter's UTF-8 length may differ between its
    // cases, so the typed text's bytes say nothing of where the completed rest begins.
    const int length = static_cast<int>(Utf16Length(typed));
    int start = 0;
    int end = 0;
    const bool hasSelection = view_->GetEditSel(start, end);

    // A search that fails may leave the box's text changed: it gets the typed text back, and only then, since
    // setting a text repaints the field.
    if (view_->SelectString(typed) < 0 && view_->EditText() != typed) {
        view_->SetEditText(typed);
        view_->SetEditSel(start, end);
    }
    // Typing inside the text keeps the caret where it was; at the end, the completed rest is selected.
    if (hasSelection && end < length)
        view_->SetEditSel(start, end);
    else
        view_->SetEditSel(length, -1);
}

void SetUpAsHistory(CMRUComboBox& box, int maxHistory)
{
    box.SetMRURegKey(profile::kHistory);
    box.SetMRUValueFormat(profile::kHistoryEntry);
    box.SetMaxMRUSize(maxHistory == 0 ? 30 : maxHistory);
    box.SetRefreshAfterAdd(true);
    box.SetSaveAfterAdd(true);
    box.LoadMRU();
    box.RefreshCtrl();
}
