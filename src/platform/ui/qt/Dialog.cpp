// CDialog: building a screen from its template, running it modally on the device, its OK and cancel
// commands, dialog keys and the screen services (caption OK button, menu bar, tool buttons).
#include "platform/ui/Dialog.h"

#include "platform/ui/DataExchange.h"
#include "platform/ui/Edit.h"
#include "platform/ui/InputPanel.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Static.h"
#include "platform/ui/qt/DCBridge.h"
#include "platform/ui/qt/DeviceLook.h"
#include "platform/ui/qt/DeviceScreen.h"
#include "platform/ui/qt/DeviceWindow.h"
#include "platform/ui/qt/DialogState.h"
#include "platform/ui/qt/WindowClasses.h"

#include <QEventLoop>
#include <QImage>

#include <iostream>

namespace platform {

DialogState& WndAccess::StateOf(CDialog& dialog) {
    return *dialog.m_state;
}

void WndAccess::EndScreen(CDialog& dialog, int result) {
    dialog.EndDialog(result);
}

void ScreenWidget::SetText(const std::u16string& text) {
    WndWidget::SetText(text);
    if (DeviceExists()) {
        Device().RefreshBars();
    }
}

namespace {
/// Dialog units to pixels: the list editor's template, 140 x 155 units, exactly fills the screen
/// between caption bar and menu bar (240 x 268 pixels).
constexpr int kUnitsAcross = 140;
constexpr int kUnitsDown = 155;
constexpr int kPixelsAcross = look::kScreenWidth;
constexpr int kPixelsDown = look::kScreenAreaHeight;

int ScaleUnits(int units, int pixels, int span) {
    // Rounded to the nearest pixel, halves away from zero, as the device's MulDiv does.
    const long long scaled = static_cast<long long>(units) * pixels;
    return static_cast<int>(scaled >= 0 ? (scaled + span / 2) / span : -((-scaled + span / 2) / span));
}

/// Makes one control of the template under the screen's widget; false when its class is unknown.
bool CreateControl(const DialogItemTemplate& item, WndWidget* screen, DialogState& state) {
    const std::u16string className(item.className);
    const auto kind = KindOfClass(className);
    if (!kind) {
        std::cerr << "corvina: dialog control " << item.id << " names the unknown window class \""
                  << QString::fromStdU16String(className).toStdString() << "\"\n";
        return false;
    }
    WndWidget* widget = CreateWindowWidget(*kind, item.style, screen);
    widget->className = className;
    widget->controlId = item.id;
    widget->setGeometry(
        ToQRect(CDialog::MapDialogRect(CRect(item.x, item.y, item.x + item.cx, item.y + item.cy))));
    std::unique_ptr<CWnd> object = MakeDefaultObject(*kind);
    widget->SetOwner(object.get());
    widget->SetText(std::u16string(item.text));
    if (item.resourceId != 0 && *kind == WindowKind::Static) {
        static_cast<CStatic*>(object.get())->SetBitmap(item.resourceId);
    }
    widget->setVisible((item.style & WS_VISIBLE) != 0);
    state.controlObjects.push_back(std::move(object));
    return true;
}

/// The first enabled, visible control with a tab stop, in template order.
WndWidget* FirstTabStop(WndWidget* screen) {
    for (QObject* child : screen->children()) {
        auto* control = dynamic_cast<WndWidget*>(child);
        if (control != nullptr && (control->style & WS_TABSTOP) != 0 && control->isVisibleTo(screen) &&
            control->isEnabled()) {
            return control;
        }
    }
    return nullptr;
}

} // namespace
} // namespace platform

using platform::DialogState;
using platform::WndAccess;

CDialog::CDialog(UINT templateId, CWnd* /*parent*/)
    : m_templateId(templateId), m_state(std::make_unique<DialogState>()) {}

CDialog::CDialog(std::u16string caption, CWnd* /*parent*/)
    : m_templateId(0), m_caption(std::move(caption)), m_state(std::make_unique<DialogState>()) {}

