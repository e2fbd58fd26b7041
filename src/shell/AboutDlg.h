// CAboutDlg: the about box: the program's name, version and picture, the support note and the
// maker's lines, each text in its own font.
#pragma once

#include "platform/ui/Dialog.h"
#include "platform/ui/Font.h"
#include "platform/ui/Static.h"

/// The about box. It has no commands of its own: the caption's OK button or cancel
/// closes it, and nothing in it reacts to a tap.
class CAboutDlg : public CDialog {
public:
    /// `parent` may be null.
    explicit CAboutDlg(CWnd* parent = nullptr);
    ~CAboutDlg() override;

    /// The bound text controls.
    CStatic& GetCompanyLine() { return m_company; }
    CStatic& GetWebAddress() { return m_webAddress; }
    CStatic& GetVersion() { return m_version; }
    CStatic& GetProductName() { return m_productName; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;

private:
    CStatic m_company;     ///< the maker's name and an invitation to visit
    CStatic m_webAddress;  ///< the maker's web address, plain text
    CStatic m_version;     ///< "Version 1.06"
    CStatic m_productName; ///< "Corvina"
    CFont m_productFont;   ///< Tahoma 18 pixels, bold
    CFont m_versionFont;   ///< Tahoma 14 pixels, normal
    CFont m_webFont;       ///< Tahoma 14 pixels, semi-bold
    CFont m_companyFont;   ///< Tahoma 12 pixels, normal
};
