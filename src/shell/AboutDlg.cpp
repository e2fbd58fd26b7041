// The about box: binding its texts and giving each its font.
#include "shell/AboutDlg.h"

#include "platform/ui/DataExchange.h"
#include "res/ResourceIds.h"

namespace {

constexpr int kProductFontHeight = 18;
constexpr int kVersionFontHeight = 14;
constexpr int kWebFontHeight = 14;
constexpr int kCompanyFontHeight = 12;

} // namespace

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent) {}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COMPANY, m_company);
    DDX_Control(pDX, IDC_WEB_ADDRESS, m_webAddress);
    DDX_Control(pDX, IDC_VERSION, m_version);
    DDX_Control(pDX, IDC_PRODUCT_NAME, m_productName);
}

bool CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_productFont.CreateFont(kProductFontHeight, FW_BOLD, kDeviceFaceName);
    m_productName.SetFont(&m_productFont, true);
    m_versionFont.CreateFont(kVersionFontHeight, FW_NORMAL, kDeviceFaceName);
    m_version.SetFont(&m_versionFont, true);
    m_webFont.CreateFont(kWebFontHeight, FW_SEMIBOLD, kDeviceFaceName);
    m_webAddress.SetFont(&m_webFont, true);
    m_companyFont.CreateFont(kCompanyFontHeight, FW_NORMAL, kDeviceFaceName);
    m_company.SetFont(&m_companyFont, true);
    return true;
}