CDialog::~CDialog() {
    if (HasWindow() && platform::DeviceExists()) {
        platform::Device().RemoveScreen(*this);
    }
}

CRect CDialog::MapDialogRect(const CRect& units) {
    using platform::kPixelsAcross;
    using platform::kPixelsDown;
    using platform::kUnitsAcross;
    using platform::kUnitsDown;
    using platform::ScaleUnits;
    return CRect(ScaleUnits(units.left, kPixelsAcross, kUnitsAcross),
                 ScaleUnits(units.top, kPixelsDown, kUnitsDown),
                 ScaleUnits(units.right, kPixelsAcross, kUnitsAcross),
                 ScaleUnits(units.bottom, kPixelsDown, kUnitsDown));
}

bool CDialog::BuildWindow(platform::WndWidget* parent) {
    const DialogTemplate* source = nullptr;
    if (m_templateId != 0) {
        source = FindDialogTemplate(static_cast<std::uint16_t>(m_templateId));
        if (source == nullptr) {
            std::cerr << "corvina: there is no dialog template " << m_templateId << '\n';
            return false;
        }
    }
    *m_state = DialogState();
    m_state->dialogTemplate = source;
    QWidget* host = parent != nullptr ? static_cast<QWidget*>(parent) : platform::Device().ScreenArea();
    auto* screen = new platform::ScreenWidget(host);
    screen->className = u"#32770";
    screen->style = source != nullptr ? source->style : 0;
    screen->setFocusPolicy(Qt::StrongFocus);
    screen->SetOwner(this);
    screen->SetText(source != nullptr ? std::u16string(source->caption) : m_caption);
    const std::span<const DialogItemTemplate> items =
        source != nullptr ? source->items : std::span<const DialogItemTemplate>();
    for (const DialogItemTemplate& item : items) {
        if (!platform::CreateControl(item, screen, *m_state)) {
            screen->SetOwner(nullptr);
            delete screen;
            m_state->controlObjects.clear();
            return false;
        }
    }
    return true;
}

int CDialog::DoModal() {
    if (HasWindow()) {
        return -1; // already running
    }
    if (!BuildWindow(nullptr)) {
        return -1;
    }
    platform::DeviceWindow& device = platform::Device();
    device.PushScreen(*this, platform::WidgetOf(*this));
    try {
        RunModalLoop(platform::WidgetOf(*this));
    } catch (...) {
        TearDownScreen();
        throw;
    }
    TearDownScreen();
    const int result = m_state->result;
    // The screen below has the focus again, as when a window above it goes away.
    if (CDialog* below = device.TopScreen()) {
        WndAccess::SetFocus(*below, nullptr);
    }
    return result;
}

void CDialog::RunModalLoop(platform::WndWidget* screen) {
    if (OnInitDialog()) {
        if (platform::WndWidget* first = platform::FirstTabStop(screen)) {
            first->setFocus(Qt::OtherFocusReason);
        } else {
            screen->setFocus(Qt::OtherFocusReason);
        }
    }
    platform::Device().RefreshBars();
    if (m_state->ended) {
        return;
    }
    QEventLoop loop;
    m_state->loop = &loop;
    loop.exec();
    m_state->loop = nullptr;
}

void CDialog::TearDownScreen() {
    m_state->loop = nullptr;
    if (platform::WndWidget* widget = platform::WidgetOf(*this)) {
        widget->NotifyDestroyTree();
        platform::Device().RemoveScreen(*this);
        delete widget;
    }
    m_state->controlObjects.clear();
    m_state->menuBar = platform::MenuBarModel();
}

void CDialog::EndDialog(int result) {
    m_state->result = result;
    m_state->ended = true;
    if (m_state->loop != nullptr) {
        m_state->loop->exit();
    }
}

bool CDialog::IsModalRunning() const {
    return m_state->loop != nullptr && !m_state->ended;
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    try {
        DoDataExchange(&exchange);
    } catch (const DataExchangeFailure&) {
        return false;
    }
    return true;
}

