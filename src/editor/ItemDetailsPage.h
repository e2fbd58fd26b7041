// CItemDetailsPage: what both pages of the item details sheet share: their light-blue background and
// the input panel kept up while they show.
#pragma once

#include "platform/ui/DC.h"
#include "platform/ui/PropertySheet.h"

/// A page of the item details sheet. It fills its background with light blue (labels and radio
/// buttons draw on it transparently; every other control keeps the platform's colours), raises the
/// input panel on each activation and after each paint, and lowers it when its window goes, which
/// happens when the sheet closes.
class CItemDetailsPage : public CPropertyPage {
public:
    explicit CItemDetailsPage(UINT templateId);

    /// The input panel comes up, then the fields are loaded as for any page.
    bool OnSetActive() override;

protected:
    bool OnEraseBkgnd(CDC& dc) override;
    /// After the page is drawn the input panel comes up again, should the user have lowered it.
    void OnPaint(CDC& dc) override;
    void OnDestroy() override;

private:
    CBrush m_background; ///< light blue: red 196, green 222, blue 255
};
