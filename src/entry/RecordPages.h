#pragma once

#include <QString>

namespace kestrune::entry {

// What the record editor needs of the entry dialog's pages, boxes and
// buttons. The dialog shows them and the editor's RecordForm, and forwards
// what the person types to the form; the editor decides.
class RecordPages {
public:
    virtual ~RecordPages() = default;

    // The boxes show the form's values and which of them are open.
    virtual void showValues() = 0;

    // The cover.
    // The values and the names beside the codes of a proposed cover.
    virtual void showProposedCover() = 0;
    // The exits of the region, level and state boxes, as if no person left them.
    virtual void RunCoverExits() = 0;
    virtual bool ValidateCover(bool adding, double storedCode) = 0;
    // Leaving a box checks it only while the record is loaded.
    virtual void setLoaded(bool loaded) = 0;
    virtual bool loaded() const = 0;

    // The pages.
    // Page 0 with its notes, the unit code box focused.
    virtual void ShowCoverPage() = 0;
    virtual void FocusFirstField() = 0;

    // The buttons and captions.
    // The saves of the editor's RecordForm changed: the buttons follow.
    virtual void showSaves() = 0;
    virtual void setPrintEnabled(bool enabled) = 0;
    // tbAdd while adding, tbSave while editing.
    virtual void showModeButtons(bool adding) = 0;
    virtual void showPosition(const QString& caption, bool captionShown, bool navigationShown) = 0;
    virtual void setNavigation(bool backward, bool forward) = 0;

    // The logic error list's window: shown with the list's messages (hidden
    // when there are none), or hidden.
    virtual void showLogicErrors() = 0;
    virtual void hideLogicErrors() = 0;
};

} // namespace kestrune::entry
