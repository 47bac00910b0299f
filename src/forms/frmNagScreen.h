#pragma once

// The start-up form. Its load is the program's start-up; it is never shown, stays loaded
// and hidden for the whole run, and its unload ends the program.

#include "forms/form.h"
#include "forms/image_list.h"

class QLabel;

namespace ssn::forms {

class frmNagScreen : public Form {
    Q_OBJECT

public:
    explicit frmNagScreen(Forms& forms);

    // The last draw of CoBrand_Randomize, 1 to 7; 0 before the first one.
    short intCoBrandRandomNumber = 0;
    // Draws a number and brings the co-brand or the fully-branded offer to the front, here
    // and on the main window.
    void CoBrand_Randomize();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    // The window's controls, each with its member's name as its object name.
    QLabel* lblNagScreenCaption = nullptr;
    ImageList IMGIcon; // image 1 is the application icon
    QLabel* picNagscreenIcon = nullptr;
    QLabel* lblNagScreenDonationCaption = nullptr;
    QLabel* Label2 = nullptr;
    // This form's own pair of advertisement labels; the fully-branded one lies in front.
    QLabel* lblCobrand = nullptr;
    QLabel* lblFullBrand = nullptr;

    // True when another copy already runs; the user has then been told and the program ends.
    bool refuseSecondCopy();
};

} // namespace ssn::forms