void CDialog::ShowCaptionOkButton(bool shown) {
    m_state->captionOk = shown;
    if (platform::DeviceExists() && platform::Device().TopScreen() == this) {
        platform::Device().RefreshBars();
    }
}

bool CDialog::HasCaptionOkButton() const {
    return m_state->captionOk;
}

bool CDialog::CreateMenuBar(UINT menuId) {
    platform::MenuBarModel& bar = m_state->menuBar;
    bar = platform::MenuBarModel();
    if (!bar.menu.LoadMenu(menuId)) {
        return false;
    }
    const MenuBarTemplate* record = FindMenuBar(static_cast<std::uint16_t>(menuId));
    for (int i = 0; i < bar.menu.GetMenuItemCount(); ++i) {
        const CMenu::Item& item = bar.menu.Items()[static_cast<std::size_t>(i)];
        if (item.popup == nullptr) {
            continue;
        }
        platform::MenuBarButton button;
        button.type = platform::MenuBarButton::Type::DropDown;
        button.label = StripMenuAmpersands(item.text);
        button.popup = item.popup.get();
        // A menu-bar record may give a button its own label.
        if (record != nullptr) {
            for (const MenuBarButtonTemplate& b : record->buttons) {
                if (b.popupIndex == i) {
                    const std::u16string label = MenuBarButtonLabel(*record, b);
                    if (!label.empty()) {
                        button.label = label;
                    }
                }
            }
        }
        bar.buttons.push_back(std::move(button));
    }
    if (platform::DeviceExists() && platform::Device().TopScreen() == this) {
        platform::Device().RefreshBars();
    }
    return true;
}

bool CDialog::AddToolButtons(UINT bitmapId, std::span<const ToolButton> buttons) {
    const QImage strip = LoadBitmapImage(bitmapId);
    if (strip.isNull()) {
        return false;
    }
    const int cell = strip.height();
    for (const ToolButton& source : buttons) {
        platform::MenuBarButton button;
        if (source.separator) {
            button.type = platform::MenuBarButton::Type::Gap;
        } else {
            button.type = platform::MenuBarButton::Type::Tool;
            button.commandId = source.commandId;
            button.image = strip.copy(source.imageIndex * cell, 0, cell, cell);
        }
        m_state->menuBar.buttons.push_back(std::move(button));
    }
    if (platform::DeviceExists() && platform::Device().TopScreen() == this) {
        platform::Device().RefreshBars();
    }
    return true;
}

bool CDialog::OnInitDialog() {
    // Full screen: the screen already fills the area between the bars; the input panel goes down
    // and the caption gets its OK button.
    LowerInputPanel();
    ShowCaptionOkButton(true);
    UpdateData(false);
    return true;
}

void CDialog::DoDataExchange(CDataExchange* /*pDX*/) {}

void CDialog::OnOK() {
    if (UpdateData(true)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

bool CDialog::OnCommand(UINT id) {
    if (GetCommandMap().DispatchCommand(id)) {
        return true;
    }
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

bool CDialog::PreTranslateMessage(MSG& msg) {
    if (msg.message != WM_KEYDOWN) {
        return false;
    }
    if (msg.wParam == VK_ESCAPE) {
        SendCommand(IDCANCEL);
        return true;
    }
    if (msg.wParam == VK_RETURN && msg.lParam == 0) {
        // The dialog's own Enter handling: a field that accepts Enter keeps it; otherwise Enter is the
        // default button, OK.
        CWnd* focus = GetFocus();
        const DWORD style = focus != nullptr ? focus->GetStyle() : 0;
        if (dynamic_cast<CEdit*>(focus) != nullptr && (style & ES_MULTILINE) != 0 &&
            (style & ES_WANTRETURN) != 0) {
            return false;
        }
        SendCommand(IDOK);
        return true;
    }
    return false;
}
