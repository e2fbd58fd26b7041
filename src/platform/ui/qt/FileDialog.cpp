// CFileDialog: the screen's controls and layout, walking folders, file types, and the accept rules
// of the open, save and rename-and-move dialogs.
#include "platform/ui/FileDialog.h"

#include "platform/core/FileException.h"
#include "platform/core/RenameFile.h"

#include "platform/storage/DeviceStorage.h"
#include "platform/storage/FileDialogPaths.h"
#include "platform/storage/FileFind.h"
#include "platform/storage/FileNameRules.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Static.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/qt/DCBridge.h"
#include "platform/ui/qt/QtText.h"

#include <QPainter>

#include <algorithm>
#include <optional>

namespace platform {
namespace {
/// Control ids of the dialog's own controls.
constexpr UINT kNameLabel = 1;
constexpr UINT kNameField = 2;
constexpr UINT kFolderLabel = 3;
constexpr UINT kFolderText = 4;
constexpr UINT kUpButton = 5;
constexpr UINT kTypeLabel = 6;
constexpr UINT kTypeButton = 7;
constexpr UINT kEntries = 8;
/// The code the entry list sends its screen when a row is tapped.
constexpr UINT kEntryTapped = 1;

/// Layout, in pixels of the 240 x 268 screen: three 20-pixel lines of label and field, then the list.
constexpr int kMargin = 4;
constexpr int kLabelWidth = 42;
constexpr int kLabelGap = 4;
constexpr int kLineHeight = 20;
constexpr int kLineGap = 4;
constexpr int kUpWidth = 30;
constexpr int kNameColumnWidth = 220;
/// Row icons: 13 x 16, as the document list's.
constexpr int kIconWidth = 13;
constexpr int kIconHeight = 16;

constexpr std::u16string_view kMyDocuments = u"\\My Documents";
constexpr std::u16string_view kRoot = u"\\";
constexpr std::u16string_view kStorageCard = u"\\Storage Card";

constexpr COLORREF kRuleColour = RGB(0x80, 0x80, 0x80);
const QColor kFolderYellow(0xF0, 0xC8, 0x50);
const QColor kOutline(0x60, 0x60, 0x60);

QImage FolderIcon() {
    QImage image(kIconWidth, kIconHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(1, 4, 11, 9, kFolderYellow);
    painter.fillRect(1, 3, 5, 1, kFolderYellow);
    painter.setPen(kOutline);
    painter.drawRect(1, 4, 10, 8);
    painter.drawLine(1, 3, 5, 3);
    return image;
}

QImage FileIcon() {
    QImage image(kIconWidth, kIconHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(kOutline);
    painter.drawRect(2, 1, 9, 13);
    for (int y = 4; y < 13; y += 2) {
        painter.drawLine(4, y, 9, y);
    }
    return image;
}

bool IsFolder(const DeviceStorage& device, std::u16string_view devicePath) {
    const std::uint32_t attributes = GetFileAttributes(device, devicePath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Exists(const DeviceStorage& device, std::u16string_view devicePath) {
    return GetFileAttributes(device, devicePath) != INVALID_FILE_ATTRIBUTES;
}

/// The same folder of the host, however the device paths spell it.
bool SameFolder(const DeviceStorage& device, std::u16string_view a, std::u16string_view b) {
    return device.HostPathFromDevicePath(DeviceFolderOf(a)) ==
           device.HostPathFromDevicePath(DeviceFolderOf(b));
}

std::u16string TakenNameMessage(std::u16string_view name) {
    return std::u16string(name) + u" already exists.\nChoose another name.";
}

void Refuse(const std::u16string& reason) {
    AfxMessageBox(reason, MB_OK | MB_ICONEXCLAMATION);
}
} // namespace

/// One row of the list: a folder or a file.
struct FileDialogEntry {
    std::u16string name;
    bool folder = false;
};

/// The entry list: the platform list view, telling its screen which row was tapped.
class FileEntryList : public CListCtrl {
protected:
    void OnLButtonDown(UINT flags, CPoint point) override {
        CListCtrl::OnLButtonDown(flags, point);
        if (HitTest(point) >= 0) {
            NotifyParent(kEntryTapped);
        }
    }
};

struct FileDialogState {
    std::vector<FileFilter> filters;      ///< the file types
    std::vector<FileDialogEntry> entries; ///< the rows, in order
    CStatic nameLabel, folderLabel, folderText, typeLabel;
    CEdit nameField;
    CButton upButton, typeButton;
    FileEntryList list;
    CBitmap folderIcon, fileIcon;
    CImageList icons;
};

} // namespace platform

using platform::FileDialogState;

CFileDialog::CFileDialog(const DeviceStorage& device, bool openFileDialog, std::u16string defaultExtension,
                         std::u16string fileName, DWORD flags, std::u16string filter, CWnd* parent)
    : CDialog(openFileDialog                       ? u"Open"
              : (flags & OFN_RENAME_AND_MOVE) != 0 ? u"Rename"
                                                   : u"Save As",
              parent),
      m_device(device), m_open(openFileDialog), m_defaultExtension(std::move(defaultExtension)),
      m_fileName(std::move(fileName)), m_flags(flags), m_filter(std::move(filter)) {}

CFileDialog::~CFileDialog() = default;

std::u16string CFileDialog::GetFileExt() const {
    return platform::ExtensionOf(m_pathName);
}

bool CFileDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_ui = std::make_unique<FileDialogState>();
    FileDialogState& ui = *m_ui;
    ui.filters = platform::ParseFileFilter(m_filter);
    using namespace platform;
    CRect client;
    GetClientRect(&client);
    const int fieldLeft = kMargin + kLabelWidth + kLabelGap;
    const int right = client.right - kMargin;
    auto line = [](int index) { return kMargin + index * (kLineHeight + kLineGap); };
    const DWORD child = WS_CHILD | WS_VISIBLE;
    ui.nameLabel.Create(kStaticClass, u"Name:", child,
                        CRect(kMargin, line(0) + 3, fieldLeft, line(0) + kLineHeight), this, kNameLabel);
    ui.nameField.Create(kEditClass, DeviceNameOf(m_fileName), child | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
                        CRect(fieldLeft, line(0), right, line(0) + kLineHeight), this, kNameField);
    ui.folderLabel.Create(kStaticClass, u"Folder:", child,
                          CRect(kMargin, line(1) + 3, fieldLeft, line(1) + kLineHeight), this, kFolderLabel);
    ui.folderText.Create(kStaticClass, u"", child,
                         CRect(fieldLeft, line(1) + 3, right - kUpWidth - kMargin, line(1) + kLineHeight),
                         this, kFolderText);
    ui.upButton.Create(kButtonClass, u"Up", child | BS_PUSHBUTTON,
                       CRect(right - kUpWidth, line(1), right, line(1) + kLineHeight), this, kUpButton);
    ui.typeLabel.Create(kStaticClass, u"Type:", child,
                        CRect(kMargin, line(2) + 3, fieldLeft, line(2) + kLineHeight), this, kTypeLabel);
    ui.typeButton.Create(kButtonClass, u"", child | BS_PUSHBUTTON,
                         CRect(fieldLeft, line(2), right, line(2) + kLineHeight), this, kTypeButton);
    // The list sits under a 1-pixel rule that closes the fields off.
    ui.list.Create(kListViewClass, u"", child | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER,
                   CRect(0, line(3) + 1, client.right, client.bottom), this, kEntries);
    ui.list.InsertColumn(0, u"", LVCFMT_LEFT, kNameColumnWidth);
    ui.list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    ui.folderIcon = BitmapFromImage(FolderIcon());
    ui.fileIcon = BitmapFromImage(FileIcon());
    ui.icons.Create(kIconWidth, kIconHeight, ILC_COLOR, 0, 2);
    ui.icons.Add(&ui.folderIcon, nullptr);
    ui.icons.Add(&ui.fileIcon, nullptr);
    ui.list.SetImageList(&ui.icons, LVSIL_SMALL);

    GetCommandMap().OnCommand(kUpButton, [this] { ShowFolder(platform::ParentDeviceFolder(m_folder)); });
    GetCommandMap().OnCommand(kTypeButton, [this] { NextFileType(); });
    GetCommandMap().OnNotify(kEntries, kEntryTapped, [this](const NMHDR&, LRESULT*) {
        EntryTapped(m_ui->list.GetNextItem(-1, LVNI_SELECTED));
    });

    const std::u16string given = DeviceFolderOf(m_fileName);
    if (given.empty() || !ShowFolder(given)) {
        if (!ShowFolder(std::u16string(kMyDocuments))) {
            ShowFolder(std::u16string(kRoot));
        }
    }
    ui.typeButton.SetWindowText(ui.filters[static_cast<std::size_t>(m_filterIndex)].description);
    ui.nameField.SetFocus();
    ui.nameField.SetSel(0, -1);
    return false;
}

void CFileDialog::OnPaint(CDC& dc) {
    CRect client;
    GetClientRect(&client);
    const int ruleTop = platform::kMargin + 3 * (platform::kLineHeight + platform::kLineGap);
    dc.FillSolidRect(CRect(0, ruleTop, client.right, ruleTop + 1), platform::kRuleColour);
}

bool CFileDialog::ShowFolder(const std::u16string& folder) {
    if (!platform::IsFolder(m_device, folder) && folder != platform::kRoot) {
        return false;
    }
    m_folder = folder;
    Refill();
    return true;
}

std::vector<std::u16string> CFileDialog::ShownEntries() const {
    std::vector<std::u16string> shown;
    if (m_ui == nullptr) {
        return shown;
    }
    for (const platform::FileDialogEntry& e : m_ui->entries) {
        shown.push_back(e.folder ? u"[" + e.name + u"]" : e.name);
    }
    return shown;
}

void CFileDialog::Refill() {
    if (m_ui == nullptr) {
        return;
    }
    FileDialogState& ui = *m_ui;
    ui.entries.clear();
    // The storage card is a folder of the device's root, wherever it lies on the host.
    if (m_folder == platform::kRoot && platform::IsFolder(m_device, platform::kStorageCard)) {
        ui.entries.push_back({std::u16string(platform::kStorageCard.substr(1)), true});
    }
    const std::vector<std::u16string>& patterns =
        ui.filters[static_cast<std::size_t>(m_filterIndex)].patterns;
    for (FolderEntry& entry : ListFolderEntries(m_device, m_folder)) {
        const auto matches = [&entry](const std::u16string& p) {
            return platform::MatchesFilePattern(entry.name, p);
        };
        if (entry.folder || std::any_of(patterns.begin(), patterns.end(), matches)) {
            ui.entries.push_back({std::move(entry.name), entry.folder});
        }
    }
    ui.folderText.SetWindowText(m_folder);
    ui.list.DeleteAllItems();
    for (std::size_t i = 0; i < ui.entries.size(); ++i) {
        ui.list.InsertItem(static_cast<int>(i), ui.entries[i].name, ui.entries[i].folder ? 0 : 1);
    }
    ui.list.RedrawWindow();
}

void CFileDialog::EntryTapped(int row) {
    if (m_ui == nullptr || row < 0 || row >= static_cast<int>(m_ui->entries.size())) {
        return;
    }
    const platform::FileDialogEntry entry = m_ui->entries[static_cast<std::size_t>(row)];
    if (entry.folder) {
        ShowFolder(platform::JoinDevicePath(m_folder, entry.name));
        return;
    }
    m_ui->nameField.SetWindowText(entry.name);
}

void CFileDialog::NextFileType() {
    m_filterIndex = (m_filterIndex + 1) % static_cast<int>(m_ui->filters.size());
    m_ui->typeButton.SetWindowText(m_ui->filters[static_cast<std::size_t>(m_filterIndex)].description);
    Refill();
}

void CFileDialog::OnOK() {
    if (m_ui == nullptr) {
        return;
    }
    std::u16string name = m_ui->nameField.GetWindowText();
    while (!name.empty() && name.back() == u' ') {
        name.pop_back();
    }
    if (name.empty()) {
        m_ui->nameField.SetFocus();
        return;
    }
    // A name may be a whole device path.
    std::u16string path = name.front() == u'\\' ? name : platform::JoinDevicePath(m_folder, name);
    if (!m_open) {
        if (const auto refused = platform::RefusedNameReason(platform::DeviceNameOf(path))) {
            platform::Refuse(*refused);
            return;
        }
        // A renamed file keeps its own extension, so a list renamed "Groceries" or "Trip.v2" stays
        // a list that its folder's listing shows.
        const std::u16string fileName =
            (m_flags & OFN_RENAME_AND_MOVE) != 0
                ? platform::WithExtension(platform::DeviceNameOf(path), platform::ExtensionOf(m_fileName))
                : platform::WithDefaultExtension(platform::DeviceNameOf(path), m_defaultExtension);
        path = platform::JoinDevicePath(platform::DeviceFolderOf(path), fileName);
        if (const auto tooLong = platform::TooLongNameReason(name, path)) {
            platform::Refuse(*tooLong);
            return;
        }
    }
    if (Accept(path)) {
        m_pathName = path;
        EndDialog(IDOK);
    }
}

bool CFileDialog::Accept(const std::u16string& path) {
    if (m_device.HostPathFromDevicePath(path).empty() || platform::DeviceNameOf(path).empty()) {
        AfxMessageBox(u"That is not a name a file can have.", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (platform::DeviceNameOf(path).find_first_of(platform::kCharactersNotInNames) != std::u16string::npos) {
        AfxMessageBox(u"A file name cannot contain any of these characters:\n" +
                          std::u16string(platform::kCharactersNotInNames),
                      MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (!platform::IsFolder(m_device, platform::DeviceFolderOf(path))) {
        AfxMessageBox(u"The folder " + platform::DeviceFolderOf(path) + u" does not exist.",
                      MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (platform::IsFolder(m_device, path)) {
        ShowFolder(path);
        m_ui->nameField.SetWindowText(u"");
        return false;
    }
    if (m_open) {
        if (!platform::Exists(m_device, path)) {
            AfxMessageBox(platform::DeviceNameOf(path) + u" was not found.", MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        return true;
    }
    if ((m_flags & OFN_RENAME_AND_MOVE) != 0) {
        return RenameTo(path);
    }
    if (platform::Exists(m_device, path) && (m_flags & OFN_OVERWRITEPROMPT) != 0) {
        return ConfirmOverwrite(path);
    }
    return true;
}

bool CFileDialog::RenameTo(const std::u16string& path) {
    if (path == m_fileName) {
        return true;
    }
    // Another file of that name, in any letter case, is taken; the file's own name in another case
    // is only a change of case.
    if (const auto taken =
            ::EntryNamedIgnoringCase(m_device, platform::DeviceFolderOf(path), platform::DeviceNameOf(path));
        taken &&
        !(platform::SameFolder(m_device, path, m_fileName) && *taken == platform::DeviceNameOf(m_fileName))) {
        platform::Refuse(platform::TakenNameMessage(*taken));
        return false;
    }
    try {
        RenameWithoutReplacing(m_device.HostPathOf(m_fileName), m_device.HostPathOf(path), m_fileName, path);
    } catch (const CFileException& failure) {
        if (failure.Cause() == FileErrorCause::AlreadyExists) {
            platform::Refuse(platform::TakenNameMessage(platform::DeviceNameOf(path)));
            return false;
        }
        AfxMessageBox(platform::DeviceNameOf(m_fileName) + u" could not be renamed.\n" +
                          failure.GetErrorMessage(),
                      MB_OK | MB_ICONSTOP);
        return false;
    }
    return true;
}

bool ConfirmOverwrite(const std::u16string& path) {
    return AfxMessageBox(platform::DeviceNameOf(path) + u" already exists.\nDo you want to replace it?",
                         MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}
